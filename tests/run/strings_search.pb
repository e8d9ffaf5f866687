XIncludeFile "orv.pbi"
t$ = "one two three two one"
Debug FindString(t$, "two")
Debug FindString(t$, "two", 6)
Debug FindString(t$, "four")
Debug CountString(t$, "o")
Debug CountString(t$, "two")
Debug ReplaceString(t$, "two", "2")
Debug RemoveString(t$, "one ")
Debug InsertString("Hello", "XX", 3)
Debug ReplaceString("aAbB", "a", "-", #PB_String_NoCase)
Debug FindString("Hello", "LL", 1, #PB_String_NoCase)
