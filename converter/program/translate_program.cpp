#include "converter/program/translate_program.h"

#include <QByteArray>
#include <QFile>

#include "converter/page/page.h"
#include "converter/program/emit.h"
#include "converter/program/lexer.h"
#include "converter/program/parser.h"
#include "converter/translator/passes.h"
#include "converter/translator/translate.h"
#include "platform/platform.h"

namespace orvane {

namespace {

// Plain data, so that the table costs the compiler nothing (a table of strings takes minutes under
// the sanitizers).
struct DocumentedEntry {
    const char* Name;
    char Result;
    int MinArgs;
    int MaxArgs;
    unsigned Collections;
    unsigned Floats;
};

constexpr DocumentedEntry kDocumented[] = {
#include "converter/program/library_table.inc"
};

std::vector<std::string> Lines(const std::string& path) {
    std::vector<std::string> lines;
    std::string text = ReadTextFileNow(path);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = TrimWhite(std::string_view(text).substr(start, end - start));
        if (!line.empty()) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// A file's bytes as a data URL, with the picture types browsers decode named.
std::string DataUrl(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return "";
    QByteArray bytes = file.readAll();
    std::string lower = program::LowerText(path);
    auto endsWith = [&lower](const char* ext) {
        std::string e(ext);
        return lower.size() >= e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0;
    };
    const char* type = endsWith(".png")                        ? "image/png"
                       : endsWith(".jpg") || endsWith(".jpeg") ? "image/jpeg"
                       : endsWith(".gif")                      ? "image/gif"
                       : endsWith(".bmp")                      ? "image/bmp"
                                                               : "application/octet-stream";
    return std::string("data:") + type + ";base64," + bytes.toBase64().toStdString();
}

// Libraries the page loads because of the runtime objects the script uses.
void NoteNeedsOfObjects(Conversion& conv, const program::EmitResult& result) {
    LibraryNeeds& n = conv.Needs;
    for (const std::string& object : result.UsedObjects) {
        if (object == "cCipher") n.Cipher = true;
        if (object == "cPreference") n.Storage = true;
        if (object == "cMenu") n.Menubar = true;
        if (object == "cDatabase") n.Database = n.Storage = true;
        if (object == "cXml") n.Xml = true;
        if (object == "cSprite" || object == "cScreen") n.Pixi = true;
    }
}

}  // namespace

program::LibraryIndex LoadLibraryIndex(const std::string& programFolder) {
    program::LibraryIndex index;
    for (const std::string& line : Lines(programFolder + "libraries.txt")) {
        size_t dot = line.find('.');
        if (dot == std::string::npos) continue;
        size_t dot2 = line.find('.', dot + 1);
        program::LibraryFunction f;
        f.Object = line.substr(0, dot);
        f.Name = line.substr(dot + 1, dot2 == std::string::npos ? dot2 : dot2 - dot - 1);
        f.Await = dot2 != std::string::npos && line.substr(dot2 + 1) == "await";
        index.Functions[program::LowerText(f.Name)] = f;
    }
    for (const std::string& line : Lines(programFolder + "constants.txt")) {
        std::string upper = line;
        for (char& c : upper)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        index.Constants[upper] = line;
    }
    for (const std::string& line : Lines(programFolder + "constant-values.txt")) {
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string upper = line.substr(0, eq);
        for (char& c : upper)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        index.ConstantValues[upper] = line.substr(eq + 1);
    }
    for (const DocumentedEntry& d : kDocumented) {
        program::DocumentedFunction f;
        f.Name = d.Name;
        f.Result = d.Result;
        f.MinArgs = d.MinArgs;
        f.MaxArgs = d.MaxArgs;
        f.Collections = d.Collections;
        f.Floats = d.Floats;
        index.Documented[program::LowerText(f.Name)] = f;
    }
    return index;
}

std::string TranslateProgram(Conversion& conv, const std::string& text) {
    LogMessage(conv, "Converting...");
    conv.SystemFiles.clear();
    ListFilesRecursive(conv, conv.SystemFolder);
    // The optional libraries are chosen by the names the program uses.
    NoteLibraryNeedsOfSource(conv, text);

    std::vector<program::Token> tokens = program::LexProgram(text);
    program::Program parsed;
    program::ParseError error;
    if (!program::ParseProgram(tokens, parsed, error)) {
        LogMessage(conv, "Line " + std::to_string(error.Line) + ": " + error.Message, true);
        return "";
    }
    program::LibraryIndex index = LoadLibraryIndex(conv.ProgramFolder);
    program::EmitResult result;
    const std::string folder = FolderPart(conv.SourceFile);
    auto readBinary = [&folder](const std::string& path) -> std::string {
        std::string file = FileExists(path) ? path : folder + path;
        if (!FileExists(file)) return "";
        return DataUrl(file);
    };
    program::EmitProgram(parsed, index, result, readBinary);
    for (const std::string& file : result.IncludedBinaries)
        conv.IncludeBinaryFiles.push_back(file);
    for (const std::string& w : result.Warnings)
        LogMessage(conv, w);
    for (const std::string& e : result.Errors)
        LogMessage(conv, e, true);
    if (!result.Errors.empty()) return "";
    NoteNeedsOfObjects(conv, result);
    return result.Script;
}

}  // namespace orvane
