XIncludeFile "orv.pbi"
s$ = "a" + #TAB$ + "b"
Debug Len(s$)
Debug Asc(Mid(s$, 2, 1))
Debug Len(#CRLF$)
Debug "x" + Chr(34) + "y" + #DQUOTE$
Debug Str(#True) + Str(#False)
Debug #TAB
