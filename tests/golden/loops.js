var cDebugger = window.cDebugger;
var i = 0, total = 0, k = 0, n = 0, j = 0, a = 0, b = 0, x = 0;
cDebugger.EnableDebugger();
for (i = 1; i <= 10; i += 1) {
    total = (total + i);
}
for (i = 10; i >= 1; i += -1) {
}
for (k = 0; k <= (n - 1); k += 2) {
    for (j = k; j >= n; j += -1) {
    }
}
while (((a == 1) && (b != 2))) {
    a = (a - 1);
    if ((a == 0)) {
        break;
    }
}
while ((x >= 0)) {
    x = (x - 1);
}
do {
    n = (n + 1);
} while (!(((n == 0) || b)));
for (;;) {
    continue;
}
