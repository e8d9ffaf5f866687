XIncludeFile "orv.pbi"
; Each small type wraps to its width when a value is stored: .b -128..127, .a 0..255,
; .w -32768..32767, .u and .c 0..65535, .l 32-bit signed. Reading it back gives the wrapped value.
b.b = 127
b + 1
Debug b
b = 200
Debug b
b = -129
Debug b
a.a = 255
a + 1
Debug a
a = -1
Debug a
w.w = 32767
w + 1
Debug w
w = 40000
Debug w
u.u = 65535
u + 1
Debug u
u = -1
Debug u
c.c = 70000
Debug c
l.l = 2147483647
l + 1
Debug l
l = 4294967295
Debug l
i = b * 2
Debug i
Dim bytes.b(1)
bytes(0) = 300
Debug bytes(0)
Structure Pixel
  level.a
  delta.w
EndStructure
p.Pixel
p\level = 256 + 7
p\delta = -32769
Debug p\level
Debug p\delta
Procedure.b Narrow(v)
  ProcedureReturn v
EndProcedure
Debug Narrow(255)
