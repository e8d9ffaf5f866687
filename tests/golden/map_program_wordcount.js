cDebugger.EnableDebugger();
var seen = new cMap() ;
var order = new cLinkedList() ;
text = "the cat and the dog and the bird";
for(i = 1;i<=cString.CountString(text," ")+1; i++) {
w = cString.StringField(text , i , " ");
if (seen.FindMapElement(w) == 0) {
order.AddElement();
order.SetContent(w);
};
seen.setData(seen.getData(w) +1, w);
};
order.ForEach_Start() ;
while(order.ForEach()) {
cDebugger.Debug(order.GetContent() + ": " + cString.Str(seen.getData(order.GetContent())));
};
order.ForEach_End() ;
cDebugger.Debug(seen.MapSize());
