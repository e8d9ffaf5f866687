; Names the libraries a page can load from the server folder, in a procedure that never runs, so
; that the page loads every one of them and the browser test sees them load together.
XIncludeFile "orv.pbi"

Procedure NeverCalled()
  TreeGadget(0, 0, 0, 100, 100)
  ListIconGadget(1, 0, 0, 100, 100, "Name", 50)
  TrackBarGadget(2, 0, 0, 100, 20, 0, 10)
  DateGadget(3, 0, 0, 100, 20)
  SplitterGadget(4, 0, 0, 100, 100, 0, 1)
  ColorRequester()
  ORV_BlockWindow(0)
  ORV_SetCookie("name", "value")
  AddKeyboardShortcut(0, 0, 0)
  ORV_SaveText("name.txt", "text")
  ORV_LocalStorageSet("name", "value")
  OpenWebSocket("ws://127.0.0.1:1")
  NewPDF()
  CheckBoxGadget(5, 0, 0, 10, 10, "", #PB_CheckBox_ThreeState)
EndProcedure

Debug "All libraries loaded"
