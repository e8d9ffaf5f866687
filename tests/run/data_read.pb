XIncludeFile "orv.pbi"
Restore Numbers
For i = 1 To 3
  Read.i n
  Debug n
Next
Restore Names
Read.s a$
Read.s b$
Debug a$ + " & " + b$

DataSection
  Numbers:
  Data.i 10, 20, 30
  Names:
  Data.s "Ann", "Bob"
EndDataSection
