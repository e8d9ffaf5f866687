XIncludeFile "orv.pbi"
; PureBasic's priorities, highest first: ~ and unary minus; << >> % !; | &; * /; + -;
; comparisons; Not; And Or XOr, which share one level and go left to right.
Debug 2 + 3 % 2
Debug 2 * 3 % 2
Debug 1 + 2 << 3
Debug 32 >> 2 * 2
Debug 6 | 1 * 2
Debug 12 & 10 + 1
Debug 5 - 3 & 1
Debug 1 + 7 ! 2
Debug ~5 & 3
Debug -2 << 1
Debug 10 - 2 - 3
Debug 64 / 4 / 2
x = 6
If x & 1 = 0
  Debug "even"
EndIf
If x % 4 = 2
  Debug "x % 4 = 2"
EndIf
Debug Bool(x > 5 And x < 7 Or x = 0)
Debug Bool(x = 0 And x > 5 Or x = 6)
Debug Bool(x = 6 Or x = 1 And x = 2)
Debug Bool(Not x = 5)
Debug Bool(Not x = 6 Or x = 6)
Debug Bool(x = 6 XOr x > 1)
Debug Bool(x & 2 And x | 1 = 7)
y = x << 2 + 1
Debug y
