// Whole runs of Orvane --console over programs split into several files.
#include <gtest/gtest.h>

#include <chrono>

#include "converter/preprocess/preprocess.h"
#include "converter/run/directives.h"
#include "converter/run/source_assembly.h"
#include "converter/server/server.h"
#include "converter/translator/translate.h"
#include "tests/cpp/run_harness.h"

using namespace orvane;
using namespace orvane::test;

namespace {

std::string Profiles(RunSandbox& box) {
    return "[profile:web]\r\nserverpath = " + box.ServerFolder() + "\r\n";
}

int CountLines(const RunResult& r, const std::string& line) {
    int n = 0;
    for (const auto& l : r.outLines)
        n += l == line;
    for (const auto& l : r.errLines)
        n += l == line;
    return n;
}

}  // namespace

// The stages of a run from reading the main file to post-processing, in the run's order, over a
// program split into three files.
TEST(AssemblyRun, SplitProgramKeepsIncludedAndRawCodeAndDropsDirectives) {
    RunSandbox box;
    box.WriteFile(box.WorkFolder() + "orv.pbi", box.ReadFile(box.ProgramFolder() + "orv.pbi"));
    box.WriteSource("lib/first.pbi",
                    "Procedure.i OrvFirstIncluded()\r\n  ProcedureReturn 1\r\nEndProcedure\r\n");
    box.WriteSource("second.pbi",
                    "ORV_SetConfig(#ORV_Config_ApplicationName, \"splitdemo\")\r\n"
                    "Global orvSecondIncluded = 2\r\n");
    Conversion conv;
    conv.SystemFolder = box.ServerFolder();
    conv.SourceFile = box.WriteSource("main.pb", "");
    std::string text =
        "XIncludeFile \"orv.pbi\"\r\n"
        "ORV_Converter_SetProfile(\"web\")\r\n"
        "ORV_SetConfig(#ORV_Config_FlaskPort, 8080)\r\n"
        "IncludeFile \"lib/first.pbi\"\r\n"
        "xincludefile(\"second.pbi\")\r\n"
        "ORV_Converter_Begin_Comment\r\n"
        "orvCommentedOut = 3\r\n"
        "ORV_Converter_End_Comment\r\n"
        "EnableJS\r\n"
        ";window.orvRaw = 42;\r\n"
        "DisableJS\r\n"
        "  !window.orvBang = 7;\r\n"
        "Debug OrvFirstIncluded()\r\n";
    ScanDirectives(conv, text);
    text = StripCommentBlocks(conv, "EnableDebugger\r\n" + text);
    text = ExpandIncludes(conv, text);
    text = StripCommentBlocks(conv, text);
    ScanDirectives(conv, text);
    EXPECT_EQ(conv.Settings.ProfileName, "web");
    EXPECT_EQ(conv.Settings.FlaskPortConfig, "8080");
    EXPECT_EQ(conv.Settings.ApplicationNameConfig, "splitdemo");
    for (ServerLanguage language :
         {ServerLanguage::Cgi, ServerLanguage::Php, ServerLanguage::Python, ServerLanguage::NodeJs,
          ServerLanguage::Aspx, ServerLanguage::Asp})
        text = RunServerPass(conv, language, text);
    text = PreprocessSource(conv, text);
    text = ExpandBangLines(conv, text);
    text = TranslateDataSections(conv, text);
    text = RemoveDataSections(conv, text);
    text = HoistDeclarations(conv, text);
    text = Translate(conv, text);
    ASSERT_FALSE(text.empty());
    text = ResolveRawBlocks(conv, text);
    EXPECT_NE(text.find("\nwindow.orvRaw = 42;\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nwindow.orvBang = 7;\n"), std::string::npos) << text;
    DisableDirectives(conv, text);
    std::string script = PostProcess(conv);
    EXPECT_FALSE(conv.RunFailed);

    for (const char* kept : {"OrvFirstIncluded", "orvSecondIncluded", "\nwindow.orvRaw = 42;\n",
                             "\nwindow.orvBang = 7;\n"})
        EXPECT_NE(script.find(kept), std::string::npos) << kept << "\n" << script;
    for (const char* gone : {"orvCommentedOut", "ORV_SetConfig", "ORV_Config", "Macro", "EnablePHP",
                             "splitdemo", "\"web\""})
        EXPECT_EQ(script.find(gone), std::string::npos) << gone << "\n" << script;
    for (size_t at = script.find("ORV_Converter_SetProfile"); at != std::string::npos;
         at = script.find("ORV_Converter_SetProfile", at + 1))
        EXPECT_EQ(script.compare(at - 3, 3, "// "), 0) << script;
}

TEST(AssemblyRun, IncludeCheckAndSyntaxCheckStopTheRun) {
    RunSandbox box;
    RunResult r = box.Run({box.WriteSource("a.pb", "; needs orv.pbi\r\nDebug 1\r\n")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.HasLine("Error: orv.pbi is not included!")) << r.out << r.err;
    EXPECT_TRUE(box.CompilerCalls().empty());

    box.environment["FAKE_PBCOMPILER_OUTPUT"] = "Line 2: Garbage to the end of line.";
    box.environment["FAKE_PBCOMPILER_EXIT"] = "2";
    std::string source = box.WriteSource("b.pb", "XIncludeFile \"../orv.pbi\"\r\nDebug 1 1\r\n");
    r = box.Run({source});
    EXPECT_EQ(r.exitCode, 1);
    int compilerLine = r.OutIndex("Line 2: Garbage to the end of line.");
    EXPECT_GT(compilerLine, r.OutIndex("Syntaxcheck. Starting PureBasic..."));
    EXPECT_GE(compilerLine, 0) << r.out;
    EXPECT_TRUE(r.HasLine("Error: SyntaxCheck failed"));
    EXPECT_EQ(box.CompilerCalls(), std::vector<std::string>{"/CHECK " + source});
}

TEST(AssemblyRun, MissingIncludesAndUnknownParametersAreAllReported) {
    RunSandbox box;
    box.WriteProfiles(Profiles(box));
    box.WriteFile(box.WorkFolder() + "orv.pbi", box.ReadFile(box.ProgramFolder() + "orv.pbi"));
    std::string main = box.WriteSource("main.pb",
                                       "XIncludeFile \"orv.pbi\"\r\n"
                                       "ORV_Converter_SetProfile(\"web\")\r\n"
                                       "ORV_SetConfig(#ORV_Config_NoSuchThing, 1)\r\n"
                                       "IncludeFile \"missing-one.pbi\"\r\n"
                                       "IncludeFile \"sub/missing-two.pbi\"\r\n"
                                       "Debug 1\r\n");
    auto start = std::chrono::steady_clock::now();
    RunResult r = box.Run({main});
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 15.0);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(CountLines(r, "Error: Include file not found: 'missing-one.pbi'"), 1)
        << r.out << r.err;
    EXPECT_EQ(CountLines(r, "Error: Include file not found: 'sub/missing-two.pbi'"), 1);
    // Once from the main file, once from the assembled source.
    EXPECT_EQ(CountLines(r, "Error: Unknown Config-Parameter found: '#ORV_Config_NoSuchThing'"), 2);
    EXPECT_TRUE(r.HasLine("something went wrong! :-("));
}

TEST(AssemblyRun, ConsoleRunWritesTheAssembledScript) {
    RunSandbox box;
    box.WriteProfiles(Profiles(box));
    box.WriteFile(box.WorkFolder() + "orv.pbi", box.ReadFile(box.ProgramFolder() + "orv.pbi"));
    box.WriteSource("part.pbi", "Global orvFromPart = 5\r\n");
    std::string main = box.WriteSource("main.pb",
                                       "XIncludeFile \"orv.pbi\"\r\n"
                                       "ORV_Converter_SetProfile(\"web\")\r\n"
                                       "ORV_Converter_DoNotCopy\r\n"
                                       "ORV_SetConfig(#ORV_Config_ApplicationName, \"whole\")\r\n"
                                       "IncludeFile \"part.pbi\"\r\n"
                                       "!window.orvWhole = 1;\r\n");
    RunResult r = box.Run({main});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    std::string script = box.ReadFile(box.ServerFolder() + "whole.js");
    EXPECT_NE(script.find("orvFromPart"), std::string::npos) << script;
    EXPECT_NE(script.find("\nwindow.orvWhole = 1;\n"), std::string::npos) << script;
    for (const char* gone : {"ORV_SetConfig", "DoNotCopy", "Macro", "\"whole\""})
        EXPECT_EQ(script.find(gone), std::string::npos) << gone << "\n" << script;
}
