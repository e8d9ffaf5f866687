var cDebugger = window.cDebugger, cLinkedList = window.cLinkedList, cString = window.cString;
var outer = new cLinkedList(0), inner = new cLinkedList(0), i = 0, x = 0, y = 0;
function Count(l) {
    var n = 0;
    n = 0;
    l.ForEach_Start();
    while (l.ForEach()) {
        n = (n + 1);
    }
    return l.ListSize();
    return 0;
}
cDebugger.EnableDebugger();
inner = new cLinkedList(0);
outer.ForEach_Start();
while (outer.ForEach()) {
    for (i = 1; i <= 3; i += 1) {
        inner.ForEach_Start();
        while (inner.ForEach()) {
            cDebugger.Debug(inner.GetContent());
        }
    }
}
while ((outer.GetContent() == 5)) {
    break;
}
do {
} while (!((inner.GetContent() == 1)));
outer.SetContent((cString.Len("abc") * (inner.GetContent() + 1)));
outer.SetContent(((x && y) ? 1 : 0));
outer.MergeLists(inner, 1);
