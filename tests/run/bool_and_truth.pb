XIncludeFile "orv.pbi"
; Bool() compares (it never assigns) and gives 1 or 0; #True and #False are 1 and 0.
y = 3
Debug Bool(y = 7)
Debug y
Debug Bool(y = 3)
Debug Bool(y <> 3)
Debug Bool(y >= 3 And y =< 3)
Debug #True
Debug #False
t = #True
Debug t + 1
Debug "flag: " + #False
Debug Str(Bool(y > 2)) + "/" + Str(#True)
count + Bool(y < 5)
count + Bool(y > 5)
count + Bool(y = 3)
Debug count
s$ = "abc"
Debug Bool(s$ = "abc")
Debug Bool(s$ <> "abc" Or s$ = "ABC")
Debug Bool(s$ < "abd")
Procedure.i IsEven(v)
  ProcedureReturn Bool(v % 2 = 0)
EndProcedure
Debug IsEven(10) + IsEven(7) * 10
If IsEven(4) = #True
  Debug "4 is even"
EndIf
