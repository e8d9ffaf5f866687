// The parsed program and the JavaScript written from it: PureBasic's priorities, integer
// arithmetic, scopes, names and the errors a program gets instead of a broken script.
#include <gtest/gtest.h>

#include "converter/program/emit.h"
#include "converter/program/lexer.h"
#include "converter/program/parser.h"

namespace orvane::program {
namespace {

LibraryIndex SmallLibrary() {
    LibraryIndex lib;
    lib.Functions["str"] = {"String", "Str", false};
    lib.Functions["len"] = {"String", "Len", false};
    lib.Functions["sqr"] = {"Math", "Sqr", false};
    lib.Functions["delay"] = {"Misc", "Delay", true};
    lib.Documented["str"] = {"Str", 's', 1, 1, 0, 0};
    lib.Documented["len"] = {"Len", 'i', 1, 1, 0, 0};
    lib.Documented["sqr"] = {"Sqr", 'd', 1, 1, 0, 1};
    lib.Documented["delay"] = {"Delay", 'v', 1, 1, 0, 0};
    lib.Documented["runprogram"] = {"RunProgram", 'i', 1, 4, 0, 0};
    return lib;
}

// The script, or "ERROR: " and the first error.
std::string Translate(const std::string& source, EmitResult* keep = nullptr) {
    Program program;
    ParseError error;
    if (!ParseProgram(LexProgram(source), program, error))
        return "ERROR: Line " + std::to_string(error.Line) + ": " + error.Message;
    EmitResult result;
    EmitProgram(program, SmallLibrary(), result);
    if (keep) *keep = result;
    if (!result.Errors.empty()) return "ERROR: " + result.Errors.front();
    return result.Script;
}

bool Has(const std::string& script, const std::string& part) {
    return script.find(part) != std::string::npos;
}

TEST(Program, PureBasicPrioritiesAndIntegerArithmetic) {
    // "&" binds tighter than "=": x & 1 = 0 compares the masked value
    std::string js = Translate("x = 6\nIf x & 1 = 0 : y = 1 : EndIf");
    EXPECT_TRUE(Has(js, "(cPB.And(x, 1) == 0)")) << js;
    // "<<" binds tighter than "+"; And and Or share one level, left to right
    js = Translate("a = 1 << 2 + 3\nb = a Or a And 0");
    EXPECT_TRUE(Has(js, "a = (cPB.Shl(1, 2) + 3);")) << js;
    EXPECT_TRUE(Has(js, "((a || a) && 0)")) << js;
    // integer division unless a float takes part or receives the result
    js = Translate("a = 7 : b = 2\nc = a / b\nf.f = a / b\nd.d = a / b * 2.0\nDebug a / b");
    EXPECT_TRUE(Has(js, "c = cPB.Div(a, b);")) << js;
    EXPECT_TRUE(Has(js, "f = Math.fround((a / b));")) << js;
    EXPECT_TRUE(Has(js, "d = ((a / b) * 2.0);")) << js;
    EXPECT_TRUE(Has(js, "cDebugger.Debug(cPB.Div(a, b));")) << js;
    // a float parameter works its argument out in floating point; Str takes a quad
    js = Translate("a = 5\nDebug Sqr(a / 2)\nDebug Str(a / 2)");
    EXPECT_TRUE(Has(js, "cMath.Sqr((a / 2))")) << js;
    EXPECT_TRUE(Has(js, "cString.Str(cPB.Div(a, 2))")) << js;
    // a float stored into an integer rounds; small types wrap
    js = Translate("i = 2.5 * x\nDefine b.b = x + 1, n.a = 300");
    EXPECT_TRUE(Has(js, "i = cPB.Round((2.5 * x));")) << js;
    EXPECT_TRUE(Has(js, "b = ((x + 1)) << 24 >> 24;")) << js;
    EXPECT_TRUE(Has(js, "n = (300) & 255;")) << js;
    // Bool compares; the shorthand "n / 10" stores
    js = Translate("Debug Bool(y = 7)\nn = 125\nn / 10");
    EXPECT_TRUE(Has(js, "cDebugger.Debug(((y == 7) ? 1 : 0));")) << js;
    EXPECT_TRUE(Has(js, "n = cPB.Div(n, 10);")) << js;
}

TEST(Program, ScopesNamesAndDefaults) {
    // a variable first used in a procedure is its own, so recursion keeps its value
    std::string js = Translate(
        "Global total\nProcedure Walk(n)\n  depth = n\n  If n > 0 : Walk(n - 1) : EndIf\n"
        "  total + depth\nEndProcedure\nWalk(3)");
    EXPECT_TRUE(Has(js, "function Walk(n) {\n    var depth = 0;")) << js;
    EXPECT_TRUE(Has(js, "total = (total + depth);")) << js;
    // one object whatever the spelling; reserved words renamed; strings start as ""
    js = Translate("Count = 1\ncOUNT + 1\nnew = 2\nDebug S$ + STR(count)");
    EXPECT_TRUE(Has(js, "var Count = 0, new_ = 0, S$ = \"\";")) << js;
    EXPECT_TRUE(Has(js, "Count = (Count + 1);")) << js;
    EXPECT_TRUE(Has(js, "cString.Str(Count)")) << js;
    // default parameters are filled in at the call
    js = Translate(
        "Procedure.s Pad(t.s, n = 3, c$ = \"*\")\n  ProcedureReturn t\nEndProcedure\n"
        "Debug Pad(\"a\")");
    EXPECT_TRUE(Has(js, "Pad(\"a\", 3, \"*\")")) << js;
    // escaped strings decode; plain strings keep their backslashes
    js = Translate("a$ = ~\"x\\ty\"\nb$ = \"c:\\dir\"");
    EXPECT_TRUE(Has(js, "a$ = \"x\\ty\";")) << js;
    EXPECT_TRUE(Has(js, "b$ = \"c:\\\\dir\";")) << js;
}

TEST(Program, BlockingCallsMakeProceduresAsync) {
    EmitResult result;
    std::string js = Translate(
        "Procedure Wait()\n  Delay(10)\nEndProcedure\nProcedure Outer()\n  Wait()\nEndProcedure\n"
        "Procedure Plain()\nEndProcedure\nOuter()\nPlain()",
        &result);
    EXPECT_TRUE(Has(js, "async function Wait()")) << js;
    EXPECT_TRUE(Has(js, "async function Outer()")) << js;
    EXPECT_TRUE(Has(js, "function Plain()")) << js;
    EXPECT_FALSE(Has(js, "async function Plain()")) << js;
    EXPECT_TRUE(Has(js, "cPB.Async(async function () {")) << js;
    EXPECT_TRUE(Has(js, "(await Outer());")) << js;
}

TEST(Program, ErrorsInsteadOfBrokenScripts) {
    EXPECT_EQ(Translate("If a\n  b = 1\n"), "ERROR: Line 1: If without EndIf");
    EXPECT_EQ(Translate("x = 1\nEndIf"), "ERROR: Line 2: EndIf without If");
    EXPECT_EQ(Translate("EnableExplicit\nDefine a\na = b"),
              "ERROR: Line 3: variable not declared: b");
    EXPECT_EQ(Translate("Procedure F(a)\nEndProcedure\nF(1, 2)"),
              "ERROR: Line 3: too many arguments for F()");
    EXPECT_EQ(Translate("Goto nowhere"), "ERROR: Line 1: label not found: nowhere");
    EXPECT_EQ(Translate("Declare G()\nG()"),
              "ERROR: Line 1: procedure declared but not defined: G()");
    EXPECT_EQ(Translate("Structure P\n  x.i\nEndStructure\nDefine p.P\np\\y = 1"),
              "ERROR: Line 5: field not found in structure P: y");
    EXPECT_EQ(Translate("x = Nothing(1)"), "ERROR: Line 1: procedure not found: Nothing()");
    EXPECT_EQ(Translate("UseModule Missing"), "ERROR: Line 1: module not found: Missing");
    EXPECT_EQ(Translate("Module M\nEndModule\nEndModule"),
              "ERROR: Line 3: EndModule without Module");
    std::string deep = "x = " + std::string(3000, '(') + "1" + std::string(3000, ')');
    EXPECT_EQ(Translate(deep), "ERROR: Line 1: nesting too deep");
    std::string blocks;
    for (int i = 0; i < 300; ++i)
        blocks += "If 1\n";
    EXPECT_EQ(Translate(blocks), "ERROR: Line 200: blocks nested too deeply");
    // a documented function the browser lacks converts with a warning and an error line at run
    EmitResult result;
    std::string js = Translate("RunProgram(\"ls\")", &result);
    EXPECT_TRUE(Has(js, "cPB.Unavailable(\"RunProgram\", 1)")) << js;
    ASSERT_EQ(result.Warnings.size(), 1u);
    EXPECT_EQ(result.Warnings[0], "Line 1: RunProgram() is not available in the browser");
}

TEST(Program, StructuresPointersDataAndJumps) {
    std::string js = Translate(
        "Structure Inner\n  v.w\nEndStructure\nStructure Outer\n  name.s\n  in.Inner\n"
        "  List items.i()\n  codes.l[3]\nEndStructure\nDefine o.Outer\n*p.Outer = @o\n"
        "*p\\name = \"x\"\nDebug *p\\in\\v\no\\codes[1] = 70000 * 70000");
    EXPECT_TRUE(Has(js,
                    "return { \"name\": \"\", \"in\": ORV_Struct_Inner(), \"items\": new "
                    "cLinkedList(0), \"codes\": new Int32Array(3) };"))
        << js;
    EXPECT_TRUE(Has(js, "ORV_Struct_Outer.ORV_Size = 30;")) << js;
    EXPECT_TRUE(Has(js, "cMemory.ORV_Set(p, 0, 8, \"name\", \"x\");")) << js;
    js = Translate(
        "Restore two\nRead.s a$\nDataSection\none:\nData.i 1, 2\ntwo:\nData.s \"b\"\n"
        "EndDataSection");
    EXPECT_TRUE(Has(js, "cCommon.ORV_DataArray = [1, 2, \"b\"];")) << js;
    EXPECT_TRUE(Has(js, "cCommon.ORV_DataTypes = \"iis\";")) << js;
    EXPECT_TRUE(Has(js, "cCommon.Restore(2);")) << js;
    EXPECT_TRUE(Has(js, "a$ = cCommon.Read(\"s\");")) << js;
    // a file included with IncludeBinary reaches the Catch functions as its content
    {
        Program program;
        ParseError error;
        ASSERT_TRUE(ParseProgram(LexProgram("x = ?Pic\nDataSection\nPic:\nIncludeBinary \"a.png\"\n"
                                            "PicEnd:\nEndDataSection"),
                                 program, error));
        EmitResult result;
        EmitProgram(program, SmallLibrary(), result,
                    [](const std::string& path) { return "data:image/png;base64,QUJD" + path; });
        EXPECT_TRUE(Has(result.Script, "x = \"data:image/png;base64,QUJDa.png\";"))
            << result.Script;
        ASSERT_EQ(result.IncludedBinaries.size(), 1u);
        EXPECT_EQ(result.IncludedBinaries[0], "a.png");
    }
    js = Translate("top:\ni + 1\nIf i < 3 : Goto top : EndIf\nGosub sub\nEnd\nsub:\nj = 1\nReturn");
    EXPECT_TRUE(Has(js, "ORV_jump: for (;;) {")) << js;
    EXPECT_TRUE(Has(js, "ORV_goto = 1; continue ORV_jump;")) << js;
    EXPECT_TRUE(Has(js, "function ORV_Gosub_sub() {")) << js;
}

}  // namespace
}  // namespace orvane::program
