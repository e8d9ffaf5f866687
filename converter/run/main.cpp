// Orvane's entry: the progress window by default, or the console mode that prints the run's lines.

#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "converter/run/progress_window.h"
#include "converter/run/run.h"
#include "converter/translator/tokens.h"
#include "platform/platform.h"

namespace {

constexpr const char* kHelp =
    "Usage: Orvane [--console] [--answer=yes|no] [--no-syntax-check] sourcefile.pb\n"
    "\n"
    "Converts a PureBasic program into a web application, using the profile the program names\n"
    "with ORV_Converter_SetProfile(\"name\") (profiles are kept by Setwright and Setpicker).\n"
    "\n"
    "  --console        no window: report lines go to standard output, error lines to standard\n"
    "                   error; the exit status is 0 on success and 1 on failure\n"
    "  --answer=yes|no  answer the question about creating a missing profile without asking\n"
    "                   (console mode asks on the terminal, or takes No without one)\n"
    "  --no-syntax-check  convert without the PureBasic compiler's syntax check, so that no\n"
    "                   compiler is needed (CGI server code still needs it)\n"
    "  --help           show this text\n"
    "  --version        show the version\n"
    "\n"
    "Environment: PB_TOOL_Compiler (the PureBasic compiler), PB_TOOL_Project, PB_TOOL_Word,\n"
    "PB_TOOL_Debugger (set by the PureBasic IDE when started as a tool). Without\n"
    "PB_TOOL_Compiler the compiler is $PUREBASIC_HOME/compilers/pbcompiler, else pbcompiler\n"
    "on the PATH.\n";

struct Options {
    bool console = false;
    bool help = false;
    bool version = false;
    bool noSyntaxCheck = false;
    std::optional<bool> answer;
    std::vector<std::string> arguments;
    std::string error;
};

Options ParseOptions(int argc, char** argv) {
    Options o;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (optionsEnded || arg.rfind("--", 0) != 0) {
            o.arguments.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--console") {
            o.console = true;
        } else if (arg == "--help") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--answer=yes") {
            o.answer = true;
        } else if (arg == "--answer=no") {
            o.answer = false;
        } else if (arg == "--no-syntax-check") {
            o.noSyntaxCheck = true;
        } else {
            o.error = "unknown option '" + arg + "'";
        }
    }
    return o;
}

// The console's Yes/No: a fixed answer, the terminal, or No when there is no one to ask.
bool AskOnConsole(const std::optional<bool>& answer, const std::string& text) {
    bool yes = false;
    if (answer) {
        yes = *answer;
    } else if (isatty(STDIN_FILENO)) {
        std::cout << text << " [y/N] " << std::flush;
        std::string reply;
        if (std::getline(std::cin, reply)) {
            std::string r = orvane::Lower(orvane::TrimWhite(reply));
            yes = r == "y" || r == "yes";
        }
        return yes;
    }
    std::cout << text << (yes ? " Yes" : " No") << std::endl;
    return yes;
}

int RunInConsole(int argc, char** argv, const Options& options) {
    QCoreApplication app(argc, argv);
    orvane::Conversion conv;
    conv.Sink = [](const std::string& line, bool error) {
        if (error) {
            std::cout << std::flush;
            std::cerr << line << std::endl;
        } else {
            std::cout << line << std::endl;
        }
    };
    conv.Ask = [&](const std::string&, const std::string& text) {
        return AskOnConsole(options.answer, text);
    };
    orvane::PrepareConversion(conv, options.arguments);
    conv.SkipSyntaxCheck = options.noSyntaxCheck;
    orvane::RunConversion(conv);
    std::cout << std::flush;
    return conv.RunFailed ? 1 : 0;
}

int RunInWindow(int argc, char** argv, const Options& options) {
    QApplication app(argc, argv);
    orvane::Conversion conv;
    orvane::PrepareConversion(conv, options.arguments);
    conv.SkipSyntaxCheck = options.noSyntaxCheck;
    orvane::ProgressWindow window;
    window.show();
    window.StartRun(conv, orvane::RunConversion);
    app.exec();
    // The close box ends the program at once, even while the run goes on.
    if (!window.JoinRun()) std::_Exit(1);
    return conv.RunFailed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    orvane::RetainFreedMemory();
    Options options = ParseOptions(argc, argv);
    if (!options.error.empty()) {
        std::cerr << "Orvane: " << options.error << "\n\n" << kHelp;
        return 2;
    }
    if (options.help) {
        std::cout << kHelp;
        return 0;
    }
    if (options.version) {
        std::cout << "Orvane " << ORVANE_VERSION << "\n";
        return 0;
    }
    return options.console ? RunInConsole(argc, argv, options) : RunInWindow(argc, argv, options);
}
