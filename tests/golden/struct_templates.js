var cDebugger = window.cDebugger, cLinkedList = window.cLinkedList, cMap = window.cMap, cMemory = window.cMemory, cPB = window.cPB;
function ORV_Struct_Point() {
    return { "x": 0, "y": 0 };
}
ORV_Struct_Point.ORV_Size = 16;
ORV_Struct_Point.ORV_Fields = [[0, 21, "x"], [8, 21, "y"]];
function ORV_Struct_Empty() {
    return {};
}
ORV_Struct_Empty.ORV_Size = 0;
ORV_Struct_Empty.ORV_Fields = [];
function ORV_Struct_Bag() {
    return { "items": new cLinkedList(""), "m": new cMap(0), "pts": new cMap(ORV_Struct_Point), "pos": ORV_Struct_Point(), "name": "", "codes": new Int32Array(4) };
}
ORV_Struct_Bag.ORV_Size = 96;
ORV_Struct_Bag.ORV_Fields = [[24, 7, "pos"], [40, -20, "name"], [80, 5, "codes"]];
function ORV_Struct_Point3() {
    return { "x": 0, "y": 0, "z": 0 };
}
ORV_Struct_Point3.ORV_Size = 24;
ORV_Struct_Point3.ORV_Fields = [[0, 21, "x"], [8, 21, "y"], [16, 21, "z"]];
var p = ORV_Struct_Point(), q = ORV_Struct_Point(), b = ORV_Struct_Bag();
function Show(pt) {
    cDebugger.Debug(cMemory.ORV_Get(pt, 0, 21, "x"));
    return 0;
}
cDebugger.EnableDebugger();
cPB.AssignStructure(q, p);
p.x = 3;
Show(cMemory.ORV_Address(p));
