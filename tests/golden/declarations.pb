XIncludeFile "orv.pbi"
Structure Place
  x.i
EndStructure
Procedure Foo(v)
  ProcedureReturn v
EndProcedure
Define p.Place
Define a.i = 5
Define s.s
a + 1
x = a + 1
Foo(a + 1)
If a + 1 > 2 : a = 0 : EndIf
While n - 1 : n = 0 : Wend
PrintN(Str(a + 1))
p\x * 2
flags | 4
Procedure Counter()
  Shared a
  Static count
  Static start = 5, name$
  count + 1
  ProcedureReturn count
EndProcedure
