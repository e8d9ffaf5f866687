var cConsole = window.cConsole, cDebugger = window.cDebugger, cPB = window.cPB, cString = window.cString;
function ORV_Struct_Place() {
    return { "x": 0 };
}
ORV_Struct_Place.ORV_Size = 8;
ORV_Struct_Place.ORV_Fields = [[0, 21, "x"]];
var p = ORV_Struct_Place(), a = 0, s = "", x = 0, n = 0, flags = 0, Counter$count = 0, Counter$start = 5, Counter$name$ = "";
function Foo(v) {
    return v;
    return 0;
}
function Counter() {
    Counter$count = (Counter$count + 1);
    return Counter$count;
    return 0;
}
cDebugger.EnableDebugger();
a = 5;
a = (a + 1);
x = (a + 1);
Foo((a + 1));
if (((a + 1) > 2)) {
    a = 0;
}
while ((n - 1)) {
    n = 0;
}
cConsole.PrintN(cString.Str((a + 1)));
p.x = (p.x * 2);
flags = cPB.Or(flags, 4);
