cDebugger.EnableDebugger();
for(i = 1;i<=10; i++) {
total += i;
};
for(i = 10;i>=1; i=i-1) { ; // down;
};
for(k = 0;k<=n-1; k=k+2) {
for(j = k ;j>=n; j=j-1) {
};
};
while(a == 1&& b != 2) {
a -= 1;
if (a == 0) {
break;
};
};
while(x >= 0) {
x -= 1;
};
do {
n += 1;
} while(!(n == 0|| b)) ; ; // enough;
do {
continue;
} while(true) ;
