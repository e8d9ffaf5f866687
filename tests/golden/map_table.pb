XIncludeFile "orv.pbi"
Structure Point
  x.i
EndStructure
NewMap m()
NewMap p.Point()
NewMap a()
NewMap b()
m("a") = 5
m(Str(i)) = x + 1
x = m("a")
If m("a") = 1
  x = 2
EndIf
p("a")\x = 1
p("a") = q
m() = 5
x = m()
FindMapElement(m(), "a")
AddMapElement(m(), "b")
DeleteMapElement(m())
n = MapSize(m())
k$ = MapKey(m())
ClearMap(b())
ResetMap(m())
NextMapElement(m())
PushMapPosition(m())
PopMapPosition(m())
FreeMap(b())
CopyMap(a(), b())
ForEach m()
  Debug m()
Next
ForEach(p())
Next
