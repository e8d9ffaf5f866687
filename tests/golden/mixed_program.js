Rows = 5;
Bonus = cString.Val("$0A") ; // hexadecimal;
Title$= "Scores";
var total = 0, best = -1;
cDebugger.EnableDebugger();
var i , n = Rows;
var scores = cArray.Dim(null ,[Rows -1]);
function Grade(value , pass , label) {
if (typeof pass === "undefined" || pass === null) pass = 50;
if (typeof label === "undefined" || label === null) label = "fail" ;
var result = label;
if (value >= pass +30) {
result = "high";
} else if (value >= pass) {
result = "pass";
};
return result;
};
function Counter(stepBy) {
if (typeof stepBy === "undefined" || stepBy === null) stepBy = 1;
if (arguments.callee.calls === undefined) arguments.callee.calls = 0;
arguments.callee.calls += stepBy;
return arguments.callee.calls;
};
function AddUp(values , count) {
var k , sum = 0;
for(k = 0;k<=count-1; k++) {
sum += values[k];
};
return sum;
};
for(i = 0;i<=Rows-1; i++) {
scores[i]= 20+ i * 15;
};
total = AddUp(scores , n);
cDebugger.Debug(Title$+ ": " + cString.Str(total));
for(i = Rows -1;i>=0; i=i-2) {
cDebugger.Debug(cString.Str(scores[i]) + " " + Grade(scores[i]));
};
for(i = 0;i<=Rows-1; i++) {
if (scores[i]>= 0&& scores[i]<= 29) {
cDebugger.Debug("low");
} else if (scores[i]== 35|| scores[i]== 50) {
cDebugger.Debug("middle " + cString.Str(i));
} else if (scores[i]== cString.Val("$41")) {
cDebugger.Debug("hex 65");
} else {
cDebugger.Debug("top");
};
};
i = 0;
while(i < Rows && scores[i]< 60) {
i += 1;
};
cDebugger.Debug("first above 60 at " + cString.Str(i));
n = 1;
do {
n *= 3;
n -= 1;
} while(!(n > 100|| n == 0)) ;
cDebugger.Debug(n);
Counter();
Counter(5);
cDebugger.Debug(Counter());
cDebugger.Debug(Grade(10, 5, "low") + " " + Grade(49));
best = scores[Rows -1]+ Bonus;
cDebugger.Debug(best);
