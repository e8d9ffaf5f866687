var cCommon = window.cCommon, cDebugger = window.cDebugger;
function ORV_Struct_Pair() {
    return { "a": 0, "b": 0 };
}
ORV_Struct_Pair.ORV_Size = 16;
ORV_Struct_Pair.ORV_Fields = [[0, 21, "a"], [8, 21, "b"]];
var ORV_goto = 0, first_total = 0, p = ORV_Struct_Pair(), get = 0, n = 0, ORV_t1 = 0;
function first_Value() {
    first_total = (first_total + 1);
    return 1;
    return 0;
}
function second_Value() {
    return 2;
    return 0;
}
function ORV_Gosub_show() {
    cDebugger.Debug(n);
}
ORV_jump: for (;;) {
    switch (ORV_goto) {
    case 0:
        cDebugger.EnableDebugger();
        get = first_Value;
        n = ((second_Value() + first_Value()) + get());
    case 1:
        n = (n + 1);
        if ((n < 10)) {
            ORV_goto = 1; continue ORV_jump;
        }
        ORV_Gosub_show();
        p.a = n;
        p.b = first_total;
        ORV_t1 = p.a; p.a = p.b; p.b = ORV_t1;
        cCommon.End(p.a);
    }
    break;
}
