var cDebugger = window.cDebugger, cMap = window.cMap, cPB = window.cPB, cString = window.cString;
function ORV_Struct_Point() {
    return { "x": 0 };
}
ORV_Struct_Point.ORV_Size = 8;
ORV_Struct_Point.ORV_Fields = [[0, 21, "x"]];
var m = new cMap(0), p = new cMap(ORV_Struct_Point), a = new cMap(0), b = new cMap(0), x = 0, i = 0, q = 0, n = 0, k$ = "";
cDebugger.EnableDebugger();
m.setData(5, "a");
m.setData((x + 1), cString.Str(i));
x = m.getData("a");
if ((m.getData("a") == 1)) {
    x = 2;
}
p.getData("a").x = 1;
cPB.AssignStructure(p.getData("a"), q);
m.setData(5);
x = m.getData();
m.FindMapElement("a");
m.AddMapElement("b");
m.DeleteMapElement();
n = m.MapSize();
k$ = m.MapKey();
b.ClearMap();
m.ResetMap();
m.NextMapElement();
m.PushMapPosition();
m.PopMapPosition();
b.FreeMap();
cMap.CopyMap(a, b);
m.ForEach_Init();
while (m.ForEach()) {
    cDebugger.Debug(m.getData());
}
p.ForEach_Init();
while (p.ForEach()) {
}
