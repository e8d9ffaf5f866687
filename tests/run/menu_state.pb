XIncludeFile "orv.pbi"
; Menus, toolbar and status bar as a program reads them back; menu events from the queue and a
; bound menu callback.
Procedure OnSave()
  Debug "bound: " + Str(EventMenu())
EndProcedure

OpenWindow(0, 0, 0, 300, 200, "Menus", #PB_Window_Invisible)
If CreateMenu(0, WindowID(0))
  MenuTitle("&File")
  MenuItem(1, "&Open" + #TAB$ + "Ctrl+O")
  MenuItem(2, "Save")
  MenuBar()
  MenuItem(3, "Quit")
  MenuTitle("Edit")
  MenuItem(4, "Undo")
EndIf
Debug GetMenuTitleText(0, 0)
Debug GetMenuItemText(0, 2)
SetMenuItemState(0, 2, 1)
Debug GetMenuItemState(0, 2)
Debug GetMenuItemState(0, 4)
SetMenuItemText(0, 3, "Exit")
Debug GetMenuItemText(0, 3)
SetMenuTitleText(0, 1, "Change")
Debug GetMenuTitleText(0, 1)
If IsMenu(0)
  Debug "menu 0 exists"
EndIf
BindMenuEvent(0, 2, @OnSave())
PostEvent(#PB_Event_Menu, 0, 2)
PostEvent(#PB_Event_Menu, 0, 3)
Repeat
  Event = WaitWindowEvent(50)
  If Event = #PB_Event_Menu
    Debug "menu event " + Str(EventMenu())
  EndIf
Until Event = 0
If CreateToolBar(0, WindowID(0))
  ToolBarStandardButton(10, #PB_ToolBarIcon_Open)
  ToolBarStandardButton(11, #PB_ToolBarIcon_Save, #PB_ToolBar_Toggle)
EndIf
SetToolBarButtonState(0, 11, 1)
If GetToolBarButtonState(0, 11)
  Debug "toolbar button 11 pressed"
EndIf
If CreateStatusBar(0, WindowID(0))
  AddStatusBarField(100)
  AddStatusBarField(#PB_Ignore)
EndIf
StatusBarText(0, 1, "Ready")
FreeMenu(0)
Debug IsMenu(0)
CloseWindow(0)
Debug IsToolBar(0)
