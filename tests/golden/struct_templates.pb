XIncludeFile "orv.pbi"
Structure Point
  x.i
  y.i
EndStructure
Structure Empty
EndStructure
Structure Bag
  List items.s()
  Map m.i()
  Map pts.Point()
  pos.Point
  name.s{20}
  codes.l[4]
EndStructure
Structure Point3 Extends Point
  z.i
EndStructure
Define p.Point
Define q.Point = p
Global b.Bag
Procedure Show(*pt.Point)
  Debug *pt\x
EndProcedure
p\x = 3
Show(@p)
