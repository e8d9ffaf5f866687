XIncludeFile "orv.pbi"
; A structure assigned to a map element replaces the element with a copy.
Structure Point
  x.i
  y.i
EndStructure
NewMap p.Point()
Define q.Point
q\x = 3
q\y = 4
p("a") = q
q\x = 99
Debug Str(p("a")\x) + " " + Str(p("a")\y)
p("a")\x = 7
Debug p("a")\x
Debug q\x
p("b") = q
Debug MapSize(p())
Debug p("b")\x
