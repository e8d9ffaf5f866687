// A console run whose source names a profile that does not exist yet: the converter starts the
// profile editor with that name, then the chooser, and goes on with the chosen profile.
#include <gtest/gtest.h>

#include "tests/cpp/run_harness.h"

using orvane::test::RunResult;
using orvane::test::RunSandbox;

namespace {

std::string Source(const std::string& profile) {
    return "XIncludeFile \"orv.pbi\"\r\nORV_Converter_SetProfile(\"" + profile +
           "\")\r\nDebug 1\r\n";
}

}  // namespace

TEST(CompanionRun, UnknownProfileRunsEditorThenChooserAndAppliesTheChoice) {
    RunSandbox box;
    box.WriteProfiles("[profile:Old]\r\nserverpath = /nowhere/\r\n");
    box.environment["FAKE_COMPANION_ADD_SERVERPATH"] = box.ServerFolder();
    box.environment["FAKE_COMPANION_SELECT"] = "Brand new";
    std::string pb = box.WriteSource("main.pb", Source("Brand new"));
    RunResult r = box.Run({pb}, {"--answer=yes"});
    EXPECT_EQ(box.CompanionCalls(), (std::vector<std::string>{"Setwright Brand new", "Setpicker"}));
    EXPECT_TRUE(r.HasLine("Setting ServerPath to: '" + box.ServerFolder() + "'")) << r.out << r.err;
    EXPECT_FALSE(r.HasLine("Error: No profile found"));
}

TEST(CompanionRun, ChooserLeavingNoChoiceStopsTheRun) {
    RunSandbox box;
    box.environment["FAKE_COMPANION_SELECT"] = "";
    std::string pb = box.WriteSource("main.pb", Source("Missing"));
    RunResult r = box.Run({pb}, {"--answer=yes"});
    EXPECT_EQ(box.CompanionCalls(), (std::vector<std::string>{"Setwright Missing", "Setpicker"}));
    EXPECT_TRUE(r.HasLine("Error: No profile found")) << r.out << r.err;
    EXPECT_EQ(r.exitCode, 1);
}
