XIncludeFile "orv.pbi"
; ~"..." strings take the escapes \a \b \f \n \r \t \v \" and \\; plain strings take none.
Debug ~"a\tb"
Debug ~"line1\nline2"
Debug ~"quote: \"x\""
Debug ~"back\\slash"
Debug "plain\t\n"
Debug Len(~"\a\b\f\n\r\t\v\"\\")
Debug Str(Asc(~"\a")) + " " + Str(Asc(~"\b")) + " " + Str(Asc(~"\f")) + " " + Str(Asc(~"\n"))
Debug Str(Asc(~"\r")) + " " + Str(Asc(~"\t")) + " " + Str(Asc(~"\v")) + " " + Str(Asc(~"\"")) + " " + Str(Asc(~"\\"))
Debug CountString(~"a\nb\nc", ~"\n")
Debug StringField(~"x\ty\tz", 2, ~"\t")
OpenConsole()
PrintN(~"tab:\t|")
Print(~"two\nlines\n")
