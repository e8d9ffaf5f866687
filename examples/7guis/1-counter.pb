; 7GUIs task 1, Counter: a read-only field shows a number that the button counts up.

Enumeration
  #Window
  #Value
  #Count
EndEnumeration

Define count = 0

If OpenWindow(#Window, 0, 0, 220, 50, "Counter", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  StringGadget(#Value, 10, 12, 100, 26, "0", #PB_String_ReadOnly)
  ButtonGadget(#Count, 120, 11, 90, 28, "Count")
  Repeat
    Event = WaitWindowEvent()
    If Event = #PB_Event_Gadget And EventGadget() = #Count
      count + 1
      SetGadgetText(#Value, Str(count))
    EndIf
  Until Event = #PB_Event_CloseWindow
EndIf
