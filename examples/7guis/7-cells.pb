; 7GUIs task 7, Cells: a spreadsheet of 26 columns (A to Z) and 100 rows. A click on a cell puts
; its content into the formula field above the grid; Return or leaving the field stores it. A
; content that starts with "=" is a formula: numbers, cells (B2), ranges (A1:A5) in sum(), avg(),
; min() and max(), + - * / and brackets. Every cell that depends on a changed cell is computed
; again.

Enumeration Windows
  #Window
EndEnumeration

Enumeration Gadgets
  #CellName
  #Formula
  #Sheet
EndEnumeration

Enumeration Menus
  #EnterKey
EndEnumeration

#Columns = 26
#Rows = 100

Global Dim content.s(#Columns - 1, #Rows - 1)
Global Dim shown.s(#Columns - 1, #Rows - 1)
Global Dim inGrid.s(#Columns - 1, #Rows - 1) ; what the grid shows
Global Dim value.d(#Columns - 1, #Rows - 1)
Global Dim state.i(#Columns - 1, #Rows - 1) ; 0 not computed, 1 computing, 2 done
Global column = 0, row = 0                  ; the cell in the formula field

; ---- formulas: a small parser over the text in 'text$' from position 'at'

Global text$, at, failed
Global cellColumn, cellRow ; the cell ReadCell() read

Procedure.s Peek1()
  While Mid(text$, at, 1) = " "
    at + 1
  Wend
  ProcedureReturn Mid(text$, at, 1)
EndProcedure

Declare.d Expression()
Declare.d CellValue(c, r)

; A cell name at the current position (letter and row number) into cellColumn and cellRow;
; #False when there is none.
Procedure ReadCell()
  Protected letter$ = UCase(Peek1()), digits$ = ""
  If letter$ < "A" Or letter$ > "Z"
    ProcedureReturn #False
  EndIf
  Protected start = at
  at + 1
  While Mid(text$, at, 1) >= "0" And Mid(text$, at, 1) <= "9"
    digits$ + Mid(text$, at, 1)
    at + 1
  Wend
  If digits$ = "" Or Val(digits$) < 1 Or Val(digits$) > #Rows
    at = start
    ProcedureReturn #False
  EndIf
  cellColumn = Asc(letter$) - Asc("A")
  cellRow = Val(digits$) - 1
  ProcedureReturn #True
EndProcedure

; sum(), avg(), min() and max() of a list of ranges and expressions.
Procedure.d Func(name$)
  Protected result.d = 0, count = 0, v.d, c1, r1, c2, r2, c, r
  at + 1 ; the "("
  Repeat
    Protected mark = at
    If ReadCell() And Peek1() = ":"
      c1 = cellColumn
      r1 = cellRow
      at + 1
      If Not ReadCell()
        failed = #True
        ProcedureReturn 0
      EndIf
      c2 = cellColumn
      r2 = cellRow
      For c = c1 To c2
        For r = r1 To r2
          v = CellValue(c, r)
          If count = 0 Or (name$ = "min" And v < result) Or (name$ = "max" And v > result)
            If name$ = "min" Or name$ = "max"
              result = v
            EndIf
          EndIf
          If name$ = "sum" Or name$ = "avg"
            result + v
          EndIf
          count + 1
        Next
      Next
    Else
      at = mark
      v = Expression()
      If count = 0 Or (name$ = "min" And v < result) Or (name$ = "max" And v > result)
        If name$ = "min" Or name$ = "max"
          result = v
        EndIf
      EndIf
      If name$ = "sum" Or name$ = "avg"
        result + v
      EndIf
      count + 1
    EndIf
    If Peek1() = ","
      at + 1
    Else
      Break
    EndIf
  ForEver
  If Peek1() <> ")"
    failed = #True
  EndIf
  at + 1
  If name$ = "avg" And count > 0
    result / count
  EndIf
  ProcedureReturn result
EndProcedure

Procedure.d Factor()
  Protected start, name$, number$
  Protected next$ = Peek1()
  If next$ = "-"
    at + 1
    ProcedureReturn -Factor()
  ElseIf next$ = "("
    at + 1
    Protected inner.d = Expression()
    If Peek1() <> ")"
      failed = #True
    EndIf
    at + 1
    ProcedureReturn inner
  ElseIf (next$ >= "0" And next$ <= "9") Or next$ = "."
    While (Mid(text$, at, 1) >= "0" And Mid(text$, at, 1) <= "9") Or Mid(text$, at, 1) = "."
      number$ + Mid(text$, at, 1)
      at + 1
    Wend
    ProcedureReturn ValD(number$)
  EndIf
  start = at
  While LCase(Mid(text$, at, 1)) >= "a" And LCase(Mid(text$, at, 1)) <= "z"
    name$ + LCase(Mid(text$, at, 1))
    at + 1
  Wend
  If Peek1() = "(" And (name$ = "sum" Or name$ = "avg" Or name$ = "min" Or name$ = "max")
    ProcedureReturn Func(name$)
  EndIf
  at = start
  If ReadCell()
    ProcedureReturn CellValue(cellColumn, cellRow)
  EndIf
  failed = #True
  ProcedureReturn 0
EndProcedure

Procedure.d Term()
  Protected result.d = Factor()
  Repeat
    Select Peek1()
      Case "*"
        at + 1
        result * Factor()
      Case "/"
        at + 1
        Protected divisor.d = Factor()
        If divisor = 0
          failed = #True
        Else
          result / divisor
        EndIf
      Default
        Break
    EndSelect
  ForEver
  ProcedureReturn result
EndProcedure

Procedure.d Expression()
  Protected result.d = Term()
  Repeat
    Select Peek1()
      Case "+"
        at + 1
        result + Term()
      Case "-"
        at + 1
        result - Term()
      Default
        Break
    EndSelect
  ForEver
  ProcedureReturn result
EndProcedure

; ---- cells

Procedure.s NumberText(v.d)
  If v = Round(v, #PB_Round_Down) And Abs(v) < 1e15
    ProcedureReturn StrD(v, 0)
  EndIf
  ProcedureReturn StrD(v)
EndProcedure

; Computes a cell once per round: its value for formulas and its shown text. A cell that refers
; to itself, directly or not, shows an error.
Procedure Compute(c, r)
  If state(c, r) = 2
    ProcedureReturn
  EndIf
  If state(c, r) = 1
    failed = #True
    ProcedureReturn
  EndIf
  state(c, r) = 1
  Protected formula$ = content(c, r)
  If Left(formula$, 1) = "="
    ; the parser's place is kept: this cell may be computed in the middle of another formula
    Protected savedText$ = text$, savedAt = at, savedFailed = failed
    text$ = Mid(formula$, 2)
    at = 1
    failed = #False
    Protected v.d = Expression()
    If Peek1() <> ""
      failed = #True
    EndIf
    If failed
      value(c, r) = 0
      shown(c, r) = "#ERROR"
    Else
      value(c, r) = v
      shown(c, r) = NumberText(v)
    EndIf
    text$ = savedText$
    at = savedAt
    failed = savedFailed
  Else
    value(c, r) = ValD(formula$)
    shown(c, r) = formula$
  EndIf
  state(c, r) = 2
EndProcedure

Procedure.d CellValue(c, r)
  Compute(c, r)
  ProcedureReturn value(c, r)
EndProcedure

; Computes every cell again and changes the grid where a shown text changed.
Procedure Recompute()
  Protected c, r
  For c = 0 To #Columns - 1
    For r = 0 To #Rows - 1
      state(c, r) = 0
    Next
  Next
  For c = 0 To #Columns - 1
    For r = 0 To #Rows - 1
      Compute(c, r)
      If shown(c, r) <> inGrid(c, r)
        inGrid(c, r) = shown(c, r)
        SetGadgetItemText(#Sheet, r, shown(c, r), c + 1)
      EndIf
    Next
  Next
EndProcedure

Procedure ShowCell()
  SetGadgetText(#CellName, Chr(Asc("A") + column) + Str(row + 1))
  SetGadgetText(#Formula, content(column, row))
EndProcedure

Procedure StoreCell()
  If content(column, row) <> GetGadgetText(#Formula)
    content(column, row) = GetGadgetText(#Formula)
    Recompute()
  EndIf
EndProcedure

If OpenWindow(#Window, 0, 0, 700, 440, "Cells", #PB_Window_SystemMenu | #PB_Window_ScreenCentered | #PB_Window_SizeGadget)
  TextGadget(#CellName, 10, 14, 40, 20, "A1")
  StringGadget(#Formula, 50, 10, 640, 26, "")
  ListIconGadget(#Sheet, 10, 44, 680, 386, "", 40, #PB_ListIcon_GridLines | #PB_ListIcon_FullRowSelect)
  For c = 0 To #Columns - 1
    AddGadgetColumn(#Sheet, c + 1, Chr(Asc("A") + c), 80)
  Next
  For r = 0 To #Rows - 1
    AddGadgetItem(#Sheet, -1, Str(r + 1))
  Next
  AddKeyboardShortcut(#Window, #PB_Shortcut_Return, #EnterKey)
  ShowCell()
  SetActiveGadget(#Formula)

  Repeat
    Event = WaitWindowEvent()
    Select Event
      Case #PB_Event_Gadget
        Select EventGadget()
          Case #Sheet
            If EventType() = #PB_EventType_LeftClick And GetGadgetState(#Sheet) >= 0
              If GetGadgetAttribute(#Sheet, #PB_ListIcon_ClickedColumn) > 0
                StoreCell()
                row = GetGadgetState(#Sheet)
                column = GetGadgetAttribute(#Sheet, #PB_ListIcon_ClickedColumn) - 1
                ShowCell()
                SetActiveGadget(#Formula)
              EndIf
            EndIf
          Case #Formula
            If EventType() = #PB_EventType_LostFocus
              StoreCell()
            EndIf
        EndSelect
      Case #PB_Event_Menu
        If EventMenu() = #EnterKey
          StoreCell()
        EndIf
      Case #PB_Event_SizeWindow
        ResizeGadget(#Formula, #PB_Ignore, #PB_Ignore, WindowWidth(#Window) - 60, #PB_Ignore)
        ResizeGadget(#Sheet, #PB_Ignore, #PB_Ignore, WindowWidth(#Window) - 20, WindowHeight(#Window) - 54)
    EndSelect
  Until Event = #PB_Event_CloseWindow
EndIf
