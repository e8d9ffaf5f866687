#include <cstdio>

int main() {
    std::puts("Orvane: the run driver is not built yet.");
    return 1;
}
