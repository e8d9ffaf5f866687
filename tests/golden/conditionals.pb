XIncludeFile "orv.pbi"
Structure Key
  k.i
EndStructure
Define z.Key
If a = b And c <> d
  x = 1
ElseIf a => b Or Not c ; ranked
  x = 2
ElseIf a =< b XOr c
  x = 3
Else
  x = 4
EndIf
If y : x = 5 : EndIf
Select x
  Case 1
    y = 1
  Case 1, 2, 3
    y = 2
  Case 5 To 10
    y = 3
  Case 1, 5 To 10, 20
    y = 4
  Case 1 To 3, 7 To 9
    Select z\k
      Case 0
        y = 5
    EndSelect
  Default
    y = 6
EndSelect
