var Player = { Name : null , Score : null , Link : null , Ratio : null , Tags : new cLinkedList() , Count : null } ;
var Pro = jQuery.extend(true , { } , Player , { Level : null }) ;
cDebugger.EnableDebugger();
x = cString.Val("$FF") + cString.Val("%1010");
cDebugger.Debug(cString.Val("%101"));
y = x % 2+ (x) % 4;
if (x > cString.Val("%1")) {
y = cString.Val("%11");
};
if (y >= cString.Val("%0") && y <= cString.Val("%10")) {
y = 0;
};
var team = cArray.Dim(Pro ,[2]);
cSort.SortStructuredArray(team , cConstants.PB_Sort_Ascending , "Score" , 21);
k = "Name";
t = 8+1+12;
cDebugger.Debug(14+21+21);
cDebugger.Debug(0);
cDebugger.Debug("Field");
