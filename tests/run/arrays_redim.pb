XIncludeFile "orv.pbi"
Dim a(2)
a(0) = 10
a(1) = 20
a(2) = 30
ReDim a(4)
a(4) = 50
Debug ArraySize(a())
For i = 0 To 4
  Debug a(i)
Next
ReDim a(1)
Debug ArraySize(a())
Debug a(1)
