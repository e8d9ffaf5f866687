cDebugger.EnableDebugger();
var a = 5;
var s;
a += 1;
x = a +1;
Foo(a +1);
if (a +1> 2) {
a = 0;
};
while(n -1) {
n = 0;
};
cConsole.PrintN(cString.Str(a +1));
p.x *= 2;
flags |= 4;
function Counter() {
if (arguments.callee.count === undefined) arguments.callee.count = 0;
if (arguments.callee.start === undefined) arguments.callee.start = 5;
if (arguments.callee.name === undefined) arguments.callee.name = "";
arguments.callee.count += 1;
return arguments.callee.count;
};
