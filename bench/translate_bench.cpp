// Times Translate and PostProcess (with the re-tokenizing between them that the run performs)
// on generated sources of 1x to 16x about 50,000 lines, and reports throughput and linearity.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "converter/translator/translate.h"

using namespace orvane;

namespace {

// One procedure of every construct the translator handles; the number keeps the names apart.
std::string Block(int n) {
    const std::string k = std::to_string(n);
    return "Procedure.i Work" + k +
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
           "Dim values" +
           k +
           ".i(20, 2)\n"
           "Define result" +
           k + " = Work" + k +
           "(1)\n"
           "\n";
}

std::string Source(int lines) {
    std::string text;
    int written = 0;
    for (int n = 0; written < lines; ++n) {
        text += Block(n);
        written += 30;
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
    std::string joined = Translate(conv, source);
    TokenizeText(conv.Tokens, joined);
    std::string script = PostProcess(conv);
    auto end = std::chrono::steady_clock::now();
    double cpuEnd = CpuSeconds();
    outputSize = script.size();
    if (joined.empty() || script.empty()) {
        std::fprintf(stderr, "translation failed\n");
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
    for (int factor : factors) {
        std::string source = Source(baseLines * factor);
        size_t outputSize = 0;
        Timing t = Measure(source, outputSize);
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
