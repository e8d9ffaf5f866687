// The last stage of translation: spacing, statement ends, repairs of split operators, and the
// removal of comment lines.
#include "converter/translator/runtime_names.h"
#include "converter/translator/translate.h"

namespace orvane {

namespace {

// One of the single characters in set (this runs for every token of the script).
bool IsOneOf(const std::string& s, std::string_view set) {
    if (s.size() != 1) return false;
    for (char c : set)
        if (s[0] == c) return true;
    return false;
}

std::string JoinWithSpacing(const TokenList& tokens) {
    std::string r;
    size_t size = 0;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id))
        size += tokens.At(id).Text.size() + 1;
    r.reserve(size);
    bool matchLine = false;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        const Token& t = tokens.At(id);
        if (EqualsNoCase(t.Text, "match")) matchLine = true;
        if (IsStatementEndType(t.Type)) {
            r += t.Text;
            matchLine = false;
            continue;
        }
        const std::string& next = tokens.TextOf(tokens.Next(id));
        r += t.Text;
        if (IsOneOf(t.Text, "-+")) {
            if (!IsNumericLiteral(next) && !matchLine) r += ' ';
            continue;
        }
        const bool glued =
            IsOneOf(next, ".([])") || IsOneOf(t.Text, ".([]") || t.Type == PBSC_Number;
        if (!glued && !matchLine) r += ' ';
    }
    return r;
}

std::string CollapseLineBreaks(const std::string& r) {
    std::string out;
    out.reserve(r.size());
    for (char c : r)
        if (c != '\n' || out.empty() || out.back() != '\n') out += c;
    return out;
}

std::string EndStatements(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    bool raw = false;
    for (std::string_view piece : CompleteLines(text)) {
        std::string_view line = TrimView(piece, " ");
        const std::string lower = Lower(line);
        if (OpensRawBlock(lower))
            raw = true;
        else if (ClosesRawBlock(lower))
            raw = false;
        out += line;
        const bool ended = EndsWith(line, ";") || EndsWith(line, "{") || EndsWith(line, ":") ||
                           EndsWith(line, "(");
        out += !ended && !raw && !line.empty() ? ";\n" : "\n";
    }
    return out;
}

// The repairs mend what the token-by-token join split apart; they never touch the text of a
// string literal ("US$ 5" keeps its blank). A literal never spans a line.
std::string RepairSplitOperators(const std::string& text) {
    static const std::pair<std::string_view, std::string_view> repairs[] = {
        {"/ /", "//"},
        {"= = =", "==="},
        {"! =", "!="},
        {"+ =", "+="},
        {"/ =", "/="},
        {"* =", "*="},
        {"- =", "-="},
        {"= =", "=="},
        {"| =", "|="},
        {"& =", "&="},
        // The shorthand XOr ("x ! 3"), whose "!" the keyword mapping made "^".
        {"^ =", "^="},
        {"| |", "||"},
        {"& &", "&&"},
        {"||(", "|| ("},
        {"if(", "if ("},
        {"$ ", "$"},
        {"// ;", "; //"},
        {js::CommonDotless, "cCommon.ORV_"},
        {"var var", "var"},
        // The increment of a For header, re-read as separate signs, is one operator again.
        {"+ + )", "++)"},
    };
    std::string out;
    out.reserve(text.size());
    std::string code;  // text outside literals, waiting for its repairs
    auto flushCode = [&] {
        for (const auto& [from, to] : repairs)
            if (code.find(from) != std::string::npos) code = ReplaceAll(code, from, to);
        out += code;
        code.clear();
    };
    size_t pos = 0;
    while (pos < text.size()) {
        size_t quote = text.find('"', pos);
        if (quote == std::string::npos) {
            code.append(text, pos, std::string::npos);
            break;
        }
        code.append(text, pos, quote - pos);
        size_t close = text.find_first_of("\"\n", quote + 1);
        if (close == std::string::npos || text[close] == '\n') {
            // An unclosed quote (a comment, raw code) leaves the rest of its line as code.
            size_t end = close == std::string::npos ? text.size() : close;
            code.append(text, quote, end - quote);
            pos = end;
            continue;
        }
        flushCode();
        out.append(text, quote, close + 1 - quote);
        pos = close + 1;
    }
    flushCode();
    return out;
}

std::string DropCommentLines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::string_view piece : CompleteLines(text)) {
        std::string_view line = TrimView(piece, " ");
        if (StartsWith(line, "//") || StartsWith(line, "; //")) continue;
        out += line;
        out += '\n';
    }
    return out;
}

}  // namespace

std::string PostProcess(Conversion& conv) {
    LogMessage(conv, "PostProcess: Finishing...");
    std::string text = CollapseLineBreaks(JoinWithSpacing(conv.Tokens));
    // Only complete lines are taken below; a last statement without a line break is one too.
    if (!text.empty() && text.back() != '\n') text += '\n';
    text = RepairSplitOperators(EndStatements(text));
    return DropCommentLines(text);
}

}  // namespace orvane
