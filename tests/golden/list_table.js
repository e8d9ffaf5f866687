var cDebugger = window.cDebugger, cLinkedList = window.cLinkedList, cSort = window.cSort;
function ORV_Struct_Point() {
    return { "x": 0, "y": 0 };
}
ORV_Struct_Point.ORV_Size = 16;
ORV_Struct_Point.ORV_Fields = [[0, 21, "x"], [8, 21, "y"]];
var a = new cLinkedList(0), b = new cLinkedList(0), p = new cLinkedList(ORV_Struct_Point), x = 0, n = 0, i = 0, e = 0;
cDebugger.EnableDebugger();
a.AddElement();
p.AddElement();
a.InsertElement();
a.SetContent(5);
a.SetContent((b.GetContent() + 1));
x = a.GetContent();
if ((a.GetContent() == 5)) {
    x = 1;
}
p.GetContent().x = 1;
a.FirstElement();
a.LastElement();
a.NextElement();
a.PreviousElement();
n = a.ListSize();
i = a.ListIndex();
a.ResetList();
b.ClearList();
a.PushListPosition();
a.PopListPosition();
cSort.RandomizeList(a);
a.DeleteElement();
a.SelectElement(2);
a.SwapElements(a.GetCurrentElement(), b.GetCurrentElement());
a.ChangeCurrentElement(b.GetCurrentElement());
a.MoveElement(1);
a.CopyList(b);
a.MergeLists(b);
a.SplitList(b);
e = a.GetCurrentElement();
a.ForEach_Start();
while (a.ForEach()) {
    x = (x + a.GetContent());
}
b.ForEach_Start();
while (b.ForEach()) {
}
