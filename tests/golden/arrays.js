cDebugger.EnableDebugger();
var a = cArray.Dim(null ,[10]);
var grid = cArray.Dim(null ,[5, 5]);
var sized = cArray.Dim(null ,[cString.Len(t)]);
a[1]= grid[2][3]+ a[a[0]];
grid[i][j]-= 1;
a = cArray.ReDim(a ,[20]);
Sum(a);
