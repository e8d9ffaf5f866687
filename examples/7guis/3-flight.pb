; 7GUIs task 3, Flight Booker: a one-way flight or a return flight. The return date can only be
; typed for a return flight; a date that is not a valid dd.mm.yyyy date turns its field red; a
; return flight cannot come back before it leaves. Book tells what was booked.

Enumeration
  #Window
  #Kind
  #Start
  #Return
  #Book
EndEnumeration

#Mask$ = "%dd.%mm.%yyyy"
#Invalid = $8080FF ; light red

Procedure IsDate(text$)
  ProcedureReturn Bool(ParseDate(#Mask$, Trim(text$)) <> -1)
EndProcedure

; The fields show whether their dates are valid; Book is possible only for a valid booking.
Procedure CheckBooking()
  Protected start$ = GetGadgetText(#Start), return$ = GetGadgetText(#Return)
  Protected returnFlight = Bool(GetGadgetState(#Kind) = 1)
  Protected ok = IsDate(start$)

  If IsDate(start$)
    SetGadgetColor(#Start, #PB_Gadget_BackColor, #PB_Default)
  Else
    SetGadgetColor(#Start, #PB_Gadget_BackColor, #Invalid)
  EndIf
  DisableGadget(#Return, Bool(Not returnFlight))
  If returnFlight
    If IsDate(return$)
      SetGadgetColor(#Return, #PB_Gadget_BackColor, #PB_Default)
      If ok And ParseDate(#Mask$, return$) < ParseDate(#Mask$, start$)
        ok = #False
      EndIf
    Else
      SetGadgetColor(#Return, #PB_Gadget_BackColor, #Invalid)
      ok = #False
    EndIf
  Else
    SetGadgetColor(#Return, #PB_Gadget_BackColor, #PB_Default)
  EndIf
  DisableGadget(#Book, Bool(Not ok))
EndProcedure

If OpenWindow(#Window, 0, 0, 220, 150, "Book Flight", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  ComboBoxGadget(#Kind, 10, 10, 200, 26)
  AddGadgetItem(#Kind, -1, "one-way flight")
  AddGadgetItem(#Kind, -1, "return flight")
  SetGadgetState(#Kind, 0)
  StringGadget(#Start, 10, 44, 200, 26, FormatDate(#Mask$, Date()))
  StringGadget(#Return, 10, 78, 200, 26, FormatDate(#Mask$, Date()))
  ButtonGadget(#Book, 10, 114, 200, 28, "Book")
  CheckBooking()

  Repeat
    Event = WaitWindowEvent()
    If Event = #PB_Event_Gadget
      Select EventGadget()
        Case #Kind, #Start, #Return
          CheckBooking()
        Case #Book
          If GetGadgetState(#Kind) = 0
            MessageRequester("Booked", "You have booked a one-way flight on " + GetGadgetText(#Start) + ".")
          Else
            MessageRequester("Booked", "You have booked a return flight from " + GetGadgetText(#Start) + " to " + GetGadgetText(#Return) + ".")
          EndIf
      EndSelect
    EndIf
  Until Event = #PB_Event_CloseWindow
EndIf
