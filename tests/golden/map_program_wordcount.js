var cDebugger = window.cDebugger, cLinkedList = window.cLinkedList, cMap = window.cMap, cString = window.cString;
var seen = new cMap(0), order = new cLinkedList(""), text$ = "", i = 0, w$ = "";
cDebugger.EnableDebugger();
text$ = "the cat and the dog and the bird";
for (i = 1; i <= (cString.CountString(text$, " ") + 1); i += 1) {
    w$ = cString.StringField(text$, i, " ");
    if ((seen.FindMapElement(w$) == 0)) {
        order.AddElement();
        order.SetContent(w$);
    }
    seen.setData((seen.getData(w$) + 1), w$);
}
order.ForEach_Start();
while (order.ForEach()) {
    cDebugger.Debug(((order.GetContent() + ": ") + cString.Str(seen.getData(order.GetContent()))));
}
cDebugger.Debug(seen.MapSize());
