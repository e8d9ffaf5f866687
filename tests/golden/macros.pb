XIncludeFile "orv.pbi"
; Macros are expanded where they are used; definitions leave empty lines behind.
Macro Square(x)
  ((x) * (x))
EndMacro

Macro XCase(Type, Text)
  Type#Case(Text)
EndMacro

Macro Exchange(a, b, tmp = t)
  tmp = a
  a = b
  b = tmp
EndMacro

Global a = 1, b = 2, t
Debug Square(a + 1)
Debug XCase(U, "web")
Exchange(a, b) ; three statements on this line
Debug a
