XIncludeFile "orv.pbi"
For i = 10 To 1 Step -3
  Debug i
Next
n = 0
While n < 3
  n + 1
Wend
Debug n
Repeat
  n - 1
Until n = 0
Debug n
For i = 1 To 10
  If i = 3
    Continue
  EndIf
  If i = 5
    Break
  EndIf
  Debug i
Next
