XIncludeFile "orv.pbi"
; Names are case-insensitive: variables, procedures, constants, structures and their fields,
; arrays, lists, labels and the built-in functions.
s$ = "abc"
Debug Len(S$)
k = 42
Debug lset(str(k), 5) + "|"
Debug RSET(Str(K), 5, "0")
Procedure.i AddOne(v)
  ProcedureReturn v + 1
EndProcedure
Debug addone(1)
Debug ADDONE(K)
#Limit = 3
Debug #LIMIT * 2
Structure Point
  X.i
  y.i
EndStructure
p.point
p\x = 5
P\Y = 6
Debug p\X + p\y
Dim Values(2)
values(1) = 7
Debug VALUES(1)
NewList Items.s()
addelement(items())
ITEMS() = "z"
Debug Items()
For I = 1 To 2
Next i
Debug i
Gosub ShowIt
End
showit:
  Debug "label " + UCase(s$)
Return
