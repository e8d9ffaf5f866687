XIncludeFile "orv.pbi"
NewList nums()
For i = 1 To 3
  AddElement(nums())
  nums() = i * 2
Next
If CreateJSON(0)
  InsertJSONList(JSONValue(0), nums())
  Debug ComposeJSON(0)
EndIf
If ParseJSON(1, "[5, 6, 7]")
  ExtractJSONList(JSONValue(1), nums())
  ForEach nums()
    Debug nums()
  Next
EndIf
