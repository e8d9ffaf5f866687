; A small window program: type a name and add it to the list with the button or the Return key.
; The check box writes the names in capitals; a double-click on a name puts it back into the
; text field. Orvane turns it into a web page that runs it in the browser.

Enumeration Windows
  #MainWindow
EndEnumeration

Enumeration Gadgets
  #NameLabel
  #NameField
  #AddButton
  #UpperCase
  #NameList
  #CountLabel
EndEnumeration

Procedure ShowCount()
  SetGadgetText(#CountLabel, Str(CountGadgetItems(#NameList)) + " name(s) in the list")
EndProcedure

Procedure AddName()
  Protected name$ = Trim(GetGadgetText(#NameField))
  If name$ = ""
    ProcedureReturn
  EndIf
  If GetGadgetState(#UpperCase) = #PB_Checkbox_Checked
    name$ = UCase(name$)
  EndIf
  AddGadgetItem(#NameList, -1, name$)
  SetGadgetState(#NameList, CountGadgetItems(#NameList) - 1)
  SetGadgetText(#NameField, "")
  SetActiveGadget(#NameField)
  ShowCount()
EndProcedure

If OpenWindow(#MainWindow, 0, 0, 320, 260, "Names", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  TextGadget(#NameLabel, 10, 14, 50, 20, "Name:")
  StringGadget(#NameField, 60, 10, 160, 24, "")
  ButtonGadget(#AddButton, 230, 9, 80, 26, "Add", #PB_Button_Default)
  CheckBoxGadget(#UpperCase, 60, 42, 200, 20, "Write names in capitals")
  ListViewGadget(#NameList, 10, 70, 300, 150)
  TextGadget(#CountLabel, 10, 232, 300, 20, "")
  ShowCount()
  SetActiveGadget(#NameField)

  Repeat
    Event = WaitWindowEvent()
    If Event = #PB_Event_Gadget
      Select EventGadget()
        Case #AddButton
          AddName()
        Case #NameList
          If EventType() = #PB_EventType_LeftDoubleClick
            SetGadgetText(#NameField, GetGadgetText(#NameList))
          EndIf
      EndSelect
    EndIf
  Until Event = #PB_Event_CloseWindow
EndIf
