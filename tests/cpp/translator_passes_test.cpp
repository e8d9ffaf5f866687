#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <fstream>

#include "converter/translator/passes.h"
#include "converter/translator/translate.h"

using namespace orvane;

namespace {

struct Result {
    std::string joined;  // what Translate returns
    std::string script;  // after the re-tokenizing and PostProcess the run performs
    std::vector<std::string> log;
    LibraryNeeds needs;
};

Result Convert(const std::string& source) {
    Conversion conv;
    conv.SystemFolder = "/nonexistent-orvane-system/";
    Result r;
    conv.Sink = [&r](const std::string& line, bool) { r.log.push_back(line); };
    r.joined = Translate(conv, source);
    r.needs = conv.Needs;
    if (r.joined.empty()) return r;
    TokenizeText(conv.Tokens, r.joined);
    r.script = PostProcess(conv);
    return r;
}

std::string Script(const std::string& source) {
    return Convert(source).script;
}

// Token texts after Translate, emptied tokens left out.
std::vector<std::string> Texts(const std::string& source) {
    Conversion conv;
    conv.SystemFolder = "/nonexistent-orvane-system/";
    Translate(conv, source);
    std::vector<std::string> out;
    for (const Token& t : conv.Tokens.ToVector())
        if (!t.Text.empty() && t.Type != PBSC_NewLine) out.push_back(t.Text);
    return out;
}

using V = std::vector<std::string>;

}  // namespace

TEST(TranslateDriver, ConstantsSuffixesLiteralsAndKeywords) {
    EXPECT_EQ(Texts("x = #CRLF$ + #Tab"),
              (V{"x", "=", "cString.Chr(13) + cString.Chr(10)", "+", "9"}));
    EXPECT_EQ(Texts("a$ = b$"), (V{"a", "=", "b"}));
    EXPECT_EQ(Texts("x = *p\\x"), (V{"x", "=", "p", ".", "x"}));
    EXPECT_EQ(Texts("x = $FF"), (V{"x", "=", "cString.Val(\"$FF\")"}));
    EXPECT_EQ(Texts("s = \"C:\\dir\""), (V{"s", "=", "\"C:\\\\dir\""}));
    EXPECT_EQ(Texts("Declare Foo(x)\nx = Bool(a = b)"), (V{"x", "=", "(", "a", "=", "b", ")"}));
    EXPECT_EQ(Texts("EnableDebugger\nCallDebugger"), (V{"cDebugger.EnableDebugger()", "debugger"}));
    EXPECT_EQ(Script("x = a And Not b Or c XOr d\ny = a & b"),
              "x = a && ! b || c ^ d;\ny = a & b;\n");
    EXPECT_EQ(Script("x ! 3\nx & 6\nx | 1"), "x ^= 3;\nx &= 6;\nx |= 1;\n");
}

TEST(TranslateDriver, BinaryLiteralsAreReadByValAndModuloStays) {
    EXPECT_EQ(Texts("y = %1010"), (V{"y", "=", "cString.Val(\"%1010\")"}));
    EXPECT_EQ(Texts("y = % 1010"), (V{"y", "=", "cString.Val(\"%1010\")"}));
    // After a value the scanner makes "%" the modulo operator.
    EXPECT_EQ(Texts("y = a % 2 + 7 % 3 + (b) % 4 + c(1) %5"),
              (V{"y", "=", "a", "%", "2", "+", "7", "%", "3", "+", "(",
                 "b", ")", "%", "4", "+", "c", "(", "1", ")", "%", "5"}));
    // After a keyword only a value can follow: the scanner's "%", "101" is a binary number.
    EXPECT_EQ(Script("Debug %101\nProcedureReturn %11\nIf a Or %1\nEndIf\nDebug x % 10"),
              "cDebugger.Debug(cString.Val(\"%101\"));\nreturn cString.Val(\"%11\");\n"
              "if (a || cString.Val(\"%1\")) {\n};\ncDebugger.Debug(x % 10);\n");
    EXPECT_EQ(Texts("Debug %12"), (V{"cDebugger.Debug", "(", "%", "12", ")"}));
}

// The tokens from the first one whose text is `from` on.
V TextsFrom(const std::string& source, const std::string& from) {
    V all = Texts(source);
    return V(std::find(all.begin(), all.end(), from), all.end());
}

TEST(TranslateDriver, FieldQueriesGiveTheFieldNameAndItsTypeNumber) {
    const std::string structures =
        "Structure P\nName$\nScore.i\n*Link\nRatio.d\nList Tags.s()\nCount\nPos.Point\n"
        "EndStructure\nStructure Q Extends P\nLevel.b\nEndStructure\n";
    EXPECT_EQ(
        TextsFrom(structures + "a = OffsetOf(P\\Name$) + OffsetOf(Q\\score) + OffsetOf(R\\Field)",
                  "a"),
        (V{"a", "=", "\"Name\"", "+", "\"Score\"", "+", "\"Field\""}));
    EXPECT_EQ(
        TextsFrom(structures + "b = TypeOf(P\\Name$) TypeOf(P\\Score) TypeOf(P\\Link) "
                               "TypeOf(Q\\Ratio) TypeOf(Q\\Tags) TypeOf(P\\Count) TypeOf(P\\Pos) "
                               "TypeOf(Q\\Level) TypeOf(R\\Field) TypeOf(P\\Missing)",
                  "b"),
        (V{"b", "=", "8", "21", "21", "12", "14", "21", "7", "1", "0", "0"}));
    // Forms other than (Structure\Field) are left as written.
    EXPECT_EQ(
        TextsFrom(structures + "n = TypeOf(x) + OffsetOf(P\\a\\b)", "n"),
        (V{"n", "=", "TypeOf", "(", "x", ")", "+", "OffsetOf", "(", "P", ".", "a", ".", "b", ")"}));
}

TEST(TranslateDriver, LibraryNeedsFromNamesAndConstants) {
    Result r =
        Convert("UseMobile()\nTreeGadget(1)\nx = #PB_Checkbox_ThreeState\nORV_LocalStorageSet(1)");
    EXPECT_TRUE(r.needs.Mobile);
    EXPECT_TRUE(r.needs.TouchSwipe);
    EXPECT_TRUE(r.needs.FancyTree);
    EXPECT_TRUE(r.needs.Tristate);
    EXPECT_TRUE(r.needs.Storage);
    EXPECT_FALSE(r.needs.Pdf);
    EXPECT_EQ(r.script.substr(0, 16), "\nTreeGadget(1);\n");  // the emptied UseMobile line
}

TEST(TranslateDriver, ReferenceFilePrunesUnneededLibraries) {
    QTemporaryDir dir;
    const std::string system = dir.path().toStdString() + "/system/";
    std::filesystem::create_directories(system);
    std::ofstream(system + "references.txt", std::ios::binary)
        << "NewPDF;libraries/jspdf;x\r\nTreeGadget;libraries/fancytree\r\nGridGadget;libraries/"
           "grid";
    Conversion conv;
    std::vector<std::string> log;
    conv.Sink = [&log](const std::string& line, bool) { log.push_back(line); };
    TokenizeText(conv.Tokens, "TreeGadget(0)\n");
    conv.SystemFiles = {system + "references.txt", system + "libraries/jspdf/jspdf.js",
                        system + "libraries/fancytree/tree.js", system + "libraries/grid/g.js"};
    ApplyReferenceFile(conv);
    EXPECT_EQ(log, (V{"Unneeded: libraries/jspdf", "Needed: libraries/fancytree"}));
    EXPECT_EQ(conv.SystemFiles,
              (V{"", "", system + "libraries/fancytree/tree.js", system + "libraries/grid/g.js"}));
}

TEST(Comments, MacrosGoAndCommentsBecomeLineComments) {
    Conversion conv;
    EXPECT_EQ(RemoveMacros(conv, "Macro Square(x)\nx*x\n   endmacro   \nSquare(3)\n\nlast"),
              "Square(3)\n");
    // A name that only begins with "Macro" is an ordinary line, not a definition.
    EXPECT_EQ(RemoveMacros(conv, "MacroCount = 1\nx = 2\n"), "MacroCount = 1\nx = 2\n");
    EXPECT_EQ(Texts("; hello\nEnableJS\n; raw\nDisableJS"),
              (V{"// ; hello", "EnableJS", "; raw", "DisableJS"}));
    EXPECT_EQ(Script("; alone\nx = 1 ; note\n"), "x = 1; // note;\n");
}

TEST(Declarations, ShorthandOnlyInAssignmentStatements) {
    EXPECT_EQ(Texts("a + 1"), (V{"a", "+=", "1"}));
    EXPECT_EQ(Texts("p\\x * 2"), (V{"p", ".", "x", "*=", "2"}));
    EXPECT_EQ(Texts("Dim c(3)\nc(i) - 1"), (V{"var ", "c = cArray.Dim(null, ", " [", "3", " ])\n",
                                              "c", "[", "i", "]", "-=", "1"}));
    EXPECT_EQ(Texts("flags ! 4"), (V{"flags", "^=", "4"}));
    for (const char* unchanged :
         {"x = a + 1", "Foo(a + 1)", "ProcedureReturn a + 1", "Debug a + 1", "Debug -1",
          "If a + 1 > 2", "While n - 1", "PrintN(Str(a + 1))", "s = s + \"x\""}) {
        for (const std::string& text : Texts(unchanged))
            EXPECT_EQ(text.find("="), text == "=" ? 0 : std::string::npos) << unchanged;
    }
}

TEST(Declarations, KeywordsSuffixesAndTheTypedKeywordError) {
    EXPECT_EQ(Texts("Define a.i = 5"), (V{"var", "a", "=", "5"}));
    EXPECT_EQ(Texts("Protected s.s"), (V{"var", "s"}));
    {
        // Only the word right after "." is a type: "c" below is a variable, and "Point" stays
        // for the structure passes.
        Conversion conv;
        TokenizeText(conv.Tokens, "Protected p.Point, c = 1, d.d");
        RemoveTypeSuffixes(conv);
        V texts;
        for (const Token& t : conv.Tokens.ToVector())
            texts.push_back(t.Text);
        EXPECT_EQ(texts, (V{"Protected", "p", ".", "Point", ",", "c", "=", "1", ",", "d", "", ""}));
    }
    EXPECT_EQ(Script("Procedure P()\nShared a, b\nEndProcedure"), "function P() {\n};\n");

    Result r = Convert("x = 1\nDefine.i x");
    EXPECT_EQ(r.joined, "");
    EXPECT_EQ(r.log, (V{"Converting...", "Processing: Declarations...", "",
                        "Line 2: Typed declaration keywords are not allowed (yet)",
                        "Not allowed: Define.i myVar", "Better use:  Define myVar.i", "Error: "}));
}

TEST(Declarations, StaticsStartOnceAndKeepTheirValue) {
    const std::string s = Script(
        "Procedure Counter()\nStatic count\nStatic start = 5, name$\ncount + 1\n"
        "ProcedureReturn count\nEndProcedure\ncount = 3");
    EXPECT_EQ(s,
              "function Counter() {\n"
              "if (arguments.callee.count === undefined) arguments.callee.count = 0;\n"
              "if (arguments.callee.start === undefined) arguments.callee.start = 5;\n"
              "if (arguments.callee.name === undefined) arguments.callee.name = \"\";\n"
              "arguments.callee.count += 1;\n"
              "return arguments.callee.count;\n"
              "};\n"
              "count = 3;\n");
}

TEST(Arrays, DimReDimAndElementAccess) {
    EXPECT_EQ(Texts("Dim m.Point(5, 5)"),
              (V{"var ", "m = cArray.Dim(Point, ", " [", "5", ",", "5", " ])\n"}));
    EXPECT_EQ(Script("Dim a(Len(s))\nReDim a(20)\na(i, j) = a(f(1))\nFoo(a())"),
              "var a = cArray.Dim(null ,[Len(s)]);\n"
              "a = cArray.ReDim(a ,[20]);\n"
              "a[i][j]= a[f(1)];\n"
              "Foo(a);\n");
    // An Array parameter is indexed in the procedure body like a Dim array.
    EXPECT_EQ(Script("Procedure Sum(Array v.i(1), Array w(2), n)\nx = v(n - 1) + w(1, n)\n"
                     "EndProcedure\nSum(a(), b(), 3)"),
              "function Sum(v , w , n) {\nx = v[n -1]+ w[1][n];\n};\nSum(a() , b() , 3);\n");
}

TEST(Collections, ProcedureGetsTheListOrMapItsParameterTakes) {
    // Only at the places of List and Map parameters; elsewhere an access is the current element.
    EXPECT_EQ(Script("NewList a()\nNewMap m()\nProcedure.i F(x, List l.s(), Map n.i())\n"
                     "EndProcedure\nF(a(), a(), m())\n"
                     "x = Str(a()) + G(a()) + F(Len(a()), a(), m())\nF(m(), a(), (m()))"),
              "var a = new cLinkedList() ;\nvar m = new cMap() ;\nfunction F(x , l , n) {\n};\n"
              "F(a.GetContent() , a , m);\n"
              "x = Str(a.GetContent()) + G(a.GetContent()) + "
              "F(Len(a.GetContent()) , a , m);\n"
              "F(m.getData() , a ,(m.getData()));\n");
}

TEST(Collections, ShorthandOnAnElementStoresTheResult) {
    EXPECT_EQ(Script("NewMap m()\nNewList a()\nm(k) + 1\nm() * 2 + 1\na() - 2\n"
                     "If m(k) + 1 > 2 : EndIf\nx = m(k) + a()"),
              "var m = new cMap() ;\nvar a = new cLinkedList() ;\n"
              "m.setData(m.getData(k) + (1) , k);\nm.setData(m.getData() *(2+1));\n"
              "a.SetContent(a.GetContent() - (2));\nif (m.getData(k) +1> 2) {\n};\n"
              "x = m.getData(k) + a.GetContent();\n");
}

TEST(Conditionals, CaseComparisons) {
    EXPECT_EQ(CaseComparison("x", "1"), " ( x == 1 ) ");
    EXPECT_EQ(CaseComparison("x", "1[||]2[||]3"), " ( x == 1 || x == 2 || x == 3 ) ");
    EXPECT_EQ(CaseComparison("x", "5[&&]10"), " ( x >= 5 && x <= 10 ) ");
    EXPECT_EQ(CaseComparison("x", "1[||]5[&&]10[||]20"),
              " ( x == 1 || (x >= 5 && x <= 10) || x == 20 ) ");
    EXPECT_EQ(CaseComparison("x", "1[&&]3[||]7[&&]9"),
              " ( (x >= 1 && x <= 3) || (x >= 7 && x <= 9) ) ");
}

TEST(Conditionals, IfAndSelectBlocks) {
    EXPECT_EQ(Texts("If a = b And c <> d\nElseIf a => b ; c\nElse\nEndIf"),
              (V{"if (", "a", "==", "b", "&&", "c", "!=", "d) {", "} else if (", "a", ">=", "b) {",
                 "// ; c", "} else {", "}"}));
    EXPECT_EQ(Script("Select a\\b\nCase 1\nx = 1\nCase 2, 3\nSelect y\nCase 1 To 3, 7\nEndSelect\n"
                     "Default\nx = 3\nEndSelect"),
              "\nif (a.b == 1) {\nx = 1;\n} else if (a.b == 2|| a.b == 3) {\n"
              "if ((y >= 1&& y <= 3) || y == 7) {\n};\n} else {\nx = 3;\n};\n");
    Result stray = Convert("Case 1\nx = 1");
    EXPECT_EQ(stray.script, "\nx = 1;\n");
    EXPECT_NE(
        std::find(stray.log.begin(), stray.log.end(), "Error: Line 1: Case outside a Select block"),
        stray.log.end());
}

TEST(Loops, HeadersAndClosings) {
    EXPECT_EQ(ForHeader("i", "1", "i#groesserkleinergleich#10", ""), "i=1;i<=10; i++) {");
    EXPECT_EQ(ForHeader("i", "10", "i#groesserkleinergleich#1", "-1"), "i=10;i>=1; i=i-1) {");
    EXPECT_EQ(ForHeader("k", "0", "k#groesserkleinergleich#n-1", "2"), "k=0;k<=n-1; k=k+2) {");
    EXPECT_EQ(Texts("For i = 10 To 1 Step - 1\nNext i"),
              (V{" for ( ", "i=10;i>=1; i=i-1) {", "}"}));
    EXPECT_EQ(Texts("While a = 1 And b <> 2\nWend"), (V{"while (a==1&&b!=2) {", "}"}));
    EXPECT_EQ(Texts("Repeat\nUntil a = 1 Or b ; c\nForEver"),
              (V{"do {", " } while (!( a==1||b ));", "// ; c", " } while ( true );"}));
    // A header without To keeps the statements after it.
    EXPECT_EQ(Texts("For i = 1\nx = 2"), (V{" for ( ", "i=1;i<=; i++) {", "x", "=", "2"}));
}

TEST(Procedures, HeadersDefaultsAndCollectionParameters) {
    EXPECT_EQ(Texts("Procedure.i Area(w, h = 10, *opt = #Null, s.s = \"a\", n = -1)"),
              (V{"function", "Area", "(", "w", ",", "h", ",", "opt", ",", "s", ",", "n",
                 ") {\r\n"
                 "if (typeof h === \"undefined\" || h === null) h = 10;\r\n"
                 "if (typeof opt === \"undefined\" || opt === null) opt = null;\r\n"
                 "if (typeof s === \"undefined\" || s === null) s = \"a\";\r\n"
                 "if (typeof n === \"undefined\" || n === null) n = -1;\r\n"}));
    EXPECT_EQ(Script("ProcedureC P(List l(), Map m(), Array a(1))\nProcedureReturn\nEndProcedure"),
              "function P(l , m , a) {\nreturn;\n};\n");
}

TEST(PostProcess, SpacingStatementEndsAndRepairs) {
    auto post = [](const std::string& text) {
        Conversion conv;
        TokenizeText(conv.Tokens, text);
        return PostProcess(conv);
    };
    EXPECT_EQ(post("x = -1\nx = a - b\nfoo(a, b)\na[1]\nf(1)"),
              "x = -1;\nx = a - b;\nfoo(a , b);\na[1];\nf(1);\n");
    EXPECT_EQ(post("x = a = = b\ny = a = = = b\nx + = 1\nvar var z\n\n\nif(a) {"),
              "x = a == b;\ny = a === b;\nx += 1;\nvar z;\nif (a) {\n");
    // Raw lines arrive between the commented-out markers.
    EXPECT_EQ(post("// EnableJS\nvar a = 1\n// DisableJS\nb = 2"), "var a = 1\nb = 2;\n");
    // Repairs leave string literals alone.
    EXPECT_EQ(post("s = \"US$ 5 = = x\" + $ (t)"), "s = \"US$ 5 = = x\" + $(t);\n");
}
