XIncludeFile "orv.pbi"
Declare.i Area(w, h = 10)
Procedure.i Area(w, h = 10, *opt = #Null, title.s = "box", dx = -1)
  ProcedureReturn w * h
EndProcedure
Procedure Fill(List items.s(), Map names.i(), Array cells.i(1))
  ProcedureReturn
EndProcedure
ProcedureC Callback(x)
  ProcedureReturn x
EndProcedure
r = Area(2)
