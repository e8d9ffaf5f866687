XIncludeFile "orv.pbi"
Debug Int(7.9)
Debug Int(-7.9)
Debug StrD(Abs(-2.5), 1)
Debug StrD(Sqr(16), 0)
Debug StrD(Pow(2, 10), 0)
Debug StrD(Round(2.5, #PB_Round_Nearest), 0)
Debug StrD(Round(2.4, #PB_Round_Up), 0)
Debug StrD(Round(-2.4, #PB_Round_Down), 0)
Debug StrD(Mod(7.5, 2), 1)
Debug 17 % 5
Debug Int(Sign(-3))
