
var KindTool = 0;
var KindPart = 1;
cCommon.PB_Compiler_EnumerationValue = 2;
var Item = { name : null , kind : null , count : null } ;
var ORV_Label_Stock = 0;
cCommon.ORV_Global_Label = ORV_Label_Stock;
cCommon.ORV_DataArray =[3, "hammer" , 0, 2, "bolt" , 1, 40, "saw" , 0, 1];
cDebugger.EnableDebugger();
var items = new cLinkedList() ;
var totals = new cMap() ;
cCommon.Restore(ORV_Label_Stock);
n = cCommon.Read();
for(i = 1;i<=n; i++) {
items.AddElement(jQuery.extend(true , { } , Item));
items.GetContent().name = cCommon.Read();
items.GetContent().kind = cCommon.Read();
items.GetContent().count = cCommon.Read();
};
items.ForEach_Start() ;
while(items.ForEach()) {
if (items.GetContent().kind == KindTool) {
totals.setData(totals.getData("tools") + items.GetContent().count , "tools");
} else {
totals.setData(totals.getData("parts") + items.GetContent().count , "parts");
};
};
items.ForEach_End() ;
cDebugger.Debug(items.ListSize());
cDebugger.Debug(totals.getData("tools"));
cDebugger.Debug(totals.getData("parts"));
totals.ForEach_Init() ;
while(totals.ForEach()) {
cDebugger.Debug(totals.MapKey() + "=" + cString.Str(totals.getData()));
};
