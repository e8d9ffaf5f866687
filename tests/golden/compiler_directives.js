var cDebugger = window.cDebugger;
var x = 0;
cDebugger.EnableDebugger();
cDebugger.Debug("web");
x = 0;
cDebugger.Debug(5);
cDebugger.Debug("compiler_directives.pb");
