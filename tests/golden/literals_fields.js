var cArray = window.cArray, cDebugger = window.cDebugger, cLinkedList = window.cLinkedList, cPB = window.cPB, cSort = window.cSort;
function ORV_Struct_Player() {
    return { "Name$": "", "Score": 0, "Link": 0, "Ratio": 0, "Tags": new cLinkedList(""), "Count": 0 };
}
ORV_Struct_Player.ORV_Size = 48;
ORV_Struct_Player.ORV_Fields = [[0, 8, "Name$"], [8, 21, "Score"], [16, 0, "Link"], [24, 12, "Ratio"], [40, 21, "Count"]];
function ORV_Struct_Pro() {
    return { "Name$": "", "Score": 0, "Link": 0, "Ratio": 0, "Tags": new cLinkedList(""), "Count": 0, "Level": 0 };
}
ORV_Struct_Pro.ORV_Size = 49;
ORV_Struct_Pro.ORV_Fields = [[0, 8, "Name$"], [8, 21, "Score"], [16, 0, "Link"], [24, 12, "Ratio"], [40, 21, "Count"], [48, 1, "Level"]];
var x = 0, y = 0, ORV_t1 = 0, team = [], k$ = "", t = 0;
cDebugger.EnableDebugger();
x = (255 + 10);
cDebugger.Debug(5);
y = (cPB.Mod(x, 2) + cPB.Mod(x, 4));
if ((x > 1)) {
    y = 3;
}
ORV_t1 = y;
if ((ORV_t1 >= 0 && ORV_t1 <= 2)) {
    y = 0;
}
team = cArray.Dim(ORV_Struct_Pro, [2]);
cSort.SortStructuredArray(team, 0, 8, 21);
k$ = String(0);
t = ((21 + 21) + 21);
cDebugger.Debug(((21 + 21) + 21));
cDebugger.Debug(21);
cDebugger.Debug(0);
