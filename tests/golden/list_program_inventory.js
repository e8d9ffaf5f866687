var cCommon = window.cCommon, cDebugger = window.cDebugger, cLinkedList = window.cLinkedList, cMap = window.cMap, cString = window.cString;
function ORV_Struct_Item() {
    return { "name": "", "kind": 0, "count": 0 };
}
ORV_Struct_Item.ORV_Size = 24;
ORV_Struct_Item.ORV_Fields = [[0, 8, "name"], [8, 21, "kind"], [16, 21, "count"]];
cCommon.ORV_DataArray = [3, "hammer", 0, 2, "bolt", 1, 40, "saw", 0, 1];
cCommon.ORV_DataTypes = "isiisiisii";
cCommon.Restore(0);
var items = new cLinkedList(ORV_Struct_Item), totals = new cMap(0), n = 0, i = 0;
cDebugger.EnableDebugger();
cCommon.Restore(0);
n = cCommon.Read("i");
for (i = 1; i <= n; i += 1) {
    items.AddElement();
    items.GetContent().name = cCommon.Read("s");
    items.GetContent().kind = cCommon.Read("i");
    items.GetContent().count = cCommon.Read("i");
}
items.ForEach_Start();
while (items.ForEach()) {
    if ((items.GetContent().kind == 0)) {
        totals.setData((totals.getData("tools") + items.GetContent().count), "tools");
    } else {
        totals.setData((totals.getData("parts") + items.GetContent().count), "parts");
    }
}
cDebugger.Debug(items.ListSize());
cDebugger.Debug(totals.getData("tools"));
cDebugger.Debug(totals.getData("parts"));
totals.ForEach_Init();
while (totals.ForEach()) {
    cDebugger.Debug(((totals.MapKey() + "=") + cString.Str(totals.getData())));
}
