XIncludeFile "orv.pbi"
NewMap count()
NewList n()
AddElement(n())
words$ = "a b a c a b"
For i = 1 To 6
  count(StringField(words$, i, " ")) + 1
Next
Debug count("a")
Debug count("b")
Debug count("c")
count("a") * 10
Debug count("a")
n() + 5
n() - 2
Debug n()
ForEach count()
  count() + 100
Next
Debug count("c")
