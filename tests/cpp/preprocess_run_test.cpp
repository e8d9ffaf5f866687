// The preprocessing stage inside a whole run: what fails the run writes nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cpp/run_harness.h"

using namespace orvane::test;

namespace {

// Lines are counted in the assembled source: the debugger line the run puts in front is line 1,
// and the included files stand in place of their include lines (here a one-line orv.pbi).
RunResult Convert(RunSandbox& box, const std::string& body) {
    box.WriteFile(box.ProgramFolder() + "orv.pbi", "; orv.pbi\r\n");
    std::string source =
        box.WriteSource("main.pb", "XIncludeFile \"" + box.ProgramFolder() + "orv.pbi\"\r\n" +
                                       "ORV_SetConfig(#ORV_Config_TargetFolder, \"" +
                                       box.ServerFolder() + "\")\r\nDebug 1\r\n" + body);
    return box.Run({source});
}

}  // namespace

TEST(PreprocessRun, NativeCodeAndCompilerErrorFailWithoutWritingAnything) {
    const std::pair<std::string, std::string> cases[] = {
        {"MessageBox_(0, \"a\", \"b\", 0)\r\n",
         "Error: Line 5: MessageBox_() (a function of the operating system's API) is native "
         "code, which cannot run in a browser"},
        {"CompilerIf #PB_Compiler_OS <> #PB_OS_Windows\r\n  CompilerError \"Windows only\"\r\n"
         "CompilerEndIf\r\n",
         "Error: Line 6: CompilerError: Windows only"},
        {"Macro Twice(x)\r\n  x * 2\r\n", "Error: Line 5: Macro Twice has no EndMacro"}};
    for (const auto& [body, error] : cases) {
        RunSandbox box;
        RunResult r = Convert(box, body);
        EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
        EXPECT_EQ(r.errLines, std::vector<std::string>{error}) << r.err;
        EXPECT_TRUE(std::filesystem::is_empty(box.ServerFolder())) << body;
    }
}

TEST(PreprocessRun, WarningIsAProgressLineAndTheRunGoesOn) {
    RunSandbox box;
    RunResult r = Convert(box, "CompilerWarning \"slow in a browser\"\r\nDebug 2\r\n");
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.HasLine("Line 5: CompilerWarning: slow in a browser")) << r.out;
    EXPECT_TRUE(std::filesystem::exists(box.ServerFolder() + "application.js"));
}
