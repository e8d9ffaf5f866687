var Point = { x : null } ;
cDebugger.EnableDebugger();
var m = new cMap() ;
var p = new cMap(Point);
var a = new cMap() ;
var b = new cMap() ;
m.setData(5, "a");
m.setData(x +1, cString.Str(i));
x = m.getData("a");
if (m.getData("a") == 1) {
x = 2;
};
p.getData("a").x = 1;
p.setData(jQuery.extend(true , { } , q) , "a");
m.setData(5);
x = m.getData();
m.FindMapElement("a");
m.AddMapElement("b");
m.DeleteMapElement();
n = m.MapSize();
k = m.MapKey();
b.ClearMap();
m.ResetMap();
m.NextMapElement();
m.PushMapPosition();
m.PopMapPosition();
b.FreeMap();
cMap.CopyMap(a , b);
m.ForEach_Init() ;
while(m.ForEach()) {
cDebugger.Debug(m.getData());
};
p.ForEach_Init() ;
while(p.ForEach()) {
};
