XIncludeFile "orv.pbi"
OpenConsole()
Print("Hello, ")
PrintN("World")
PrintN(Str(6 * 7))
For i = 1 To 3
  Print(Str(i))
Next
PrintN("")
PrintN("done")
CloseConsole()
