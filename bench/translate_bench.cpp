// Times the translation stage as the run performs it (preprocessing, then parsing, the program
// model and the JavaScript written from it) on generated sources of 1x to 16x about 50,000 lines,
// and reports throughput and linearity. Each size is measured three times and the fastest counts:
// the machine is shared, and the slower runs measure the neighbours, not the translator.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "converter/preprocess/preprocess.h"
#include "converter/program/translate_program.h"
#include "platform/platform.h"

using namespace orvane;

namespace {

// One procedure of every construct the translator handles; the number keeps the names apart.
std::string Block(int n) {
    const std::string k = std::to_string(n);
    return "Global Dim values" + k + ".i(20, 2)\nProcedure.i Work" + k +
           "(a, b = 2, *p = #Null, s.s = \"x\")\n"
           "  Protected t.s = \"x\\y\" + #CRLF$\n"
           "  Static count" +
           k +
           "\n"
           "  Shared total\n"
           "  count" +
           k +
           " + 1\n"
           "  If a = b And Not b Or a <> 3 ; compare\n"
           "    a + 1\n"
           "  ElseIf a => b\n"
           "    a - 1\n"
           "  Else\n"
           "    a * 2\n"
           "  EndIf\n"
           "  Select a\n"
           "    Case 1, 2\n"
           "      b = $FF\n"
           "    Case 3 To 5, 9\n"
           "      b = Bool(a = 2)\n"
           "    Default\n"
           "      b = 0\n"
           "  EndSelect\n"
           "  For i = 1 To 10 Step 2\n"
           "    values" +
           k +
           "(i, 1) = i * 2\n"
           "  Next\n"
           "  While a > 0 : a - 1 : Wend\n"
           "  Repeat : b + 1 : Until b >= 10 Or a <> 0\n"
           "  ProcedureReturn a + b\n"
           "EndProcedure\n"
           "Define result" +
           k + " = Work" + k +
           "(1)\n"
           "\n";
}

// Enumerations, structures, lists and maps of structures, ForEach, Data and Read.
std::string CollectionBlock(int n) {
    const std::string k = std::to_string(n);
    return "Enumeration Colors" + k + "\n  #Red" + k + "\n  #Green" + k + " = 5\n  #Blue" + k +
           "\nEndEnumeration\n"
           "Structure Item" +
           k + "\n  Name.s\n  Count.i\nEndStructure\n" + "NewList items" + k + ".Item" + k +
           "()\n" + "NewMap prices" + k + ".i()\n" + "AddElement(items" + k + "())\n" + "items" +
           k + "()\\Name = \"a\"\n" + "items" + k + "()\\Count = #Green" + k + "\n" + "prices" + k +
           "(\"a\") = 3\n" + "ForEach items" + k + "()\n  total + items" + k +
           "()\\Count + prices" + k + "(items" + k + "()\\Name)\nNext\n" + "ForEach prices" + k +
           "()\n  Debug MapKey(prices" + k + "())\nNext\n" + "Define item" + k + ".Item" + k +
           "\nitem" + k + "\\Name = \"b\"\n" + "Restore Values" + k + "\nRead.i v\n" +
           "DataSection\n  Values" + k + ":\n  Data.i 1, 2, 3\n  Data.s \"x\", \"y\"\n" +
           "EndDataSection\n\n";
}

// Macros with parameters, concatenation and several statements, and compiler directives over the
// compiler constants, user constants and Defined().
std::string PreprocessorBlock(int n) {
    const std::string k = std::to_string(n);
    return "Macro Twice" + k + "(v, w = 1)\n  ((v) * 2 + w)\nEndMacro\n" + "Macro Name" + k +
           "(p)\n  p#Total" + k + "\nEndMacro\n" + "Macro Show" + k +
           "(x)\n  Debug x\n  Debug Twice" + k + "(x)\nEndMacro\n" + "#Limit" + k + " = " + k +
           " % 7 + 1\n" +
           "CompilerIf #PB_Compiler_OS = #PB_OS_Windows\n  Debug \"windows\"\n"
           "CompilerElseIf #PB_Compiler_OS = #PB_OS_Linux And #Limit" +
           k +
           " > 3\n"
           "  Debug \"linux\"\nCompilerElse\n  Name" +
           k + "(my) = Twice" + k + "(#Limit" + k + ")\n  Show" + k + "(Name" + k +
           "(my))\nCompilerEndIf\n" +
           "CompilerSelect #PB_Compiler_Processor\n  CompilerCase #PB_Processor_x64\n"
           "    Debug 64\n  CompilerDefault\n    Debug #PB_Compiler_Line\nCompilerEndSelect\n"
           "CompilerIf Defined(Work" +
           k +
           ", #PB_Procedure) And SizeOf(Integer) = 8\n"
           "  Debug Twice" +
           k + "(3, 4)\nCompilerEndIf\n\n";
}

// A module used with and without UseModule, and a Goto loop.
std::string ModuleBlock(int n) {
    const std::string k = std::to_string(n);
    return "DeclareModule Shapes" + k +
           "\n  Declare.i Area(w, h)\n  #Sides = 4\nEndDeclareModule\n" + "Module Shapes" + k +
           "\n  Procedure.i Area(w, h)\n    ProcedureReturn w * h\n" +
           "  EndProcedure\nEndModule\n" + "Debug Shapes" + k + "::Area(2, 3) + Shapes" + k +
           "::#Sides\nUseModule Shapes" + k + "\nDebug Area(4, 5)\nUnuseModule Shapes" + k + "\n" +
           "g" + k + " = 0\nagain" + k + ":\ng" + k + " + 1\nIf g" + k + " < 3 : Goto again" + k +
           " : EndIf\n\n";
}

std::string Source(int lines) {
    std::string text;
    int written = 0;
    for (int n = 0; written < lines; ++n) {
        text += Block(n);
        text += CollectionBlock(n);
        text += PreprocessorBlock(n);
        text += ModuleBlock(n);
        written += 30 + 29 + 29 + 18;
    }
    return text;
}

// Processor time of this process: the machine is shared, so wall time also counts waiting.
double CpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

struct Timing {
    double wall = 0;
    double cpu = 0;
};

Timing Measure(const std::string& source, size_t& outputSize) {
    Conversion conv;
    conv.SystemFolder = "/nonexistent-orvane-bench/";
    double cpuStart = CpuSeconds();
    auto start = std::chrono::steady_clock::now();
    // The runtime's tables: ORVANE_DIST, else build/dist beside the working folder.
    const char* dist = std::getenv("ORVANE_DIST");
    conv.ProgramFolder = std::string(dist ? dist : "build/dist") + "/";
    std::vector<std::string> errors;
    conv.Sink = [&errors](const std::string& line, bool error) {
        if (error) errors.push_back(line);
    };
    std::string text = PreprocessSource(conv, source);
    std::string script = TranslateProgram(conv, text);
    auto end = std::chrono::steady_clock::now();
    double cpuEnd = CpuSeconds();
    outputSize = script.size();
    if (script.empty()) {
        std::fprintf(stderr, "translation failed: %s\n", errors.empty() ? "" : errors[0].c_str());
        std::exit(1);
    }
    return {std::chrono::duration<double>(end - start).count(), cpuEnd - cpuStart};
}

}  // namespace

// Arguments: the size factors to run (default 1 2 4 8 16).
int main(int argc, char** argv) {
    const int baseLines = 50000;
    std::vector<int> factors;
    for (int i = 1; i < argc; ++i)
        factors.push_back(std::atoi(argv[i]));
    if (factors.empty()) factors = {1, 2, 4, 8, 16};
    Timing base;
    std::printf("%6s %9s %8s %9s %9s %9s %9s\n", "size", "lines", "MB", "wall s", "cpu s",
                "wall MB/s", "cpu MB/s");
    RetainFreedMemory();  // as Orvane itself does at start
    size_t outputSize = 0;
    // A first run pays for what happens once per process (tables, first allocations).
    Measure(Source(baseLines), outputSize);
    for (int factor : factors) {
        std::string source = Source(baseLines * factor);
        Timing t = Measure(source, outputSize);
        for (int again = 0; again < 2; ++again) {
            Timing u = Measure(source, outputSize);
            if (u.cpu < t.cpu) t.cpu = u.cpu;
            if (u.wall < t.wall) t.wall = u.wall;
        }
        double mb = source.size() / 1e6;
        if (factor == 1) base = t;
        std::printf("%5dx %9d %8.2f %9.3f %9.3f %9.2f %9.2f\n", factor, baseLines * factor, mb,
                    t.wall, t.cpu, mb / t.wall, mb / t.cpu);
        if (factor == 16 && base.cpu > 0)
            std::printf("ratio 16x / (16 * 1x): wall %.3f, cpu %.3f\n", t.wall / (16 * base.wall),
                        t.cpu / (16 * base.cpu));
    }
    return 0;
}
