XIncludeFile "orv.pbi"
Debug FormatNumber(1234567.891)
Debug FormatNumber(1234.4, 0)
Debug FormatNumber(0.5, 3, ",", ".")
Debug FormatNumber(-9876543.21, 1, ".", " ")
