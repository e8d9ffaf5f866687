#include "converter/run/source_assembly.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <QStandardPaths>
#include <QString>
#include <memory>
#include <vector>

#include "platform/platform.h"

namespace orvane {

namespace {

struct CodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};

// Lines 1..n of a text as owned strings, so that single lines can be replaced or emptied.
std::vector<std::string> LineList(const std::string& text) {
    std::vector<std::string> lines;
    for (std::string_view line : CompleteLines(text))
        lines.emplace_back(line);
    return lines;
}

bool HasExtension(const std::string& path) {
    return FilePart(path).find('.') != std::string::npos;
}

struct IncludeRecord {
    std::string Name;
    std::string Text;
    int Line = 0;
};

// Reads one included file: the name as written first, then relative to the main file, then (a
// bare file name such as orv.pbi) from the program folder. A file
// that is missing or not text is reported by name and contributes nothing.
std::string ReadIncludedFile(Conversion& conv, const std::string& name, int line) {
    if (name.empty()) {
        LogMessage(conv, "Include statement without a file name in line " + std::to_string(line),
                   true);
        return "";
    }
    std::string path;
    if (FileSize(name) > 0)
        path = name;
    else if (FileExists(FolderPart(conv.SourceFile) + name))
        path = FolderPart(conv.SourceFile) + name;
    else if (FileExists(name))
        path = name;
    else if (FilePart(name) == name && FileExists(conv.ProgramFolder + name))
        path = conv.ProgramFolder + name;  // orv.pbi as delivered beside the converter
    if (path.empty()) {
        LogMessage(conv, "Include file not found: '" + name + "'", true);
        return "";
    }
    // Include files are complete on disk; waiting for them to grow would only stall on short ones.
    std::string text = ReadTextFileNow(path);
    if (text.find('\0') != std::string::npos) {
        LogMessage(conv, "Include file is not a text file: '" + name + "'", true);
        return "";
    }
    return ReplaceAll(text, "\r\n", "\n");
}

}  // namespace

std::string ProjectSourceFile(Conversion& conv, const std::string& project) {
    std::string projectFile = project;
    if (!HasExtension(projectFile)) projectFile += ".pbp";
    if (!FileExists(projectFile)) {
        LogMessage(conv, "Project file not found: '" + projectFile + "'", true);
        return "";
    }
    std::string text = ReadTextFile(projectFile);
    const std::string key = "<inputfile value=";
    std::string value;
    size_t start = text.find(key);
    if (start != std::string::npos) {
        start += key.size();
        size_t end = text.find("/>", start);
        if (end != std::string::npos) value = text.substr(start, end - start);
    }
    if (value.empty()) {
        LogMessage(conv, "No main source file named in project file: '" + projectFile + "'", true);
        return "";
    }
    value = TrimBlanks(RemoveAll(value, "\""));
    if (!value.empty() && !FileExists(value)) value = FolderPart(projectFile) + value;
    return value;
}

bool IncludesOrvPbi(const std::string& text) {
    static const std::unique_ptr<pcre2_code, CodeDeleter> code = [] {
        int error = 0;
        PCRE2_SIZE offset = 0;
        const char* pattern = R"(^[\s]*[XIncludeFile|IncludeFile](.*?)orv.pbi)";
        return std::unique_ptr<pcre2_code, CodeDeleter>(
            pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED,
                          PCRE2_CASELESS | PCRE2_MULTILINE, &error, &offset, nullptr));
    }();
    if (!code) return false;
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> match(
        pcre2_match_data_create_from_pattern(code.get(), nullptr));
    int rc = pcre2_match(code.get(), reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0, 0,
                         match.get(), nullptr);
    return rc >= 0;
}

std::string FindPureBasicCompiler() {
    const std::string name = ExecutableName("pbcompiler");
    std::string home = GetEnv("PUREBASIC_HOME");
    if (!home.empty() && FileExists(WithSlash(home) + "compilers/" + name))
        return WithSlash(home) + "compilers/" + name;
    return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
}

bool SyntaxCheck(Conversion& conv) {
    if (conv.SkipSyntaxCheck) {
        LogMessage(conv, "");
        LogMessage(conv, "Syntaxcheck skipped (--no-syntax-check)");
        return true;
    }
    LogMessage(conv, "");
    LogMessage(conv, "Syntaxcheck. Starting PureBasic...");
    int exitCode = RunProgramCaptured(conv.CompilerPath, {"/CHECK", conv.SourceFile},
                                      [&conv](const std::string& line) { LogMessage(conv, line); });
    if (exitCode == -1) {
        LogMessage(conv, "");
        LogMessage(conv, "Something went wrong :-(", true);
        LogMessage(conv, "");
        return false;
    }
    return exitCode == 0;
}

std::string ExpandIncludes(Conversion& conv, const std::string& source) {
    const std::string text = ReplaceAll(source, "\r\n", "\n");
    TokenList& tokens = conv.Tokens;
    TokenizeText(tokens, text);

    std::vector<IncludeRecord> includes;
    tokens.ResetCursor();
    while (tokens.StepNext()) {
        if (!tokens.IsKeyword("xincludefile") && !tokens.IsKeyword("includefile")) continue;
        const int line = tokens.Cur().Line;
        if (tokens.NextTokenIs("(")) tokens.StepNext();
        std::string name;
        if (tokens.StepNext() && !tokens.IsStatementEnd())
            name = RemoveAll(tokens.Cur().Text, "\"");
        IncludeRecord record;
        record.Name = name;
        record.Line = line;
        record.Text = ReadIncludedFile(conv, name, line);
        includes.push_back(std::move(record));
    }

    std::vector<std::string> lines = LineList(text);
    for (const IncludeRecord& include : includes)
        if (include.Line >= 1 && include.Line <= static_cast<int>(lines.size()))
            lines[include.Line - 1] = include.Text;

    std::string result;
    result.reserve(text.size());
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        result += line;
        if (line.back() != '\n') result += '\n';
    }
    return result;
}

std::string RemoveDataSections(Conversion& conv, const std::string& text) {
    // Tokenizing the whole program costs more than the rest of this stage; a program that
    // never says IncludeBinary has nothing to find.
    if (ContainsNoCase(text, "includebinary")) {
        TokenList& tokens = conv.Tokens;
        TokenizeText(tokens, text);
        tokens.ResetCursor();
        while (tokens.StepNext()) {
            if (!EqualsNoCase(tokens.Cur().Text, "includebinary")) continue;
            if (tokens.StepNext() && tokens.Cur().Type == PBSC_String)
                conv.IncludeBinaryFiles.push_back(RemoveAll(tokens.Cur().Text, "\""));
        }
        tokens.Clear();
    }

    std::string result;
    result.reserve(text.size());
    bool inDataSection = false;
    for (std::string_view rawLine : CompleteLines(text)) {
        std::string line = TrimBlanks(rawLine);
        std::string test = Lower(TrimWhite(line));
        if (StartsWith(test, "datasection")) {
            inDataSection = true;
            continue;
        }
        if (StartsWith(test, "enddatasection")) {
            inDataSection = false;
            continue;
        }
        if (StartsWith(test, "includebinary")) continue;
        if (!inDataSection && !line.empty()) {
            result += line;
            result += '\n';
        }
    }
    return result;
}

std::string HoistDeclarations(Conversion& conv, const std::string& source) {
    const std::string text = ReplaceAll(source, "\r\n", "\n");
    std::vector<std::string> lines = LineList(text);
    for (std::string& line : lines)
        line = TrimBlanks(line);

    TokenList& tokens = conv.Tokens;
    TokenizeText(tokens, text);
    std::string header;
    bool globalLine = false;
    bool inStructure = false;
    // Constants and enumerations go up with the Global lines: a hoisted "Global total = #Max"
    // would otherwise read Max before the line "#Max = 10" has run. PureBasic settles constants
    // before the program runs, so moving them keeps its meaning.
    bool inEnumeration = false;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        const Token& token = tokens.At(id);
        if (token.Type != PBSC_Identifier) continue;
        std::string lower = Lower(token.Text);
        TokenId before = tokens.Prev(id);
        bool lineStart = before == NoToken || tokens.At(before).Type == PBSC_NewLine;
        bool constantLine =
            lineStart && StartsWith(token.Text, "#") && tokens.TextOf(tokens.Next(id)) == "=";
        if (lower == "global")
            globalLine = true;
        else if (lower == "structure")
            inStructure = true;
        else if (lineStart && (lower == "enumeration" || lower == "enumerationbinary"))
            inEnumeration = true;
        if ((globalLine || inStructure || inEnumeration || constantLine) && token.Line >= 1 &&
            token.Line <= static_cast<int>(lines.size())) {
            header += lines[token.Line - 1];
            header += '\n';
            lines[token.Line - 1].clear();
        }
        globalLine = false;
        if (lower == "endstructure") inStructure = false;
        if (lower == "endenumeration") inEnumeration = false;
    }

    std::string result = header;
    result.reserve(text.size() + header.size());
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        result += line;
        result += '\n';
    }
    return result;
}

}  // namespace orvane
