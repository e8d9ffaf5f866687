cDebugger.EnableDebugger();
if (a == b && c != d) {
x = 1;
} else if (a >= b || ! c) { ; // ranked;
x = 2;
} else if (a <= b ^ c) {
x = 3;
} else {
x = 4;
};
if (y) {
x = 5;
};
if (x == 1) {
y = 1;
} else if (x == 1|| x == 2|| x == 3) {
y = 2;
} else if (x >= 5&& x <= 10) {
y = 3;
} else if (x == 1|| (x >= 5&& x <= 10) || x == 20) {
y = 4;
} else if ((x >= 1&& x <= 3) || (x >= 7&& x <= 9)) {
if (z.k == 0) {
y = 5;
};
} else {
y = 6;
};
