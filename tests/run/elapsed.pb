XIncludeFile "orv.pbi"
start = ElapsedMilliseconds()
x = 0
For i = 1 To 100000
  x + i
Next
If ElapsedMilliseconds() - start >= 0
  Debug "ok"
EndIf
Debug x
