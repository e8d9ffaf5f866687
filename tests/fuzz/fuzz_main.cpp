// One libFuzzer program per target of targets.h; ORVANE_FUZZ_TARGET names it.
#include <cstdlib>

#include "tests/fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const orvane::fuzz::Target target = orvane::fuzz::TargetNamed(ORVANE_FUZZ_TARGET);
    if (!target) std::abort();
    target(data, size);
    return 0;
}
