XIncludeFile "orv.pbi"
; A small report over a table of scores, with every kind of block

#Rows = 5
#Bonus = $0A ; hexadecimal
#Title$ = "Scores"

Global total = 0, best = -1
Define i.i, n.i = #Rows
Dim scores.i(#Rows - 1)

Procedure.s Grade(value, pass = 50, label$ = "fail")
  Protected result$ = label$
  If value >= pass + 30
    result$ = "high"
  ElseIf value >= pass
    result$ = "pass"
  EndIf
  ProcedureReturn result$
EndProcedure

Procedure Counter(stepBy = 1)
  Static calls
  calls + stepBy
  ProcedureReturn calls
EndProcedure

Procedure.i AddUp(Array values.i(1), count)
  Protected k, sum = 0
  For k = 0 To count - 1
    sum + values(k)
  Next
  ProcedureReturn sum
EndProcedure

; fill the table: 20, 35, 50, 65, 80
For i = 0 To #Rows - 1
  scores(i) = 20 + i * 15
Next

total = AddUp(scores(), n)
Debug #Title$ + ": " + Str(total)

For i = #Rows - 1 To 0 Step -2
  Debug Str(scores(i)) + " " + Grade(scores(i))
Next

For i = 0 To #Rows - 1
  Select scores(i)
    Case 0 To 29
      Debug "low"
    Case 35, 50
      Debug "middle " + Str(i)
    Case $41
      Debug "hex 65"
    Default
      Debug "top"
  EndSelect
Next

; a while loop and a repeat loop driven by compound assignments
i = 0
While i < #Rows And scores(i) < 60
  i + 1
Wend
Debug "first above 60 at " + Str(i)

n = 1
Repeat
  n * 3
  n - 1
Until n > 100 Or n = 0
Debug n

Counter()
Counter(5)
Debug Counter()
Debug Grade(10, 5, "low") + " " + Grade(49)
best = scores(#Rows - 1) + #Bonus
Debug best
