#include <gtest/gtest.h>

#include "tests/cpp/collections_fixture.h"

using namespace orvane;
using namespace orvane::testing;

namespace {
// Kept tokens of the statements after "NewMap m()" and "NewMap p.Point()".
Texts MapLine(const std::string& source) {
    PassRun run("NewMap m()\nNewMap p.Point()\nNewMap a()\nNewMap b()\n" + source);
    run.WithTables(kCollectionLibraries, "");
    TranslateMaps(run.conv);
    Texts kept = run.Kept();
    EXPECT_EQ(kept[0], "var m = new cMap(); ");
    EXPECT_EQ(kept[2], "var p = new cMap(Point)");
    for (const std::string& text : run.All())
        EXPECT_FALSE(text.empty());
    return Texts(kept.begin() + 8, kept.end());
}
}  // namespace

TEST(Maps, ResultTableRows) {
    EXPECT_EQ(MapLine("m(\"a\") = 5"), (Texts{"m", ".setData(5, \"a\")"}));
    EXPECT_EQ(MapLine("m(Str(i)) = x + 1"), (Texts{"m", ".setData(x+1, cString.Str(i))"}));
    EXPECT_EQ(MapLine("x = m(\"a\")"), (Texts{"x", "=", "m", ".getData(\"a\")"}));
    EXPECT_EQ(MapLine("If m(\"a\") = 1"), (Texts{"If", "m", ".getData(\"a\")", "=", "1"}));
    EXPECT_EQ(MapLine("p(\"a\")\\x = 1"), (Texts{"p", ".getData(\"a\")", "\\", "x", "=", "1"}));
    EXPECT_EQ(MapLine("p(\"a\") = q"),
              (Texts{"p", ".setData(jQuery.extend(true, {}, ", "q", "), \"a\")"}));
    EXPECT_EQ(MapLine("m() = 5"), (Texts{"m.setData(5)"}));
    EXPECT_EQ(MapLine("x = m()"), (Texts{"x", "=", "m.getData()"}));
    EXPECT_EQ(MapLine("FindMapElement(m(), \"a\")"), (Texts{"m.FindMapElement(\"a\")"}));
    EXPECT_EQ(MapLine("DeleteMapElement(m())"), (Texts{"m.DeleteMapElement()"}));
    EXPECT_EQ(MapLine("n = MapSize(m())"), (Texts{"n", "=", "m.MapSize()"}));
    EXPECT_EQ(MapLine("MapKey(m())"), (Texts{"m.MapKey()"}));
    EXPECT_EQ(MapLine("CopyMap(a(), b())"), (Texts{"cMap.CopyMap(a, b)"}));
    EXPECT_EQ(MapLine("ForEach m()\nNext"),
              (Texts{"m.ForEach_Init();\nwhile (m.ForEach()) {\n", "\n", "Next"}));
    EXPECT_EQ(MapLine("ForEach(m())\nNext"),
              (Texts{"m.ForEach_Init();\nwhile (m.ForEach()) {\n", "\n", "Next"}));
    EXPECT_EQ(MapLine("InsertJSONMap(x, m())"),
              (Texts{"cJson.InsertJSONMap", "(", "x", ",", "m", ")"}));
}

TEST(Maps, KeysAndConditions) {
    EXPECT_EQ(MapLine("x = m(p\\name)"), (Texts{"x", "=", "m", ".getData(p.name)"}));
    EXPECT_EQ(MapLine("While m() = 1"), (Texts{"While", "m.getData()", "=", "1"}));
    EXPECT_EQ(MapLine("x = M(\"a\")"), (Texts{"x", "=", "M", "(", "\"a\"", ")"}));
    // An unclosed key ends at the line and leaves the next statement alone.
    EXPECT_EQ(MapLine("x = m(\"a\"\n= 1"),
              (Texts{"x", "=", "m", ".getData(\"a\")", "\n", "=", "1"}));
}

TEST(Maps, ValuesThatReadTheMapStayTokens) {
    // The counting idiom reads the map inside its own value.
    EXPECT_EQ(MapLine("m(w) = m(w) + 1"),
              (Texts{"m", ".setData(", "m", ".getData(w)", "+", "1", ", w)"}));
    EXPECT_EQ(MapLine("m() = x Or y"), (Texts{"m.setData(", "x", "Or", "y", ")"}));
}

TEST(Maps, ElementCommandsKeepTheirArguments) {
    EXPECT_EQ(MapLine("AddMapElement(m(), \"k\", #PB_Map_NoElementCheck)"),
              (Texts{"m.AddMapElement(\"k\", #PB_Map_NoElementCheck)"}));
    EXPECT_EQ(MapLine("If FindMapElement(m(), \"a\") And x"),
              (Texts{"If", "m.FindMapElement(\"a\")", "And", "x"}));
    EXPECT_EQ(MapLine("e = FindMapElement(m(), Str(k))"),
              (Texts{"e", "=", "m.FindMapElement(cString.Str(k))"}));
}

TEST(Maps, MapParametersAndUnknownMaps) {
    PassRun run(
        "Procedure f(Map q.s())\nq(\"a\") = 1\nn = MapSize(q())\nEndProcedure\n"
        "n = MapSize(u())\nCopyMap(u(), v())");
    TranslateMaps(run.conv);
    Texts want{"Procedure", "f",
               "(",         "q",
               ")",         "\n",
               "q",         ".setData(1, \"a\")",
               "\n",        "n",
               "=",         "q.MapSize()",
               "\n",        "EndProcedure",
               "\n",        "n",
               "=",         "u.MapSize()",
               "\n",        "cMap.CopyMap(u, v)"};
    EXPECT_EQ(run.Kept(), want);
}
