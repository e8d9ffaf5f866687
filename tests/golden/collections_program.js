
var KindBook = 0;
var KindGame = 1;
cCommon.PB_Compiler_EnumerationValue = 2;
var KindMusic = 2;
cCommon.PB_Compiler_EnumerationValue = 3;
var Order = { customer : null , kind : null , amount : null } ;
var Account = { orders : null , spent : null } ;
var ORV_Label_Orders = 0;
var ORV_Label_Customers = 13;
cCommon.ORV_Global_Label = ORV_Label_Orders;
cCommon.ORV_DataArray =[4, "ann" , KindBook , 12, "bob" , KindGame , 30, "ann" , KindMusic , 7, "ann" , KindGame , 20, "ann" , "cid"];
cDebugger.EnableDebugger();
var orders = new cLinkedList() ;
var accounts = new cMap(Account);
var perKind = new cMap() ;
function Largest(all) {
var best = 0;
all.ForEach_Start() ;
while(all.ForEach()) {
if (all.GetContent().amount > best) {
best = all.GetContent().amount;
};
};
all.ForEach_End() ;
return best;
};
cCommon.Restore(ORV_Label_Orders);
count = cCommon.Read();
for(i = 1;i<=count; i++) {
orders.AddElement(jQuery.extend(true , { } , Order));
orders.GetContent().customer = cCommon.Read();
orders.GetContent().kind = cCommon.Read();
orders.GetContent().amount = cCommon.Read();
};
orders.ForEach_Start() ;
while(orders.ForEach()) {
accounts.getData(orders.GetContent().customer).orders += 1;
accounts.getData(orders.GetContent().customer).spent += orders.GetContent().amount;
key = cString.Str(orders.GetContent().kind);
perKind.setData(perKind.getData(key) +1, key);
};
orders.ForEach_End() ;
cDebugger.Debug("orders: " + cString.Str(orders.ListSize()));
cDebugger.Debug("largest: " + cString.Str(Largest(orders)));
cSort.SortStructuredList(orders , cConstants.PB_Sort_Descending , "amount" , 21);
orders.FirstElement();
cDebugger.Debug("first after sort: " + orders.GetContent().customer + " " + cString.Str(orders.GetContent().amount));
cCommon.Restore(ORV_Label_Customers);
for(i = 1;i<=2; i++) {
name = cCommon.Read();
if (accounts.FindMapElement(name)) {
cDebugger.Debug(name + " " + cString.Str(accounts.getData().orders) + " orders, " + cString.Str(accounts.getData().spent));
} else {
cDebugger.Debug(name + " has no orders");
};
};
check = 0;
accounts.ForEach_Init() ;
while(accounts.ForEach()) {
orders.ForEach_Start() ;
while(orders.ForEach()) {
if (orders.GetContent().customer == accounts.MapKey()) {
check += orders.GetContent().amount;
};
};
orders.ForEach_End() ;
};
cDebugger.Debug("check: " + cString.Str(check));
cDebugger.Debug("kinds: " + cString.Str(perKind.MapSize()) + ", books: " + cString.Str(perKind.getData(cString.Str(KindBook))));
cDebugger.Debug("music: " + cString.Str(KindMusic));
orders.ForEach_Start() ;
while(orders.ForEach()) {
if (orders.GetContent().kind == KindGame) {
orders.DeleteElement();
};
};
orders.ForEach_End() ;
cDebugger.Debug("without games: " + cString.Str(orders.ListSize()));
