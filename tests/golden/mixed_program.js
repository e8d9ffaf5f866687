var cArray = window.cArray, cDebugger = window.cDebugger, cString = window.cString;
var total = 0, best = 0, i = 0, n = 0, scores = [], ORV_t5 = 0, Counter$calls = 0;
function Grade(value, pass, label$) {
    var result$ = "";
    result$ = label$;
    if ((value >= (pass + 30))) {
        result$ = "high";
    } else if ((value >= pass)) {
        result$ = "pass";
    }
    return result$;
    return "";
}
function Counter(stepBy) {
    Counter$calls = (Counter$calls + stepBy);
    return Counter$calls;
    return 0;
}
function AddUp(values, count) {
    var k = 0, sum = 0;
    k = 0;
    sum = 0;
    for (k = 0; k <= (count - 1); k += 1) {
        sum = (sum + values[k]);
    }
    return sum;
    return 0;
}
cDebugger.EnableDebugger();
total = 0;
best = (-1);
n = 5;
scores = cArray.Dim(Float64Array, [(5 - 1)]);
for (i = 0; i <= (5 - 1); i += 1) {
    scores[i] = (20 + (i * 15));
}
total = AddUp(scores, n);
cDebugger.Debug((("Scores" + ": ") + cString.Str(total)));
for (i = (5 - 1); i >= 0; i += -2) {
    cDebugger.Debug(((cString.Str(scores[i]) + " ") + Grade(scores[i], 50, "fail")));
}
for (i = 0; i <= (5 - 1); i += 1) {
    ORV_t5 = scores[i];
    if ((ORV_t5 >= 0 && ORV_t5 <= 29)) {
        cDebugger.Debug("low");
    } else if (ORV_t5 == 35 || ORV_t5 == 50) {
        cDebugger.Debug(("middle " + cString.Str(i)));
    } else if (ORV_t5 == 65) {
        cDebugger.Debug("hex 65");
    } else {
        cDebugger.Debug("top");
    }
}
i = 0;
while (((i < 5) && (scores[i] < 60))) {
    i = (i + 1);
}
cDebugger.Debug(("first above 60 at " + cString.Str(i)));
n = 1;
do {
    n = (n * 3);
    n = (n - 1);
} while (!(((n > 100) || (n == 0))));
cDebugger.Debug(n);
Counter(1);
Counter(5);
cDebugger.Debug(Counter(1));
cDebugger.Debug(((Grade(10, 5, "low") + " ") + Grade(49, 50, "fail")));
best = (scores[(5 - 1)] + 10);
cDebugger.Debug(best);
