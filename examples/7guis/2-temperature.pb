; 7GUIs task 2, Temperature Converter: typing a number of degrees Celsius shows it in Fahrenheit
; and the other way round. A field that does not hold a number leaves the other one as it is.

Enumeration
  #Window
  #Celsius
  #CelsiusLabel
  #Fahrenheit
  #FahrenheitLabel
EndEnumeration

; A text is a temperature when it is a number: an optional sign, digits, an optional fraction.
Procedure IsNumber(text$)
  Protected i, c$, digits = 0, points = 0
  text$ = Trim(text$)
  For i = 1 To Len(text$)
    c$ = Mid(text$, i, 1)
    If c$ >= "0" And c$ <= "9"
      digits + 1
    ElseIf c$ = "." And points = 0
      points + 1
    ElseIf c$ = "-" And i = 1
      ; a sign in front
    Else
      ProcedureReturn #False
    EndIf
  Next
  ProcedureReturn Bool(digits > 0)
EndProcedure

Procedure.s Degrees(value.d)
  ProcedureReturn StrD(Round(value, #PB_Round_Nearest), 0)
EndProcedure

If OpenWindow(#Window, 0, 0, 400, 50, "TempConv", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  StringGadget(#Celsius, 10, 12, 100, 26, "")
  TextGadget(#CelsiusLabel, 116, 16, 110, 20, "Celsius =")
  StringGadget(#Fahrenheit, 200, 12, 100, 26, "")
  TextGadget(#FahrenheitLabel, 306, 16, 90, 20, "Fahrenheit")
  SetActiveGadget(#Celsius)
  Repeat
    Event = WaitWindowEvent()
    If Event = #PB_Event_Gadget And EventType() = #PB_EventType_Change
      Select EventGadget()
        Case #Celsius
          If IsNumber(GetGadgetText(#Celsius))
            SetGadgetText(#Fahrenheit, Degrees(ValD(GetGadgetText(#Celsius)) * 9 / 5 + 32))
          EndIf
        Case #Fahrenheit
          If IsNumber(GetGadgetText(#Fahrenheit))
            SetGadgetText(#Celsius, Degrees((ValD(GetGadgetText(#Fahrenheit)) - 32) * 5 / 9))
          EndIf
      EndSelect
    EndIf
  Until Event = #PB_Event_CloseWindow
EndIf
