var cDebugger = window.cDebugger;
var r = 0;
function Area(w, h, opt, title, dx) {
    return (w * h);
    return 0;
}
function Fill(items, names, cells) {
    return 0;
    return 0;
}
function Callback(x) {
    return x;
    return 0;
}
cDebugger.EnableDebugger();
r = Area(2, 10, 0, "box", (-1));
