XIncludeFile "orv.pbi"
; Events: posted events come in order with their window, object, type and data; a bound callback
; runs when the loop takes its event; WaitWindowEvent's timeout; a window timer.
Enumeration #PB_Event_FirstCustomValue
  #EventStart
  #EventDone
EndEnumeration

Procedure OnDone()
  Debug "callback: " + Str(EventData())
EndProcedure

OpenWindow(0, 0, 0, 200, 100, "Events", #PB_Window_Invisible)
BindEvent(#EventDone, @OnDone())
PostEvent(#EventStart, 0, 7, #PB_EventType_FirstCustomValue, 11)
PostEvent(#EventDone, 0, 8, 0, 22)
Repeat
  Event = WaitWindowEvent(50)
  Select Event
    Case #EventStart
      Debug "start " + Str(EventWindow()) + " " + Str(EventGadget()) + " " + Str(EventType() - #PB_EventType_FirstCustomValue) + " " + Str(EventData())
    Case #EventDone
      Debug "done " + Str(EventData())
    Case 0
      Debug "timeout"
  EndSelect
Until Event = 0
AddWindowTimer(0, 3, 10)
Repeat
  Event = WaitWindowEvent()
Until Event = #PB_Event_Timer
Debug "timer " + Str(EventTimer())
RemoveWindowTimer(0, 3)
Debug WaitWindowEvent(20)
CloseWindow(0)
Debug IsWindow(0)
