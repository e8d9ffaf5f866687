XIncludeFile "orv.pbi"
NewList v()
For i = 1 To 8
  AddElement(v())
  v() = i
Next
ForEach v()
  If v() % 2 = 0
    DeleteElement(v())
  EndIf
Next
Debug ListSize(v())
ForEach v()
  Debug v()
Next
SelectElement(v(), 1)
InsertElement(v())
v() = 100
ForEach v()
  Debug v()
Next
ClearList(v())
Debug ListSize(v())
If FirstElement(v()) = 0
  Debug "empty"
EndIf
