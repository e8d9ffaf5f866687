XIncludeFile "orv.pbi"
NewList L()
For i = 1 To 4
  AddElement(L())
  L() = i
Next
FirstElement(L())
*a = @L()
LastElement(L())
*b = @L()
SwapElements(L(), *a, *b)
s$ = ""
ForEach L()
  s$ + Str(L()) + " "
Next
Debug s$
FirstElement(L())
MoveElement(L(), #PB_List_Last)
s$ = ""
ForEach L()
  s$ + Str(L()) + " "
Next
Debug s$
LastElement(L())
PushListPosition(L())
FirstElement(L())
Debug L()
PopListPosition(L())
Debug L()
ChangeCurrentElement(L(), *a)
Debug L()
Debug ListIndex(L())
