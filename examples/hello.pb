; hello.pb: the first program to convert with Orvane.
; Every program converted by Orvane includes orv.pbi (it comes with Orvane, beside the program).
XIncludeFile "orv.pbi"

Define name$ = "World"
Define i

Debug "Hello, " + name$ + "!"
For i = 1 To 3
  Debug "Line " + Str(i) + " of 3"
Next
Debug "This program was written in PureBasic and runs in your browser."
