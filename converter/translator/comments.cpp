// Macro definitions and comments.
#include "converter/translator/passes.h"
#include "converter/translator/translate.h"

namespace orvane {

namespace {

// True when the line starts with the word itself, not with a longer name such as "MacroCount".
bool StartsWithWord(std::string_view lowerLine, std::string_view word) {
    if (!StartsWith(lowerLine, word)) return false;
    if (lowerLine.size() == word.size()) return true;
    char c = lowerLine[word.size()];
    bool wordChar = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
    return !wordChar;
}

bool IsRawBegin(const std::string& text) {
    return EqualsNoCase(text, "orv_converter_begin_raw") || EqualsNoCase(text, "orv_enablejs") ||
           EqualsNoCase(text, "enablejs");
}

bool IsRawEnd(const std::string& text) {
    return EqualsNoCase(text, "orv_converter_end_raw") || EqualsNoCase(text, "orv_disablejs") ||
           EqualsNoCase(text, "disablejs");
}

}  // namespace

// Macro uses stay as written; only the definitions go.
std::string RemoveMacros(Conversion&, const std::string& text) {
    std::string out;
    out.reserve(text.size());
    bool inMacro = false;
    for (std::string_view raw : CompleteLines(text)) {
        std::string line = TrimBlanks(raw);
        std::string test = Lower(TrimTrailingChars(TrimLeadingChars(line, " \t\r\n"), " \t\r\n"));
        if (StartsWithWord(test, "macro")) {
            inMacro = true;
        } else if (StartsWithWord(test, "endmacro")) {
            inMacro = false;
        } else if (!line.empty() && !inMacro) {
            out += line;
            out += '\n';
        }
    }
    return out;
}

void TranslateComments(Conversion& conv) {
    LogMessage(conv, "Processing: Comments...");
    TokenList& tokens = conv.Tokens;
    bool raw = false;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type == PBSC_Identifier) {
            if (IsRawBegin(t.Text)) raw = true;
            if (IsRawEnd(t.Text)) raw = false;
        } else if (t.Type == PBSC_Comment && !raw) {
            t.Text = "// " + t.Text;
        }
    }
}

}  // namespace orvane
