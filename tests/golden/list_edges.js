cDebugger.EnableDebugger();
var outer = new cLinkedList() ;
var inner = new cLinkedList() ;
var Inner = new cLinkedList() ;
outer.ForEach_Start() ;
while(outer.ForEach()) {
for(i = 1;i<=3; i++) {
inner.ForEach_Start() ;
while(inner.ForEach()) {
cDebugger.Debug(inner.GetContent());
};
inner.ForEach_End() ;
};
};
outer.ForEach_End() ;
while(outer.GetContent() == 5) {
break;
};
do {
} while(!(inner.GetContent() == 1)) ;
outer.SetContent(cString.Len("abc") *(inner.GetContent() +1));
outer.SetContent(x && y);
outer.MergeLists(inner , cConstants.PB_List_First);
function Count(l) {
n = 0;
l.ForEach_Start() ;
while(l.ForEach()) {
n += 1;
};
l.ForEach_End() ;
return l.ListSize();
};
