XIncludeFile "orv.pbi"
NewMap age()
age("Ann") = 31
age("Bob") = 25
age("ann") = 7
Debug MapSize(age())
Debug age("Ann")
Debug age("ann")
If FindMapElement(age(), "Bob")
  Debug "found " + MapKey(age())
EndIf
If Not FindMapElement(age(), "Zed")
  Debug "no Zed"
EndIf
DeleteMapElement(age(), "Bob")
Debug MapSize(age())
ClearMap(age())
Debug MapSize(age())
