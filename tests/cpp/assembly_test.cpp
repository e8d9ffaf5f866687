#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "converter/run/directives.h"
#include "converter/run/source_assembly.h"
#include "platform/platform.h"

using namespace orvane;
namespace fs = std::filesystem;

namespace {

struct Recorded {
    std::vector<std::string> lines;
    std::vector<std::string> errors;
};

void Record(Conversion& conv, Recorded& log) {
    conv.Sink = [&log](const std::string& line, bool error) {
        log.lines.push_back(line);
        if (error) log.errors.push_back(line);
    };
}

// A fresh folder per test, removed afterwards.
struct ScratchFolder {
    fs::path path;
    ScratchFolder() {
        path = fs::temp_directory_path() /
               ("orvane_assembly_" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string Write(const std::string& name, const std::string& content) const {
        fs::path file = path / name;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        return file.string();
    }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
};

}  // namespace

TEST(IncludeCheck, IncludeLinesNamingOrvPbiInAnyFormPass) {
    EXPECT_TRUE(IncludesOrvPbi("XIncludeFile \"orv.pbi\"\n"));
    EXPECT_TRUE(IncludesOrvPbi("a = 1\n  \txincludefile \"../lib/ORV.PBI\"\r\n"));
    EXPECT_TRUE(IncludesOrvPbi("IncludeFile(\"C:\\PureBasic\\orv.pbi\")\n"));
    EXPECT_FALSE(IncludesOrvPbi("; this program uses orv.pbi\n"));
    EXPECT_FALSE(IncludesOrvPbi("XIncludeFile \"other.pbi\" \n; orv.pbi\n"));
    EXPECT_FALSE(IncludesOrvPbi(""));
}

TEST(ExpandIncludes, InlinesIncludesRelativeToTheMainFileInEveryForm) {
    ScratchFolder dir;
    dir.Write("inc1.pbi", "x = 1\r\ny = 2");
    dir.Write("sub/inc2.pbi", "XIncludeFile \"inc1.pbi\"\nz = 3\n");
    Conversion conv;
    Recorded log;
    Record(conv, log);
    conv.SourceFile = dir.Write("main.pb", "");
    std::string result = ExpandIncludes(conv,
                                        "a\r\n"
                                        "  IncludeFile \"inc1.pbi\"\r\n"
                                        "XINCLUDEFILE(\"sub/inc2.pbi\") ; trailing comment\r\n"
                                        "; IncludeFile \"nothing.pbi\"\r\n"
                                        "s$ = \"IncludeFile missing.pbi\"\r\n"
                                        "\r\n"
                                        "b\r\n"
                                        "dropped");
    // The included file's last line comes along; its own include stays as written (one level).
    EXPECT_EQ(result,
              "a\nx = 1\ny = 2\nXIncludeFile \"inc1.pbi\"\nz = 3\n"
              "; IncludeFile \"nothing.pbi\"\ns$ = \"IncludeFile missing.pbi\"\nb\n");
    EXPECT_TRUE(log.errors.empty());
}

TEST(ExpandIncludes, TwoIncludesOnOneLineAndAbsolutePaths) {
    ScratchFolder dir;
    std::string first = dir.Write("first.pbi", "first\n");
    dir.Write("second.pbi", "second\n");
    Conversion conv;
    conv.SourceFile = dir.Write("main.pb", "");
    EXPECT_EQ(ExpandIncludes(conv,
                             "IncludeFile \"first.pbi\" : IncludeFile \"second.pbi\"\n"
                             "IncludeFile \"" +
                                 first + "\"\n"),
              "second\nfirst\n");
}

TEST(ExpandIncludes, EveryMissingIncludeIsReportedAtOnceByName) {
    ScratchFolder dir;
    dir.Write("ok.pbi", "ok\n");
    dir.Write("binary.bin", std::string("PK\0\x03\x04\0\0", 7));
    Conversion conv;
    Recorded log;
    Record(conv, log);
    conv.SourceFile = dir.Write("main.pb", "");
    auto start = std::chrono::steady_clock::now();
    std::string result = ExpandIncludes(conv,
                                        "IncludeFile \"gone.pbi\"\n"
                                        "IncludeFile \"ok.pbi\"\n"
                                        "XIncludeFile \"../nowhere/also gone.pbi\"\n"
                                        "IncludeFile\n"
                                        "IncludeBinary \"x\"\n"
                                        "IncludeFile \"binary.bin\"\n"
                                        "c\n");
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 3.0);
    EXPECT_EQ(result, "ok\nIncludeBinary \"x\"\nc\n");
    EXPECT_EQ(log.errors,
              (std::vector<std::string>{"Error: Include file not found: 'gone.pbi'",
                                        "Error: Include file not found: '../nowhere/also gone.pbi'",
                                        "Error: Include statement without a file name in line 4",
                                        "Error: Include file is not a text file: 'binary.bin'"}));
    EXPECT_TRUE(conv.RunFailed);
}

TEST(ExpandIncludes, BareNamesFallBackToTheProgramFolder) {
    ScratchFolder program;
    ScratchFolder work;
    program.Write("orv.pbi", "; from the program folder\n");
    program.Write("sub.pbi", "; must not be found through a path\n");
    Conversion conv;
    Recorded log;
    Record(conv, log);
    conv.ProgramFolder = program.path.string() + "/";
    conv.SourceFile = work.Write("main.pb", "");
    EXPECT_EQ(ExpandIncludes(conv, "XIncludeFile \"orv.pbi\"\nx\n"),
              "; from the program folder\nx\n");
    EXPECT_TRUE(log.errors.empty());
    ExpandIncludes(conv, "IncludeFile \"lib/sub.pbi\"\n");
    EXPECT_EQ(log.errors,
              (std::vector<std::string>{"Error: Include file not found: 'lib/sub.pbi'"}));
}

TEST(RemoveDataSections, DropsSectionsAndRecordsBinaryFiles) {
    Conversion conv;
    std::string result = RemoveDataSections(conv,
                                            "a\n"
                                            "  DataSection\n"
                                            "Data.l 1, 2\n"
                                            "pic: IncludeBinary \"inside.png\"\n"
                                            " EndDataSection  \n"
                                            "\n"
                                            "IncludeBinary \"img/a.png\"\n"
                                            "includebinary #File\n"
                                            "IncludeBinary \"img/a.png\"\n"
                                            "b\n"
                                            "tail");
    EXPECT_EQ(result, "a\nb\n");
    EXPECT_EQ(conv.IncludeBinaryFiles,
              (std::vector<std::string>{"inside.png", "img/a.png", "img/a.png"}));
    EXPECT_TRUE(conv.Tokens.Empty());
}

TEST(HoistDeclarations, GlobalLinesAndStructuresMoveToTheFrontInOrder) {
    Conversion conv;
    std::string result = HoistDeclarations(conv,
                                           "a = 1\r\n"
                                           "Procedure P()\n"
                                           "  Global inner.i = 2\n"
                                           "EndProcedure\n"
                                           "Structure Point\n"
                                           "  x.l\n"
                                           "  y.l\n"
                                           "EndStructure\n"
                                           "; Global in a comment\n"
                                           "s$ = \"Global\"\n"
                                           "GLOBAL outer\n");
    ASSERT_EQ(result.substr(0, result.find("a = 1")),
              "Global inner.i = 2\nStructure Point\n\nx.l\n\n"
              "y.l\n\nEndStructure\nGLOBAL outer\n");
    EXPECT_EQ(result.substr(result.find("a = 1")),
              "a = 1\nProcedure P()\nEndProcedure\n"
              "; Global in a comment\ns$ = \"Global\"\n");
}

TEST(HoistDeclarations, ConstantsAndEnumerationsGoUpWithTheGlobalsTheyFeed) {
    Conversion conv;
    std::string result = HoistDeclarations(conv,
                                           "a = 1\n"
                                           "#Max = 10\n"
                                           "Enumeration\n"
                                           "  #Red\n"
                                           "EndEnumeration\n"
                                           "Global total = #Max + #Red\n"
                                           "x = #Max\n"
                                           "If b = #Max : #Wrong : EndIf\n");
    EXPECT_EQ(result,
              "#Max = 10\nEnumeration\n#Red\nEndEnumeration\nGlobal total = #Max + #Red\n"
              "a = 1\nx = #Max\nIf b = #Max : #Wrong : EndIf\n");
}

TEST(ProjectSourceFile, MainFileOfAnIdeProject) {
    ScratchFolder dir;
    dir.Write("main.pb", "x\n");
    dir.Write("app.pbp",
              "<project>\n  <files>\n    <inputfile value=\" \"main.pb\" \"/>\n</project>\n");
    dir.Write("none.pbp", "<project>\n<file name=\"main.pb\"/>\n</project>\n");
    Conversion conv;
    Recorded log;
    Record(conv, log);
    EXPECT_EQ(ProjectSourceFile(conv, dir / "app"), dir / "main.pb");
    EXPECT_TRUE(log.errors.empty());
    EXPECT_EQ(ProjectSourceFile(conv, dir / "none.pbp"), "");
    EXPECT_EQ(ProjectSourceFile(conv, dir / "missing.pbp"), "");
    ASSERT_EQ(log.errors.size(), 2u);
    EXPECT_NE(log.errors[0].find("none.pbp"), std::string::npos);
    EXPECT_EQ(log.errors[1], "Error: Project file not found: '" + (dir / "missing.pbp") + "'");
}

TEST(SyntaxCheck, RunsTheCompilerAndReportsItsOutputLineByLine) {
    ScratchFolder dir;
    Conversion conv;
    Recorded log;
    Record(conv, log);
    conv.CompilerPath = std::string(ORVANE_SOURCE_DIR) + "/tests/fakes/pbcompiler";
    conv.SourceFile = dir.Write("my prog.pb", "x\n");
    setenv("FAKE_PBCOMPILER_LOG", (dir / "args.txt").c_str(), 1);
    setenv("FAKE_PBCOMPILER_OUTPUT", "Line 3: Syntax error.\nsecond line", 1);
    setenv("FAKE_PBCOMPILER_EXIT", "1", 1);
    EXPECT_FALSE(SyntaxCheck(conv));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"", "Syntaxcheck. Starting PureBasic...",
                                                   "Line 3: Syntax error.", "second line"}));
    EXPECT_EQ(ReadTextFileNow(dir / "args.txt"), "/CHECK " + conv.SourceFile + "\n");

    setenv("FAKE_PBCOMPILER_EXIT", "0", 1);
    unsetenv("FAKE_PBCOMPILER_OUTPUT");
    EXPECT_TRUE(SyntaxCheck(conv));
    EXPECT_FALSE(conv.RunFailed);
    unsetenv("FAKE_PBCOMPILER_LOG");
    unsetenv("FAKE_PBCOMPILER_EXIT");

    log.lines.clear();
    conv.CompilerPath = dir / "no-such-compiler";
    EXPECT_FALSE(SyntaxCheck(conv));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"", "Syntaxcheck. Starting PureBasic...", "",
                                                   "Error: Something went wrong :-(", ""}));
}

// orv.pbi is inlined like any include; nothing of it may reach the translator but the two
// marker macros, which macro removal drops.
TEST(OrvPbi, LeavesNoTraceAfterInliningAndDefinesEveryDirective) {
    const std::string orvPbi = std::string(ORVANE_SOURCE_DIR) + "/converter/run/orv.pbi";
    const std::string content = ReadTextFileNow(orvPbi);
    ASSERT_FALSE(content.empty());
    for (const char* word : {"ORV_Converter_SetProfile(",
                             "ORV_Converter_DoNotCopy",
                             "ORV_SetConfig(",
                             "ORV_Converter_Begin_Raw",
                             "ORV_Converter_End_Raw",
                             "ORV_EnableJS",
                             "ORV_DisableJS",
                             "EnableJS",
                             "DisableJS",
                             "EnableCGI",
                             "DisableCGI",
                             "EnablePHP",
                             "DisablePHP",
                             "EnablePython",
                             "DisablePython",
                             "EnableNodeJs",
                             "DisableNodeJs",
                             "EnableASPX",
                             "DisableASPX",
                             "EnableASP",
                             "DisableASP"})
        EXPECT_NE(content.find(std::string("\nMacro ") + word), std::string::npos) << word;
    for (const char* name :
         {"ApplicationName", "ServerAddress", "TargetFolder", "ServerAddressJS", "TargetFolderJS",
          "AspFilename", "AspAddress", "AspxFilename", "AspxAddress", "CgiFilename", "CgiAddress",
          "PhpFilename", "PhpAddress", "NodeJsFilename", "NodeJsAddress", "PythonFilename",
          "PythonAddress", "UseFlask", "FlaskPort"})
        EXPECT_NE(content.find(std::string("\n#ORV_Config_") + name + " = "), std::string::npos)
            << name;

    ScratchFolder dir;
    fs::copy_file(orvPbi, dir.path / "orv.pbi");
    Conversion conv;
    Recorded log;
    Record(conv, log);
    conv.SourceFile = dir.Write("main.pb", "");
    std::string text = StripCommentBlocks(conv, "XIncludeFile \"orv.pbi\"\r\nDebug 1\r\n");
    text = ExpandIncludes(conv, text);
    text = StripCommentBlocks(conv, text);
    EXPECT_EQ(text,
              "Macro ORV_Converter_Begin_Comment\nEndMacro\n"
              "Macro ORV_Converter_End_Comment\nEndMacro\nDebug 1\n");
    ScanDirectives(conv, text);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(conv.Settings.ProfileName, "");
}

// A pass that rescans from the start per line or token would take minutes here.
TEST(AssemblyStages, CostGrowsLinearlyWithTheSource) {
    ScratchFolder dir;
    dir.Write("inc.pbi", "Global fromInclude = 1\n");
    Conversion conv;
    conv.SourceFile = dir.Write("main.pb", "");
    std::string source;
    for (int i = 0; i < 5000; ++i)
        source += "IncludeFile \"inc.pbi\"\nStructure S" + std::to_string(i) +
                  "\nx.l\nEndStructure\nGlobal g" + std::to_string(i) +
                  " = 1\n!js();\nORV_SetConfig(#ORV_Config_FlaskPort, 1) ; c\n"
                  "ORV_Converter_Begin_Comment\nhidden\nORV_Converter_End_Comment\n";
    auto start = std::chrono::steady_clock::now();
    ScanDirectives(conv, source);
    std::string text = StripCommentBlocks(conv, ExpandIncludes(conv, source));
    text = HoistDeclarations(conv, RemoveDataSections(conv, ExpandBangLines(conv, text)));
    DisableDirectives(conv, ResolveRawBlocks(conv, text));
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 30.0);
    EXPECT_EQ(CountOf(text, "Global fromInclude = 1\n"), 5000u);
    EXPECT_EQ(text.find("hidden"), std::string::npos);
    std::cout << "assembly stages over " << source.size() << " bytes: " << seconds << " s\n";
}
