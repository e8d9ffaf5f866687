var cArray = window.cArray, cDebugger = window.cDebugger, cString = window.cString;
var a = [], grid = [], sized = [], t$ = "", i = 0, j = 0;
function Sum(v) {
    return (v[0] + v[1]);
    return 0;
}
cDebugger.EnableDebugger();
a = cArray.Dim(Float64Array, [10]);
grid = cArray.Dim(Float64Array, [5, 5]);
sized = cArray.Dim(Float64Array, [cString.Len(t$)]);
a[1] = (grid[(2) * grid.ORV_Dims[1] + 3] + a[a[0]]);
grid[(i) * grid.ORV_Dims[1] + j] = (grid[(i) * grid.ORV_Dims[1] + j] - 1);
a = cArray.ReDim(a, [20]);
Sum(a);
