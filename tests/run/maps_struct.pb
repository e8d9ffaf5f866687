XIncludeFile "orv.pbi"
Structure Item
  price.i
  qty.i
EndStructure
NewMap items.Item()
items("pen")\price = 2
items("pen")\qty = 10
items("cup")\price = 5
items("cup")\qty = 3
value = 0
ForEach items()
  value + items()\price * items()\qty
Next
Debug value
NewMap copy.Item()
CopyMap(items(), copy())
copy("pen")\qty = 1
Debug items("pen")\qty
Debug copy("pen")\qty
Debug MapSize(copy())
