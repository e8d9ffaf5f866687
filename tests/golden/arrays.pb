XIncludeFile "orv.pbi"
Procedure Sum(Array v(1))
  ProcedureReturn v(0) + v(1)
EndProcedure
Dim a(10)
Dim grid(5, 5)
Dim sized(Len(t$))
a(1) = grid(2, 3) + a(a(0))
grid(i, j) - 1
ReDim a(20)
Sum(a())
