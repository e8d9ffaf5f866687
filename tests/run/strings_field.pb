XIncludeFile "orv.pbi"
line$ = "red,green,,blue"
For i = 1 To 5
  Debug Str(i) + ":" + StringField(line$, i, ",")
Next
Debug LSet("ab", 5, "*")
Debug RSet("42", 6, "0")
Debug LSet("abcdef", 3)
Debug CountString(line$, ",") + 1
