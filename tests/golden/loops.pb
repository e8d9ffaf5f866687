XIncludeFile "orv.pbi"
For i = 1 To 10
  total + i
Next
For i = 10 To 1 Step -1 ; down
Next i
For k = 0 To n - 1 Step 2
  For j = k To n Step - 1
  Next
Next k
While a = 1 And b <> 2
  a - 1
  If a = 0 : Break : EndIf
Wend
While x => 0
  x - 1
Wend
Repeat
  n + 1
Until n = 0 Or b ; enough
Repeat
  Continue
ForEver
