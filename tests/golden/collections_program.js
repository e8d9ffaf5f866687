var cCommon = window.cCommon, cDebugger = window.cDebugger, cLinkedList = window.cLinkedList, cMap = window.cMap, cSort = window.cSort, cString = window.cString;
function ORV_Struct_Order() {
    return { "customer": "", "kind": 0, "amount": 0 };
}
ORV_Struct_Order.ORV_Size = 24;
ORV_Struct_Order.ORV_Fields = [[0, 8, "customer"], [8, 21, "kind"], [16, 21, "amount"]];
function ORV_Struct_Account() {
    return { "orders": 0, "spent": 0 };
}
ORV_Struct_Account.ORV_Size = 16;
ORV_Struct_Account.ORV_Fields = [[0, 21, "orders"], [8, 21, "spent"]];
cCommon.ORV_DataArray = [4, "ann", 0, 12, "bob", 1, 30, "ann", 2, 7, "ann", 1, 20, "ann", "cid"];
cCommon.ORV_DataTypes = "isiisiisiisiiss";
cCommon.Restore(0);
var orders = new cLinkedList(ORV_Struct_Order), accounts = new cMap(ORV_Struct_Account), perKind = new cMap(0), count = 0, i = 0, key$ = "", name$ = "", check = 0;
function Largest(all) {
    var best = 0;
    best = 0;
    all.ForEach_Start();
    while (all.ForEach()) {
        if ((all.GetContent().amount > best)) {
            best = all.GetContent().amount;
        }
    }
    return best;
    return 0;
}
cDebugger.EnableDebugger();
cCommon.Restore(0);
count = cCommon.Read("i");
for (i = 1; i <= count; i += 1) {
    orders.AddElement();
    orders.GetContent().customer = cCommon.Read("s");
    orders.GetContent().kind = cCommon.Read("i");
    orders.GetContent().amount = cCommon.Read("i");
}
orders.ForEach_Start();
while (orders.ForEach()) {
    accounts.getData(orders.GetContent().customer).orders = (accounts.getData(orders.GetContent().customer).orders + 1);
    accounts.getData(orders.GetContent().customer).spent = (accounts.getData(orders.GetContent().customer).spent + orders.GetContent().amount);
    key$ = cString.Str(orders.GetContent().kind);
    perKind.setData((perKind.getData(key$) + 1), key$);
}
cDebugger.Debug(("orders: " + cString.Str(orders.ListSize())));
cDebugger.Debug(("largest: " + cString.Str(Largest(orders))));
cSort.SortStructuredList(orders, 1, 16, 21);
orders.FirstElement();
cDebugger.Debug(((("first after sort: " + orders.GetContent().customer) + " ") + cString.Str(orders.GetContent().amount)));
cCommon.Restore(13);
for (i = 1; i <= 2; i += 1) {
    name$ = cCommon.Read("s");
    if (accounts.FindMapElement(name$)) {
        cDebugger.Debug(((((name$ + " ") + cString.Str(accounts.getData().orders)) + " orders, ") + cString.Str(accounts.getData().spent)));
    } else {
        cDebugger.Debug((name$ + " has no orders"));
    }
}
check = 0;
accounts.ForEach_Init();
while (accounts.ForEach()) {
    orders.ForEach_Start();
    while (orders.ForEach()) {
        if ((orders.GetContent().customer == accounts.MapKey())) {
            check = (check + orders.GetContent().amount);
        }
    }
}
cDebugger.Debug(("check: " + cString.Str(check)));
cDebugger.Debug(((("kinds: " + cString.Str(perKind.MapSize())) + ", books: ") + cString.Str(perKind.getData(cString.Str(0)))));
cDebugger.Debug(("music: " + cString.Str(2)));
orders.ForEach_Start();
while (orders.ForEach()) {
    if ((orders.GetContent().kind == 1)) {
        orders.DeleteElement();
    }
}
cDebugger.Debug(("without games: " + cString.Str(orders.ListSize())));
