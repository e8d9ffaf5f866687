var cDebugger = window.cDebugger;
var x = 0;
cDebugger.EnableDebugger();
x = (42 + 1);
