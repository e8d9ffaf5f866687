XIncludeFile "orv.pbi"
; A number joined to a string reads as Str(), StrF() or StrD() with their defaults: ten decimals,
; trailing zeros and a trailing point removed. Debug of a float or double prints the shortest text
; that reads back as the same value, with ".0" after a whole number and no exponent.
i = 42
Debug "i=" + i
Debug "sum " + Str(i + 1) + " neg " + Str(-i)
f.f = 1.5
Debug "f=" + f
f = 1.1
Debug "f=" + f
Debug f
d.d = 0.1
Debug "d=" + d
Debug d
d = 2.0 / 3
Debug "d=" + d
Debug d
d = -0.000001
Debug "d=" + d
Debug "big " + 1234567890123
s$ = "n"
s$ + 5
Debug s$
s$ + 2.5
Debug s$
Debug StrD(3.14159, 2)
Debug StrF(0.26, 1)
Debug StrD(100)
Debug StrD(1.0e15)
Debug 3.0
Debug 10.0 / 4
Debug 123.5e-20
Debug 1.0e20
Debug -0.5
Debug Round(11.6, #PB_Round_Down)
Debug StrF(1.1)
Debug StrD(1.1)
Debug FormatNumber(1234567.891)
Debug FormatNumber(-1234.6, 0)
Debug FormatNumber(0.5, 3, ",", ".")
