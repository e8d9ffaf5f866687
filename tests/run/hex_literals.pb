XIncludeFile "orv.pbi"
x = $FF
Debug x
Debug x + $10
y = %1010
Debug y
Debug Hex(x * 2)
