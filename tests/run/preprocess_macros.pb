XIncludeFile "orv.pbi"
; Macros with parameters, default values and concatenation, expanded before translation.
Macro Square(x)
  ((x) * (x))
EndMacro

Macro XCase(Type, Text)
  Type#Case(Text)
EndMacro

Macro Show(label, value = -1)
  Debug label
  Debug value
EndMacro

Macro DoubleQuote
  "
EndMacro

Macro Quoted(Expression)
  DoubleQuote#Expression#DoubleQuote
EndMacro

Macro Counted
  Debug "expansion " + Str(MacroExpandedCount)
EndMacro

Debug Square(2 + 3)
Debug XCase(U, "web") + XCase(L, " PAGE")
Show("default")
Show("given", Square(Square(2)))
Debug Quoted(1 + 2 <> 4)
Counted : Counted
UndefineMacro Counted
Macro Counted
  Debug "redefined"
EndMacro
Counted
