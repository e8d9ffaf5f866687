XIncludeFile "orv.pbi"
Structure Person
  Name.s
  Age.i
EndStructure
NewList people.Person()
AddElement(people())
people()\Name = "Ann"
people()\Age = 31
AddElement(people())
people()\Name = "Bob"
people()\Age = 25
total = 0
ForEach people()
  Debug people()\Name + " " + Str(people()\Age)
  total + people()\Age
Next
Debug total
