XIncludeFile "orv.pbi"
RandomSeed(12)
ok = 1
For i = 1 To 1000
  r = Random(10, 5)
  If r < 5 Or r > 10
    ok = 0
  EndIf
Next
Debug ok
x = Random(0)
Debug x
