; A small notepad: a menu bar, a toolbar, a status bar, keyboard shortcuts, the file requesters,
; files, the clipboard and preferences that remember the last file from one start to the next.
XIncludeFile "orv.pbi"

Enumeration
  #Window
EndEnumeration

Enumeration
  #Editor
EndEnumeration

Enumeration
  #MenuNew
  #MenuOpen
  #MenuSave
  #MenuQuit
  #MenuCopyAll
  #MenuPaste
  #MenuAbout
EndEnumeration

Procedure ShowLength()
  StatusBarText(0, 0, Str(Len(GetGadgetText(#Editor))) + " characters")
EndProcedure

LastFile$ = ""
Starts = 0
If OpenPreferences("notepad.prefs")
  PreferenceGroup("Notepad")
  LastFile$ = ReadPreferenceString("LastFile", "")
  Starts = ReadPreferenceLong("Starts", 0)
  ClosePreferences()
EndIf

If OpenWindow(#Window, 0, 0, 480, 320, "Notepad", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  If CreateMenu(0, WindowID(#Window))
    MenuTitle("&File")
    MenuItem(#MenuNew, "&New")
    MenuItem(#MenuOpen, "&Open..." + #TAB$ + "Ctrl+O")
    MenuItem(#MenuSave, "&Save as..." + #TAB$ + "Ctrl+S")
    MenuBar()
    MenuItem(#MenuQuit, "&Quit")
    MenuTitle("&Edit")
    MenuItem(#MenuCopyAll, "Copy all")
    MenuItem(#MenuPaste, "Paste")
    MenuTitle("&Help")
    MenuItem(#MenuAbout, "About")
  EndIf
  If CreateToolBar(0, WindowID(#Window))
    ToolBarStandardButton(#MenuNew, #PB_ToolBarIcon_New)
    ToolBarStandardButton(#MenuOpen, #PB_ToolBarIcon_Open)
    ToolBarStandardButton(#MenuSave, #PB_ToolBarIcon_Save)
    ToolBarToolTip(0, #MenuSave, "Save the text as a file")
  EndIf
  If CreateStatusBar(0, WindowID(#Window))
    AddStatusBarField(150)
    AddStatusBarField(#PB_Ignore)
  EndIf
  EditorGadget(#Editor, 0, ToolBarHeight(0), 480, 320 - ToolBarHeight(0) - StatusBarHeight(0))
  AddKeyboardShortcut(#Window, #PB_Shortcut_Control | #PB_Shortcut_O, #MenuOpen)
  AddKeyboardShortcut(#Window, #PB_Shortcut_Control | #PB_Shortcut_S, #MenuSave)
  ShowLength()
  If LastFile$ <> ""
    StatusBarText(0, 1, "Start " + Str(Starts + 1) + ", last file: " + LastFile$)
  Else
    StatusBarText(0, 1, "Start " + Str(Starts + 1))
  EndIf

  Repeat
    Event = WaitWindowEvent()
    If Event = #PB_Event_Menu
      Select EventMenu()
        Case #MenuNew
          If MessageRequester("New", "Throw the text away?", #PB_MessageRequester_YesNo | #PB_MessageRequester_Warning) = #PB_MessageRequester_Yes
            SetGadgetText(#Editor, "")
          EndIf
        Case #MenuOpen
          File$ = OpenFileRequester("Open a text", "", "Text | *.txt | All files | *.*", 0)
          If File$ <> ""
            If ReadFile(0, File$)
              Text$ = ""
              While Eof(0) = 0
                Text$ + ReadString(0) + #LF$
              Wend
              CloseFile(0)
              SetGadgetText(#Editor, Text$)
              LastFile$ = File$
            Else
              MessageRequester("Open", "The file " + File$ + " cannot be read.", #PB_MessageRequester_Error)
            EndIf
          EndIf
        Case #MenuSave
          File$ = SaveFileRequester("Save the text", "notes.txt", "Text | *.txt", 0)
          If File$ <> "" And CreateFile(1, File$)
            WriteString(1, GetGadgetText(#Editor))
            CloseFile(1)
            LastFile$ = File$
          EndIf
        Case #MenuCopyAll
          SetClipboardText(GetGadgetText(#Editor))
        Case #MenuPaste
          SetGadgetText(#Editor, GetGadgetText(#Editor) + GetClipboardText())
        Case #MenuAbout
          MessageRequester("About", "Notepad" + #LF$ + "A PureBasic program in the browser.", #PB_MessageRequester_Info)
        Case #MenuQuit
          Break
      EndSelect
      ShowLength()
    EndIf
  Until Event = #PB_Event_CloseWindow

  If CreatePreferences("notepad.prefs")
    PreferenceGroup("Notepad")
    WritePreferenceString("LastFile", LastFile$)
    WritePreferenceLong("Starts", Starts + 1)
    ClosePreferences()
  EndIf
EndIf
