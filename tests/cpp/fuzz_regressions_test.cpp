// Every input a fuzz target once failed on (tests/fuzz/regressions/TARGET/), run through the same
// target again: a crash, a sanitizer report or a failed check of the target ends the test
// program, a hang shows as the test's time-out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/targets.h"

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryKeptInputPassesItsTarget) {
    const fs::path root = fs::path(ORVANE_SOURCE_DIR) / "tests/fuzz/regressions";
    ASSERT_TRUE(fs::is_directory(root)) << root;
    int inputs = 0;
    for (const fs::directory_entry& folder : fs::directory_iterator(root)) {
        if (!folder.is_directory()) continue;
        const std::string target = folder.path().filename().string();
        orvane::fuzz::Target run = orvane::fuzz::TargetNamed(target);
        ASSERT_NE(run, nullptr) << "no fuzz target named " << target;
        for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
            std::ifstream in(file.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), {});
            SCOPED_TRACE(file.path().string());
            run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0);
}
