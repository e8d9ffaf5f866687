#include "converter/run/directives.h"

#include <gtest/gtest.h>

using namespace orvane;

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

std::string TokensText(const TokenList& tokens) {
    std::string out;
    for (const Token& t : tokens.ToVector())
        if (!t.Text.empty()) out += t.Text == "\n" ? "\n" : t.Text + " ";
    return out;
}

}  // namespace

TEST(ScanDirectives, ProfileNameDoNotCopyAndEveryParameter) {
    Conversion conv;
    Recorded log;
    Record(conv, log);
    ScanDirectives(conv,
                   "XIncludeFile \"orv.pbi\"\n"
                   "orv_converter_setprofile ( \"My Profile\" )\n"
                   "ORV_Converter_DoNotCopy\n"
                   "ORV_SetConfig(#ORV_Config_ApplicationName, \"app\")\n"
                   "ORV_SetConfig(#ORV_Config_ServerAddress, \"http://h/\")\n"
                   "ORV_SetConfig(#ORV_Config_TargetFolder, \"/srv/www\")\n"
                   "ORV_SetConfig(#ORV_Config_ServerAddressJS, \"sajs\")\n"
                   "ORV_SetConfig(#ORV_Config_TargetFolderJS, \"tfjs\")\n"
                   "ORV_SetConfig(#ORV_Config_AspFilename, \"a.asp\")\n"
                   "ORV_SetConfig(#ORV_Config_AspAddress, \"aa\")\n"
                   "ORV_SetConfig(#ORV_Config_AspxFilename, \"a.aspx\")\n"
                   "ORV_SetConfig(#ORV_Config_AspxAddress, \"axa\")\n"
                   "ORV_SetConfig(#ORV_Config_CgiFilename, \"c.cgi\")\n"
                   "ORV_SetConfig(#ORV_Config_CgiAddress, \"ca\")\n"
                   "ORV_SetConfig(#ORV_Config_PhpFilename, \"p.php\")\n"
                   "ORV_SetConfig(#ORV_Config_PhpAddress, \"pa\")\n"
                   "ORV_SetConfig(#ORV_Config_NodeJsFilename, \"n.js\")\n"
                   "ORV_SetConfig(#ORV_Config_NodeJsAddress, \"na\")\n"
                   "ORV_SetConfig(#ORV_Config_PythonFilename, \"p.py\")\n"
                   "ORV_SetConfig(#orv_config_pythonaddress, \"pya\")\n"
                   "ORV_SetConfig(#ORV_Config_UseFlask, #True)\n"
                   "ORV_SetConfig(#ORV_Config_FlaskPort, 8080)\n");
    const RunSettings& s = conv.Settings;
    EXPECT_EQ(s.ProfileName, "My Profile");
    EXPECT_EQ(s.DoNotCopy, 1);
    EXPECT_EQ(s.ApplicationNameConfig, "app");
    EXPECT_EQ(s.ServerAddressConfig, "http://h/");
    EXPECT_EQ(s.TargetFolder, "/srv/www");
    EXPECT_EQ(s.ServerAddressJS, "sajs");
    EXPECT_EQ(s.TargetFolderJS, "tfjs");
    EXPECT_EQ(s.AspFilenameConfig, "a.asp");
    EXPECT_EQ(s.AspAddressConfig, "aa");
    EXPECT_EQ(s.AspxFilenameConfig, "a.aspx");
    EXPECT_EQ(s.AspxAddressConfig, "axa");
    EXPECT_EQ(s.CgiFilenameConfig, "c.cgi");
    EXPECT_EQ(s.CgiAddressConfig, "ca");
    EXPECT_EQ(s.PhpFilenameConfig, "p.php");
    EXPECT_EQ(s.PhpAddressConfig, "pa");
    EXPECT_EQ(s.NodeJsFilenameConfig, "n.js");
    EXPECT_EQ(s.NodeJsAddressConfig, "na");
    EXPECT_EQ(s.PythonFilenameConfig, "p.py");
    EXPECT_EQ(s.PythonAddressConfig, "pya");
    EXPECT_EQ(s.UseFlaskConfig, "1");
    EXPECT_EQ(s.FlaskPortConfig, "8080");
    EXPECT_TRUE(log.errors.empty());
    EXPECT_FALSE(conv.RunFailed);
}

TEST(ScanDirectives, ValuesAsWrittenAndLaterOverridesEarlier) {
    Conversion conv;
    ScanDirectives(conv,
                   "ORV_SetConfig(#ORV_Config_FlaskPort, \"8080\")\n"
                   "ORV_SetConfig(#ORV_Config_UseFlask, #False)\n");
    EXPECT_EQ(conv.Settings.FlaskPortConfig, "8080");
    EXPECT_EQ(conv.Settings.UseFlaskConfig, "#False");
    ScanDirectives(conv,
                   "ORV_SetConfig(#ORV_Config_UseFlask, true)\n"
                   "ORV_Converter_SetProfile(\"a\")\nORV_Converter_SetProfile(\"b\")\n");
    EXPECT_EQ(conv.Settings.UseFlaskConfig, "1");
    EXPECT_EQ(conv.Settings.ProfileName, "b");
    EXPECT_EQ(conv.Settings.DoNotCopy, 0);
}

TEST(ScanDirectives, ProfileWordWithoutStringAndDirectivesInCommentsOrStrings) {
    Conversion conv;
    conv.Settings.ProfileName = "kept";
    ScanDirectives(conv,
                   "; ORV_Converter_SetProfile(\"c\")\n"
                   "s$ = \"ORV_Converter_DoNotCopy\"\n"
                   "ORV_Converter_SetProfile\n");
    EXPECT_EQ(conv.Settings.ProfileName, "kept");
    EXPECT_EQ(conv.Settings.DoNotCopy, 0);
}

TEST(ScanDirectives, UnknownParameterIsAnErrorButTheScanGoesOn) {
    Conversion conv;
    Recorded log;
    Record(conv, log);
    ScanDirectives(conv,
                   "ORV_SetConfig(#ORV_Config_Nonsense, 1)\n"
                   "ORV_SetConfig(#ORV_Config_PhpAddress, \"x\")\n");
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{
                  "", "Error: Unknown Config-Parameter found: '#ORV_Config_Nonsense'", ""}));
    EXPECT_TRUE(conv.RunFailed);
    EXPECT_EQ(conv.Settings.PhpAddressConfig, "x");
}

TEST(ScanDirectives, DirectiveCutOffAtTheEndTakesWhatIsThere) {
    Conversion conv;
    Recorded log;
    Record(conv, log);
    ScanDirectives(conv, "ORV_SetConfig(#ORV_Config_CgiAddress");
    EXPECT_EQ(conv.Settings.CgiAddressConfig, "");
    EXPECT_TRUE(log.errors.empty());
    ScanDirectives(conv, "ORV_SetConfig");
    ASSERT_EQ(log.errors.size(), 1u);
    EXPECT_EQ(log.errors[0], "Error: Unknown Config-Parameter found: ''");
}

TEST(StripCommentBlocks, RemovesBlocksWithoutNestingAndDropsEmptyLines) {
    Conversion conv;
    Recorded log;
    Record(conv, log);
    EXPECT_EQ(StripCommentBlocks(conv,
                                 "a\n  ORV_Converter_Begin_Comment  \nb\n"
                                 "orv_converter_begin_comment\nc\nORV_CONVERTER_END_COMMENT\n"
                                 "d\n\n   \n  e  \nf"),
              "a\nd\ne\n");
    // A carriage return at the end of a line stays (the first pass sees the file as read).
    EXPECT_EQ(StripCommentBlocks(conv,
                                 "a\r\n\tORV_Converter_Begin_Comment\r\nb\r\n"
                                 "ORV_Converter_End_Comment\r\nc\r\n"),
              "a\r\nc\r\n");
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(
        StripCommentBlocks(conv, "ORV_Converter_Begin_Comment\nx\nORV_Converter_End_Comment\n"),
        "");
}

// Server code keeps its indentation (Python reads its blocks from it); the marker lines and all
// other lines are trimmed as before, and a comment block hides a marker.
TEST(StripCommentBlocks, ServerBlocksKeepTheirIndentation) {
    Conversion conv;
    Recorded log;
    Record(conv, log);
    EXPECT_EQ(StripCommentBlocks(conv,
                                 "  a\n  EnablePython  \nProcedureDLL F(x)\n  if x:  \n"
                                 "    return 1\n\n   \n  return 2\nEndProcedure\n"
                                 "  disablepython\n  b\n"),
              "a\nEnablePython\nProcedureDLL F(x)\n  if x:\n    return 1\n  return 2\n"
              "EndProcedure\ndisablepython\nb\n");
    EXPECT_EQ(StripCommentBlocks(conv, "\tEnableASPX\r\n  x\r\nDisableASPX\r\n  y\r\n"),
              "\tEnableASPX\r\n  x\r\nDisableASPX\r\ny\r\n");
    EXPECT_EQ(StripCommentBlocks(conv,
                                 "ORV_Converter_Begin_Comment\nEnablePHP\n"
                                 "ORV_Converter_End_Comment\n  x\n"),
              "x\n");
    EXPECT_EQ(StripCommentBlocks(conv,
                                 "EnableNodeJs\nORV_Converter_Begin_Comment\n  x\n"
                                 "ORV_Converter_End_Comment\n  y\nDisableNodeJs\n"),
              "EnableNodeJs\n  y\nDisableNodeJs\n");
    EXPECT_TRUE(log.lines.empty());
}

TEST(StripCommentBlocks, UnendedBlockRemovesTheRestAndSaysWhere) {
    Conversion conv;
    Recorded log;
    Record(conv, log);
    EXPECT_EQ(StripCommentBlocks(conv, "a\nb\nORV_Converter_Begin_Comment\nc\n"), "a\nb\n");
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_NE(log.lines[0].find("line 3"), std::string::npos);
    EXPECT_FALSE(conv.RunFailed);
}

TEST(ExpandBangLines, BangLinesBecomeOneLineRawBlocks) {
    Conversion conv;
    EXPECT_EQ(ExpandBangLines(conv, "a = 1\n\n\n   \t!alert(\"x\");\nDebug 1 ; !no\n!\nb"),
              "a = 1\nEnableJS\n;alert(\"x\");\nDisableJS\nDebug 1 ; !no\n"
              "EnableJS\n;\nDisableJS\nb\n");
    EXPECT_EQ(ExpandBangLines(conv, ""), "");
}

TEST(ResolveRawBlocks, RawLinesLoseTheirCommentMark) {
    Conversion conv;
    EXPECT_EQ(ResolveRawBlocks(conv,
                               ";keep\n  ORV_EnableJS  \n  ;var a = 1;\n;b()\n"
                               "ORV_DisableJS\n;after\n\n"),
              ";keep\nORV_EnableJS\nvar a = 1;\nb()\nORV_DisableJS\n;after\n\n");
    // Any line mentioning EnableJS opens a raw state, even a call of a procedure named so.
    EXPECT_EQ(ResolveRawBlocks(conv, "MyEnableJSThing()\n;x\nDisableJS\n;y\ntail"),
              "MyEnableJSThing()\nx\nDisableJS\n;y\n");
    EXPECT_EQ(ResolveRawBlocks(conv, ";ORV_Converter_Begin_Raw\n;z\nORV_Converter_End_Raw\n"),
              "ORV_Converter_Begin_Raw\nz\nORV_Converter_End_Raw\n");
}

TEST(DisableDirectives, DirectiveLinesBecomeCommentsOrVanish) {
    Conversion conv;
    DisableDirectives(conv,
                      "ORV_Converter_SetProfile ( \"p\" ) ; note\n"
                      "orv_setconfig ( #ORV_Config_PhpAddress , \"x\" )\n"
                      "ORV_Converter_DoNotCopy\n"
                      "enablejs\n"
                      "var a = 1;\n"
                      "DisableJS\n"
                      "b = 2\n");
    EXPECT_EQ(TokensText(conv.Tokens),
              "// ORV_Converter_SetProfile ; note \n"
              "\n"
              "\n"
              "// EnableJS \n"
              "var a = 1 ; \n"
              "// DisableJS \n"
              "b = 2 \n");
    for (const Token& t : conv.Tokens.ToVector()) {
        if (t.Text.rfind("// ", 0) == 0) {
            EXPECT_EQ(t.Type, PBSC_Comment);
        }
    }
}
