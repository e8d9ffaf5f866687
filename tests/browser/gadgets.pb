XIncludeFile "orv.pbi"
; A window with a gadget of every kind that needs one of the page's optional libraries (tree,
; grid, track bar ticks, date picker, splitter, three-state check box). Events go to callbacks,
; so the page runs without an event loop.
Enumeration
  #Window
  #Tree
  #Grid
  #Track
  #Date
  #Left
  #Right
  #Splitter
  #Three
  #Status
EndEnumeration

Procedure OnTrack()
  SetGadgetText(#Status, "Track bar at " + Str(GetGadgetState(#Track)))
EndProcedure

If OpenWindow(#Window, 10, 10, 560, 320, "Gadgets", #PB_Window_SystemMenu)
  TreeGadget(#Tree, 10, 10, 160, 150)
  AddGadgetItem(#Tree, -1, "Root", 0, 0)
  AddGadgetItem(#Tree, -1, "Leaf", 0, 1)
  ListIconGadget(#Grid, 180, 10, 370, 150, "Name", 150, #PB_ListIcon_GridLines)
  AddGadgetColumn(#Grid, 1, "Value", 100)
  AddGadgetItem(#Grid, -1, "Grid row" + Chr(10) + "42")
  TrackBarGadget(#Track, 10, 170, 200, 40, 0, 10, #PB_TrackBar_Ticks)
  DateGadget(#Date, 220, 175, 150, 24, "%yyyy-%mm-%dd", Date(2024, 3, 15, 0, 0, 0))
  ButtonGadget(#Left, 0, 0, 0, 0, "Left pane")
  ButtonGadget(#Right, 0, 0, 0, 0, "Right pane")
  SplitterGadget(#Splitter, 10, 215, 360, 60, #Left, #Right, #PB_Splitter_Vertical)
  CheckBoxGadget(#Three, 380, 175, 170, 24, "Three states", #PB_CheckBox_ThreeState)
  SetGadgetState(#Three, #PB_Checkbox_Inbetween)
  TextGadget(#Status, 10, 290, 540, 20, "Gadgets ready")
  BindGadgetEvent(#Track, @OnTrack())
EndIf
