cDebugger.EnableDebugger();
MacroCount = 1;
y = Square(3) ; // kept as a call;
var fromScript = 1;
console.log("bang") ;
s = "C:\\temp\\" + cString.Chr(13) + cString.Chr(10) + cString.Chr(9);
t = cString.Val("$FF") +9+ Math.PI;
