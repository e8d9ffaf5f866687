; 7GUIs task 4, Timer: the gauge and the label show the time elapsed since the last reset; the
; slider sets the duration and the timer stops when it has passed. Moving the slider takes
; effect at once; Reset starts again from zero.

Enumeration
  #Window
  #GaugeLabel
  #Gauge
  #Elapsed
  #DurationLabel
  #Duration
  #Reset
EndEnumeration

#Tick = 1
#MaxDuration = 300 ; tenths of a second

Define started = ElapsedMilliseconds()
Define elapsed = 0 ; tenths of a second

Procedure Show(elapsed, duration)
  SetGadgetAttribute(#Gauge, #PB_ProgressBar_Maximum, duration)
  If elapsed > duration
    elapsed = duration
  EndIf
  SetGadgetState(#Gauge, elapsed)
  SetGadgetText(#Elapsed, StrF(elapsed / 10, 1) + " s")
EndProcedure

If OpenWindow(#Window, 0, 0, 300, 140, "Timer", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  TextGadget(#GaugeLabel, 10, 14, 90, 20, "Elapsed Time:")
  ProgressBarGadget(#Gauge, 100, 12, 190, 20, 0, 100)
  TextGadget(#Elapsed, 100, 40, 190, 20, "0.0 s")
  TextGadget(#DurationLabel, 10, 72, 90, 20, "Duration:")
  TrackBarGadget(#Duration, 100, 66, 190, 30, 1, #MaxDuration)
  SetGadgetState(#Duration, 100)
  ButtonGadget(#Reset, 10, 104, 280, 28, "Reset")
  AddWindowTimer(#Window, #Tick, 100)

  Repeat
    Event = WaitWindowEvent()
    Select Event
      Case #PB_Event_Timer
        If EventTimer() = #Tick And elapsed < GetGadgetState(#Duration)
          elapsed = (ElapsedMilliseconds() - started) / 100
          If elapsed > GetGadgetState(#Duration)
            elapsed = GetGadgetState(#Duration)
          EndIf
        Else
          ; the timer stands still at the duration: the start moves with the clock
          started = ElapsedMilliseconds() - elapsed * 100
        EndIf
        Show(elapsed, GetGadgetState(#Duration))
      Case #PB_Event_Gadget
        Select EventGadget()
          Case #Reset
            started = ElapsedMilliseconds()
            elapsed = 0
            Show(elapsed, GetGadgetState(#Duration))
          Case #Duration
            Show(elapsed, GetGadgetState(#Duration))
        EndSelect
    EndSelect
  Until Event = #PB_Event_CloseWindow
EndIf
