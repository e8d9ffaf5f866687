XIncludeFile "orv.pbi"
; Nested loops each find their own Next, and names are case-sensitive.
NewList outer()
NewList inner()
NewList Inner()
ForEach outer()
  For i = 1 To 3
    ForEach inner()
      Debug inner()
    Next
  Next
Next
While outer() = 5
  Break
Wend
Repeat
Until inner() = 1
; Values with calls and brackets stay tokens; a third argument is kept.
outer() = Len("abc") * (inner() + 1)
outer() = x And y
MergeLists(outer(), inner(), #PB_List_First)
Procedure Count(List l.s())
  n = 0
  ForEach l()
    n + 1
  Next
  ProcedureReturn ListSize(l())
EndProcedure
