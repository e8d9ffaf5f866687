XIncludeFile "orv.pbi"
; A variable assigned inside a procedure without Protected is local to that call: recursion and
; nested calls each keep their own, and the main program's variable of the same name is untouched.
Procedure Fact(n)
  If n <= 1
    ProcedureReturn 1
  EndIf
  r = n * Fact(n - 1)
  ProcedureReturn r
EndProcedure
Debug Fact(10)
Procedure Fib(n)
  If n < 2
    ProcedureReturn n
  EndIf
  a = Fib(n - 1)
  b = Fib(n - 2)
  ProcedureReturn a + b
EndProcedure
Debug Fib(15)
Procedure.s Reverse(s$)
  If Len(s$) <= 1
    ProcedureReturn s$
  EndIf
  first$ = Left(s$, 1)
  rest$ = Reverse(Mid(s$, 2))
  ProcedureReturn rest$ + first$
EndProcedure
Debug Reverse("abcdef")
Procedure Digits(n)
  count = 1
  If n >= 10
    count + Digits(n / 10)
  EndIf
  ProcedureReturn count
EndProcedure
Debug Digits(1234567)
x = 100
Procedure Inner()
  x = 1
  ProcedureReturn x
EndProcedure
Procedure Outer()
  x = 10
  y = Inner()
  ProcedureReturn x + y
EndProcedure
Debug Outer()
Debug x
Procedure Hanoi(n, src, dst, spare)
  If n = 0
    ProcedureReturn 0
  EndIf
  moves = Hanoi(n - 1, src, spare, dst)
  moves + 1
  moves + Hanoi(n - 1, spare, dst, src)
  ProcedureReturn moves
EndProcedure
Debug Hanoi(6, 1, 3, 2)
