XIncludeFile "orv.pbi"
NewList w.s()
AddElement(w())
w() = "pear"
AddElement(w())
w() = "apple"
AddElement(w())
w() = "cherry"
AddElement(w())
w() = "banana"
SortList(w(), #PB_Sort_Ascending)
ForEach w()
  Debug w()
Next
SortList(w(), #PB_Sort_Descending)
FirstElement(w())
Debug w()
RandomizeList(w())
Debug ListSize(w())
