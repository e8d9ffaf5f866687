var a = 1, b = 2, t;
cDebugger.EnableDebugger();
cDebugger.Debug(((a +1) *(a +1)));
cDebugger.Debug(cString.UCase("web"));
t = a;
a = b;
b = t ; // three statements on this line;
cDebugger.Debug(a);
