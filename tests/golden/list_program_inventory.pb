XIncludeFile "orv.pbi"
; A small inventory: an enumeration of kinds, items read from a data section into a list of
; structures, totals per kind kept in a map.
Enumeration
  #KindTool
  #KindPart
EndEnumeration

Structure Item
  name.s
  kind.i
  count.i
EndStructure

NewList items.Item()
NewMap totals()

Restore Stock
Read.i n
For i = 1 To n
  AddElement(items())
  Read.s items()\name
  Read.i items()\kind
  Read.i items()\count
Next

ForEach items()
  If items()\kind = #KindTool
    totals("tools") = totals("tools") + items()\count
  Else
    totals("parts") = totals("parts") + items()\count
  EndIf
Next

Debug ListSize(items())
Debug totals("tools")
Debug totals("parts")
ForEach totals()
  Debug MapKey(totals()) + "=" + Str(totals())
Next

DataSection
Stock:
  Data.i 3
  Data.s "hammer"
  Data.i 0, 2
  Data.s "bolt"
  Data.i 1, 40
  Data.s "saw"
  Data.i 0, 1
EndDataSection
