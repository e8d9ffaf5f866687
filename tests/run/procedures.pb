XIncludeFile "orv.pbi"
Procedure.i Factorial(n)
  If n <= 1
    ProcedureReturn 1
  EndIf
  ProcedureReturn n * Factorial(n - 1)
EndProcedure

Procedure Fib(n)
  If n < 2
    ProcedureReturn n
  EndIf
  ProcedureReturn Fib(n - 1) + Fib(n - 2)
EndProcedure

Procedure.s Greet(name.s, times)
  Protected r.s = ""
  For i = 1 To times
    r + "Hi " + name + "! "
  Next
  ProcedureReturn Trim(r)
EndProcedure

Debug Factorial(10)
Debug Fib(15)
Debug Greet("Ann", 2)
