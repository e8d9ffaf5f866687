XIncludeFile "orv.pbi"
; Integer division truncates toward zero and % keeps the sign of the dividend. A float stored into
; an integer rounds to the nearest integer, halves to even; Int() cuts the fraction off. An
; expression holding a float, or stored into a float, is worked out in floating point.
a = 7
b = 2
Debug a / b
Debug -a / b
Debug a % b
Debug -7 % 2
Debug 7 % -2
c = a / b
Debug c
f.f = a / b
Debug f
d.d = -a / b
Debug d
Debug Str(a / b)
Debug Str(a / b * 2)
Debug "q=" + a / b
i = a / b * 2
Debug i
i = a / b * 2.0
Debug i
i = 2.5
Debug i
i = 3.5
Debug i
i = -2.5
Debug i
i = 2.6
Debug i
i = -2.6
Debug i
i = a / 2.0
Debug i
Debug Int(a / 2.0)
Debug Int(-3.7)
digits = 0
n = 12345
While n > 0
  n / 10
  digits + 1
Wend
Debug digits
Debug n
total = 10
total / 4
Debug total
total * 2.25
Debug total
