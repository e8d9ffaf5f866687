#include <gtest/gtest.h>

#include "converter/translator/translate.h"
#include "tests/cpp/collections_fixture.h"

using namespace orvane;
using namespace orvane::testing;

TEST(DataSections, LabelsIndexTheirFirstValue) {
    Conversion conv;
    std::string out = TranslateDataSections(
        conv, "Restore MyData\nMyData:\nData.i 1, 2, 3\nMore:\nData.i 4\nData.s \"a\", \"b\"\n");
    EXPECT_EQ(out,
              "var ORV_Label_MyData = 0\r\nvar ORV_Label_More = 3\r\n\r\n"
              "cCommonORV_Global_Label = ORV_Label_MyData\r\n\r\n"
              "cCommonORV_DataArray=[1,2,3,4,\"a\",\"b\"]\r\n"
              "Restore MyData \n MyData : \n \n More : \n \n \n ");
}

TEST(DataSections, WithoutDataOnlyBlanksChange) {
    Conversion conv;
    EXPECT_EQ(TranslateDataSections(conv, "x=1\nL:\ny = x"), "x = 1 \n L : \n y = x ");
}

TEST(DataSections, ValuesAndSeparatorsStayValidScript) {
    Conversion conv;
    // Statement separators are no labels; hexadecimal and binary values become script
    // numbers; a comment after the values stays in the program; the last line may lack its
    // line end.
    std::string out = TranslateDataSections(
        conv,
        "x = (1) : y = \"s\" : z = 2\nData.l $FF, %101 ; masks\nData.i -1 : Start:\nData.i 7");
    EXPECT_EQ(out,
              "var ORV_Label_Start = 3\r\n\r\ncCommonORV_Global_Label = ORV_Label_Start\r\n\r\n"
              "cCommonORV_DataArray=[0xFF,0b101,-1,7]\r\n"
              "x = ( 1 ) : y = \"s\" : z = 2 \n ; masks \n : Start : \n ");
}

TEST(LibraryCalls, FunctionsConstantsAndSwitches) {
    PassRun run(
        "x = Chr(65) + chr(66)\nRead.s name\nRead n\nRead.i a(i)\nRestore MyData\nRestore\nEnd\n"
        "w = #pb_window_SystemMenu | #Other\nEnableExplicit\nEnableGadgetsAutoBind(@Events())\n"
        "DisableGadgetsAutoBind()");
    run.WithTables("String.Chr\nCommon.Read\nCommon.Restore\nCommon.End\nnodot\n",
                   "PB_Window_SystemMenu\n");
    EXPECT_EQ(
        run.Spaced(),
        "x = cString.Chr ( 65 ) + chr ( 66 ) \n name = cCommon.Read() \n "
        "n = cCommon.Read() \n a ( i ) = cCommon.Read() \n cCommon.Restore(ORV_Label_MyData) \n "
        "cCommon.Restore() \n cCommon.End() \n w = cConstants.PB_Window_SystemMenu | #Other \n "
        "\n $.fn.GadgetsEvents= @ Events \n $.fn.GadgetsEvents=null");
}

TEST(LibraryCalls, MissingTablesChangeNothing) {
    PassRun run("x = Chr(65)\ny = #PB_Any");
    run.conv.ProgramFolder = "/nonexistent/orvane/";
    TranslateLibraryCalls(run.conv);
    EXPECT_EQ(run.Kept(), (Texts{"x", "=", "Chr", "(", "65", ")", "\n", "y", "=", "#PB_Any"}));
}

TEST(DebugAndAddresses, DebugWrapsItsLineAndAddressesTakeTheElement) {
    PassRun run("Debug x + 1 ; note\nDebug \"a\"\n@Element ( )\np = @Proc()\nDebug y");
    // What the list pass leaves of "@a()".
    TokenList& t = run.conv.Tokens;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id))
        if (t.At(id).Text == "Element") t.At(id).Text = "a.GetContent()";
    TranslateDebug(run.conv);
    TranslateElementAddresses(run.conv);
    Texts want{"cDebugger.Debug",
               "(",
               "x",
               "+",
               "1",
               ")",
               "; note",
               "\n",
               "cDebugger.Debug",
               "(",
               "\"a\"",
               ")",
               "\n",
               "a.GetCurrentElement()",
               "\n",
               "p",
               "=",
               "Proc",
               "\n",
               "cDebugger.Debug",
               "(",
               "y",
               ")"};
    EXPECT_EQ(run.Kept(), want);
}
