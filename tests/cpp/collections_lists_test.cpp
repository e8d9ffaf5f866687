#include <gtest/gtest.h>

#include "tests/cpp/collections_fixture.h"

using namespace orvane;
using namespace orvane::testing;

namespace {
// Kept tokens of the statements after the two declarations "NewList a()" and
// "NewList p.Point()".
Texts ListLine(const std::string& source) {
    PassRun run("NewList a()\nNewList p.Point()\nNewList b()\n" + source);
    run.WithTables(kCollectionLibraries, "");
    TranslateLinkedLists(run.conv);
    Texts kept = run.Kept();
    EXPECT_EQ(kept[0], "var a = new cLinkedList();");
    EXPECT_EQ(kept[2], "var p = new cLinkedList();");
    return Texts(kept.begin() + 6, kept.end());
}
}  // namespace

TEST(LinkedLists, ResultTableRows) {
    EXPECT_EQ(ListLine("AddElement(a())"), (Texts{"a.AddElement()"}));
    EXPECT_EQ(ListLine("AddElement(p())"),
              (Texts{"p.AddElement( jQuery.extend(true, {}, Point) )"}));
    EXPECT_EQ(ListLine("a() = 5"), (Texts{"a", ".SetContent(5)"}));
    EXPECT_EQ(ListLine("a() = b() + 1"), (Texts{"a", ".SetContent(b.GetContent()+1)"}));
    EXPECT_EQ(ListLine("x = a()"), (Texts{"x", "=", "a.GetContent()"}));
    EXPECT_EQ(ListLine("If a() = 5"), (Texts{"If", "a", ".GetContent()", "=", "5"}));
    EXPECT_EQ(ListLine("p()\\x = 1"), (Texts{"p.GetContent()", "\\", "x", "=", "1"}));
    EXPECT_EQ(ListLine("FirstElement(a())"), (Texts{"a.FirstElement()"}));
    EXPECT_EQ(ListLine("n = ListSize(a())"), (Texts{"n", "=", "a.ListSize()"}));
    EXPECT_EQ(ListLine("n = ListSize(@a()) + 1"), (Texts{"n", "=", "a.ListSize()", "+", "1"}));
    EXPECT_EQ(ListLine("RandomizeList(a())"), (Texts{"cSort.RandomizeList(a)"}));
    EXPECT_EQ(ListLine("DeleteElement(a())"), (Texts{"a.DeleteElement(", ")"}));
    EXPECT_EQ(ListLine("SelectElement(a(), 3)"), (Texts{"a.SelectElement(", "3", ")"}));
    EXPECT_EQ(ListLine("MoveElement(a(), #PB_List_First)"),
              (Texts{"a.MoveElement(", "#PB_List_First", ")"}));
    EXPECT_EQ(ListLine("CopyList(a(), b())"), (Texts{"a.CopyList(b)"}));
    EXPECT_EQ(ListLine("InsertJSONList(x, a())"),
              (Texts{"cJson.InsertJSONList", "(", "x", ",", "a", ")"}));
}

TEST(LinkedLists, ForEachFindsItsOwnNext) {
    Texts out = ListLine("ForEach a()\nFor i = 1 To 2\nForEach(b())\nNext\nNext i\nNext\nx = 1");
    Texts want{"a.ForEach_Start();\nwhile (a.ForEach()) {\n",
               "\n",
               "For",
               "i",
               "=",
               "1",
               "To",
               "2",
               "\n",
               "b.ForEach_Start();\nwhile (b.ForEach()) {\n",
               "\n",
               "Next",
               "\nb.ForEach_End();\n",
               "Next",
               "i",
               "\n",
               "Next",
               "\na.ForEach_End();\n",
               "x",
               "=",
               "1"};
    EXPECT_EQ(out, want);
    // Without a Next, or with the Next on the last line, no closing text and no hang.
    EXPECT_EQ(ListLine("ForEach a()\nx = 1"),
              (Texts{"a.ForEach_Start();\nwhile (a.ForEach()) {\n", "\n", "x", "=", "1"}));
    EXPECT_EQ(ListLine("ForEach a()\nNext"),
              (Texts{"a.ForEach_Start();\nwhile (a.ForEach()) {\n", "\n", "Next"}));
}

TEST(LinkedLists, NamesAreCaseSensitiveAndConditionsCompare) {
    EXPECT_EQ(ListLine("x = A()"), (Texts{"x", "=", "A", "(", ")"}));
    // A loop condition compares; it does not store into the list.
    EXPECT_EQ(ListLine("While a() = 5"), (Texts{"While", "a", ".GetContent()", "=", "5"}));
    EXPECT_EQ(ListLine("Until a() = 5"), (Texts{"Until", "a", ".GetContent()", "=", "5"}));
}

TEST(LinkedLists, ValuesWithCallsStayTokens) {
    // Calls, brackets and logical keywords keep their tokens for the later passes.
    EXPECT_EQ(ListLine("a() = Len(s) * (b() + 1)"),
              (Texts{"a", ".SetContent(", "cString.Len", "(", "s", ")", "*", "(", "b.GetContent()",
                     "+", "1", ")", ")"}));
    EXPECT_EQ(ListLine("a() = x And y"), (Texts{"a", ".SetContent(", "x", "And", "y", ")"}));
    // A structured element takes a whole value too, instead of an assignment to a call.
    EXPECT_EQ(ListLine("p() = q"), (Texts{"p", ".SetContent(q)"}));
}

TEST(LinkedLists, ListParametersAndUnknownLists) {
    PassRun run(
        "Procedure f(List l.s(), List q.Point())\nAddElement(q())\nl() = 1\nForEach l()\nNext\n"
        "EndProcedure\nx = ListSize(u())\nCopyList(u(), v())\nAddElement(u())");
    TranslateLinkedLists(run.conv);
    Texts want{"Procedure",
               "f",
               "(",
               "l",
               ",",
               "q",
               ")",
               "\n",
               "q.AddElement( jQuery.extend(true, {}, Point) )",
               "\n",
               "l",
               ".SetContent(1)",
               "\n",
               "l.ForEach_Start();\nwhile (l.ForEach()) {\n",
               "\n",
               "Next",
               "\nl.ForEach_End();\n",
               "EndProcedure",
               "\n",
               "x",
               "=",
               "u.ListSize()",
               "\n",
               "u.CopyList(v)",
               "\n",
               "u.AddElement()"};
    EXPECT_EQ(run.Kept(), want);
}

TEST(LinkedLists, CopyCommandsKeepAThirdArgument) {
    EXPECT_EQ(ListLine("MergeLists(a(), b(), #PB_List_First)"),
              (Texts{"a.MergeLists(b, #PB_List_First)"}));
    EXPECT_EQ(ListLine("SplitList(a(), b(), #True)"), (Texts{"a.SplitList(b, #True)"}));
}

TEST(LinkedLists, BadInputEndsQuietly) {
    PassRun run("NewList\nx = 1\nNewList");
    TranslateLinkedLists(run.conv);
    EXPECT_EQ(run.Kept(), (Texts{"NewList", "\n", "x", "=", "1", "\n", "NewList"}));
    EXPECT_NE(run.log.back().find("NewList without a list name"), std::string::npos);
    // Sorting gets the list itself, as the JSON functions do.
    EXPECT_EQ(ListLine("SortList(a(), 1)"), (Texts{"cSort.SortList", "(", "a", ",", "1", ")"}));
    // The JSON hand-over does not reach into a later statement.
    EXPECT_EQ(
        ListLine("InsertJSONList(x, y)\nz = a()"),
        (Texts{"cJson.InsertJSONList", "(", "x", ",", "y", ")", "\n", "z", "=", "a.GetContent()"}));
    for (const std::string& text : run.All())
        EXPECT_FALSE(text.empty());
}
