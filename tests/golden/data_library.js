cDebugger.EnableDebugger();
var x , s;
x = cString.Len("abc") + cString.Asc(cString.Chr(65));
s = cString.UCase("abc") + cString.Chr(13) + cString.Chr(10);
x = cConstants.PB_Any;
x = cConstants.PB_Sort_Ascending;
cDebugger.Debug(x +1);
cDebugger.Debug("text");
cDebugger.Debug(s) ; // a comment;
