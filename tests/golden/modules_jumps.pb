XIncludeFile "orv.pbi"
; Modules with the same names kept apart, UseModule, Goto and Gosub lowered into structured
; JavaScript, With, Swap, a prototype and End with an exit code.
DeclareModule First
  Declare.i Value()
  Global total
EndDeclareModule
Module First
  Procedure.i Value()
    total + 1
    ProcedureReturn 1
  EndProcedure
EndModule
DeclareModule Second
  Declare.i Value()
EndDeclareModule
Module Second
  Procedure.i Value()
    ProcedureReturn 2
  EndProcedure
EndModule
Structure Pair
  a.i
  b.i
EndStructure
Prototype.i Getter()
Define p.Pair, get.Getter = @First::Value()
UseModule Second
n = Value() + First::Value() + get()
loop:
n + 1
If n < 10 : Goto loop : EndIf
Gosub show
With p
  \a = n
  \b = First::total
  Swap \a, \b
EndWith
End p\a

show:
Debug n
Return
