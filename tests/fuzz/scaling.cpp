// Looks for inputs on which a fuzz target is slower than linear: each input is run once as it is
// repeated until a run takes 2 ms, and then eight times as long; a time ratio above the limit
// (linear is 8) names the input.
//
//   build-fuzz/fuzz/fuzz_scaling TARGET [LIMIT] FILE...     (LIMIT defaults to 24)
//
// Exit status 1 when an input exceeded the limit.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/fuzz/targets.h"

namespace {

// Processor time of the fastest of three runs: time spent waiting for a processor, while
// other work runs on the machine, does not count.
double Seconds(orvane::fuzz::Target target, const std::string& data) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        std::clock_t start = std::clock();
        target(reinterpret_cast<const uint8_t*>(data.data()), data.size());
        best = std::min(best, static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
    }
    return best;
}

std::string Repeated(const std::string& text, int times) {
    std::string out;
    out.reserve(text.size() * times);
    for (int k = 0; k < times; ++k)
        out += text;
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: fuzz_scaling TARGET [LIMIT] FILE...\n");
        return 2;
    }
    orvane::fuzz::Target target = orvane::fuzz::TargetNamed(argv[1]);
    if (!target) {
        std::fprintf(stderr, "fuzz_scaling: no target %s\n", argv[1]);
        return 2;
    }
    int first = 2;
    double limit = 24;
    if (char* end = nullptr; (limit = std::strtod(argv[2], &end)) > 0 && *end == '\0')
        first = 3;
    else
        limit = 24;
    bool slow = false;
    for (int i = first; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const std::string once = bytes.str();
        if (once.empty()) continue;
        // The input repeated until one run takes 2 ms, so that fixed costs and the timer's
        // grain do not count, then eight times that.
        int times = 1;
        std::string small = once;
        double base = Seconds(target, small);
        while (base < 0.002 && small.size() < (1u << 22)) {
            times *= 2;
            small = Repeated(once, times);
            base = Seconds(target, small);
        }
        double big = Seconds(target, Repeated(small, 8));
        double ratio = big / base;
        if (ratio > limit) {
            std::printf("%s: %.1f times slower for 8 times the input (%zu bytes: %.3f s)\n",
                        argv[i], ratio, small.size() * 8, big);
            slow = true;
        }
    }
    return slow ? 1 : 0;
}
