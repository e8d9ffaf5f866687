XIncludeFile "orv.pbi"
NewList a()
NewList b()
For i = 1 To 3
  AddElement(a())
  a() = i
Next
CopyList(a(), b())
Debug ListSize(b())
LastElement(b())
AddElement(b())
b() = 4
MergeLists(a(), b())
Debug ListSize(a())
Debug ListSize(b())
s$ = ""
ForEach b()
  s$ + Str(b()) + " "
Next
Debug s$
SelectElement(b(), 4)
SplitList(b(), a())
Debug ListSize(a())
Debug ListSize(b())
