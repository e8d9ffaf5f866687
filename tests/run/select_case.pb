XIncludeFile "orv.pbi"
For i = 1 To 6
  Select i
    Case 1
      Debug "one"
    Case 2, 3
      Debug "two or three"
    Case 4 To 5
      Debug "four to five"
    Default
      Debug "other"
  EndSelect
Next
