#include "converter/translator/tokens.h"

#include "platform/platform.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <sstream>

namespace orvane {

// ---------------------------------------------------------------- TokenList

// The chunks stay allocated: the list is refilled several times during one conversion, and
// fresh memory costs more than reusing what the previous fill touched.
void TokenList::Clear() {
    for (auto& chunk : chunks_)
        chunk.clear();
    used_ = 0;
    head_ = tail_ = cursor_ = NoToken;
    count_ = 0;
}

TokenId TokenList::NewNode(std::string&& text, int32_t type, int32_t line) {
    size_t chunk = used_ >> kChunkBits;
    if (chunk == chunks_.size()) {
        chunks_.emplace_back();
        chunks_.back().reserve(kChunkSize);
    }
    Node& node = chunks_[chunk].emplace_back();
    node.token.Text = std::move(text);
    node.token.Type = type;
    node.token.Line = line;
    ++count_;
    return static_cast<TokenId>(used_++);
}

TokenId TokenList::Append(std::string text, int32_t type, int32_t line) {
    TokenId id = NewNode(std::move(text), type, line);
    N(id).prev = tail_;
    if (tail_ != NoToken) N(tail_).next = id;
    tail_ = id;
    if (head_ == NoToken) head_ = id;
    return id;
}

TokenId TokenList::InsertBefore(TokenId at, std::string text, int32_t type, int32_t line) {
    if (at == NoToken) return Append(std::move(text), type, line);
    TokenId id = NewNode(std::move(text), type, line);
    TokenId before = N(at).prev;
    N(id).prev = before;
    N(id).next = at;
    N(at).prev = id;
    if (before != NoToken)
        N(before).next = id;
    else
        head_ = id;
    return id;
}

TokenId TokenList::InsertAfter(TokenId at, std::string text, int32_t type, int32_t line) {
    if (at == NoToken || at == tail_) return Append(std::move(text), type, line);
    TokenId id = NewNode(std::move(text), type, line);
    TokenId after = N(at).next;
    N(id).prev = at;
    N(id).next = after;
    N(at).next = id;
    N(after).prev = id;
    return id;
}

void TokenList::Delete(TokenId id) {
    if (id == NoToken || N(id).deleted) return;
    Node& n = N(id);
    n.deleted = true;
    if (n.prev != NoToken)
        N(n.prev).next = n.next;
    else
        head_ = n.next;
    if (n.next != NoToken)
        N(n.next).prev = n.prev;
    else
        tail_ = n.prev;
    n.prev = n.next = NoToken;
    n.token.Text.clear();
    n.token.Text.shrink_to_fit();
    --count_;
    if (cursor_ == id) cursor_ = NoToken;
}

const std::string& TokenList::TextOf(TokenId id) const {
    static const std::string empty;
    return id == NoToken ? empty : N(id).token.Text;
}

bool TokenList::StepNext() {
    if (cursor_ == NoToken) {
        cursor_ = head_;
        return cursor_ != NoToken;
    }
    TokenId next = N(cursor_).next;
    if (next == NoToken) return false;
    cursor_ = next;
    return true;
}

bool TokenList::StepPrevious() {
    if (cursor_ == NoToken) return false;
    TokenId prev = N(cursor_).prev;
    if (prev == NoToken) return false;
    cursor_ = prev;
    return true;
}

int TokenList::CurrentIndex() const {
    int index = 0;
    for (TokenId id = head_; id != NoToken; id = N(id).next, ++index)
        if (id == cursor_) return index;
    return -1;
}

void TokenList::SelectIndex(int index) {
    TokenId id = index < 0 ? NoToken : head_;
    while (id != NoToken && index-- > 0)
        id = N(id).next;
    cursor_ = id;
}

bool TokenList::IsKeyword(std::string_view lowerWord) const {
    return HasCurrent() && Cur().Type == PBSC_Identifier && EqualsNoCase(Cur().Text, lowerWord);
}

bool TokenList::IsStatementEnd() const {
    return HasCurrent() && IsStatementEndType(Cur().Type);
}

void TokenList::ClearToken() {
    if (HasCurrent()) EmptyToken(Cur());
}

void TokenList::ClearText() {
    if (HasCurrent()) Cur().Text.clear();
}

bool TokenList::NextTokenIs(std::string_view text) const {
    if (!HasCurrent()) return false;
    TokenId next = N(cursor_).next;
    return next != NoToken && N(next).token.Text == text;
}

void TokenList::RemoveEmptyTokens() {
    TokenId id = head_;
    while (id != NoToken) {
        TokenId next = N(id).next;
        if (N(id).token.Text.empty()) Delete(id);
        id = next;
    }
}

std::string TokenList::Join() const {
    size_t size = 0;
    for (TokenId id = head_; id != NoToken; id = N(id).next)
        size += N(id).token.Text.size() + 1;
    std::string out;
    out.reserve(size);
    for (TokenId id = head_; id != NoToken; id = N(id).next) {
        out += N(id).token.Text;
        out += ' ';
    }
    return out;
}

std::vector<Token> TokenList::ToVector() const {
    std::vector<Token> out;
    out.reserve(count_);
    for (TokenId id = head_; id != NoToken; id = N(id).next)
        out.push_back(N(id).token);
    return out;
}

// ---------------------------------------------------------------- SourceScanner

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsWordChar(char c) {
    return IsLetter(c) || IsDigit(c) || c == '$';
}
bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string_view TrimBlanksView(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

template <size_t N>
bool InList(std::string_view lowerText, const std::string_view (&list)[N]) {
    return std::find(std::begin(list), std::end(list), lowerText) != std::end(list);
}

// Previous tokens after which "#" starts a constant name.
constexpr std::string_view kConstantPrefixWords[] = {"to",
                                                     "procedurereturn",
                                                     "select",
                                                     "case",
                                                     "if",
                                                     "elseif",
                                                     "compilerselect",
                                                     "compilercase",
                                                     "compilerif",
                                                     "compilerelseif",
                                                     "break",
                                                     "while",
                                                     "until",
                                                     "with",
                                                     "debug",
                                                     "end",
                                                     "and",
                                                     "or",
                                                     "xor",
                                                     "not",
                                                     "#",
                                                     "includefile",
                                                     "xincludefile",
                                                     "includepath",
                                                     "includebinary",
                                                     ",",
                                                     "/",
                                                     "+",
                                                     "-",
                                                     "%",
                                                     "!",
                                                     "~",
                                                     "|",
                                                     "&",
                                                     "<<",
                                                     ">>",
                                                     "<",
                                                     ">",
                                                     "<=",
                                                     ">=",
                                                     "=",
                                                     "<>",
                                                     "(",
                                                     "[",
                                                     "{",
                                                     ":"};

// Previous tokens after which "*" starts a pointer name.
constexpr std::string_view kPointerPrefixWords[] = {"to",
                                                    "procedurereturn",
                                                    "select",
                                                    "case",
                                                    "if",
                                                    "elseif",
                                                    "compilerselect",
                                                    "while",
                                                    "until",
                                                    "protected",
                                                    "define",
                                                    "global",
                                                    "shared",
                                                    "static",
                                                    "with",
                                                    "debug",
                                                    "end",
                                                    "and",
                                                    "or",
                                                    "xor",
                                                    "not",
                                                    "#",
                                                    ",",
                                                    "/",
                                                    "+",
                                                    "-",
                                                    "%",
                                                    "!",
                                                    "~",
                                                    "|",
                                                    "&",
                                                    "<<",
                                                    ">>",
                                                    "<",
                                                    ">",
                                                    "<=",
                                                    ">=",
                                                    "=",
                                                    "<>",
                                                    "@",
                                                    "(",
                                                    "[",
                                                    "{",
                                                    ":"};

// Bytes of the UTF-8 sequence that starts with this byte (1 for anything malformed).
size_t Utf8Length(std::string_view s) {
    auto c = static_cast<unsigned char>(s[0]);
    size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (n > s.size()) return 1;
    for (size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
    return n;
}

}  // namespace

void SourceScanner::ResetContext() {
    prevType_ = 0;
    prevText_ = "\n";
}

void SourceScanner::Remember(std::string_view text, int type) {
    prevText_ = text;
    prevType_ = type;
}

void SourceScanner::SetSource(std::string text) {
    source_ = std::move(text);
    lineStarts_.clear();
    lineStarts_.push_back(0);
    for (size_t i = 0; i < source_.size(); ++i)
        if (source_[i] == '\n') lineStarts_.push_back(i + 1);
    lineCount_ = static_cast<int>(lineStarts_.size());
    lineCounter_ = 1;
    rest_ = {};
    restPos_ = 0;
    firstLine_ = true;
    lastType_ = 0;
    lastWasNewLine_ = false;
    ResetContext();
}

bool SourceScanner::LoadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Only ASCII (no mark), UTF-8 and UTF-16 little-endian are read; UTF-16 big-endian and
    // both UTF-32 marks are refused.
    auto startsWith = [&](std::string_view mark) {
        return std::string_view(raw).substr(0, mark.size()) == mark;
    };
    using namespace std::string_view_literals;
    if (startsWith("\xFE\xFF"sv) || startsWith("\xFF\xFE\0\0"sv) || startsWith("\0\0\xFE\xFF"sv))
        return false;
    std::string text = DecodeText(raw);
    // Each line read is appended with "\n"; the line count is the number of lines read.
    std::string joined;
    joined.reserve(text.size() + 1);
    int lines = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string_view line(text.data() + start,
                              (end == std::string::npos ? text.size() : end) - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        joined.append(line);
        joined += '\n';
        ++lines;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    SetSource(std::move(joined));
    lineCount_ = lines;
    return true;
}

void SourceScanner::Restart(int line) {
    lineCounter_ = line;
    rest_ = {};
    restPos_ = 0;
    firstLine_ = true;
    ResetContext();
}

bool SourceScanner::HasMoreTokens() const {
    if (source_.empty()) return false;
    return lineCounter_ <= lineCount_ || restPos_ < rest_.size();
}

void SourceScanner::Clear() {
    source_.clear();
    lineStarts_.clear();
    rest_ = {};
    restPos_ = 0;
}

int SourceScanner::TokenLine() const {
    if (!firstLine_ && lastWasNewLine_) return lineCounter_ - 2;
    return lineCounter_ - 1;
}

bool SourceScanner::AcceptsPrefix(char prefix) const {
    int prevType = prevType_;
    if (prevType == PBSC_NewLine) return true;
    if (prevType != PBSC_Other && prevType != PBSC_Identifier) return false;
    if (prevText_ == "*" && prevType != PBSC_Identifier) return true;
    std::string lower = Lower(prevText_);
    return prefix == '#' ? InList(lower, kConstantPrefixWords) : InList(lower, kPointerPrefixWords);
}

size_t SourceScanner::ScanLength(int& type) const {
    std::string_view s(rest_.data() + restPos_, rest_.size() - restPos_);
    const char c = s[0];

    // Comment.
    if (c == ';') {
        type = PBSC_Comment;
        return s.size();
    }

    // Word.
    {
        size_t i = 0;
        bool accepted = true;
        if (prevText_ == "." && s.size() >= 2 && (c == 'p' || c == 'P') && s[1] == '-') {
            i = 2;
            while (i < s.size() && IsWordChar(s[i]))
                ++i;
            type = PBSC_Identifier;
            return i;
        }
        if (c == '#' || c == '*') {
            accepted = AcceptsPrefix(c);
            i = 1;
            while (accepted && i < s.size() && IsBlank(s[i]))
                ++i;
        }
        if (accepted && i < s.size() && IsLetter(s[i])) {
            ++i;
            while (i < s.size() && IsWordChar(s[i]))
                ++i;
            type = PBSC_Identifier;
            return i;
        }
    }

    // Quoted literal.
    if (c == '"' || c == '\'') {
        size_t close = s.find(c, 1);
        if (close == std::string_view::npos) {
            type = PBSC_String;
            return s.size();
        }
        type = c == '"' ? PBSC_String : PBSC_Number;
        return close + 1;
    }

    // Number.
    {
        size_t i = 0;
        bool digitSeen = false;
        bool rejected = false;
        size_t end = std::string_view::npos;
        if (c == '$') {
            i = 1;
            for (; i < s.size(); ++i) {
                char d = s[i];
                if (IsHexDigit(d)) {
                    digitSeen = true;
                } else if (IsBlank(d)) {
                    // Blanks belong to the number only between the "$" and its first digit.
                    if (digitSeen) break;
                } else {
                    break;
                }
            }
            if (digitSeen) {
                type = PBSC_Number;
                return i;
            }
        } else {
            bool takeNumber = true;
            if (c == '%') {
                int pt = prevType_;
                if (pt == PBSC_Identifier || pt == PBSC_Number || prevText_ == ")" ||
                    prevText_ == "]")
                    takeNumber = false;
                i = 1;
            }
            char latest = 0;
            for (; takeNumber && i < s.size(); ++i) {
                char d = s[i];
                if (IsDigit(d) || d == '.' || d == 'e' || d == 'E') {
                    if ((d == '.' || d == 'e' || d == 'E') && !digitSeen) {
                        rejected = true;
                        break;
                    }
                    if ((d == 'e' || d == 'E') &&
                        !(i > 0 && (IsDigit(s[i - 1]) || s[i - 1] == '.'))) {
                        end = i;
                        break;
                    }
                    digitSeen = true;
                    latest = d;
                } else if (d == '+' || d == '-') {
                    if (!digitSeen) {
                        rejected = true;
                        break;
                    }
                    if (latest == 'e' || latest == 'E') {
                        latest = d;
                        continue;
                    }
                    end = i;
                    break;
                } else if (IsBlank(d)) {
                    // Blanks belong to the number only between a "%" and its first digit.
                    if (c == '%' && !digitSeen) continue;
                    end = i;
                    break;
                } else {
                    if (!digitSeen) rejected = true;
                    end = i;
                    break;
                }
            }
            if (takeNumber && !rejected && digitSeen) {
                type = PBSC_Number;
                return end == std::string_view::npos ? s.size() : end;
            }
        }
    }

    // Two-character operators.
    if ((c == '<' || c == '>') && s.size() >= 2 && (s[1] == '<' || s[1] == '>' || s[1] == '=')) {
        type = PBSC_Other;
        return 2;
    }

    type = PBSC_Other;
    return Utf8Length(s);
}

std::string SourceScanner::NextToken() {
    if (!HasMoreTokens()) return "";
    lastWasNewLine_ = false;
    if (restPos_ >= rest_.size()) {
        Remember("\n", PBSC_NewLine);
        ++lineCounter_;
        int index = lineCounter_ - 2;
        std::string_view line;
        if (index >= 0 && index < static_cast<int>(lineStarts_.size())) {
            size_t start = lineStarts_[index];
            size_t end = index + 1 < static_cast<int>(lineStarts_.size())
                             ? lineStarts_[index + 1] - 1
                             : source_.size();
            line = std::string_view(source_).substr(start, end - start);
        }
        rest_ = TrimBlanksView(line);
        restPos_ = 0;
        if (firstLine_ && !rest_.empty()) {
            firstLine_ = false;
        } else {
            lastType_ = PBSC_NewLine;
            lastWasNewLine_ = true;
            return "\n";
        }
    }
    int type = PBSC_Other;
    size_t n = ScanLength(type);
    std::string_view s(rest_.data() + restPos_, rest_.size() - restPos_);
    Remember(s.substr(0, n), type);
    lastType_ = type;
    std::string text(TrimBlanksView(s.substr(0, n)));
    restPos_ += n;
    while (restPos_ < rest_.size() && IsBlank(rest_[restPos_]))
        ++restPos_;
    return text;
}

void TokenizeText(TokenList& tokens, std::string_view text) {
    SourceScanner scanner;
    scanner.SetSource(ReplaceAll(text, "\r\n", "\n"));
    tokens.Clear();
    while (scanner.HasMoreTokens()) {
        std::string t = scanner.NextToken();
        tokens.Append(std::move(t), scanner.TokenType(), scanner.TokenLine());
    }
    scanner.Clear();
}

void NormalizeForTranslation(TokenList& tokens) {
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type == PBSC_Other && t.Text == ":") {
            // One character written in place: GCC 12 misreads assigning a literal here as an
            // overlapping copy (-Wrestrict).
            t.Text[0] = '\n';
            t.Type = PBSC_NewLine;
        }
    }
    for (TokenId id = tokens.First(); id != NoToken;) {
        TokenId next = tokens.Next(id);
        TokenId prev = tokens.Prev(id);
        if (tokens.At(id).Type == PBSC_NewLine && prev != NoToken) {
            const std::string& p = tokens.At(prev).Text;
            if (p == "," || p == "+" || p == "|" || EqualsNoCase(p, "and") ||
                EqualsNoCase(p, "or") || EqualsNoCase(p, "xor"))
                tokens.Delete(id);
        }
        id = next;
    }
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type == PBSC_Identifier && !t.Text.empty() && t.Text[0] == '#')
            t.Type = PBSC_Constant;
    }
}

// ---------------------------------------------------------------- string helpers

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

static inline char LowerChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool EqualsNoCase(std::string_view a, std::string_view lowerB) {
    if (a.size() != lowerB.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerChar(a[i]) != lowerB[i]) return false;
    return true;
}

bool StartsWithNoCase(std::string_view s, std::string_view lowerPrefix) {
    return s.size() >= lowerPrefix.size() &&
           EqualsNoCase(s.substr(0, lowerPrefix.size()), lowerPrefix);
}

bool ContainsNoCase(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) return true;
    if (haystack.size() < needle.size()) return false;
    // Only places that start with the needle's first letter, in either case, are compared.
    const char first = LowerChar(needle[0]);
    const char firstUpper = (first >= 'a' && first <= 'z') ? static_cast<char>(first - 32) : first;
    for (size_t i = 0; i + needle.size() <= haystack.size(); ++i) {
        if (haystack[i] != first && haystack[i] != firstUpper) continue;
        size_t k = 1;
        while (k < needle.size() && LowerChar(haystack[i + k]) == LowerChar(needle[k]))
            ++k;
        if (k == needle.size()) return true;
    }
    return false;
}

std::string TrimLeadingChars(std::string_view s, std::string_view chars) {
    size_t b = s.find_first_not_of(chars);
    return b == std::string_view::npos ? std::string() : std::string(s.substr(b));
}

std::string TrimTrailingChars(std::string_view s, std::string_view chars) {
    size_t e = s.find_last_not_of(chars);
    return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

std::string_view TrimView(std::string_view s, std::string_view chars) {
    size_t b = s.find_first_not_of(chars);
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(chars) - b + 1);
}

std::string TrimBlanks(std::string_view s) {
    return std::string(TrimView(s, " "));
}

std::string TrimWhite(std::string_view s) {
    return std::string(TrimView(s, " \t\r\n"));
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

namespace {
struct CodeDeleter {
    void operator()(pcre2_code* c) const { pcre2_code_free(c); }
};
}  // namespace

bool IsNumericLiteral(std::string_view s) {
    static const std::unique_ptr<pcre2_code, CodeDeleter> code = [] {
        int error = 0;
        PCRE2_SIZE offset = 0;
        const char* pattern =
            R"(^\s*(\+|-)?(\$[[:xdigit:]]+|%[01]+|(\d+|\d*\.\d+)([eE](\+|-)?\d+)?)\s*$)";
        return std::unique_ptr<pcre2_code, CodeDeleter>(
            pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED,
                          PCRE2_MULTILINE, &error, &offset, nullptr));
    }();
    if (!code || s.empty()) return false;
    // Most texts asked about are names and operators: answer those without running the pattern.
    size_t first = s.find_first_not_of(" \t\r\n\f\v");
    if (first == std::string_view::npos ||
        std::string_view("+-$%.0123456789").find(s[first]) == std::string_view::npos)
        return false;
    pcre2_match_data* md = pcre2_match_data_create_from_pattern(code.get(), nullptr);
    int rc = pcre2_match(code.get(), reinterpret_cast<PCRE2_SPTR>(s.data()), s.size(), 0, 0, md,
                         nullptr);
    pcre2_match_data_free(md);
    return rc >= 0;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string out;
    out.reserve(s.size());
    size_t pos = 0;
    while (true) {
        size_t hit = s.find(from, pos);
        if (hit == std::string_view::npos) break;
        out.append(s.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(s.substr(pos));
    return out;
}

std::string ReplaceAllNoCase(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string lowerS = Lower(s);
    std::string lowerFrom = Lower(from);
    std::string out;
    out.reserve(s.size());
    size_t pos = 0;
    while (true) {
        size_t hit = lowerS.find(lowerFrom, pos);
        if (hit == std::string::npos) break;
        out.append(s.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(s.substr(pos));
    return out;
}

std::string RemoveAll(std::string_view s, std::string_view what) {
    return ReplaceAll(s, what, "");
}

size_t CountOf(std::string_view s, std::string_view what) {
    if (what.empty()) return 0;
    size_t n = 0;
    for (size_t pos = s.find(what); pos != std::string_view::npos;
         pos = s.find(what, pos + what.size()))
        ++n;
    return n;
}

int SplitToArray(std::string_view s, std::string_view separator, std::vector<std::string>& array) {
    array.clear();
    if (separator.empty()) {
        array.emplace_back(s);
        return 0;
    }
    size_t pos = 0;
    while (true) {
        size_t hit = s.find(separator, pos);
        if (hit == std::string_view::npos) break;
        array.emplace_back(s.substr(pos, hit - pos));
        pos = hit + separator.size();
    }
    array.emplace_back(s.substr(pos));
    return static_cast<int>(array.size() - 1);
}

std::string JoinArray(const std::vector<std::string>& array, std::string_view separator) {
    std::string out;
    for (size_t i = 0; i < array.size(); ++i) {
        if (i) out.append(separator);
        out.append(array[i]);
    }
    return out;
}

std::vector<std::string_view> CompleteLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (true) {
        size_t hit = text.find('\n', pos);
        if (hit == std::string_view::npos) break;
        lines.push_back(text.substr(pos, hit - pos));
        pos = hit + 1;
    }
    return lines;
}

bool OpensRawBlock(std::string_view lowerLine) {
    return lowerLine.find("orv_converter_begin_raw") != std::string_view::npos ||
           lowerLine.find("enablejs") != std::string_view::npos;  // also finds "orv_enablejs"
}

bool ClosesRawBlock(std::string_view lowerLine) {
    return lowerLine.find("orv_converter_end_raw") != std::string_view::npos ||
           lowerLine.find("disablejs") != std::string_view::npos;  // also finds "orv_disablejs"
}

long long NumericValue(std::string_view s) {
    std::string t = TrimWhite(s);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    int base = 10;
    if (i < t.size() && t[i] == '$') {
        base = 16;
        ++i;
    } else if (i < t.size() && t[i] == '%') {
        base = 2;
        ++i;
    }
    unsigned long long value = 0;
    for (; i < t.size(); ++i) {
        char c = LowerChar(t[i]);
        int digit = IsDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : 99;
        if (digit >= base) break;
        value = value * base + digit;
    }
    long long v = static_cast<long long>(value);
    return negative ? -v : v;
}

}  // namespace orvane
