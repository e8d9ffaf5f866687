XIncludeFile "orv.pbi"
NewList n()
For i = 1 To 5
  AddElement(n())
  n() = i * 10
Next
Debug ListSize(n())
ForEach n()
  Debug n()
Next
FirstElement(n())
Debug n()
NextElement(n())
Debug n()
LastElement(n())
Debug n()
PreviousElement(n())
Debug n()
Debug ListIndex(n())
ResetList(n())
Debug ListIndex(n())
