var cDebugger = window.cDebugger;
function ORV_Struct_Key() {
    return { "k": 0 };
}
ORV_Struct_Key.ORV_Size = 8;
ORV_Struct_Key.ORV_Fields = [[0, 21, "k"]];
var z = ORV_Struct_Key(), a = 0, b = 0, c = 0, d = 0, x = 0, y = 0, ORV_t1 = 0, ORV_t2 = 0;
cDebugger.EnableDebugger();
if (((a == b) && (c != d))) {
    x = 1;
} else if (((a >= b) || !(c))) {
    x = 2;
} else if ((!((a <= b)) !== !(c))) {
    x = 3;
} else {
    x = 4;
}
if (y) {
    x = 5;
}
ORV_t1 = x;
if (ORV_t1 == 1) {
    y = 1;
} else if (ORV_t1 == 1 || ORV_t1 == 2 || ORV_t1 == 3) {
    y = 2;
} else if ((ORV_t1 >= 5 && ORV_t1 <= 10)) {
    y = 3;
} else if (ORV_t1 == 1 || (ORV_t1 >= 5 && ORV_t1 <= 10) || ORV_t1 == 20) {
    y = 4;
} else if ((ORV_t1 >= 1 && ORV_t1 <= 3) || (ORV_t1 >= 7 && ORV_t1 <= 9)) {
    ORV_t2 = z.k;
    if (ORV_t2 == 0) {
        y = 5;
    }
} else {
    y = 6;
}
