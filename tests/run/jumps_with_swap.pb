XIncludeFile "orv.pbi"
; Goto loops, Gosub subroutines, With blocks, Swap of every kind of operand, prototypes.
Structure Pair
  a.i
  b.s
EndStructure
Prototype.i Operation(x, y)
Procedure.i Add(x, y)
  ProcedureReturn x + y
EndProcedure
Procedure.i Mul(x, y)
  ProcedureReturn x * y
EndProcedure

i = 0
again:
i + 1
If i < 3
  Goto again
EndIf
Debug "i=" + Str(i)
total = 0
Gosub addten
Gosub addten
Debug "total=" + Str(total)

Define p.Pair
With p
  \a = 7
  \b = "seven"
  Debug Str(\a) + " " + \b
EndWith

x = 1 : y = 2
Swap x, y
Debug Str(x) + Str(y)
s$ = "left" : t$ = "right"
Swap s$, t$
Debug s$ + " " + t$
Dim d(2)
d(0) = 10 : d(2) = 30
Swap d(0), d(2)
Debug Str(d(0)) + " " + Str(d(2))
Define q.Pair
q\a = 1
Swap p\a, q\a
Debug Str(p\a) + " " + Str(q\a)

Define op.Operation = @Add()
Debug op(2, 3)
op = @Mul()
Debug op(2, 3)
Dim ops(1)
ops(0) = @Add()
ops(1) = @Mul()
For k = 0 To 1
  op = ops(k)
  Debug op(4, 5)
Next
End 3

addten:
total + 10
Return
