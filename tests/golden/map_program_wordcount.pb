XIncludeFile "orv.pbi"
; Counts words with a map and keeps the distinct words in a list.
NewMap seen()
NewList order.s()
text$ = "the cat and the dog and the bird"
For i = 1 To CountString(text$, " ") + 1
  w$ = StringField(text$, i, " ")
  If FindMapElement(seen(), w$) = 0
    AddElement(order())
    order() = w$
  EndIf
  seen(w$) = seen(w$) + 1
Next
ForEach order()
  Debug order() + ": " + Str(seen(order()))
Next
Debug MapSize(seen())
