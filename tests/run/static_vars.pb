XIncludeFile "orv.pbi"
Procedure Counter()
  Static count
  count + 1
  ProcedureReturn count
EndProcedure
Counter()
Counter()
Debug Counter()
