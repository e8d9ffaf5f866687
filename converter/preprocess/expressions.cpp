// Constant expressions as the compiler evaluates them for CompilerIf, CompilerSelect and constant
// definitions, with PureBasic's operator priorities (from low to high: And Or XOr; Not;
// comparisons; + -; * /; | &; << >> % !; unary - and ~). Integers stay integers (7 / 2 is 3).
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "converter/preprocess/preprocess_internal.h"

namespace orvane::preprocess {

namespace {

using Kind = ConstValue::Kind;

constexpr int MaxNesting = 256;

struct Parser {
    State& St;
    std::string_view Text;
    std::vector<Piece> Pieces;  // without blanks and comments
    size_t Pos = 0;
    std::string Error;
    int Depth =
        0;  // brackets and unary operators open, bounded so that no input exhausts the stack

    bool AtEnd() const { return Pos >= Pieces.size(); }
    std::string_view Current() const { return AtEnd() ? "" : PieceText(Text, Pieces[Pos]); }
    bool AtOperator(std::string_view op) const {
        return !AtEnd() && IsOperator(Text, Pieces[Pos], op);
    }
    bool AtWord(std::string_view lowerWord) const {
        return !AtEnd() && Pieces[Pos].Kind == PieceKind::Word && SameNoCase(Current(), lowerWord);
    }
    bool Expect(std::string_view op) {
        if (AtOperator(op)) {
            ++Pos;
            return true;
        }
        Fault("\"" + std::string(op) + "\" expected" +
              (AtEnd() ? " at the end" : " before \"" + std::string(Current()) + "\""));
        return false;
    }
    void Fault(const std::string& message) {
        if (Error.empty()) Error = message;
    }
};

std::optional<ConstValue> ParseLogical(Parser& p);

uint64_t Bits(int64_t v) {
    return static_cast<uint64_t>(v);
}
int64_t Signed(uint64_t v) {
    return static_cast<int64_t>(v);
}

ConstValue Truth(bool b) {
    return ConstValue::Integer(b ? 1 : 0);
}

bool BothIntegers(const ConstValue& a, const ConstValue& b) {
    return a.Type == Kind::Integer && b.Type == Kind::Integer;
}

std::optional<int64_t> AsInteger(Parser& p, const ConstValue& v, std::string_view op) {
    if (v.IsString()) {
        p.Fault("\"" + std::string(op) + "\" needs numbers, not a string");
        return std::nullopt;
    }
    return v.Type == Kind::Integer ? v.Int : static_cast<int64_t>(std::llround(v.Float));
}

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The first code point of a UTF-8 text.
uint32_t FirstCodePoint(std::string_view s) {
    if (s.empty()) return 0;
    auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    uint32_t c = b(0);
    size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra) c &= 0x3F >> extra;
    for (size_t i = 1; i <= extra && i < s.size(); ++i)
        c = (c << 6) | (b(i) & 0x3F);
    return c;
}

std::string StringLiteralValue(std::string_view literal) {
    if (literal.size() >= 2 && literal[0] == '~') {
        std::string out;
        std::string_view inner = literal.substr(2, literal.size() >= 3 ? literal.size() - 3 : 0);
        for (size_t i = 0; i < inner.size(); ++i) {
            if (inner[i] != '\\' || i + 1 == inner.size()) {
                out += inner[i];
                continue;
            }
            switch (inner[++i]) {
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'a':
                    out += '\a';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'v':
                    out += '\v';
                    break;
                case '0':
                    out += '\0';
                    break;
                default:
                    out += inner[i];
                    break;
            }
        }
        return out;
    }
    if (literal.size() >= 2 && literal.back() == '"')
        return std::string(literal.substr(1, literal.size() - 2));
    return std::string(literal.substr(1));
}

std::optional<ConstValue> NumberValue(Parser& p, std::string_view s) {
    if (s[0] == '$' || s[0] == '%') {
        uint64_t v = 0;
        const int base = s[0] == '$' ? 16 : 2;
        for (char c : s.substr(1))
            v = v * base + static_cast<uint64_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
        return ConstValue::Integer(Signed(v));
    }
    std::string digits(s);
    if (digits.find_first_of(".eE") != std::string::npos)
        return ConstValue::Real(std::strtod(digits.c_str(), nullptr));
    errno = 0;
    unsigned long long v = std::strtoull(digits.c_str(), nullptr, 10);
    if (errno == ERANGE) {
        p.Fault("the number " + digits + " is too large");
        return std::nullopt;
    }
    return ConstValue::Integer(Signed(v));
}

std::optional<ConstValue> ConstantValue(Parser& p, std::string_view constant) {
    std::string name = LowerText(constant.substr(1));
    auto user = p.St.Declared.Constants.find(name);
    if (user != p.St.Declared.Constants.end()) {
        if (!user->second)
            p.Fault("the value of " + std::string(constant) + " is not known at conversion time");
        return user->second;
    }
    if (auto v = CompilerConstant(p.St, name)) return v;
    if (auto v = ResidentConstant(name)) return v;
    if (IsLibraryConstant(p.St, name))
        p.Fault(std::string(constant) + " has no value at conversion time");
    else
        p.Fault("constant " + std::string(constant) + " is not declared");
    return std::nullopt;
}

// A name for Defined() and SizeOf(): "Name", "#Name" or "Module::Name" (the module is dropped).
std::optional<std::string> ObjectName(Parser& p) {
    if (p.AtEnd() ||
        (p.Pieces[p.Pos].Kind != PieceKind::Word && p.Pieces[p.Pos].Kind != PieceKind::Constant)) {
        p.Fault("a name is expected" +
                (p.AtEnd() ? std::string() : " instead of \"" + std::string(p.Current()) + "\""));
        return std::nullopt;
    }
    std::string_view word = p.Current();
    ++p.Pos;
    while (p.AtOperator("::") && p.Pos + 1 < p.Pieces.size()) {
        ++p.Pos;
        word = p.Current();
        ++p.Pos;
    }
    if (!word.empty() && word[0] == '#') word.remove_prefix(1);
    return LowerText(word);
}

std::optional<ConstValue> CallArguments(Parser& p, const std::string& lower, std::string_view name);

std::optional<ConstValue> CallFunction(Parser& p, std::string_view name) {
    std::string lower = LowerText(name);
    ++p.Pos;  // the function name
    if (!p.Expect("(")) return std::nullopt;
    if (++p.Depth > MaxNesting) {
        p.Fault("the expression is nested too deeply");
        return std::nullopt;
    }
    std::optional<ConstValue> result = CallArguments(p, lower, name);
    --p.Depth;
    if (!result || !p.Expect(")")) return std::nullopt;
    return result;
}

std::optional<ConstValue> CallArguments(Parser& p, const std::string& lower,
                                        std::string_view name) {
    std::optional<ConstValue> result;
    if (lower == "defined") {
        auto object = ObjectName(p);
        if (!object || !p.Expect(",")) return std::nullopt;
        auto type = ParseLogical(p);
        if (!type) return std::nullopt;
        auto kind = AsInteger(p, *type, "Defined");
        if (!kind) return std::nullopt;
        auto defined = IsDefined(p.St, *object, *kind);
        if (!defined) {
            p.Fault("Defined(): " + std::to_string(*kind) +
                    " is not a type of object (#PB_Constant, #PB_Variable, ...)");
            return std::nullopt;
        }
        result = Truth(*defined);
    } else if (lower == "sizeof") {
        auto object = ObjectName(p);
        if (!object) return std::nullopt;
        auto size = SizeOfType(p.St, *object);
        if (!size) {
            p.Fault("SizeOf(" + *object + ") is not known at conversion time");
            return std::nullopt;
        }
        result = ConstValue::Integer(*size);
    } else if (lower == "bool") {
        auto v = ParseLogical(p);
        if (!v) return std::nullopt;
        result = Truth(IsTrue(*v));
    } else if (lower == "subsystem") {
        // A browser has none of the desktop subsystems (OpenGL, DirectX, Gtk, Qt ...).
        if (!ParseLogical(p)) return std::nullopt;
        result = Truth(false);
    } else if (lower == "chr") {
        auto v = ParseLogical(p);
        if (!v) return std::nullopt;
        auto code = AsInteger(p, *v, "Chr");
        if (!code) return std::nullopt;
        std::string s;
        AppendUtf8(s, static_cast<uint32_t>(*code & 0x1FFFFF));
        result = ConstValue::String(s);
    } else {
        p.Fault(std::string(name) + "() cannot be evaluated at conversion time");
        return std::nullopt;
    }
    return result;
}

std::optional<ConstValue> ParsePrimary(Parser& p) {
    if (p.AtEnd()) {
        p.Fault("the expression ends too early");
        return std::nullopt;
    }
    const Piece& piece = p.Pieces[p.Pos];
    std::string_view s = p.Current();
    switch (piece.Kind) {
        case PieceKind::Number:
            ++p.Pos;
            return NumberValue(p, s);
        case PieceKind::String:
            ++p.Pos;
            return ConstValue::String(StringLiteralValue(s));
        case PieceKind::Char:
            ++p.Pos;
            return ConstValue::Integer(FirstCodePoint(s.substr(1)));
        case PieceKind::Constant:
            ++p.Pos;
            return ConstantValue(p, s);
        case PieceKind::Word:
            // Module::#Constant
            if (p.Pos + 2 < p.Pieces.size() && IsOperator(p.Text, p.Pieces[p.Pos + 1], "::")) {
                p.Pos += 2;
                return ParsePrimary(p);
            }
            if (p.Pos + 1 < p.Pieces.size() && IsOperator(p.Text, p.Pieces[p.Pos + 1], "("))
                return CallFunction(p, s);
            p.Fault("\"" + std::string(s) +
                    "\" is not a constant; only constants can be evaluated at conversion time");
            return std::nullopt;
        default:
            break;
    }
    if (p.AtOperator("(")) {
        ++p.Pos;
        ++p.Depth;
        auto v = ParseLogical(p);
        --p.Depth;
        if (!v || !p.Expect(")")) return std::nullopt;
        return v;
    }
    p.Fault("\"" + std::string(s) + "\" cannot start a constant expression");
    return std::nullopt;
}

std::optional<ConstValue> ParseUnary(Parser& p) {
    if (p.Depth > MaxNesting) {
        p.Fault("the expression is nested too deeply");
        return std::nullopt;
    }
    if (p.AtOperator("-") || p.AtOperator("~") || p.AtOperator("+")) {
        char op = p.Current()[0];
        ++p.Pos;
        ++p.Depth;
        auto v = ParseUnary(p);
        --p.Depth;
        if (!v || op == '+') return v;
        if (op == '-') {
            if (v->IsString()) {
                p.Fault("\"-\" needs a number, not a string");
                return std::nullopt;
            }
            return v->Type == Kind::Float ? ConstValue::Real(-v->Float)
                                          : ConstValue::Integer(Signed(0 - Bits(v->Int)));
        }
        auto i = AsInteger(p, *v, "~");
        if (!i) return std::nullopt;
        return ConstValue::Integer(Signed(~Bits(*i)));
    }
    return ParsePrimary(p);
}

// One binary level: `next` parses the operands, `ops` lists the operators of this level.
template <typename Next, typename Apply>
std::optional<ConstValue> ParseLevel(Parser& p, Next next,
                                     std::initializer_list<std::string_view> ops, Apply apply) {
    auto left = next(p);
    while (left) {
        std::string_view found;
        for (std::string_view op : ops)
            if (p.AtOperator(op)) found = op;
        if (found.empty()) break;
        ++p.Pos;
        auto right = next(p);
        if (!right) return std::nullopt;
        left = apply(p, found, *left, *right);
    }
    return left;
}

std::optional<ConstValue> IntegerOperation(Parser& p, std::string_view op, const ConstValue& a,
                                           const ConstValue& b) {
    auto x = AsInteger(p, a, op);
    auto y = AsInteger(p, b, op);
    if (!x || !y) return std::nullopt;
    uint64_t u = Bits(*x), v = Bits(*y);
    if (op == "<<") return ConstValue::Integer(Signed(u << (v & 63)));
    if (op == ">>") return ConstValue::Integer(*x >> (v & 63));
    if (op == "!") return ConstValue::Integer(Signed(u ^ v));
    if (op == "|") return ConstValue::Integer(Signed(u | v));
    if (op == "&") return ConstValue::Integer(Signed(u & v));
    // "%"
    if (*y == 0) {
        p.Fault("remainder by zero");
        return std::nullopt;
    }
    if (*y == -1) return ConstValue::Integer(0);
    return ConstValue::Integer(*x % *y);
}

std::optional<ConstValue> ParseShift(Parser& p) {
    return ParseLevel(p, ParseUnary, {"<<", ">>", "%", "!"}, IntegerOperation);
}

std::optional<ConstValue> ParseBitwise(Parser& p) {
    return ParseLevel(p, ParseShift, {"|", "&"}, IntegerOperation);
}

std::optional<ConstValue> ParseProduct(Parser& p) {
    return ParseLevel(p, ParseBitwise, {"*", "/"},
                      [](Parser& p, std::string_view op, const ConstValue& a,
                         const ConstValue& b) -> std::optional<ConstValue> {
                          if (a.IsString() || b.IsString()) {
                              p.Fault("\"" + std::string(op) + "\" needs numbers, not a string");
                              return std::nullopt;
                          }
                          if (BothIntegers(a, b)) {
                              if (op == "*")
                                  return ConstValue::Integer(Signed(Bits(a.Int) * Bits(b.Int)));
                              if (b.Int == 0) {
                                  p.Fault("division by zero");
                                  return std::nullopt;
                              }
                              if (b.Int == -1) return ConstValue::Integer(Signed(0 - Bits(a.Int)));
                              return ConstValue::Integer(a.Int / b.Int);
                          }
                          if (op == "*") return ConstValue::Real(a.AsDouble() * b.AsDouble());
                          if (b.AsDouble() == 0) {
                              p.Fault("division by zero");
                              return std::nullopt;
                          }
                          return ConstValue::Real(a.AsDouble() / b.AsDouble());
                      });
}

std::string NumberText(const ConstValue& v) {
    if (v.Type == Kind::Integer) return std::to_string(v.Int);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", v.Float);
    return buffer;
}

std::optional<ConstValue> ParseSum(Parser& p) {
    return ParseLevel(
        p, ParseProduct, {"+", "-"},
        [](Parser& p, std::string_view op, const ConstValue& a,
           const ConstValue& b) -> std::optional<ConstValue> {
            if (op == "+" && (a.IsString() || b.IsString()))
                return ConstValue::String((a.IsString() ? a.Text : NumberText(a)) +
                                          (b.IsString() ? b.Text : NumberText(b)));
            if (a.IsString() || b.IsString()) {
                p.Fault("\"-\" needs numbers, not a string");
                return std::nullopt;
            }
            if (BothIntegers(a, b))
                return ConstValue::Integer(
                    Signed(op == "+" ? Bits(a.Int) + Bits(b.Int) : Bits(a.Int) - Bits(b.Int)));
            return ConstValue::Real(op == "+" ? a.AsDouble() + b.AsDouble()
                                              : a.AsDouble() - b.AsDouble());
        });
}

std::optional<ConstValue> ParseComparison(Parser& p) {
    return ParseLevel(
        p, ParseSum, {"=", "<>", "<", ">", "<=", ">=", "=<", "=>"},
        [](Parser& p, std::string_view op, const ConstValue& a,
           const ConstValue& b) -> std::optional<ConstValue> {
            int order;
            if (a.IsString() != b.IsString()) {
                p.Fault("a string cannot be compared with a number");
                return std::nullopt;
            }
            if (a.IsString()) {
                order = a.Text.compare(b.Text);
            } else if (BothIntegers(a, b)) {
                order = a.Int < b.Int ? -1 : a.Int > b.Int ? 1 : 0;
            } else {
                order = a.AsDouble() < b.AsDouble() ? -1 : a.AsDouble() > b.AsDouble() ? 1 : 0;
            }
            if (op == "=") return Truth(order == 0);
            if (op == "<>") return Truth(order != 0);
            if (op == "<") return Truth(order < 0);
            if (op == ">") return Truth(order > 0);
            if (op == "<=" || op == "=<") return Truth(order <= 0);
            return Truth(order >= 0);
        });
}

std::optional<ConstValue> ParseNot(Parser& p) {
    if (p.AtWord("not")) {
        ++p.Pos;
        if (++p.Depth > MaxNesting) {
            p.Fault("the expression is nested too deeply");
            return std::nullopt;
        }
        auto v = ParseNot(p);
        --p.Depth;
        if (!v) return std::nullopt;
        return Truth(!IsTrue(*v));
    }
    return ParseComparison(p);
}

std::optional<ConstValue> ParseLogical(Parser& p) {
    auto left = ParseNot(p);
    while (left && (p.AtWord("and") || p.AtWord("or") || p.AtWord("xor"))) {
        std::string op = LowerText(p.Current());
        ++p.Pos;
        auto right = ParseNot(p);
        if (!right) return std::nullopt;
        bool a = IsTrue(*left), b = IsTrue(*right);
        left = Truth(op == "and" ? a && b : op == "or" ? a || b : a != b);
    }
    return left;
}

}  // namespace

bool IsTrue(const ConstValue& value) {
    switch (value.Type) {
        case Kind::Integer:
            return value.Int != 0;
        case Kind::Float:
            return value.Float != 0;
        case Kind::String:
            return !value.Text.empty();
    }
    return false;
}

std::optional<ConstValue> Evaluate(State& state, std::string_view text, std::string& error) {
    Parser p{state, text, {}, 0, {}};
    std::vector<Piece> all;
    LexLine(text, all);
    for (const Piece& piece : all)
        if (piece.Kind != PieceKind::Space && piece.Kind != PieceKind::Comment)
            p.Pieces.push_back(piece);
    if (p.Pieces.empty()) {
        error = "the constant expression is missing";
        return std::nullopt;
    }
    auto v = ParseLogical(p);
    if (v && !p.AtEnd()) {
        p.Fault("unexpected \"" + std::string(p.Current()) + "\"");
        v.reset();
    }
    if (!v) error = p.Error.empty() ? "the constant expression cannot be evaluated" : p.Error;
    return v;
}

}  // namespace orvane::preprocess
