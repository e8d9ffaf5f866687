XIncludeFile "orv.pbi"
Structure Point
  x.i
  y.i
EndStructure
NewList a()
NewList b()
NewList p.Point()
AddElement(a())
AddElement(p())
InsertElement(a())
a() = 5
a() = b() + 1
x = a()
If a() = 5
  x = 1
EndIf
p()\x = 1
FirstElement(a())
LastElement(a())
NextElement(a())
PreviousElement(a())
n = ListSize(a())
i = ListIndex(a())
ResetList(a())
ClearList(b())
PushListPosition(a())
PopListPosition(a())
RandomizeList(a())
DeleteElement(a())
SelectElement(a(), 2)
SwapElements(a(), @a(), @b())
ChangeCurrentElement(a(), @b())
MoveElement(a(), #PB_List_First)
CopyList(a(), b())
MergeLists(a(), b())
SplitList(a(), b())
*e = @a()
ForEach a()
  x + a()
Next
ForEach(b())
Next
