XIncludeFile "orv.pbi"
; A module's procedure beside a Goto loop in the main program.
DeclareModule M
  Declare.i Twice(x)
EndDeclareModule
Module M
  Procedure.i Twice(x)
    ProcedureReturn x * 2
  EndProcedure
EndModule
n = 0
again:
n + 1
If n < 3 : Goto again : EndIf
Debug M::Twice(n)
