XIncludeFile "orv.pbi"
OpenConsole()
Print("Name: ")
name$ = Input()
PrintN("Hello " + name$ + "!")
