// What the web target reports through PureBasic's compiler constants, and the resident constants
// (values from PureBasic's own resident files) that compile-time expressions may compare them with.
#include <ctime>

#include "converter/preprocess/preprocess.h"
#include "converter/preprocess/preprocess_internal.h"
#include "platform/platform.h"

namespace orvane::preprocess {

namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

// PureBasic's dates count seconds from 1970-01-01 in local time.
int64_t LocalDateNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return DaysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                         static_cast<unsigned>(local.tm_mday)) *
               86400 +
           local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

std::string AbsoluteSourceFile(const Conversion& conv) {
    const std::string& file = conv.SourceFile;
    bool absolute =
        !file.empty() && (file[0] == '/' || file[0] == '\\' || (file.size() > 1 && file[1] == ':'));
    return absolute || file.empty() ? file : CurrentFolder() + file;
}

// The PureBasic folder: the compiler lives in its "Compilers" subfolder.
std::string PureBasicHome(const Conversion& conv) {
    if (conv.CompilerPath.empty()) return "";
    std::string folder = FolderPart(conv.CompilerPath);
    std::string inner = folder.substr(0, folder.size() - 1);
    if (SameNoCase(FilePart(inner), "compilers")) return FolderPart(inner);
    return folder;
}

const std::unordered_map<std::string, ConstValue>& ResidentTable() {
    static const std::unordered_map<std::string, ConstValue> table = [] {
        std::unordered_map<std::string, ConstValue> t;
        auto integer = [&t](const char* name, int64_t v) { t[name] = ConstValue::Integer(v); };
        auto text = [&t](const char* name, std::string v) { t[name] = ConstValue::String(v); };
        integer("true", 1);
        integer("false", 0);
        integer("null", 0);
        t["pi"] = ConstValue::Real(3.141592653589793238);
        t["e"] = ConstValue::Real(2.7182818284590452353);
        integer("pb_any", -1);
        integer("pb_default", -1);
        integer("pb_os_windows", 1);
        integer("pb_os_linux", 2);
        integer("pb_os_amigaos", 3);
        integer("pb_os_macos", 4);
        integer("pb_os_web", WebTargetOS);
        integer("pb_processor_mc68000", 1);
        integer("pb_processor_x86", 2);
        integer("pb_processor_powerpc", 3);
        integer("pb_processor_x64", 4);
        integer("pb_processor_javascript", 5);
        integer("pb_processor_arm64", 6);
        integer("pb_processor_arm32", 7);
        integer("pb_backend_asm", 0);
        integer("pb_backend_c", 1);
        integer("pb_structure_alignc", -1);
        // The types, as Defined(), TypeOf() and Sort use them.
        integer("pb_byte", 1);
        integer("pb_word", 3);
        integer("pb_long", 5);
        integer("pb_structure", 7);
        integer("pb_string", 8);
        integer("pb_float", 9);
        integer("pb_fixedstring", 10);
        integer("pb_character", 11);
        integer("pb_double", 12);
        integer("pb_quad", 13);
        integer("pb_list", 14);
        integer("pb_linkedlist", 14);
        integer("pb_array", 15);
        integer("pb_integer", 21);
        integer("pb_map", 22);
        integer("pb_ascii", 24);
        integer("pb_unicode", 25);
        integer("pb_constant", 50);
        integer("pb_variable", 51);
        integer("pb_interface", 52);
        integer("pb_procedure", 53);
        integer("pb_function", 54);
        integer("pb_osfunction", 55);
        integer("pb_label", 56);
        integer("pb_prototype", 57);
        integer("pb_module", 58);
        integer("pb_enumeration", 59);
        // Characters.
        integer("tab", 9);
        integer("lf", 10);
        integer("cr", 13);
        integer("esc", 27);
        text("empty$", "");
        text("tab$", "\t");
        text("lf$", "\n");
        text("cr$", "\r");
        text("crlf$", "\r\n");
        text("lfcr$", "\n\r");
        text("esc$", "\x1b");
        text("dquote$", "\"");
        text("doublequote$", "\"");
        return t;
    }();
    return table;
}

// A table of names (one per line, "#" optional), lower-cased.
void LoadNames(const std::string& path, std::unordered_set<std::string>& names, bool afterDot) {
    if (!FileExists(path)) return;
    std::string text = ReadTextFileNow(path);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string_view line = TrimmedView(std::string_view(text).substr(pos, end - pos));
        pos = end + 1;
        if (afterDot) {
            // "Library.Function[.await]"
            size_t dot = line.find('.');
            if (dot == std::string_view::npos) continue;
            line = line.substr(dot + 1);
            line = line.substr(0, line.find('.'));
        }
        if (!line.empty() && line[0] == '#') line.remove_prefix(1);
        if (!line.empty()) names.insert(LowerText(line));
    }
}

}  // namespace

std::optional<ConstValue> CompilerConstant(State& state, std::string_view lowerName) {
    constexpr std::string_view prefix = "pb_compiler_";
    if (lowerName.substr(0, prefix.size()) != prefix) return std::nullopt;
    const std::string_view name = lowerName.substr(prefix.size());
    const Conversion& conv = state.Conv;
    auto integer = [](int64_t v) { return ConstValue::Integer(v); };
    auto text = [](std::string v) { return ConstValue::String(std::move(v)); };

    if (name == "os") return integer(WebTargetOS);
    if (name == "processor") return integer(WebTargetProcessor);
    if (name == "version") return integer(WebTargetCompilerVersion);
    // Neither backend fits a script; "C" is the one that already translates to another language.
    if (name == "backend") return integer(1);
    if (name == "executableformat") return integer(0);  // #PB_Compiler_Executable
    if (name == "executable") return integer(0);
    if (name == "dll") return integer(1);
    if (name == "console") return integer(2);
    if (name == "unicode") return integer(1);
    if (name == "thread") return integer(0);
    if (name == "debugger") return integer(conv.DebuggerFlag == "0" ? 0 : 1);
    // Integers and pointers of the runtime library are 8 bytes, as on a 64-bit processor.
    if (name == "64bit") return integer(1);
    if (name == "32bit") return integer(0);
    if (name == "linenumbering" || name == "inlineassembly" || name == "enableexplicit" ||
        name == "optimizer" || name == "dpiaware")
        return integer(0);
    // Included files are part of the assembled main file by now.
    if (name == "ismainfile") return integer(1);
    if (name == "isincludefile") return integer(0);
    if (name == "line") return integer(state.Line);
    if (name == "date") return integer(LocalDateNow());
    if (name == "enumerationvalue") {
        const Declarations& d = state.Declared;
        return integer(d.Enumeration.Open ? d.Enumeration.Next : d.EnumerationValue);
    }
    if (name == "file") return text(AbsoluteSourceFile(conv));
    if (name == "filepath") return text(FolderPart(AbsoluteSourceFile(conv)));
    if (name == "filename") return text(FilePart(conv.SourceFile));
    if (name == "procedure") return text(state.Declared.Procedure);
    if (name == "module") return text(state.Declared.Module);
    if (name == "home") return text(PureBasicHome(conv));
    return std::nullopt;
}

std::optional<ConstValue> ResidentConstant(std::string_view lowerName) {
    const auto& table = ResidentTable();
    auto found = table.find(std::string(lowerName));
    if (found == table.end()) return std::nullopt;
    return found->second;
}

bool IsLibraryConstant(State& state, std::string_view lowerName) {
    if (!state.LibraryConstantsLoaded) {
        state.LibraryConstantsLoaded = true;
        LoadNames(state.Conv.ProgramFolder + "constants.txt", state.LibraryConstants, false);
    }
    return state.LibraryConstants.count(std::string(lowerName)) > 0;
}

bool IsLibraryFunction(State& state, std::string_view lowerName) {
    if (!state.LibraryFunctionsLoaded) {
        state.LibraryFunctionsLoaded = true;
        LoadNames(state.Conv.ProgramFolder + "libraries.txt", state.LibraryFunctions, true);
    }
    return state.LibraryFunctions.count(std::string(lowerName)) > 0;
}

}  // namespace orvane::preprocess
