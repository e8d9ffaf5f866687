; 7GUIs task 5, CRUD: a list of names that can be created, updated and deleted. The prefix filter
; shows only the surnames that begin with it; selecting a name fills the two fields.

Enumeration
  #Window
  #FilterLabel
  #Filter
  #Names
  #NameLabel
  #Name
  #SurnameLabel
  #Surname
  #Create
  #Update
  #Delete
EndEnumeration

Structure Person
  name.s
  surname.s
EndStructure

NewList people.Person()

Procedure AddPerson(List people.Person(), name$, surname$)
  LastElement(people())
  AddElement(people())
  people()\name = name$
  people()\surname = surname$
EndProcedure

; The list shows the people whose surname starts with the filter; each item keeps the index of
; its person in the list of people.
Procedure ShowPeople(List people.Person())
  Protected prefix$ = LCase(GetGadgetText(#Filter))
  ClearGadgetItems(#Names)
  ForEach people()
    If Left(LCase(people()\surname), Len(prefix$)) = prefix$
      AddGadgetItem(#Names, -1, people()\surname + ", " + people()\name)
      SetGadgetItemData(#Names, CountGadgetItems(#Names) - 1, ListIndex(people()))
    EndIf
  Next
  DisableGadget(#Update, #True)
  DisableGadget(#Delete, #True)
EndProcedure

; The person the selected item shows, as the current element of the list; #False when none.
Procedure SelectedPerson(List people.Person())
  Protected item = GetGadgetState(#Names)
  If item < 0
    ProcedureReturn #False
  EndIf
  SelectElement(people(), GetGadgetItemData(#Names, item))
  ProcedureReturn #True
EndProcedure

AddPerson(people(), "Hans", "Emil")
AddPerson(people(), "Max", "Mustermann")
AddPerson(people(), "Roman", "Tisch")

If OpenWindow(#Window, 0, 0, 420, 250, "CRUD", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  TextGadget(#FilterLabel, 10, 14, 90, 20, "Filter prefix:")
  StringGadget(#Filter, 100, 10, 100, 26, "")
  ListViewGadget(#Names, 10, 44, 190, 160)
  TextGadget(#NameLabel, 210, 48, 70, 20, "Name:")
  StringGadget(#Name, 280, 44, 130, 26, "")
  TextGadget(#SurnameLabel, 210, 82, 70, 20, "Surname:")
  StringGadget(#Surname, 280, 78, 130, 26, "")
  ButtonGadget(#Create, 10, 214, 90, 28, "Create")
  ButtonGadget(#Update, 110, 214, 90, 28, "Update")
  ButtonGadget(#Delete, 210, 214, 90, 28, "Delete")
  ShowPeople(people())

  Repeat
    Event = WaitWindowEvent()
    If Event = #PB_Event_Gadget
      Select EventGadget()
        Case #Filter
          If EventType() = #PB_EventType_Change
            ShowPeople(people())
          EndIf
        Case #Names
          If SelectedPerson(people())
            SetGadgetText(#Name, people()\name)
            SetGadgetText(#Surname, people()\surname)
            DisableGadget(#Update, #False)
            DisableGadget(#Delete, #False)
          EndIf
        Case #Create
          AddPerson(people(), GetGadgetText(#Name), GetGadgetText(#Surname))
          ShowPeople(people())
        Case #Update
          If SelectedPerson(people())
            people()\name = GetGadgetText(#Name)
            people()\surname = GetGadgetText(#Surname)
            ShowPeople(people())
          EndIf
        Case #Delete
          If SelectedPerson(people())
            DeleteElement(people())
            ShowPeople(people())
          EndIf
      EndSelect
    EndIf
  Until Event = #PB_Event_CloseWindow
EndIf
