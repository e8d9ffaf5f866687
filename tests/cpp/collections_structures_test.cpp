#include <gtest/gtest.h>

#include "tests/cpp/collections_fixture.h"

using namespace orvane;
using namespace orvane::testing;

namespace {
Texts Enumerate(const std::string& source) {
    PassRun run(source);
    TranslateEnumerations(run.conv);
    return run.Kept();
}
}  // namespace

TEST(Enumerations, AnonymousStartAndExplicitValues) {
    EXPECT_EQ(Enumerate("Enumeration\n#A\n#B\nEndEnumeration\n"),
              (Texts{"\n", "var A = 0", "\n", "var B = 1", "\n",
                     "cCommon.PB_Compiler_EnumerationValue = 2;", "\n"}));
    EXPECT_EQ(Enumerate("Enumeration 5\n#A\n#C = 10\n#D\nEndEnumeration"),
              (Texts{"\n", "var A = 5", "\n", "var C", "=", "10", "\n", "var D = 11", "\n",
                     "cCommon.PB_Compiler_EnumerationValue = 12;"}));
    // A hexadecimal start arrives wrapped by the driver.
    PassRun hex("Enumeration 1\n#A\nEndEnumeration");
    hex.conv.Tokens.At(hex.conv.Tokens.Next(hex.conv.Tokens.First())).Text = "cString.Val(\"$10\")";
    TranslateEnumerations(hex.conv);
    EXPECT_EQ(hex.Kept()[1], "var A = 16");
}

TEST(Enumerations, NamedBlocksContinueTheirNumbering) {
    Texts out = Enumerate(
        "Enumeration Colors\n#Red\n#Green\n#Blue\nEndEnumeration\n"
        "Enumeration More #PB_Compiler_EnumerationValue\n#X\nEndEnumeration\n"
        "Enumeration Colors\n#Cyan\nEndEnumeration\n");
    Texts want{"\n",
               "var Red = 0",
               "\n",
               "var Green = 1",
               "\n",
               "var Blue = 2",
               "\n",
               "cCommon.PB_Compiler_EnumerationValue = 3;",
               "\n",
               "\n",
               "var X = 3",
               "\n",
               "cCommon.PB_Compiler_EnumerationValue = 4;",
               "\n",
               "\n",
               "var Cyan = 3",
               "\n",
               "cCommon.PB_Compiler_EnumerationValue = 4;",
               "\n"};
    EXPECT_EQ(out, want);
    // An explicit value inside a named block moves the block's numbering too.
    EXPECT_EQ(Enumerate("Enumeration N\n#A = 7\n#B\nEndEnumeration")[5], "var B = 8");
    // A comment after the keyword is neither a name nor a start value, and it stays.
    Texts commented = Enumerate("Enumeration ; flags\n#A\nEndEnumeration");
    EXPECT_EQ(commented[0], "; flags");
    EXPECT_EQ(commented[2], "var A = 0");
}

TEST(Enumerations, BinaryEnumerationsDoubleEachValue) {
    EXPECT_EQ(Enumerate("EnumerationBinary\n#A\n#B\n#C = 16\n#D\nEndEnumeration"),
              (Texts{"\n", "var A = 1", "\n", "var B = 2", "\n", "var C", "=", "16", "\n",
                     "var D = 32", "\n", "cCommon.PB_Compiler_EnumerationValue = 64;"}));
    EXPECT_EQ(Enumerate("EnumerationBinary Flags\n#F\n#G\nEndEnumeration")[3], "var G = 2");
}

TEST(Enumerations, ConstantsOutsideLoseTheirHash) {
    EXPECT_EQ(Enumerate("x = #MyConst\n#Max = 10"),
              (Texts{"x", "=", "MyConst", "\n", "Max", "=", "10"}));
}

TEST(Structures, TemplatesStandWhereTheFirstStructureStood) {
    PassRun run(
        "x = 1\nStructure Point\nx.i\ny.i\nEndStructure\nStructure E\nEndStructure\n"
        "Structure Bag\nList items.s()\nMap m.i()\nMap p.Point()\np.Point\nname.s{20}\n"
        "arr.l[10]\nEndStructure\nStructure P3 Extends Point\nz.i\nEndStructure\n");
    ASSERT_TRUE(TranslateStructures(run.conv));
    Texts kept = run.Kept();
    ASSERT_GE(kept.size(), 6u);
    EXPECT_EQ(kept[4],
              "var Point = { x : null,y : null};\nvar E = { };\n"
              "var Bag = { items:new cLinkedList(),m:new cMap(),p:new cMap(Point),"
              "p:jQuery.extend(true, {}, Point),name : null,arr : null};\n"
              "var P3 = jQuery.extend(true, {}, Point, { z : null});\n");
    for (size_t i = 5; i < kept.size(); ++i)
        EXPECT_EQ(kept[i], "\n");
    // No emptied token survives the pass.
    for (const std::string& text : run.All())
        EXPECT_FALSE(text.empty());
}

TEST(Structures, UnionIsFatalAndUnclosedStructureEnds) {
    PassRun run("a = 1\nStructureUnion\nx.i\nEndStructureUnion\n");
    EXPECT_FALSE(TranslateStructures(run.conv));
    EXPECT_EQ(run.log, (std::vector<std::string>{
                           "Processing: Structures...", "",
                           "Line 2: StructureUnion is not supported (yet), sorry!", "Error: "}));
    EXPECT_TRUE(run.conv.RunFailed);

    PassRun open("Structure P\nx.i\ny.i");
    EXPECT_TRUE(TranslateStructures(open.conv));
    EXPECT_EQ(open.Kept()[0], "var P = { x : null,y : null};\n");
    EXPECT_NE(open.log.back().find("has no EndStructure"), std::string::npos);
}

TEST(StructureVariables, DeepCopyUnlessAssignedOrParameter) {
    PassRun run("var p.Point\nvar q.Point = r\nProcedure f(p.Point, n.i)\nvar e.Point\nx = .5 + y");
    TranslateStructureVariables(run.conv);
    Texts all = run.All();
    Texts want{"var",       "p",   "",  " = jQuery.extend(true, {}, Point)",
               "\n",        "var", "q", "",
               "",          "=",   "r", "\n",
               "Procedure", "f",   "(", "p",
               "",          "",    ",", "n",
               "",          "",    ")", "\n",
               "var",       "e",   "",  " = jQuery.extend(true, {}, Point)",
               "\n",        "x",   "=", ".",
               "5",         "+",   "y"};
    EXPECT_EQ(all, want);
}
