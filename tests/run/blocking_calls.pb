XIncludeFile "orv.pbi"
; Blocking calls wait without freezing the page: Delay in a procedure called from another (both
; become async), Input typed into the console area, and a window event loop that ends when a
; posted close event arrives.
Procedure Pause(ms)
  Delay(ms)
EndProcedure

Procedure.i Measure(ms)
  start = ElapsedMilliseconds()
  Pause(ms)
  ProcedureReturn Bool(ElapsedMilliseconds() - start >= ms - 5)
EndProcedure

OpenConsole()
PrintN("waited: " + Str(Measure(50)))
Print("Number: ")
n = Val(Input())
PrintN("twice: " + Str(n * 2))

OpenWindow(0, 0, 0, 100, 100, "Loop", #PB_Window_Invisible)
AddWindowTimer(0, 1, 20)
Repeat
  Event = WaitWindowEvent()
  If Event = #PB_Event_Timer
    ticks + 1
    If ticks = 3
      PostEvent(#PB_Event_CloseWindow, 0, 0)
    EndIf
  EndIf
Until Event = #PB_Event_CloseWindow
PrintN("closed after " + Str(ticks) + " ticks")
