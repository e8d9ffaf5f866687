cDebugger.EnableDebugger();
var count = new cMap() ;
var names = new cMap() ;
count.setData(count.getData(w) +1, w);
x = count.getData(cString.Str(cString.Len(w)));
names.setData("x" , p.name);
while(count.getData() == 1) {
break;
};
count.AddMapElement("k" , cConstants.PB_Map_NoElementCheck);
if (count.FindMapElement("k") && x) {
x = 0;
};
function Total(c) {
t = 0;
c.ForEach_Init() ;
while(c.ForEach()) {
t += c.getData();
};
return t + c.MapSize();
};
