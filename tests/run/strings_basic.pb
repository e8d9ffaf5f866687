XIncludeFile "orv.pbi"
s$ = "Hello World"
Debug Left(s$, 5)
Debug Right(s$, 5)
Debug Mid(s$, 7, 3)
Debug Mid(s$, 7)
Debug Mid(s$, 10, 50)
Debug Len(s$)
Debug UCase(s$)
Debug LCase(s$)
Debug ReverseString("abc")
Debug "[" + Trim("  x  ") + "]"
Debug "[" + LTrim("  x  ") + "]"
Debug "[" + RTrim("  x  ") + "]"
Debug "[" + Space(3) + "]"
Debug "[" + Trim("--x--", "-") + "]"
