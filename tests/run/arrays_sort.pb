XIncludeFile "orv.pbi"
Dim n(5)
n(0) = 5
n(1) = 3
n(2) = 9
n(3) = 1
n(4) = 7
n(5) = 2
SortArray(n(), #PB_Sort_Ascending)
r$ = ""
For i = 0 To 5
  r$ + Str(n(i)) + " "
Next
Debug r$
SortArray(n(), #PB_Sort_Descending)
r$ = ""
For i = 0 To 5
  r$ + Str(n(i)) + " "
Next
Debug r$
Dim s.s(3)
s(0) = "pear"
s(1) = "Apple"
s(2) = "banana"
s(3) = "Cherry"
SortArray(s(), #PB_Sort_Ascending)
Debug s(0) + " " + s(1) + " " + s(2) + " " + s(3)
SortArray(s(), #PB_Sort_Ascending | #PB_Sort_NoCase)
Debug s(0) + " " + s(1) + " " + s(2) + " " + s(3)
