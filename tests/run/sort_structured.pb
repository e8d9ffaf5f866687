XIncludeFile "orv.pbi"
Structure Player
  Name.s
  Score.i
EndStructure
Dim team.Player(2)
team(0)\Name = "Ann"
team(0)\Score = 30
team(1)\Name = "Bob"
team(1)\Score = 10
team(2)\Name = "Cid"
team(2)\Score = 20
SortStructuredArray(team(), #PB_Sort_Ascending, OffsetOf(Player\Score), TypeOf(Player\Score))
For i = 0 To 2
  Debug team(i)\Name + " " + Str(team(i)\Score)
Next
SortStructuredArray(team(), #PB_Sort_Descending, OffsetOf(Player\Name), #PB_String)
Debug team(0)\Name
