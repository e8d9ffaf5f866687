XIncludeFile "orv.pbi"
r = MessageRequester("Question", "Continue?", #PB_MessageRequester_YesNo)
If r = #PB_MessageRequester_Yes
  Debug "yes"
EndIf
name$ = InputRequester("Name", "Your name?", "nobody")
Debug "name: " + name$
