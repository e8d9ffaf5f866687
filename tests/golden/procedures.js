cDebugger.EnableDebugger();
function Area(w , h , opt , title , dx) {
if (typeof h === "undefined" || h === null) h = 10;
if (typeof opt === "undefined" || opt === null) opt = null ;
if (typeof title === "undefined" || title === null) title = "box" ;
if (typeof dx === "undefined" || dx === null) dx = -1;
return w * h;
};
function Fill(items , names , cells) {
return;
};
function Callback(x) {
return x;
};
r = Area(2);
