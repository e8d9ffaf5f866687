XIncludeFile "orv.pbi"
; Modules keep their names apart; UseModule makes the public ones reachable without "::".
DeclareModule Shapes
  #Sides = 4
  Structure Box
    w.i
    h.i
  EndStructure
  Declare.i Area(*b.Box)
  Global count
EndDeclareModule

Module Shapes
  Procedure.i Area(*b.Box)
    count + 1
    ProcedureReturn *b\w * *b\h
  EndProcedure
EndModule

DeclareModule Other
  Declare.i Area(x)
EndDeclareModule

Module Other
  Procedure.i Area(x)
    ProcedureReturn x * 100
  EndProcedure
EndModule

Define b.Shapes::Box
b\w = 3
b\h = 4
Debug Shapes::Area(@b)
Debug Other::Area(2)
Debug Shapes::#Sides
Debug Shapes::count
UseModule Shapes
Define c.Box
c\w = 5 : c\h = 6
Debug Area(@c)
Debug count
Debug #Sides
