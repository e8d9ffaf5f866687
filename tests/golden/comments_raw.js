var cDebugger = window.cDebugger;
var MacroCount = 0, y = 0, s = 0, t = 0;
cDebugger.EnableDebugger();
MacroCount = 1;
y = (3 * 3);
 var fromScript = 1;
console.log("bang");
s = (("C:\\temp\\" + "\r\n") + "\t");
t = 267;
