; 7GUIs task 6, Circle Drawer: a click on an empty place of the canvas draws a circle there; the
; circle nearest to the mouse is filled grey. A right click on it opens a menu whose item opens a
; dialog with a slider for its diameter. Undo and Redo go back and forth through the changes.

Enumeration Windows
  #Window
  #Dialog
EndEnumeration

Enumeration Gadgets
  #Undo
  #Redo
  #Canvas
  #DiameterLabel
  #Diameter
EndEnumeration

Enumeration Menus
  #Menu
EndEnumeration

Enumeration MenuItems
  #AdjustDiameter
EndEnumeration

Structure Circle
  x.i
  y.i
  diameter.i
EndStructure

; A change: the circle it made (with its place) or the diameter it set (before and after).
Structure Change
  circle.i
  created.i
  x.i
  y.i
  oldDiameter.i
  newDiameter.i
EndStructure

Global NewList circles.Circle()
Global NewList changes.Change()
Global done = 0        ; changes in effect: the first 'done' elements of changes()
Global selected = -1   ; index of the circle nearest the mouse, -1 when none
Global dialogStart = 0 ; the diameter when the dialog opened

Procedure Draw()
  If StartDrawing(CanvasOutput(#Canvas))
    Box(0, 0, OutputWidth(), OutputHeight(), RGB(255, 255, 255))
    ForEach circles()
      If ListIndex(circles()) = selected
        Circle(circles()\x, circles()\y, circles()\diameter / 2, RGB(192, 192, 192))
      EndIf
      DrawingMode(#PB_2DDrawing_Outlined)
      Circle(circles()\x, circles()\y, circles()\diameter / 2, RGB(0, 0, 0))
      DrawingMode(#PB_2DDrawing_Default)
    Next
    StopDrawing()
  EndIf
  DisableGadget(#Undo, Bool(done = 0))
  DisableGadget(#Redo, Bool(done = ListSize(changes())))
EndProcedure

; The circle under the point (nearest centre), or -1.
Procedure CircleAt(x, y)
  Protected best = -1, bestDistance.d = 0, distance.d
  ForEach circles()
    distance = Sqr(Pow(x - circles()\x, 2) + Pow(y - circles()\y, 2))
    If distance <= circles()\diameter / 2 And (best = -1 Or distance < bestDistance)
      best = ListIndex(circles())
      bestDistance = distance
    EndIf
  Next
  ProcedureReturn best
EndProcedure

; A new change drops the changes that were undone.
Procedure Record(circle, created, x, y, oldDiameter, newDiameter)
  While ListSize(changes()) > done
    LastElement(changes())
    DeleteElement(changes())
  Wend
  LastElement(changes())
  AddElement(changes())
  changes()\circle = circle
  changes()\created = created
  changes()\x = x
  changes()\y = y
  changes()\oldDiameter = oldDiameter
  changes()\newDiameter = newDiameter
  done + 1
EndProcedure

Procedure Undo()
  If done > 0
    SelectElement(changes(), done - 1)
    SelectElement(circles(), changes()\circle)
    If changes()\created
      DeleteElement(circles())
    Else
      circles()\diameter = changes()\oldDiameter
    EndIf
    done - 1
    selected = -1
  EndIf
EndProcedure

Procedure Redo()
  If done < ListSize(changes())
    SelectElement(changes(), done)
    If changes()\created
      LastElement(circles())
      AddElement(circles())
      circles()\x = changes()\x
      circles()\y = changes()\y
      circles()\diameter = changes()\newDiameter
    Else
      SelectElement(circles(), changes()\circle)
      circles()\diameter = changes()\newDiameter
    EndIf
    done + 1
  EndIf
EndProcedure

Procedure OpenDiameterDialog()
  SelectElement(circles(), selected)
  dialogStart = circles()\diameter
  OpenWindow(#Dialog, 0, 0, 300, 80, "Adjust diameter", #PB_Window_SystemMenu | #PB_Window_WindowCentered, WindowID(#Window))
  TextGadget(#DiameterLabel, 10, 10, 280, 20, "Adjust diameter of circle at (" + circles()\x + ", " + circles()\y + ").")
  TrackBarGadget(#Diameter, 10, 36, 280, 30, 4, 200)
  SetGadgetState(#Diameter, dialogStart)
EndProcedure

If OpenWindow(#Window, 0, 0, 420, 330, "Circle Drawer", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  ButtonGadget(#Undo, 120, 8, 80, 28, "Undo")
  ButtonGadget(#Redo, 220, 8, 80, 28, "Redo")
  CanvasGadget(#Canvas, 10, 44, 400, 276, #PB_Canvas_Border)
  CreatePopupMenu(#Menu)
  MenuItem(#AdjustDiameter, "Adjust diameter...")
  Draw()

  Repeat
    Event = WaitWindowEvent()
    Select Event
      Case #PB_Event_Gadget
        Select EventGadget()
          Case #Canvas
            x = GetGadgetAttribute(#Canvas, #PB_Canvas_MouseX)
            y = GetGadgetAttribute(#Canvas, #PB_Canvas_MouseY)
            Select EventType()
              Case #PB_EventType_MouseMove
                If CircleAt(x, y) <> selected
                  selected = CircleAt(x, y)
                  Draw()
                EndIf
              Case #PB_EventType_LeftClick
                If CircleAt(x, y) = -1
                  LastElement(circles())
                  AddElement(circles())
                  circles()\x = x
                  circles()\y = y
                  circles()\diameter = 30
                  Record(ListIndex(circles()), #True, x, y, 0, 30)
                  selected = ListIndex(circles())
                  Draw()
                EndIf
              Case #PB_EventType_RightClick
                selected = CircleAt(x, y)
                Draw()
                If selected <> -1
                  DisplayPopupMenu(#Menu, WindowID(#Window))
                EndIf
            EndSelect
          Case #Undo
            Undo()
            Draw()
          Case #Redo
            Redo()
            Draw()
          Case #Diameter
            SelectElement(circles(), selected)
            circles()\diameter = GetGadgetState(#Diameter)
            Draw()
        EndSelect
      Case #PB_Event_Menu
        If EventMenu() = #AdjustDiameter And selected <> -1
          OpenDiameterDialog()
        EndIf
      Case #PB_Event_CloseWindow
        If EventWindow() = #Dialog
          SelectElement(circles(), selected)
          If circles()\diameter <> dialogStart
            Record(selected, #False, circles()\x, circles()\y, dialogStart, circles()\diameter)
          EndIf
          CloseWindow(#Dialog)
          Draw()
        Else
          Break
        EndIf
    EndSelect
  ForEver
EndIf
