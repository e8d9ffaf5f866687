XIncludeFile "orv.pbi"
; "!" is XOr: as an operator and in the shorthand "x ! 3".
x = 5
x ! 3
Debug x
y = x ! 1
Debug y
