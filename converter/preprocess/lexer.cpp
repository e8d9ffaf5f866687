// The line lexer of the preprocessing pass: pieces that cover the whole line, so that a line can
// be rebuilt from them exactly, and statements split at ":" outside strings and comments.
#include <cstdio>

#include "converter/preprocess/preprocess_internal.h"

namespace orvane::preprocess {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

bool IsWordStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Words after which a value starts, so that "%101" there is a binary number.
bool IsOperatorWord(std::string_view word) {
    static constexpr std::string_view words[] = {
        "and",   "or",   "xor", "not",  "if",    "elseif",         "while",
        "until", "case", "to",  "step", "debug", "procedurereturn"};
    for (std::string_view w : words)
        if (SameNoCase(word, w)) return true;
    return false;
}

// After a name, number, literal or closing bracket, "%" is the remainder and "." a type suffix.
bool EndsOperand(std::string_view text, const std::vector<Piece>& pieces) {
    for (size_t i = pieces.size(); i-- > 0;) {
        const Piece& p = pieces[i];
        if (p.Kind == PieceKind::Space) continue;
        if (p.Kind == PieceKind::Operator) {
            char c = text[p.Begin];
            return p.End - p.Begin == 1 && (c == ')' || c == ']');
        }
        if (p.Kind == PieceKind::Word) return !IsOperatorWord(PieceText(text, p));
        return p.Kind != PieceKind::Comment && p.Kind != PieceKind::Concat;
    }
    return false;
}

size_t WordEnd(std::string_view text, size_t i) {
    while (i < text.size() && IsWordChar(text[i]))
        ++i;
    if (i < text.size() && text[i] == '$') ++i;
    return i;
}

size_t NumberEnd(std::string_view text, size_t i) {
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    if (i + 1 < text.size() && text[i] == '.' && IsDigit(text[i + 1])) {
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            i = j;
            while (i < text.size() && IsDigit(text[i]))
                ++i;
        }
    }
    return i;
}

}  // namespace

bool IsWordChar(char c) {
    return IsWordStart(c) || IsDigit(c);
}

void LexLine(std::string_view text, std::vector<Piece>& pieces, bool macroBody) {
    pieces.clear();
    size_t i = 0;
    const size_t n = text.size();
    auto add = [&](PieceKind kind, size_t begin, size_t end) {
        pieces.push_back({kind, static_cast<uint32_t>(begin), static_cast<uint32_t>(end)});
    };
    while (i < n) {
        const char c = text[i];
        const size_t start = i;
        if (IsBlank(c)) {
            while (i < n && IsBlank(text[i]))
                ++i;
            add(PieceKind::Space, start, i);
        } else if (c == ';') {
            add(PieceKind::Comment, start, n);
            i = n;
        } else if (c == '"') {
            size_t close = text.find('"', i + 1);
            i = close == std::string_view::npos ? n : close + 1;
            add(PieceKind::String, start, i);
        } else if (c == '~' && i + 1 < n && text[i + 1] == '"') {
            i += 2;
            while (i < n && text[i] != '"')
                i += text[i] == '\\' && i + 1 < n ? 2 : 1;
            i = i < n ? i + 1 : n;
            add(PieceKind::String, start, i);
        } else if (c == '\'') {
            size_t close = text.find('\'', i + 1);
            i = close == std::string_view::npos ? n : close + 1;
            add(PieceKind::Char, start, i);
        } else if (IsWordStart(c)) {
            i = WordEnd(text, i);
            add(PieceKind::Word, start, i);
        } else if (c == '#') {
            const bool glued = i > 0 && (IsWordChar(text[i - 1]) || text[i - 1] == '$' ||
                                         text[i - 1] == '"' || text[i - 1] == '\'');
            if (macroBody && glued) {
                add(PieceKind::Concat, start, ++i);
            } else if (i + 1 < n && IsWordStart(text[i + 1])) {
                i = WordEnd(text, i + 1);
                add(PieceKind::Constant, start, i);
            } else {
                add(PieceKind::Operator, start, ++i);
            }
        } else if (IsDigit(c)) {
            i = NumberEnd(text, i);
            add(PieceKind::Number, start, i);
        } else if (c == '$' && i + 1 < n && IsHexDigit(text[i + 1])) {
            ++i;
            while (i < n && IsHexDigit(text[i]))
                ++i;
            add(PieceKind::Number, start, i);
        } else if (c == '%' && i + 1 < n && (text[i + 1] == '0' || text[i + 1] == '1') &&
                   !EndsOperand(text, pieces)) {
            ++i;
            while (i < n && (text[i] == '0' || text[i] == '1'))
                ++i;
            add(PieceKind::Number, start, i);
        } else if (c == '.' && i + 1 < n && IsDigit(text[i + 1]) && !EndsOperand(text, pieces)) {
            i = NumberEnd(text, i + 1);
            add(PieceKind::Number, start, i);
        } else {
            static constexpr std::string_view pairs[] = {
                "::", "<>", "<=", ">=", "=<", "=>", "<<", ">>"};
            size_t length = 1;
            for (std::string_view pair : pairs)
                if (text.substr(i, 2) == pair) length = 2;
            i += length;
            add(PieceKind::Operator, start, i);
        }
    }
}

bool IsOperator(std::string_view text, const Piece& p, std::string_view op) {
    return p.Kind == PieceKind::Operator && PieceText(text, p) == op;
}

size_t SkipSpaces(const std::vector<Piece>& pieces, size_t from, size_t last) {
    while (from < last && pieces[from].Kind == PieceKind::Space)
        ++from;
    return from;
}

namespace {

// Words that stand alone as a statement and so are no label when a colon follows them closely.
bool IsStandaloneKeyword(std::string_view word) {
    static constexpr std::string_view keywords[] = {"break",
                                                    "calldebugger",
                                                    "compilerdefault",
                                                    "compilerelse",
                                                    "compilerendif",
                                                    "compilerendselect",
                                                    "continue",
                                                    "datasection",
                                                    "default",
                                                    "disableasm",
                                                    "disabledebugger",
                                                    "disableexplicit",
                                                    "else",
                                                    "enableasm",
                                                    "enabledebugger",
                                                    "enableexplicit",
                                                    "end",
                                                    "enddatasection",
                                                    "enddeclaremodule",
                                                    "endenumeration",
                                                    "endif",
                                                    "endimport",
                                                    "endinterface",
                                                    "endmacro",
                                                    "endmodule",
                                                    "endprocedure",
                                                    "endselect",
                                                    "endstructure",
                                                    "endstructureunion",
                                                    "endwith",
                                                    "enumeration",
                                                    "enumerationbinary",
                                                    "fakereturn",
                                                    "forever",
                                                    "next",
                                                    "procedurereturn",
                                                    "repeat",
                                                    "return",
                                                    "structureunion",
                                                    "wend"};
    for (std::string_view keyword : keywords)
        if (SameNoCase(word, keyword)) return true;
    return false;
}

// "Name:" with the colon right behind the name is a label, also a name a macro glues together
// ("Skip#MacroExpandedCount:"); it keeps its colon.
bool IsLabel(std::string_view text, const std::vector<Piece>& pieces, size_t first, size_t colon) {
    if (first >= colon || pieces[first].Kind != PieceKind::Word) return false;
    for (size_t i = first; i < colon; ++i) {
        PieceKind kind = pieces[i].Kind;
        if (kind != PieceKind::Word && kind != PieceKind::Constant && kind != PieceKind::Concat &&
            kind != PieceKind::Number)
            return false;
    }
    return colon - first > 1 || !IsStandaloneKeyword(PieceText(text, pieces[first]));
}

}  // namespace

void SplitStatements(std::string_view text, const std::vector<Piece>& pieces,
                     std::vector<StatementRange>& statements) {
    statements.clear();
    size_t end = pieces.size();
    if (end > 0 && pieces[end - 1].Kind == PieceKind::Comment) --end;
    size_t start = SkipSpaces(pieces, 0, end);
    for (size_t i = start; i <= end; ++i) {
        if (i < end && !IsOperator(text, pieces[i], ":")) continue;
        size_t a = SkipSpaces(pieces, start, i);
        if (i < end && IsLabel(text, pieces, a, i)) {
            statements.push_back({a, i + 1});
        } else if (a < i) {
            statements.push_back({a, i});
        }
        start = i + 1;
    }
}

std::string_view RangeText(std::string_view text, const std::vector<Piece>& pieces, size_t first,
                           size_t last) {
    while (first < last && pieces[first].Kind == PieceKind::Space)
        ++first;
    while (last > first && pieces[last - 1].Kind == PieceKind::Space)
        --last;
    if (first >= last) return {};
    return text.substr(pieces[first].Begin, pieces[last - 1].End - pieces[first].Begin);
}

std::string LowerText(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool SameNoCase(std::string_view a, std::string_view lowerB) {
    if (a.size() != lowerB.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerB[i]) return false;
    }
    return true;
}

std::string_view TrimmedView(std::string_view s) {
    size_t a = 0;
    while (a < s.size() && IsBlank(s[a]))
        ++a;
    size_t b = s.size();
    while (b > a && IsBlank(s[b - 1]))
        --b;
    return s.substr(a, b - a);
}

std::string SourceLiteral(const ConstValue& value) {
    switch (value.Type) {
        case ConstValue::Kind::Integer:
            return std::to_string(value.Int);
        case ConstValue::Kind::Float: {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.17g", value.Float);
            std::string out = buffer;
            if (out.find_first_of(".eEn") == std::string::npos) out += ".0";
            return out;
        }
        case ConstValue::Kind::String:
            break;
    }
    const std::string& s = value.Text;
    if (s.find_first_of("\"\n\r") == std::string::npos) return "\"" + s + "\"";
    // A plain literal cannot hold a double quote or a line break; an escaped one can.
    std::string out = "~\"";
    for (char c : s) {
        if (c == '"') {
            out += "\\\"";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace orvane::preprocess
