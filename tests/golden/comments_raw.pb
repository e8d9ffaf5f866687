XIncludeFile "orv.pbi"
; A line that is only a comment
Macro Square(x)
  x * x
EndMacro
MacroCount = 1
y = Square(3) ; expanded where it is used
EnableJS
; var fromScript = 1;
DisableJS
!console.log("bang");
s = "C:\temp\" + #CRLF$ + #TAB$
t = $FF + #Tab + #PI
