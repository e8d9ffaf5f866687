XIncludeFile "orv.pbi"
; A file written, read back line by line and appended to; a missing file; preferences written,
; read back and walked group by group.
If CreateFile(0, "notes.txt")
  WriteStringN(0, "first line")
  WriteString(0, "second")
  WriteStringN(0, " line")
  WriteLong(0, 1234567)
  CloseFile(0)
EndIf
Debug FileSize("notes.txt")
If ReadFile(1, "notes.txt")
  Debug ReadString(1)
  Debug ReadString(1)
  Debug ReadLong(1)
  Debug Eof(1)
  Debug Lof(1)
  CloseFile(1)
EndIf
If OpenFile(2, "notes.txt", #PB_File_Append)
  WriteStringN(2, "appended")
  CloseFile(2)
EndIf
Debug FileSize("notes.txt")
Debug ReadFile(3, "missing.txt")
If DeleteFile("notes.txt")
  Debug "deleted"
EndIf
Debug FileSize("notes.txt")

CreatePreferences("app.prefs")
PreferenceGroup("Window")
WritePreferenceLong("Width", 640)
WritePreferenceString("Title", "My window")
PreferenceGroup("Recent")
WritePreferenceString("File1", "a.txt")
WritePreferenceString("File2", "b.txt")
ClosePreferences()
If OpenPreferences("app.prefs")
  PreferenceGroup("Window")
  Debug ReadPreferenceLong("Width", 0)
  Debug ReadPreferenceString("Title", "")
  Debug ReadPreferenceLong("Height", 480)
  ExaminePreferenceGroups()
  While NextPreferenceGroup()
    Debug "[" + PreferenceGroupName() + "]"
    ExaminePreferenceKeys()
    While NextPreferenceKey()
      Debug PreferenceKeyName() + " = " + PreferenceKeyValue()
    Wend
  Wend
  ClosePreferences()
EndIf
