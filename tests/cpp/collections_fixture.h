// Runs single translator passes on a small source, prepared as the driver prepares it before
// the pass (tokens, normalisation, "*"/"$" name suffixes, basic type suffixes emptied).
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "converter/run/conversion.h"
#include "converter/translator/passes.h"
#include "converter/translator/tokens.h"

namespace orvane::testing {

using Texts = std::vector<std::string>;

struct PassRun {
    Conversion conv;
    std::vector<std::string> log;

    explicit PassRun(const std::string& source) {
        conv.Sink = [this](const std::string& line, bool) { log.push_back(line); };
        TokenizeText(conv.Tokens, source);
        NormalizeForTranslation(conv.Tokens);
        TokenList& t = conv.Tokens;
        bool dot = false;
        for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
            Token& tok = t.At(id);
            if (tok.Type == PBSC_NewLine) dot = false;
            if (tok.Type == PBSC_Other && tok.Text == ".") dot = true;
            if (tok.Type != PBSC_Identifier) continue;
            if (tok.Text.size() > 1 && tok.Text[0] == '*') tok.Text.erase(0, 1);
            if (tok.Text.size() > 1 && tok.Text.back() == '$') tok.Text.pop_back();
            std::string lower = Lower(tok.Text);
            if (dot && lower.size() == 1 &&
                std::string("bacwulifqds").find(lower) != std::string::npos) {
                tok.Text.clear();
                tok.Type = PBSC_Other;
                t.At(t.Prev(id)).Text.clear();
                dot = false;
            }
        }
    }

    // Every token text, emptied ones included.
    Texts All() const {
        Texts out;
        for (const Token& tok : conv.Tokens.ToVector())
            out.push_back(tok.Text);
        return out;
    }
    // Token texts without the emptied ones, newlines shown as "\n".
    Texts Kept() const {
        Texts out;
        for (const Token& tok : conv.Tokens.ToVector())
            if (!tok.Text.empty()) out.push_back(tok.Text);
        return out;
    }
    std::string Joined() const { return conv.Tokens.Join(); }
    // The kept token texts separated by one blank, for expectations that read like the line.
    std::string Spaced() const {
        std::string out;
        for (const std::string& text : Kept())
            out += (out.empty() ? "" : " ") + text;
        return out;
    }

    // Writes the two tables into a program folder of this run's own and runs the library pass
    // over them, as the driver does before the declarations.
    void WithTables(const std::string& libraries, const std::string& constants) {
        namespace fs = std::filesystem;
        fs::path folder = fs::temp_directory_path() /
                          ("orvane_tables_" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        fs::create_directories(folder);
        std::ofstream(folder / "libraries.txt") << libraries;
        std::ofstream(folder / "constants.txt") << constants;
        conv.ProgramFolder = folder.string() + "/";
        TranslateLibraryCalls(conv);
        fs::remove_all(folder);
    }
};

// The library functions the collection tests call.
inline const char* kCollectionLibraries =
    "Sort.RandomizeList\nSort.SortList\nJson.InsertJSONList\nJson.ExtractJSONList\nJson."
    "InsertJSONMap\n"
    "Json.ExtractJSONMap\nString.Str\nString.Len\n";

}  // namespace orvane::testing
