XIncludeFile "orv.pbi"
; "&" and "|" are bitwise operators, "And" and "Or" logical ones.
flags = 1
Debug 6 & 3
x = 12 & 10
Debug x
Debug 12 | 3
If flags & 2
  Debug "bit 2 set"
Else
  Debug "bit 2 clear"
EndIf
If flags & 1 And x
  Debug "both"
EndIf
