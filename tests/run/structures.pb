XIncludeFile "orv.pbi"
Structure Point
  x.i
  y.i
EndStructure
Structure Rect
  topLeft.Point
  bottomRight.Point
EndStructure
Define r.Rect
r\topLeft\x = 1
r\topLeft\y = 2
r\bottomRight\x = 11
r\bottomRight\y = 22
Debug (r\bottomRight\x - r\topLeft\x) * (r\bottomRight\y - r\topLeft\y)
Define p.Point
p\x = 5
Define q.Point
q\x = 9
Debug p\x + q\x
