// The preprocessing stage: macros, compiler directives, compiler constants and native code, each
// as text in and text out (or the error lines a bad program gets).
#include "converter/preprocess/preprocess.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orvane;

namespace {

struct Result {
    std::string Text;
    std::vector<std::string> Lines;   // every reported line
    std::vector<std::string> Errors;  // the error lines among them
};

Result Preprocess(const std::string& source, const std::string& debugger = "1",
                  const std::string& sourceFile = "/home/user/programs/demo.pb") {
    Conversion conv;
    conv.DebuggerFlag = debugger;
    conv.SourceFile = sourceFile;
    conv.CompilerPath = "/opt/purebasic/compilers/pbcompiler";
    Result r;
    conv.Sink = [&r](const std::string& line, bool error) {
        r.Lines.push_back(line);
        if (error) r.Errors.push_back(line);
    };
    r.Text = PreprocessSource(conv, source);
    EXPECT_EQ(conv.RunFailed, !r.Errors.empty());
    return r;
}

// The output of a program that must convert without a reported line.
std::string Out(const std::string& source) {
    Result r = Preprocess(source);
    EXPECT_TRUE(r.Errors.empty()) << r.Errors.front();
    EXPECT_EQ(std::count(r.Text.begin(), r.Text.end(), '\n'),
              std::count(source.begin(), source.end(), '\n'))
        << "line numbers moved:\n"
        << r.Text;
    return r.Text;
}

// The one error a bad program gets; the stage gives no text.
std::string Error(const std::string& source) {
    Result r = Preprocess(source);
    EXPECT_EQ(r.Text, "");
    EXPECT_EQ(r.Errors.size(), 1u) << (r.Errors.empty() ? "" : r.Errors.back());
    return r.Errors.empty() ? "" : r.Errors.front();
}

}  // namespace

TEST(PreprocessMacros, ParametersDefaultsAndWholeWords) {
    EXPECT_EQ(Out("Macro Square(x)\n  x*x\n   endmacro   \nDebug Square(3)\n\nlast\n"),
              "\n\n\nDebug 3*3\n\nlast\n");
    // A name that only begins with "Macro" is an ordinary line, not a definition.
    EXPECT_EQ(Out("MacroCount = 1\nx = 2\n"), "MacroCount = 1\nx = 2\n");
    EXPECT_EQ(Out("Macro MyNot\n  Not\nEndMacro\nIf MyNot a : EndIf\n"),
              "\n\n\nIf Not a : EndIf\n");
    // Parameters are whole words, names are compared without case; strings and comments stay.
    EXPECT_EQ(Out("Macro UMsgBox(Title, Body = \"none\")\n"
                  "  MessageRequester(title, UCase(BODY), 0) ; Title\n"
                  "EndMacro\n"
                  "umsgbox(\"Hello\", \"-\"+Text$+\"-\") ; UMsgBox(1)\n"
                  "UMsgBox(\"Hi\")\n"
                  "Debug \"UMsgBox(1)\" + Titles\n"),
              "\n\n\nMessageRequester(\"Hello\", UCase(\"-\"+Text$+\"-\"), 0) ; UMsgBox(1)\n"
              "MessageRequester(\"Hi\", UCase(\"none\"), 0)\n"
              "Debug \"UMsgBox(1)\" + Titles\n");
    // Arguments keep their own brackets and commas; a use may take a use of itself.
    EXPECT_EQ(Out("Macro Max(a, b)\n(Bool(a > b) * a + Bool(a <= b) * b)\nEndMacro\n"
                  "x = Max(Max(f(1, 2), 3), y)\n"),
              "\n\n\nx = (Bool((Bool(f(1, 2) > 3) * f(1, 2) + Bool(f(1, 2) <= 3) * 3) > y) * "
              "(Bool(f(1, 2) > 3) * f(1, 2) + Bool(f(1, 2) <= 3) * 3) + Bool((Bool(f(1, 2) > 3) "
              "* f(1, 2) + Bool(f(1, 2) <= 3) * 3) <= y) * y)\n");
    // Module::Macro names the macro.
    EXPECT_EQ(Out("Macro Twice(v)\n2*v\nEndMacro\nDebug Tools::Twice(4)\n"), "\n\n\nDebug 2*4\n");
}

TEST(PreprocessMacros, ConcatenationNestingCountsAndUndefine) {
    EXPECT_EQ(Out("Macro XCase(Type, Text)\n  Type#Case(Text)\nEndMacro\n"
                  "Debug XCase(U, \"Hello\") + XCase(L, \"A\")\n"),
              "\n\n\nDebug UCase(\"Hello\") + LCase(\"A\")\n");
    // A macro holding a lone quote turns a parameter into a string; directives inside a macro
    // are evaluated at the use, where #PB_Compiler_Line is the line of the use.
    const std::string assert =
        "Macro DoubleQuote\n\"\nEndMacro\n"
        "Macro Assert(Expression)\n"
        "  CompilerIf #PB_Compiler_Debugger\n"
        "    If Expression\n"
        "      Debug \"Assert (Line \" + #PB_Compiler_Line + \"): \" + "
        "DoubleQuote#Expression#DoubleQuote\n"
        "    EndIf\n"
        "  CompilerEndIf\n"
        "EndMacro\n"
        "Assert(10 <> 15) ; check\n";
    EXPECT_EQ(Preprocess(assert).Text,
              "\n\n\n\n\n\n\n\n\n\nIf 10 <> 15 : Debug \"Assert (Line \" + 11 + \"): \" + "
              "\"10 <> 15\" : EndIf ; check\n");
    EXPECT_EQ(Preprocess(assert, "0").Text, "\n\n\n\n\n\n\n\n\n\n\n");
    // Macros inside macros, a macro that makes a whole procedure, and a constant glued from a
    // prefix and a parameter.
    EXPECT_EQ(Out("Macro Cube(n)\nSquare(n)*(n)\nEndMacro\n"
                  "Macro Square(n)\n(n)*(n)\nEndMacro\n"
                  "Macro Getter(name)\nProcedure Get#name()\n  ProcedureReturn #Value_#name\n"
                  "EndProcedure\nEndMacro\n"
                  "Getter(Size)\nDebug Cube(a+1)\n"),
              "\n\n\n\n\n\n\n\n\n\n\n"
              "Procedure GetSize() : ProcedureReturn #Value_Size : EndProcedure\n"
              "Debug (a+1)*(a+1)*(a+1)\n");
    EXPECT_EQ(Out("Macro Test\n  Debug MacroExpandedCount\nEndMacro\nTest : Test\nTest\n"
                  "UndefineMacro Test\nTest = 1\n"
                  "Macro Test\nDebug \"two\"\nEndMacro\nTest\n"),
              "\n\n\nDebug 1 : Debug 2\nDebug 3\n\nTest = 1\n\n\n\nDebug \"two\"\n");
    // Labels made by a macro keep their colon, and a name glued to the count stays a name.
    EXPECT_EQ(Out("Macro Skip(n)\n  Goto Skip#MacroExpandedCount\n  Debug n\n"
                  "  Skip#MacroExpandedCount:\nEndMacro\nSkip(1):Skip(2)\n"
                  "CompilerIf Defined(Skip2, #PB_Label) : ok = 1 : CompilerEndIf\n"),
              "\n\n\n\n\nGoto Skip1 : Debug 1 : Skip1: Goto Skip2 : Debug 2 : Skip2:\nok = 1\n");
    // A statement split over lines is read whole; its line keeps its number.
    EXPECT_EQ(Out("Macro Add(a, b)\na + b\nEndMacro\nx = Add(1,\n  2) : y = 3\nz = 4\n"),
              "\n\n\nx = 1 + 2 : y = 3\n\nz = 4\n");
}

TEST(PreprocessMacros, BadUsesEndWithTheirLine) {
    EXPECT_EQ(Error("x = 1\nMacro Square(x)\n  x*x\n"),
              "Error: Line 2: Macro Square has no EndMacro");
    EXPECT_EQ(Error("Macro Square(x)\nx*x\nEndMacro\nDebug Square(1, 2)\n"),
              "Error: Line 4: macro Square takes 1 argument, but is given 2");
    EXPECT_EQ(Error("Macro Box(a, b = 1)\na*b\nEndMacro\nDebug Box()\n"),
              "Error: Line 4: macro Box takes 1 to 2 arguments, but is given 0");
    EXPECT_EQ(Error("Macro Square(x)\nx*x\nEndMacro\nDebug Square\n"),
              "Error: Line 4: macro Square is used without its arguments: Square(...)");
    EXPECT_EQ(Error("Macro Loop\nLoop + 1\nEndMacro\n\nDebug Loop\n"),
              "Error: Line 5: macro Loop expands into itself (Loop -> Loop)");
    EXPECT_EQ(Error("Macro Ping\nPong\nEndMacro\nMacro Pong\nPing\nEndMacro\nPing\n"),
              "Error: Line 7: macro Ping expands into itself (Ping -> Pong -> Ping)");
    EXPECT_EQ(Error("Macro A\n1\nMacro B\n2\nEndMacro\n"),
              "Error: Line 3: Macro inside the definition of macro A (line 1): is its EndMacro "
              "missing?");
    EXPECT_EQ(Error("Debug 1\nEndMacro\n"), "Error: Line 2: EndMacro without Macro");
    // Macros that double each other end with an error, not with the machine's memory.
    std::string doubling = "Macro M0\nx\nEndMacro\n";
    for (int i = 1; i <= 40; ++i)
        doubling += "Macro M" + std::to_string(i) + "\nM" + std::to_string(i - 1) + " + M" +
                    std::to_string(i - 1) + "\nEndMacro\n";
    EXPECT_NE(Error(doubling + "Debug M40\n").find("(macros that multiply each other?)"),
              std::string::npos);
}

TEST(PreprocessDirectives, BranchesOnTheWebTarget) {
    // The web target is an operating system of its own: OS-specific branches fall through.
    EXPECT_EQ(Out("CompilerIf #PB_Compiler_OS = #PB_OS_Windows\n  win()\n"
                  "CompilerElseIf #PB_Compiler_OS = #PB_OS_Linux\n  lin()\n"
                  "CompilerElse\n  web()\nCompilerEndIf\n"),
              "\n\n\n\n\n  web()\n\n");
    EXPECT_EQ(Out("CompilerSelect #PB_Compiler_Processor\n"
                  "  CompilerCase #PB_Processor_x86\n a = 32\n"
                  "  CompilerCase #PB_Processor_x64, #PB_Processor_Arm64\n a = 64\n"
                  "  CompilerDefault\n a = 0\n"
                  "CompilerEndSelect\n"
                  "CompilerIf #PB_Compiler_Processor = #PB_Processor_JavaScript And "
                  "#PB_Compiler_64Bit And Not #PB_Compiler_Thread : b = 1 : CompilerEndIf\n"),
              "\n\n\n\n\n\n a = 0\n\nb = 1\n");
    // Branches not taken are not read: nothing in them is defined, expanded or checked.
    EXPECT_EQ(Out("CompilerIf #False\n"
                  "  Macro Hidden : 1 : EndMacro\n"
                  "  #Hidden = 1\n"
                  "  CompilerIf Undeclared(x)\n  CompilerElse\n  CompilerEndIf\n"
                  "  CompilerError \"never\"\n"
                  "  MessageBox_(0, \"\", \"\", 0)\n"
                  "CompilerEndIf\n"
                  "Hidden = Defined(Hidden, #PB_Constant)\n"),
              "\n\n\n\n\n\n\n\n\nHidden = 0\n");
    // A macro can stand for the condition; the line is expanded before it is evaluated.
    EXPECT_EQ(Out("Macro OnWeb\n#PB_Compiler_OS = #PB_OS_Web\nEndMacro\n"
                  "CompilerIf OnWeb\nyes()\nCompilerEndIf\n"),
              "\n\n\n\nyes()\n\n");
    Result warning = Preprocess("CompilerWarning \"slow on \" + #PB_Compiler_Filename\nx = 1\n");
    EXPECT_EQ(warning.Text, "\nx = 1\n");
    EXPECT_EQ(warning.Lines, std::vector<std::string>{"Line 1: CompilerWarning: slow on demo.pb"});
}

TEST(PreprocessDirectives, ConstantExpressionsDefinedAndSizeOf) {
    EXPECT_EQ(Out("#Size = 10\n#Twice = #Size * 2 + 7 / 2\n"
                  "CompilerIf #Twice = 23 And (%101 | $10) = 21 And 1 << 4 = 16 And -7 % 3 = -1\n"
                  "ok = 1\nCompilerEndIf\n"
                  "#Name$ = \"web\" + Chr(33)\n"
                  "CompilerIf #Name$ = \"web!\" And #PI > 3.14\nok = 2\nCompilerEndIf\n"),
              "#Size = 10\n#Twice = #Size * 2 + 7 / 2\n\nok = 1\n\n"
              "#Name$ = \"web\" + Chr(33)\n\nok = 2\n\n");
    EXPECT_EQ(Out("Enumeration 5 Step 5\n#A\n#B = 20\n#C\nEndEnumeration\n"
                  "EnumerationBinary Flags\n#F1\n#F2\nEndEnumeration\n"
                  "EnumerationBinary Flags\n#F3\nEndEnumeration\n"
                  "CompilerIf #A = 5 And #C = 25 And #F2 = 2 And #F3 = 4\n"
                  "Debug #PB_Compiler_EnumerationValue\nCompilerEndIf\n"),
              "Enumeration 5 Step 5\n#A\n#B = 20\n#C\nEndEnumeration\n"
              "EnumerationBinary Flags\n#F1\n#F2\nEndEnumeration\n"
              "EnumerationBinary Flags\n#F3\nEndEnumeration\n\nDebug 8\n\n");
    // Defined() knows what the program declared before the line, of every kind.
    const std::string declared =
        "Structure Point3\n  x.l : y.l\n  z.d\n  *next.Point3\n  name.s{4}\n  arr.w[3]\n"
        "  StructureUnion\n    b.b\n    q.q\n  EndStructureUnion\nEndStructure\n"
        "Global counter.i, Dim grid(3), NewList items.s()\n"
        "NewMap prices.d()\n"
        "Procedure.s Greet(name$)\nEndProcedure\n"
        "Declare Later()\n"
        "Prototype.i Callback(x)\n"
        "Interface Shape\n  Area()\nEndInterface\n"
        "DeclareModule Tools\nEndDeclareModule\n"
        "Start:\n"
        "total = 0\n"
        "#Limit = 3\n";
    const char* checks[] = {"Point3, #PB_Structure",   "counter, #PB_Variable",
                            "total, #PB_Variable",     "grid, #PB_Array",
                            "items, #PB_List",         "prices, #PB_Map",
                            "greet, #PB_Procedure",    "Later, #PB_Procedure",
                            "Callback, #PB_Prototype", "Shape, #PB_Interface",
                            "Tools, #PB_Module",       "Start, #PB_Label",
                            "Limit, #PB_Constant",     "PB_Compiler_OS, #PB_Constant"};
    for (const char* check : checks) {
        std::string program =
            declared + "CompilerIf Defined(" + check + ")\nyes = 1\nCompilerEndIf\n";
        EXPECT_NE(Out(program).find("\nyes = 1\n"), std::string::npos) << check;
        std::string before =
            "CompilerIf Defined(" + std::string(check) + ")\nyes = 1\nCompilerEndIf\n";
        if (std::string(check) != "PB_Compiler_OS, #PB_Constant") {
            EXPECT_EQ(Out(before + declared).find("yes = 1"), std::string::npos) << check;
        }
    }
    EXPECT_NE(Out("CompilerIf Not Defined(MessageBox_, #PB_OSFunction) And "
                  "Not Defined(Missing, #PB_Variable)\nyes = 1\nCompilerEndIf\n")
                  .find("yes = 1"),
              std::string::npos);
    // Sizes as the runtime library lays structures out: 4+4+8+8+8+6 and the larger union member.
    EXPECT_NE(Out(declared + "CompilerIf SizeOf(Point3) = 46 And SizeOf(Integer) = 8 And "
                             "SizeOf(Character) = 2\nyes = 1\nCompilerEndIf\n")
                  .find("\nyes = 1\n"),
              std::string::npos);
}

TEST(PreprocessDirectives, UnbalancedAndUnevaluableEndWithTheirLine) {
    EXPECT_EQ(Error("x = 1\nCompilerIf #True\nCompilerIf #False\nCompilerEndIf\n"),
              "Error: Line 2: CompilerIf without CompilerEndIf");
    EXPECT_EQ(Error("CompilerSelect 1\nCompilerCase 1\n"),
              "Error: Line 1: CompilerSelect without CompilerEndSelect");
    EXPECT_EQ(Error("x = 1\nCompilerEndIf\n"), "Error: Line 2: CompilerEndIf without CompilerIf");
    EXPECT_EQ(Error("CompilerIf #False\nCompilerElse\nCompilerEndSelect\n"),
              "Error: Line 3: CompilerEndSelect without CompilerSelect (the CompilerIf of line 1 "
              "is still open)");
    EXPECT_EQ(Error("CompilerIf 1\nCompilerElse\nCompilerElse\nCompilerEndIf\n"),
              "Error: Line 3: CompilerElse appears twice in the CompilerIf of line 1");
    EXPECT_EQ(Error("CompilerIf #Nowhere = 1\nCompilerEndIf\n"),
              "Error: Line 1: CompilerIf #Nowhere = 1: constant #Nowhere is not declared");
    EXPECT_EQ(Error("CompilerIf Value > 1\nCompilerEndIf\n"),
              "Error: Line 1: CompilerIf Value > 1: \"Value\" is not a constant; only constants "
              "can be evaluated at conversion time");
    EXPECT_EQ(Error("#N = 0\nCompilerIf 10 / #N\nCompilerEndIf\n"),
              "Error: Line 2: CompilerIf 10 / #N: division by zero");
    EXPECT_EQ(Error("CompilerIf (1 * \nCompilerEndIf\n"),
              "Error: Line 1: CompilerIf (1 *: the expression ends too early");
    EXPECT_EQ(Error("CompilerIf #PB_Compiler_OS <> #PB_OS_Web\nCompilerElse\n"
                    "  CompilerError \"Not for the \" + \"web\"\nCompilerEndIf\n"),
              "Error: Line 3: CompilerError: Not for the web");
}

TEST(PreprocessConstants, CompilerConstantsBecomeValuesEverywhere) {
    EXPECT_EQ(Out("Debug #PB_Compiler_OS + #PB_Compiler_Processor\n"
                  "Debug #PB_Compiler_File + #pb_compiler_filepath ; #PB_Compiler_Line\n"
                  "Procedure Work()\n  Debug #PB_Compiler_Procedure + \"#PB_Compiler_Line\"\n"
                  "EndProcedure\n"
                  "Module Tools : Debug #PB_Compiler_Module : EndModule\n"
                  "Debug #PB_Compiler_Line, #PB_Compiler_Version, #PB_Compiler_Home\n"
                  "Debug #PB_Compiler_Unicode + #PB_Compiler_Thread + #PB_Compiler_Debugger\n"),
              "Debug 5 + 5\n"
              "Debug \"/home/user/programs/demo.pb\" + \"/home/user/programs/\" ; "
              "#PB_Compiler_Line\n"
              "Procedure Work()\nDebug \"Work\" + \"#PB_Compiler_Line\"\n"
              "EndProcedure\n"
              "Module Tools : Debug \"Tools\" : EndModule\n"
              "Debug 7, 612, \"/opt/purebasic/\"\n"
              "Debug 1 + 0 + 1\n");
    EXPECT_EQ(Preprocess("x = #PB_Compiler_Debugger\n", "0").Text, "x = 0\n");
    // Code that is left alone keeps its exact text, and labels keep their colon.
    EXPECT_EQ(Out("  Label:\n\tx = a%b : ; note\n!var js = [1,\n"),
              "  Label:\n\tx = a%b : ; note\n!var js = [1,\n");
}

TEST(PreprocessNativeCode, RefusedWithTheLineOutsideBranchesNotTaken) {
    Result r = Preprocess(
        "x = 1\nEnableASM\n  MOV eax, 1\n  ! mov ebx, 2\nDisableASM\n"
        "Import \"user32.lib\"\n  MessageBoxA(a, b, c, d)\nEndImport\n"
        "h = OpenLibrary(#PB_Any, \"x.dll\")\n"
        "MessageBox_(0, \"hi\", \"\", 0) : y = 2\n"
        "Procedure Mine_(a) : EndProcedure\nMine_(1)\n"
        "CompilerIf #PB_Compiler_OS = #PB_OS_Windows\n  SendMessage_(0, 0, 0, 0)\n"
        "CompilerEndIf\n"
        "!console.log('raw JavaScript stays');\n");
    EXPECT_EQ(r.Text, "");
    EXPECT_EQ(r.Errors,
              (std::vector<std::string>{
                  "Error: Line 3: inline assembly (EnableASM in line 2) is native code, which "
                  "cannot run in a browser",
                  "Error: Line 6: the Import block \"user32.lib\" is native code, which cannot run "
                  "in a browser",
                  "Error: Line 9: OpenLibrary() (a shared library of the operating system) is "
                  "native code, which cannot run in a browser",
                  "Error: Line 10: MessageBox_() (a function of the operating system's API) is "
                  "native code, which cannot run in a browser"}));
    // A "!" line outside EnableASM is raw JavaScript and an empty EnableASM block is harmless.
    EXPECT_EQ(Out("EnableASM\nDisableASM\n!alert(1);\n"), "\n\n!alert(1);\n");
}

namespace {

// Whether a constant expression holds, as CompilerIf sees it.
bool Holds(const std::string& expression) {
    std::string out = Out("CompilerIf " + expression + "\nyes\nCompilerEndIf\n");
    return out == "\nyes\n\n";
}

}  // namespace

TEST(PreprocessDirectives, OperatorPrioritiesAndLiterals) {
    // Priorities from high to low: unary - ~; << >> % !; | &; * /; + -; comparisons; Not; And Or.
    EXPECT_TRUE(Holds("2 + 3 * 4 = 14"));
    EXPECT_TRUE(Holds("1 | 2 * 3 = 9"));  // | binds closer than *
    EXPECT_TRUE(Holds("2 * 3 % 4 = 6"));  // % closer still
    EXPECT_TRUE(Holds("Not 1 = 2"));      // Not (1 = 2)
    EXPECT_TRUE(Holds("1 And 0 Or 1"));
    EXPECT_FALSE(Holds("1 XOr 1"));
    EXPECT_TRUE(Holds("-2 << 1 = -4 And ~0 = -1 And 5 ! 1 = 4 And 6 & 3 = 2"));
    EXPECT_TRUE(Holds("7 / 2 = 3 And 7 / 2.0 = 3.5 And -7 / 2 = -3"));
    EXPECT_TRUE(Holds("$FF = 255 And %1010 = 10 And 'A' = 65 And 1e3 = 1000"));
    EXPECT_TRUE(Holds(
        "\"abc\" < \"abd\" And \"a\" + \"b\" = \"ab\" And ~\"x\\ty\" = \"x\" + #TAB$ + \"y\""));
    EXPECT_TRUE(Holds("#PB_Compiler_Version >= 600 And #PB_Compiler_Version => 600"));
    EXPECT_TRUE(Holds("$7FFFFFFFFFFFFFFF + 1 < 0"));  // 64-bit integers wrap
    EXPECT_EQ(Error("CompilerIf \"text\"\nCompilerEndIf\n"),
              "Error: Line 1: CompilerIf needs a numeric expression, not a string");
    EXPECT_EQ(Error("CompilerIf \"a\" = 1\nCompilerEndIf\n"),
              "Error: Line 1: CompilerIf \"a\" = 1: a string cannot be compared with a number");
    EXPECT_EQ(Error("CompilerIf Len(\"a\")\nCompilerEndIf\n"),
              "Error: Line 1: CompilerIf Len(\"a\"): Len() cannot be evaluated at conversion time");
    // A branch after the one taken is not evaluated, so it may name what does not exist.
    EXPECT_EQ(Out("CompilerIf 1\na\nCompilerElseIf Unknown(1)\nb\nCompilerEndIf\n"), "\na\n\n\n\n");
}

TEST(PreprocessLines, StringsCommentsLabelsAndContinuation) {
    // Macro names inside strings and comments, and ":" or ";" inside strings, stay as written.
    EXPECT_EQ(Out("Macro M\nexpanded\nEndMacro\n"
                  "s$ = \"M: ; M\" + ~\"\\\"M\\\"\" : M ; M\n"),
              "\n\n\ns$ = \"M: ; M\" + ~\"\\\"M\\\"\" : expanded ; M\n");
    // Keywords followed closely by a colon are statements; other names are labels.
    EXPECT_EQ(Out("Macro M\nx\nEndMacro\nRepeat:M:ForEver\nStart: M\n"),
              "\n\n\nRepeat : x: ForEver\nStart: x\n");
    // A body line continued on the next line stays one statement of the macro.
    EXPECT_EQ(Out("Macro Total(a)\n  t = a +\n      1 ; more\n  Debug t\nEndMacro\nTotal(2)\n"),
              "\n\n\n\n\nt = 2 + 1 : Debug t\n");
    // Redefining a macro without UndefineMacro takes the new body from there on.
    EXPECT_EQ(Out("Macro V\n1\nEndMacro\na = V\nMacro V\n2\nEndMacro\nb = V\n"),
              "\n\n\na = 1\n\n\n\nb = 2\n");
    // Defined() in ordinary code is a compile-time value too.
    EXPECT_EQ(Out("x = 1\nIf Defined(x, #PB_Variable) And Defined(y, #PB_Variable) : EndIf\n"),
              "x = 1\nIf 1 And 0 : EndIf\n");
    // A file name with a double quote still makes a valid string literal.
    EXPECT_EQ(Preprocess("f$ = #PB_Compiler_Filename\n", "1", "/tmp/say \"hi\".pb").Text,
              "f$ = ~\"say \\\"hi\\\".pb\"\n");
}

TEST(PreprocessNativeCode, ManyLinesAreSummedUp) {
    std::string program;
    for (int i = 0; i < 25; ++i)
        program += "Beep_(100, 100)\n";
    Result r = Preprocess(program);
    ASSERT_EQ(r.Errors.size(), 21u);
    EXPECT_EQ(r.Errors.back(), "Error: ... and 5 more lines with native code");
    EXPECT_EQ(r.Text, "");
}
