XIncludeFile "orv.pbi"
Restore MyData
Read.i a
Read.i b
Restore Names
Read.s n$
Debug a + b
Debug n$
End
DataSection
MyData:
  Data.i 1, 2, 3
  Data.i 4
Names:
  Data.s "Ann", "Bob"
  Data.l $FF, -1
EndDataSection
