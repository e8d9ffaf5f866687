XIncludeFile "orv.pbi"
Structure Named
  name.s
EndStructure
Define p.Named
NewMap count()
NewMap names.s()
; Reading the map inside its own value, keys with nested brackets and a backslash.
count(w$) = count(w$) + 1
x = count(Str(Len(w$)))
names(p\name) = "x"
While count() = 1
  Break
Wend
; A flag argument stays an argument; code after the call stays outside it.
AddMapElement(count(), "k", #PB_Map_NoElementCheck)
If FindMapElement(count(), "k") And x
  x = 0
EndIf
Procedure.i Total(Map c())
  t = 0
  ForEach c()
    t + c()
  Next
  ProcedureReturn t + MapSize(c())
EndProcedure
