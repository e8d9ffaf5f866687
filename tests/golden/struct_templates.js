var Point = { x : null , y : null } ;
var Empty = { } ;
var Bag = { items : new cLinkedList() , m : new cMap() , pts : new cMap(Point) , pos : jQuery.extend(true , { } , Point) , name : null , codes : null } ;
var Point3 = jQuery.extend(true , { } , Point , { z : null }) ;
var b = jQuery.extend(true , { } , Bag);
cDebugger.EnableDebugger();
var p = jQuery.extend(true , { } , Point);
var q = p;
function Show(pt) {
cDebugger.Debug(pt.x);
};
p.x = 3;
Show(p);
