XIncludeFile "orv.pbi"
; binary literals beside hexadecimal ones and the modulo operator
x = $FF + %1010
Debug %101
y = x % 2 + (x) % 4
If x > %1 : y = %11 : EndIf
Select y
  Case %0 To %10
    y = 0
EndSelect
; the field a structured sort compares, and its type
Structure Player
  Name$
  Score.i
  *Link
  Ratio.d
  List Tags.s()
  Count
EndStructure
Structure Pro Extends Player
  Level.b
EndStructure
Dim team.Pro(2)
SortStructuredArray(team(), #PB_Sort_Ascending, OffsetOf(Pro\score), TypeOf(Player\Score))
k$ = OffsetOf(Player\Name$)
t = TypeOf(Player\Name$) + TypeOf(Pro\Level) + TypeOf(Pro\Ratio)
Debug TypeOf(Player\Tags) + TypeOf(Player\Link) + TypeOf(Player\Count)
Debug TypeOf(Unknown\Field)
Debug OffsetOf(Unknown\Field)
