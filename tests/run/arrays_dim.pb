XIncludeFile "orv.pbi"
Dim a(10)
Debug ArraySize(a())
For i = 0 To 10
  a(i) = i * i
Next
sum = 0
For i = 0 To ArraySize(a())
  sum + a(i)
Next
Debug sum
Dim g(2, 3)
g(2, 3) = 7
g(1, 1) = 5
Debug g(2, 3) + g(1, 1)
Debug ArraySize(g(), 2)
