XIncludeFile "orv.pbi"
EnableExplicit
Define x, s$
x = Len("abc") + Asc(Chr(65))
s$ = UCase("abc") + #CRLF$
x = #PB_Any
x = #pb_sort_ascending
Debug x + 1
Debug "text"
Debug s$ ; a comment
DisableExplicit
