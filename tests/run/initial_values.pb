XIncludeFile "orv.pbi"
; Everything starts as 0 or "" by its type: a variable read before it is assigned, array, list
; and map elements, structure fields, and procedure-local variables at every call.
Debug c + 1
Debug "[" + s$ + "]"
Dim texts.s(3)
Debug "[" + texts(2) + "]" + Str(Len(texts(3)))
Dim numbers(3)
Debug numbers(1)
Dim halves.d(2)
Debug halves(2)
NewList words.s()
AddElement(words())
Debug "[" + words() + "]"
NewMap labels.s()
Debug "[" + labels("missing") + "]"
NewMap counts()
counts("a") + 2
Debug counts("a") + counts("b")
Structure Person
  name.s
  age.i
  nick$
  Array tags.s(1)
EndStructure
p.Person
Debug "[" + p\name + p\nick$ + p\tags(1) + "]" + Str(p\age)
Dim people.Person(2)
Debug "[" + people(1)\name + "]" + Str(people(2)\age)
NewList team.Person()
AddElement(team())
Debug "[" + team()\name + "]"
Procedure Calc(n)
  Define result
  result = result * 2 + n
  ProcedureReturn result
EndProcedure
Debug Calc(5)
Debug Calc(6)
Procedure Counter()
  k + 1
  ProcedureReturn k
EndProcedure
Counter()
Debug Counter()
Procedure.s Tag()
  ProcedureReturn t$ + "!"
EndProcedure
Debug Tag()
