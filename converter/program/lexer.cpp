#include "converter/program/lexer.h"

#include <string_view>

namespace orvane::program {

namespace {

bool IsNameStart(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}
bool IsNameChar(unsigned char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(unsigned char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x += 32;
        if (y >= 'A' && y <= 'Z') y += 32;
        if (x != y) return false;
    }
    return true;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string_view FirstWord(std::string_view line) {
    size_t n = 0;
    while (n < line.size() && IsNameChar(static_cast<unsigned char>(line[n])))
        ++n;
    return line.substr(0, n);
}

bool OpensRawBlock(std::string_view word) {
    return SameWord(word, "EnableJS") || SameWord(word, "ORV_EnableJS") ||
           SameWord(word, "ORV_Converter_Begin_Raw");
}
bool ClosesRawBlock(std::string_view word) {
    return SameWord(word, "DisableJS") || SameWord(word, "ORV_DisableJS") ||
           SameWord(word, "ORV_Converter_End_Raw");
}

// The code point a UTF-8 sequence starts with; `length` gets its byte count.
unsigned DecodeUtf8(std::string_view s, size_t at, size_t& length) {
    unsigned char c = s[at];
    length = 1;
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    unsigned code = c & (0x3F >> extra);
    for (int i = 0; i < extra && at + length < s.size(); ++i, ++length)
        code = (code << 6) | (static_cast<unsigned char>(s[at + length]) & 0x3F);
    return code;
}

// One line of program text, raw lines excepted.
void LexLine(std::string_view line, int number, std::vector<Token>& out) {
    size_t i = 0;
    bool space = false;
    auto push = [&](TokenKind kind, std::string text) {
        out.push_back({kind, std::move(text), number, space});
        space = false;
    };
    while (i < line.size()) {
        unsigned char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            space = true;
            ++i;
            continue;
        }
        if (c == ';') break;
        if (c == '"') {
            size_t end = line.find('"', i + 1);
            if (end == std::string_view::npos) end = line.size();
            push(TokenKind::String, std::string(line.substr(i + 1, end - i - 1)));
            i = end + 1;
            continue;
        }
        if (c == '~' && i + 1 < line.size() && line[i + 1] == '"') {
            std::string text;
            size_t j = i + 2;
            for (; j < line.size() && line[j] != '"'; ++j) {
                if (line[j] != '\\' || j + 1 >= line.size()) {
                    text += line[j];
                    continue;
                }
                char e = line[++j];
                switch (e) {
                    case 'n':
                        text += '\n';
                        break;
                    case 'r':
                        text += '\r';
                        break;
                    case 't':
                        text += '\t';
                        break;
                    case 'a':
                        text += '\a';
                        break;
                    case 'b':
                        text += '\b';
                        break;
                    case 'f':
                        text += '\f';
                        break;
                    case 'v':
                        text += '\v';
                        break;
                    case '0':
                        text += std::string(1, '\0');
                        break;
                    default:
                        text += e;
                        break;  // \\ \" \'
                }
            }
            push(TokenKind::String, text);
            i = j + 1;
            continue;
        }
        if (c == '\'') {
            size_t end = line.find('\'', i + 1);
            if (end == std::string_view::npos) end = line.size();
            unsigned code = 0;
            if (end > i + 1) {
                size_t length = 0;
                code = DecodeUtf8(line, i + 1, length);
            }
            push(TokenKind::Number, std::to_string(code));
            i = end + 1;
            continue;
        }
        if (c == '#' && i + 1 < line.size() && IsNameStart(line[i + 1])) {
            size_t j = i + 1;
            while (j < line.size() && IsNameChar(line[j]))
                ++j;
            if (j < line.size() && line[j] == '$') ++j;
            push(TokenKind::Constant, std::string(line.substr(i, j - i)));
            i = j;
            continue;
        }
        if (c == '$' && i + 1 < line.size() && IsHexDigit(line[i + 1])) {
            size_t j = i + 1;
            while (j < line.size() && IsHexDigit(line[j]))
                ++j;
            push(TokenKind::Number, std::string(line.substr(i, j - i)));
            i = j;
            continue;
        }
        if (IsDigit(c) || (c == '.' && i + 1 < line.size() && IsDigit(line[i + 1]))) {
            size_t j = i;
            while (j < line.size() && IsDigit(line[j]))
                ++j;
            if (j < line.size() && line[j] == '.' && j + 1 < line.size() && IsDigit(line[j + 1])) {
                ++j;
                while (j < line.size() && IsDigit(line[j]))
                    ++j;
            } else if (j < line.size() && line[j] == '.' &&
                       (j + 1 >= line.size() || !IsNameStart(line[j + 1]))) {
                ++j;  // "1." is a float
            }
            if (j < line.size() && (line[j] == 'e' || line[j] == 'E')) {
                size_t k = j + 1;
                if (k < line.size() && (line[k] == '+' || line[k] == '-')) ++k;
                if (k < line.size() && IsDigit(line[k])) {
                    j = k;
                    while (j < line.size() && IsDigit(line[j]))
                        ++j;
                }
            }
            push(TokenKind::Number, std::string(line.substr(i, j - i)));
            i = j;
            continue;
        }
        if (IsNameStart(c)) {
            size_t j = i;
            while (j < line.size() && IsNameChar(line[j]))
                ++j;
            if (j < line.size() && line[j] == '$') ++j;
            push(TokenKind::Name, std::string(line.substr(i, j - i)));
            i = j;
            continue;
        }
        if (c == ':') {
            if (i + 1 < line.size() && line[i + 1] == ':') {
                push(TokenKind::Operator, "::");
                i += 2;
            } else {
                push(TokenKind::Colon, ":");
                ++i;
            }
            continue;
        }
        static constexpr std::string_view pairs[] = {"<>", "<=", ">=", "=<", "=>", "<<", ">>"};
        bool matched = false;
        for (std::string_view p : pairs) {
            if (line.substr(i, 2) == p) {
                std::string text(p);
                if (text == "=<") text = "<=";
                if (text == "=>") text = ">=";
                push(TokenKind::Operator, text);
                i += 2;
                matched = true;
                break;
            }
        }
        if (matched) continue;
        push(TokenKind::Operator, std::string(1, static_cast<char>(c)));
        ++i;
    }
}

}  // namespace

std::vector<Token> LexProgram(const std::string& text) {
    std::vector<Token> out;
    out.reserve(text.size() / 4 + 16);
    std::string_view all = text;
    size_t pos = 0;
    int number = 0;
    bool raw = false;
    while (pos < all.size()) {
        size_t end = all.find('\n', pos);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        std::string_view trimmed = Trimmed(line);
        std::string_view word = FirstWord(trimmed);
        if (raw) {
            if (ClosesRawBlock(word)) {
                raw = false;
                continue;
            }
            std::string_view code = trimmed;
            if (!code.empty() && code[0] == ';') code.remove_prefix(1);
            out.push_back({TokenKind::RawScript, std::string(code), number, false});
            out.push_back({TokenKind::LineEnd, "", number, false});
            continue;
        }
        if (!word.empty() && OpensRawBlock(word) && word.size() == trimmed.size()) {
            raw = true;
            continue;
        }
        if (!trimmed.empty() && trimmed[0] == '!') {
            out.push_back({TokenKind::RawScript, std::string(trimmed.substr(1)), number, false});
            out.push_back({TokenKind::LineEnd, "", number, false});
            continue;
        }
        LexLine(line, number, out);
        out.push_back({TokenKind::LineEnd, "", number, false});
    }
    out.push_back({TokenKind::End, "", number, false});
    return out;
}

}  // namespace orvane::program
