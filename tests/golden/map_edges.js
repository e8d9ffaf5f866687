var cDebugger = window.cDebugger, cMap = window.cMap, cString = window.cString;
function ORV_Struct_Named() {
    return { "name": "" };
}
ORV_Struct_Named.ORV_Size = 8;
ORV_Struct_Named.ORV_Fields = [[0, 8, "name"]];
var p = ORV_Struct_Named(), count = new cMap(0), names = new cMap(""), w$ = "", x = 0;
function Total(c) {
    var t = 0;
    t = 0;
    c.ForEach_Init();
    while (c.ForEach()) {
        t = (t + c.getData());
    }
    return (t + c.MapSize());
    return 0;
}
cDebugger.EnableDebugger();
count.setData((count.getData(w$) + 1), w$);
x = count.getData(cString.Str(cString.Len(w$)));
names.setData("x", p.name);
while ((count.getData() == 1)) {
    break;
}
count.AddMapElement("k", 0);
if ((count.FindMapElement("k") && x)) {
    x = 0;
}
