cDebugger.EnableDebugger();
MacroCount = 1;
y = 3* 3; // expanded where it is used;
var fromScript = 1;
console.log("bang") ;
s = "C:\\temp\\" + cString.Chr(13) + cString.Chr(10) + cString.Chr(9);
t = cString.Val("$FF") +9+ Math.PI;
