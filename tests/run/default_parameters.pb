XIncludeFile "orv.pbi"
; The last parameters of a procedure may have default values (constant expressions), used when
; the call leaves them out.
Procedure.s Greet(name.s, greeting.s = "Hello", times = 1)
  For i = 1 To times
    r$ + greeting + " " + name + "!"
  Next
  ProcedureReturn r$
EndProcedure
Debug Greet("Ann")
Debug Greet("Bob", "Hi")
Debug Greet("Cy", "Yo", 2)
Procedure.s Join(txt.s, n.b, final.s = "")
  ProcedureReturn txt + Str(n) + final
EndProcedure
Debug Join("a", 1)
Debug Join("a", 2, ".")
Procedure Scale(v, by.d = 2.5)
  ProcedureReturn v * by
EndProcedure
Debug Scale(4)
Debug Scale(3, 1)
#Base = 10
Procedure Times(v, k = #Base * 2)
  ProcedureReturn v * k
EndProcedure
Debug Times(3)
Debug Times(3, -1)
Procedure Count(a, b = -1, c = 0)
  ProcedureReturn a + b + c
EndProcedure
Debug Count(1)
Debug Count(1, 1)
Debug Count(1, 1, 1)
