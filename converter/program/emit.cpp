#include "converter/program/emit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>

#include "converter/program/parser.h"

namespace orvane::program {

namespace {

std::string Lower(const std::string& s) {
    return LowerText(s);
}

std::string JsString(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = text[i];
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\x%02x", c);
                    out += buf;
                } else if (c == 0xE2 && i + 2 < text.size() &&
                           static_cast<unsigned char>(text[i + 1]) == 0x80 &&
                           (static_cast<unsigned char>(text[i + 2]) == 0xA8 ||
                            static_cast<unsigned char>(text[i + 2]) == 0xA9)) {
                    out += static_cast<unsigned char>(text[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
                    i += 2;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string NumberText(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 9.007199254740992e15) {
        return std::to_string(static_cast<long long>(v));
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// A number literal as JavaScript reads it, and its value.
bool ReadNumber(const std::string& text, double& value, bool& isFloat, std::string& js) {
    isFloat = false;
    if (text.empty()) return false;
    if (text[0] == '$' || text[0] == '%') {
        uint64_t v = 0;
        int base = text[0] == '$' ? 16 : 2;
        for (size_t i = 1; i < text.size(); ++i) {
            char c = text[i];
            int d = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : 99;
            if (d >= base) return false;
            v = v * base + d;
        }
        int64_t s = static_cast<int64_t>(v);
        value = static_cast<double>(s);
        js = std::to_string(s);
        return true;
    }
    if (text.find_first_of(".eE") != std::string::npos) {
        isFloat = true;
        value = std::strtod(text.c_str(), nullptr);
        js = text;
        if (js[0] == '.') js = "0" + js;
        if (js.back() == '.') js += "0";
        return true;
    }
    size_t start = 0;
    while (start + 1 < text.size() && text[start] == '0')
        ++start;
    js = text.substr(start);
    value = std::strtod(js.c_str(), nullptr);
    return true;
}

const std::unordered_set<std::string>& ReservedNames() {
    static const std::unordered_set<std::string> words = {
        "break",        "case",         "catch",         "class",      "const",
        "continue",     "debugger",     "default",       "delete",     "do",
        "else",         "enum",         "export",        "extends",    "false",
        "finally",      "for",          "function",      "if",         "import",
        "in",           "instanceof",   "new",           "null",       "return",
        "super",        "switch",       "this",          "throw",      "true",
        "try",          "typeof",       "var",           "void",       "while",
        "with",         "yield",        "let",           "static",     "implements",
        "interface",    "package",      "private",       "protected",  "public",
        "await",        "async",        "arguments",     "eval",       "undefined",
        "NaN",          "Infinity",     "Math",          "Number",     "String",
        "Object",       "Array",        "Date",          "JSON",       "Promise",
        "RegExp",       "Error",        "Symbol",        "Map",        "Set",
        "window",       "document",     "jQuery",        "$",          "console",
        "parseInt",     "parseFloat",   "isNaN",         "isFinite",   "Int8Array",
        "Uint8Array",   "Int16Array",   "Uint16Array",   "Int32Array", "Uint32Array",
        "Float32Array", "Float64Array", "Boolean",       "Function",   "setTimeout",
        "clearTimeout", "setInterval",  "clearInterval", "alert",      "location",
        "navigator",    "self",         "top",           "parent",     "globalThis",
        "BigInt"};
    return words;
}

// A JSON string as constant-values.txt writes it (ASCII escapes only).
std::string DecodeJsonText(const std::string& json) {
    std::string out;
    for (size_t i = 1; i + 1 < json.size(); ++i) {
        char c = json[i];
        if (c != '\\' || i + 2 >= json.size()) {
            out += c;
            continue;
        }
        char e = json[++i];
        if (e == 'n')
            out += '\n';
        else if (e == 'r')
            out += '\r';
        else if (e == 't')
            out += '\t';
        else if (e == 'u' && i + 4 < json.size()) {
            unsigned code = static_cast<unsigned>(std::stoul(json.substr(i + 1, 4), nullptr, 16));
            i += 4;
            if (code < 0x80) {
                out += static_cast<char>(code);
            } else if (code < 0x800) {
                out += static_cast<char>(0xC0 | (code >> 6));
                out += static_cast<char>(0x80 | (code & 0x3F));
            } else {
                out += static_cast<char>(0xE0 | (code >> 12));
                out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (code & 0x3F));
            }
        } else
            out += e;
    }
    return out;
}

struct Val {
    std::string Js;
    char Kind = 'i';  // i integer, f float, d double, F float literal, s text, c condition,
                      // S structure object, L list, M map, A array, p procedure, v nothing
    ValueType Type;
    bool Literal = false;
    double Number = 0;
};

bool IsFloatKind(char k) {
    return k == 'f' || k == 'd' || k == 'F';
}

char KindOfType(const ValueType& t) {
    if (t.Pointer) return 'i';
    if (t.Name == "s") return 's';
    if (t.Name == "f") return 'f';
    if (t.Name == "d") return 'd';
    if (t.IsStructure()) return 'S';
    return 'i';
}

struct Scope {
    std::unordered_map<std::string, Variable> Vars;       // lowered name; collections "name()"
    std::unordered_map<std::string, std::string> Shared;  // lowered name -> main program key
    std::vector<std::string> Declarations;                // "name = initial" for the var statement
    std::unordered_set<std::string> UsedJs;
    bool IsProcedure = false;
    ProcedureInfo* Proc = nullptr;
    std::string Module;
};

struct Loop {
    std::string Label;
    bool LabelUsed = false;
};

struct Emitter {
    Emitter(const LibraryIndex& lib, EmitResult& out) : Lib(lib), Out(out) {}
    const LibraryIndex& Lib;
    EmitResult& Out;

    std::unordered_map<std::string, Structure> Structures;      // lowered (module::)name
    std::unordered_map<std::string, ConstantValue> Constants;   // lowered "#name"
    std::unordered_map<std::string, ProcedureInfo> Procedures;  // lowered (module::)name
    std::unordered_map<std::string, ProcedureInfo> Prototypes;  // lowered name
    std::unordered_map<std::string, int> DataLabels;            // lowered label -> index
    std::vector<std::string> DataValues;
    std::string DataTypes;
    std::vector<std::string> StructureOrder;
    std::unordered_set<std::string> BuiltInStructures;  // written only when used

    Scope Main;
    Scope* Current = &Main;
    std::vector<std::string> StaticDeclarations;
    std::string Module;  // lowered module being translated
    std::unordered_set<std::string> UsedModules;
    std::unordered_set<std::string>
        DeclaredModules;  // lowered names of every module of the program
    bool Explicit = false;
    std::string DefaultType;
    std::vector<const Expr*> WithStack;
    std::string ProceduresOut;  // the procedures written so far, in program order
    std::unordered_set<std::string> WarningsGiven;
    std::vector<Loop> Loops;
    int Temporaries = 0;
    bool InAsync = false;
    std::unordered_set<std::string> GosubLabels;
    std::map<std::string, int> JumpTargets;  // lowered label -> case number
    std::unordered_map<std::string, int> NamedEnumerations;

    void Error(int line, const std::string& message) {
        Out.Errors.push_back("Line " + std::to_string(line) + ": " + message);
    }
    void Warn(int line, const std::string& message) {
        std::string text = "Line " + std::to_string(line) + ": " + message;
        if (WarningsGiven.insert(text).second) Out.Warnings.push_back(text);
    }
    std::string Object(const std::string& name) {
        Out.UsedObjects.insert(name);
        return name;
    }

    // ---- names and modules

    std::string ModulePrefix() const { return Module.empty() ? "" : Module + "::"; }

    // Splits "Mod::name" into its module (lowered) and name.
    static std::string SplitModule(const std::string& name, std::string& module) {
        size_t at = name.rfind("::");
        if (at == std::string::npos) {
            module.clear();
            return name;
        }
        module = Lower(name.substr(0, at));
        return name.substr(at + 2);
    }

    template <typename Table>
    typename Table::mapped_type* FindInModules(Table& table, const std::string& name) {
        std::string module;
        std::string bare = SplitModule(name, module);
        std::string key = Lower(bare);
        if (!module.empty()) {
            auto it = table.find(module + "::" + key);
            return it == table.end() ? nullptr : &it->second;
        }
        if (!Module.empty()) {
            auto it = table.find(Module + "::" + key);
            if (it != table.end()) return &it->second;
        }
        for (const std::string& used : UsedModules) {
            auto it = table.find(used + "::" + key);
            if (it != table.end()) return &it->second;
        }
        auto it = table.find(key);
        return it == table.end() ? nullptr : &it->second;
    }

    std::string JsNameFor(const std::string& name, std::unordered_set<std::string>& used) {
        std::string base;
        for (char c : name)
            if (c != '*') base += c;
        if (!Module.empty() && !Current->IsProcedure) base = Module + "_" + base;
        if (ReservedNames().count(base) || base.rfind("ORV_", 0) == 0 || IsRuntimeObject(base))
            base += "_";
        if (Procedures.count(Lower(base))) base += "_";
        // A procedure's local may hide a main program variable, never a global it can reach.
        const std::unordered_set<std::string>& outer =
            Current->IsProcedure ? GlobalJs : Main.UsedJs;
        std::string js = base;
        for (int n = 2; used.count(js) || outer.count(js); ++n)
            js = base + "_" + std::to_string(n);
        used.insert(js);
        return js;
    }
    std::unordered_set<std::string> GlobalJs;
    static bool IsRuntimeObject(const std::string& name) {
        static const std::unordered_set<std::string> objects = {
            "cCommon",     "cPB",         "cMemory",    "cString",        "cMath",
            "cArray",      "cLinkedList", "cMap",       "cSort",          "cCipher",
            "cOnError",    "cDate",       "cConsole",   "cDebugger",      "cJson",
            "cConstants",  "cWindow",     "cGadget",    "cFont",          "cMenu",
            "cToolBar",    "cStatusBar",  "cRequester", "cClipboard",     "cFile",
            "cPreference", "cImage",      "c2DDrawing", "cVectorDrawing", "cSprite",
            "cScreen",     "cKeyboard",   "cMouse",     "cMisc",          "cList",
            "cSystem",     "cFileSystem", "cDesktop",   "cHttp",          "cRegularExpression",
            "cThread"};
        return objects.count(name) != 0;
    }

    // ---- types

    ValueType TypeFromName(const std::string& written, const std::string& name, int line) {
        ValueType t;
        std::string basic = BasicLetter(written);
        if (!written.empty() && basic.empty()) {
            if (Structure* s = FindInModules(Structures, written)) {
                t.Name = s->Name;
            } else if (ProcedureInfo* p = FindInModules(Prototypes, written)) {
                t.Prototype = p->Name;
                t.Name = "i";
            } else {
                Error(line, "structure not found: " + written);
                t.Name = "i";
            }
        } else if (!basic.empty()) {
            t.Name = basic;
        } else if (!name.empty() && name.back() == '$') {
            t.Name = "s";
        } else if (!DefaultType.empty()) {
            t.Name = DefaultType;
        } else {
            t.Name = "i";
        }
        if (!name.empty() && name[0] == '*') t.Pointer = true;
        if (!name.empty() && name.back() == '$') t.Name = "s";
        return t;
    }

    std::string InitialValue(const ValueType& t) {
        if (t.Pointer) return "0";
        if (t.Name == "s") return "\"\"";
        if (t.IsStructure()) return StructureJs(t.Name) + "()";
        return "0";
    }
    std::string StructureJs(const std::string& name) {
        Structure* s = FindInModules(Structures, name);
        if (s && BuiltInStructures.count(Lower(s->Name))) {
            BuiltInStructures.erase(Lower(s->Name));
            StructureOrder.insert(StructureOrder.begin(), Lower(s->Name));
        }
        return s ? s->Js : "Object";
    }
    std::string ElementInit(const ValueType& t) {
        if (t.Pointer) return "0";
        if (t.Name == "s") return "\"\"";
        if (t.IsStructure()) return StructureJs(t.Name);
        return "0";
    }
    std::string ArrayKind(const ValueType& t, std::string& detail) {
        detail.clear();
        if (t.Pointer) return "Float64Array";
        const std::string& n = t.Name;
        if (n == "b") return "Int8Array";
        if (n == "a") return "Uint8Array";
        if (n == "w") return "Int16Array";
        if (n == "u" || n == "c") return "Uint16Array";
        if (n == "l") return "Int32Array";
        if (n == "f") return "Float32Array";
        if (n == "d") {
            detail = "12";
            return "Float64Array";
        }
        if (n == "s") {
            if (t.FixedLength > 0) detail = std::to_string(t.FixedLength);
            return "\"\"";
        }
        if (t.IsStructure()) return StructureJs(n);
        return "Float64Array";
    }

    // A value stored into a place of type t: rounded to an integer, wrapped to its size.
    std::string Store(const ValueType& t, const Val& v) {
        if (t.Prototype.size())
            return v.Kind == 'p' ? v.Js : Object("cMemory") + ".ORV_Function(" + v.Js + ")";
        if (v.Kind == 'p') return Object("cMemory") + ".ORV_Address(" + v.Js + ")";
        if (t.Pointer) return v.Kind == 'c' ? "(" + v.Js + " ? 1 : 0)" : v.Js;
        char k = KindOfType(t);
        std::string js = ValueJs(v);
        if (k == 's') {
            if (v.Kind != 's') js = TextOf(v);
            if (t.FixedLength > 0)
                js = "(" + js + ").substr(0, " + std::to_string(t.FixedLength) + ")";
            return js;
        }
        if (k == 'S') return js;
        if (k == 'f') return "Math.fround(" + js + ")";
        if (k == 'd') return js;
        if (v.Kind == 's') return js;
        if (IsFloatKind(v.Kind)) {
            if (v.Literal) {
                js = NumberText(std::nearbyint(v.Number));
            } else {
                js = Object("cPB") + ".Round(" + js + ")";
            }
        }
        const std::string& n = t.Name;
        if (v.Literal && !IsFloatKind(v.Kind)) {
            double x = v.Number;
            bool fits = (n == "b" && x >= -128 && x <= 127) || (n == "a" && x >= 0 && x <= 255) ||
                        (n == "w" && x >= -32768 && x <= 32767) ||
                        ((n == "u" || n == "c") && x >= 0 && x <= 65535) ||
                        (n == "l" && x >= -2147483648.0 && x <= 2147483647.0);
            if (fits) return js;
        }
        if (n == "b") return "(" + js + ") << 24 >> 24";
        if (n == "a") return "(" + js + ") & 255";
        if (n == "w") return "(" + js + ") << 16 >> 16";
        if (n == "u" || n == "c") return "(" + js + ") & 65535";
        if (n == "l") return "(" + js + ") | 0";
        return js;
    }

    std::string ValueJs(const Val& v) {
        if (v.Kind == 'c') return "(" + v.Js + " ? 1 : 0)";
        return v.Js;
    }
    std::string CondJs(const Val& v) {
        if (v.Kind == 'c') return v.Js;
        return v.Js;
    }
    std::string TextOf(const Val& v) {
        if (v.Kind == 's') return v.Js;
        if (v.Kind == 'f') return Object("cPB") + ".StrF(" + v.Js + ")";
        if (v.Kind == 'd' || v.Kind == 'F') return Object("cPB") + ".StrD(" + v.Js + ")";
        return "String(" + ValueJs(v) + ")";
    }

    // ---- constants

    bool FoldConstant(const Expr& e, ConstantValue& out) {
        switch (e.Kind) {
            case ExprKind::Number: {
                double v;
                bool f;
                std::string js;
                if (!ReadNumber(e.Text, v, f, js)) return false;
                out.IsFloat = f;
                out.Number = v;
                out.Integer = static_cast<long long>(v);
                if (e.Text[0] == '$' || e.Text[0] == '%') out.Integer = std::stoll(js);
                return true;
            }
            case ExprKind::String:
                out.IsString = true;
                out.Text = e.Text;
                return true;
            case ExprKind::Constant: {
                ConstantValue* c = FindConstant(e.Text);
                if (!c || !c->Js.empty()) {
                    if (c && c->Js.empty()) {
                        out = *c;
                        return true;
                    }
                    if (c && (c->Js == "1" || c->Js == "0")) {
                        out.Number = c->Js == "1";
                        out.Integer = c->Js == "1";
                        return true;
                    }
                    return false;
                }
                out = *c;
                return true;
            }
            case ExprKind::Unary: {
                ConstantValue a;
                if (!FoldConstant(*e.Args[0], a) || a.IsString) return false;
                out = a;
                if (e.Text == "-") {
                    out.Number = -a.Number;
                    out.Integer = -a.Integer;
                } else if (e.Text == "~") {
                    out.Integer = ~a.Integer;
                    out.Number = static_cast<double>(out.Integer);
                } else if (e.Text == "Not") {
                    out.Integer = a.Number == 0;
                    out.Number = static_cast<double>(out.Integer);
                    out.IsFloat = false;
                } else {
                    return false;
                }
                return true;
            }
            case ExprKind::Binary: {
                ConstantValue a, b;
                if (!FoldConstant(*e.Args[0], a) || !FoldConstant(*e.Args[1], b)) return false;
                const std::string& op = e.Text;
                if (a.IsString || b.IsString) {
                    if (op != "+" || !a.IsString || !b.IsString) return false;
                    out.IsString = true;
                    out.Text = a.Text + b.Text;
                    return true;
                }
                bool f = a.IsFloat || b.IsFloat;
                long long x = a.Integer, y = b.Integer;
                double p = a.Number, q = b.Number;
                out.IsFloat = f;
                long long r = 0;
                double d = 0;
                if (op == "+") {
                    r = x + y;
                    d = p + q;
                } else if (op == "-") {
                    r = x - y;
                    d = p - q;
                } else if (op == "*") {
                    r = x * y;
                    d = p * q;
                } else if (op == "/") {
                    if (f)
                        d = p / q;
                    else if (y == 0)
                        return false;
                    else
                        r = x / y;
                } else if (op == "%") {
                    if (y == 0) return false;
                    r = x % y;
                    out.IsFloat = false;
                } else if (op == "&") {
                    r = x & y;
                    out.IsFloat = false;
                } else if (op == "|") {
                    r = x | y;
                    out.IsFloat = false;
                } else if (op == "!") {
                    r = x ^ y;
                    out.IsFloat = false;
                } else if (op == "<<") {
                    r = static_cast<long long>(static_cast<unsigned long long>(x) << (y & 63));
                    out.IsFloat = false;
                } else if (op == ">>") {
                    r = x >> (y & 63);
                    out.IsFloat = false;
                } else
                    return false;
                if (out.IsFloat) {
                    out.Number = d;
                    out.Integer = static_cast<long long>(d);
                } else {
                    out.Integer = r;
                    out.Number = static_cast<double>(r);
                }
                return true;
            }
            case ExprKind::Call: {
                std::string n = Lower(e.Text);
                if (n == "sizeof" && e.Args.size() == 1) {
                    out.Integer = SizeOfExpr(*e.Args[0]);
                    out.Number = static_cast<double>(out.Integer);
                    return true;
                }
                if (n == "offsetof" && e.Args.size() == 1) {
                    out.Integer = OffsetOfExpr(*e.Args[0]);
                    out.Number = static_cast<double>(out.Integer);
                    return true;
                }
                if ((n == "chr" || n == "str") && e.Args.size() == 1) {
                    ConstantValue a;
                    if (!FoldConstant(*e.Args[0], a) || a.IsString) return false;
                    out.IsString = true;
                    if (n == "str") {
                        out.Text = std::to_string(a.Integer);
                    } else {
                        out.Text.clear();
                        unsigned code = static_cast<unsigned>(a.Integer);
                        if (code < 0x80)
                            out.Text += static_cast<char>(code);
                        else
                            return false;
                    }
                    return true;
                }
                return false;
            }
            default:
                return false;
        }
    }

    std::string ConstantJs(const ConstantValue& c) {
        if (c.IsString) return JsString(c.Text);
        if (c.IsFloat) return NumberText(c.Number);
        return std::to_string(c.Integer);
    }

    ConstantValue* FindConstant(const std::string& written) {
        if (ConstantValue* c = FindInModules(Constants, written)) return c;
        std::string module;
        std::string key = Lower(SplitModule(written, module));
        return module.empty() ? BuiltInConstant(key) : nullptr;
    }

    ConstantValue* BuiltInConstant(const std::string& key) {
        static const std::unordered_map<std::string, std::string> texts = {
            {"#tab$", "\t"},    {"#cr$", "\r"},        {"#lf$", "\n"},          {"#crlf$", "\r\n"},
            {"#lfcr$", "\n\r"}, {"#dquote$", "\""},    {"#doublequote$", "\""}, {"#quote$", "'"},
            {"#empty$", ""},    {"#null$", ""},        {"#nul$", ""},           {"#esc$", "\x1b"},
            {"#bs$", "\b"},     {"#ff$", "\f"},        {"#vt$", "\v"},          {"#bel$", "\a"},
            {"#del$", "\x7f"},  {"#nbsp$", "\xc2\xa0"}};
        static const std::unordered_map<std::string, long long> numbers = {
            {"#true", 1}, {"#false", 0}, {"#null", 0},  {"#nul", 0},     {"#tab", 9},
            {"#cr", 13},  {"#lf", 10},   {"#esc", 27},  {"#bs", 8},      {"#ff", 12},
            {"#vt", 11},  {"#bel", 7},   {"#del", 127}, {"#dquote", 34}, {"#quote", 39}};
        auto made = Constants.find(key);
        if (made != Constants.end()) return &made->second;
        ConstantValue c;
        if (auto t = texts.find(key); t != texts.end()) {
            c.IsString = true;
            c.Text = t->second;
        } else if (auto n = numbers.find(key); n != numbers.end()) {
            c.Integer = n->second;
            c.Number = static_cast<double>(n->second);
        } else if (key == "#pi") {
            c.IsFloat = true;
            c.Number = 3.14159265358979323846;
        } else if (key == "#e") {
            c.IsFloat = true;
            c.Number = 2.71828182845904523536;
        } else {
            std::string upper;
            for (char ch : key.substr(1))
                upper += (ch >= 'a' && ch <= 'z') ? ch - 32 : ch;
            auto found = Lib.Constants.find(upper);
            if (found == Lib.Constants.end()) return nullptr;
            Out.UsedConstants.insert(key);
            auto value = Lib.ConstantValues.find(upper);
            if (value != Lib.ConstantValues.end() && !value->second.empty()) {
                const std::string& v = value->second;
                if (v[0] == '"') {
                    c.IsString = true;
                    c.Text = DecodeJsonText(v);
                } else {
                    c.Number = std::strtod(v.c_str(), nullptr);
                    c.IsFloat = v.find_first_of(".eE") != std::string::npos;
                    c.Integer = static_cast<long long>(c.Number);
                }
                return &(Constants[key] = c);
            }
            c.Js = Object("cConstants") + "." + found->second;
            if (!found->second.empty() && found->second.back() == '$') c.IsString = true;
        }
        return &(Constants[key] = c);
    }

    // ---- structures

    int SizeOfType(const ValueType& t) {
        if (t.Pointer) return 8;
        if (t.IsStructure()) {
            Structure* s = FindInModules(Structures, t.Name);
            return s ? s->Size : 0;
        }
        if (t.Name == "s") return t.FixedLength > 0 ? t.FixedLength * 2 : 8;
        return SizeOfBasic(t.Name.empty() ? "i" : t.Name);
    }

    long long SizeOfExpr(const Expr& e) {
        if (e.Kind == ExprKind::Name) {
            std::string basic = BasicLetter(e.Text);
            if (!basic.empty()) return SizeOfBasic(basic);
            if (Structure* s = FindInModules(Structures, e.Text)) return s->Size;
            if (Variable* v = FindVariable(e.Text)) return SizeOfType(v->Type);
        }
        if (e.Kind == ExprKind::Field) {
            ValueType t;
            int offset = 0;
            if (FieldOfPath(e, t, offset)) return SizeOfType(t);
        }
        return 8;
    }
    long long OffsetOfExpr(const Expr& e) {
        ValueType t;
        int offset = 0;
        if (e.Kind == ExprKind::Field && FieldOfPath(e, t, offset)) return offset;
        return 0;
    }
    // "Point\x" or "Point\inner\x": the field's type and offset in the structure.
    bool FieldOfPath(const Expr& e, ValueType& type, int& offset) {
        if (e.Kind == ExprKind::Name) {
            Structure* s = FindInModules(Structures, e.Text);
            if (!s) return false;
            type.Name = s->Name;
            offset = 0;
            return true;
        }
        if (e.Kind != ExprKind::Field) return false;
        ValueType base;
        if (!FieldOfPath(*e.Args[0], base, offset)) return false;
        const Field* f = FindField(base, e.Text);
        if (!f) return false;
        offset += f->Offset;
        type = f->Type;
        return true;
    }

    const Field* FindField(const ValueType& t, const std::string& name) {
        Structure* s = FindInModules(Structures, t.Name);
        if (!s) return nullptr;
        std::string key = Lower(name);
        for (const Field& f : s->Fields)
            if (Lower(f.Name) == key) return &f;
        return nullptr;
    }

    void DefineStructure(const Stmt& st) {
        Structure s;
        // the name types carry: qualified inside a module, so that it is found from outside
        s.Name = ModulePrefix() + st.Name;
        s.Js = "ORV_Struct_" + (Module.empty() ? "" : Module + "_") + st.Name;
        int offset = 0;
        if (!st.Type.empty()) {
            Structure* base = FindInModules(Structures, st.Type);
            if (!base) {
                Error(st.Line, "structure not found: " + st.Type);
            } else {
                s.Fields = base->Fields;
                offset = base->Size;
            }
        }
        int unionNumber = 0, unionStart = 0, unionEnd = 0;
        for (const Decl& d : st.Decls) {
            Field f;
            f.Name = d.Name[0] == '*' ? d.Name.substr(1) : d.Name;
            f.Kind = d.Kind;
            f.Type = TypeFromName(d.Type, d.Name, d.Line);
            if (d.Type.empty() && (d.Name.back() != '$')) f.Type.Name = "i";
            f.Type.FixedLength = d.FixedLength;
            if (Lower(d.Type) == Lower(st.Name) && !f.Type.Pointer && d.Kind == DeclKind::Variable)
                Error(d.Line, "a structure cannot hold itself: " + st.Name);
            if (d.StaticArray && !d.Sizes.empty()) {
                ConstantValue n;
                if (FoldConstant(*d.Sizes[0], n))
                    f.ArrayLength = static_cast<int>(n.Integer);
                else
                    Error(d.Line, "the size of a static array field must be a constant");
            }
            if (d.Kind == DeclKind::Array) {
                for (const ExprPtr& z : d.Sizes) {
                    ConstantValue n;
                    f.DimSizes.push_back(FoldConstant(*z, n) ? n.Integer : 0);
                }
            }
            int size = d.Kind == DeclKind::Variable ? SizeOfType(f.Type) : 8;
            if (f.ArrayLength > 0) size *= f.ArrayLength;
            f.Size = size;
            if (d.Union != unionNumber) {
                if (unionNumber) offset = unionEnd;
                unionNumber = d.Union;
                unionStart = offset;
                unionEnd = offset;
            }
            if (unionNumber) {
                f.Offset = unionStart;
                unionEnd = std::max(unionEnd, unionStart + size);
            } else {
                f.Offset = offset;
                offset += size;
            }
            s.Fields.push_back(f);
        }
        if (unionNumber) offset = unionEnd;
        s.Size = offset;
        std::string key = ModulePrefix() + Lower(st.Name);
        if (!Structures.count(key)) StructureOrder.push_back(key);
        Structures[key] = s;
    }

    std::string FieldInit(const Field& f) {
        std::string detail;
        if (f.Kind == DeclKind::List)
            return "new " + Object("cLinkedList") + "(" + ElementInit(f.Type) + ")";
        if (f.Kind == DeclKind::Map)
            return "new " + Object("cMap") + "(" + ElementInit(f.Type) + ")";
        if (f.Kind == DeclKind::Array) {
            std::string kind = ArrayKind(f.Type, detail);
            std::string sizes;
            for (long long z : f.DimSizes)
                sizes += (sizes.empty() ? "" : ", ") + std::to_string(z);
            if (sizes.empty()) sizes = "0";
            return Object("cArray") + ".Dim(" + kind + ", [" + sizes + "]" +
                   (detail.empty() ? "" : ", " + detail) + ")";
        }
        if (f.ArrayLength > 0) {
            std::string kind = ArrayKind(f.Type, detail);
            if (kind[0] == '"') {
                return Object("cArray") + ".Dim(\"\", [" + std::to_string(f.ArrayLength - 1) + "]" +
                       (detail.empty() ? "" : ", " + detail) + ")";
            }
            if (f.Type.IsStructure()) {
                return Object("cArray") + ".Dim(" + kind + ", [" +
                       std::to_string(f.ArrayLength - 1) + "])";
            }
            return "new " + kind + "(" + std::to_string(f.ArrayLength) + ")";
        }
        return InitialValue(f.Type);
    }

    std::string StructureFactories() {
        std::string out;
        for (const std::string& key : StructureOrder) {
            const Structure& s = Structures[key];
            out += "function " + s.Js + "() {\n    return {";
            bool first = true;
            for (const Field& f : s.Fields) {
                out += first ? " " : ", ";
                first = false;
                out += JsString(f.Name) + ": " + FieldInit(f);
            }
            out += first ? "};\n}\n" : " };\n}\n";
            out += s.Js + ".ORV_Size = " + std::to_string(s.Size) + ";\n";
            out += s.Js + ".ORV_Fields = [";
            first = true;
            for (const Field& f : s.Fields) {
                if (f.Kind != DeclKind::Variable) continue;
                out += first ? "" : ", ";
                first = false;
                out += '[';
                out += std::to_string(f.Offset);
                out += ", ";
                out += std::to_string(TypeCode(f.Type));
                out += ", ";
                out += JsString(f.Name);
                out += ']';
            }
            out += "];\n";
        }
        return out;
    }

    // ---- variables

    Variable* FindVariable(const std::string& name, bool collection = false) {
        std::string key = Lower(name) + (collection ? "()" : "");
        std::string module;
        std::string bare = SplitModule(key, module);
        if (!module.empty()) {
            auto it = Main.Vars.find(module + "::" + bare);
            return it == Main.Vars.end() ? nullptr : &it->second;
        }
        if (Current->IsProcedure) {
            auto it = Current->Vars.find(key);
            if (it != Current->Vars.end()) return &it->second;
            auto sh = Current->Shared.find(key);
            if (sh != Current->Shared.end()) {
                auto g = Main.Vars.find(sh->second);
                if (g != Main.Vars.end()) return &g->second;
            }
        }
        auto look = [&](const std::string& k) -> Variable* {
            auto it = Main.Vars.find(k);
            if (it == Main.Vars.end()) return nullptr;
            if (Current->IsProcedure && !GlobalKeys.count(k)) return nullptr;
            return &it->second;
        };
        if (!Module.empty())
            if (Variable* v = look(Module + "::" + key)) return v;
        for (const std::string& used : UsedModules)
            if (Variable* v = look(used + "::" + key)) return v;
        return look(key);
    }
    std::unordered_set<std::string> GlobalKeys;

    Variable& DeclareVariable(const std::string& name, const ValueType& type, DeclKind kind,
                              bool global, bool isStatic, int line, bool collection) {
        Scope& scope = (global || !Current->IsProcedure) ? Main : *Current;
        std::string key = (Current->IsProcedure && !global ? "" : ModulePrefix()) + Lower(name) +
                          (collection ? "()" : "");
        auto existing = scope.Vars.find(key);
        if (existing != scope.Vars.end()) {
            if (global) {
                GlobalKeys.insert(key);
                GlobalJs.insert(existing->second.Js);
            }
            return existing->second;
        }
        Variable v;
        v.Name = name;
        v.Type = type;
        v.Kind = kind;
        if (isStatic && Current->Proc) {
            std::string base = Current->Proc->Js + "$" + StripPointer(name);
            v.Js = base;
            for (int n = 2; Main.UsedJs.count(v.Js); ++n)
                v.Js = base + std::to_string(n);
            Main.UsedJs.insert(v.Js);
        } else {
            v.Js = JsNameFor(name, scope.UsedJs);
        }
        (void)line;
        Variable& stored = scope.Vars[key] = v;
        if (global) {
            GlobalKeys.insert(key);
            GlobalJs.insert(stored.Js);
        }
        std::string init = kind == DeclKind::Variable ? InitialValue(type)
                           : kind == DeclKind::Array  ? "[]"
                           : kind == DeclKind::List
                               ? "new " + Object("cLinkedList") + "(" + ElementInit(type) + ")"
                               : "new " + Object("cMap") + "(" + ElementInit(type) + ")";
        if (isStatic)
            StaticDeclarations.push_back(stored.Js + " = " + init);
        else
            scope.Declarations.push_back(stored.Js + " = " + init);
        return stored;
    }
    static std::string StripPointer(const std::string& n) {
        return !n.empty() && n[0] == '*' ? n.substr(1) : n;
    }

    // A name read or written without a declaration: PureBasic declares it on first use.
    Variable* UseVariable(const Expr& e, bool writing) {
        Variable* v = FindVariable(e.Text);
        if (v) return v;  // a second type written on it: the first one holds
        if (e.Text.find("::") != std::string::npos) {
            Error(e.Line, "variable not found: " + e.Text);
            return nullptr;
        }
        if (Explicit) {
            Error(e.Line, "variable not declared: " + e.Text);
            return nullptr;
        }
        (void)writing;
        ValueType t = TypeFromName(e.Type, e.Text, e.Line);
        return &DeclareVariable(e.Text, t, DeclKind::Variable, false, false, e.Line, false);
    }

    // ---- expressions

    Val MakeVal(std::string js, char kind) {
        Val v;
        v.Js = std::move(js);
        v.Kind = kind;
        return v;
    }

    bool HasFloat(const Expr& e) {
        switch (e.Kind) {
            case ExprKind::Number:
                return e.Text.find_first_of(".eE") != std::string::npos && e.Text[0] != '$';
            case ExprKind::Constant: {
                ConstantValue* c = FindConstant(e.Text);
                return c && c->IsFloat;
            }
            case ExprKind::Binary:
                if (e.Text == "And" || e.Text == "Or" || e.Text == "XOr") return false;
                if (e.Text == "=" || e.Text == "<>" || e.Text == "<" || e.Text == ">" ||
                    e.Text == "<=" || e.Text == ">=")
                    return false;
                return HasFloat(*e.Args[0]) || HasFloat(*e.Args[1]);
            case ExprKind::Unary:
                return (e.Text == "-") && HasFloat(*e.Args[0]);
            default: {
                char k = StaticKind(e);
                return IsFloatKind(k);
            }
        }
    }

    // The kind of a name, element, field or call without translating it.
    char StaticKind(const Expr& e) {
        switch (e.Kind) {
            case ExprKind::Name: {
                if (e.Text.empty()) return 'S';
                Variable* v = FindVariable(e.Text);
                if (v) return KindOfType(v->Type);
                if (!e.Type.empty()) return KindOfType(TypeFromNameQuiet(e.Type, e.Text));
                return !e.Text.empty() && e.Text.back() == '$' ? 's' : 'i';
            }
            case ExprKind::Call: {
                if (Variable* v = FindVariable(e.Text, true)) return KindOfType(v->Type);
                if (ProcedureInfo* p = FindInModules(Procedures, e.Text))
                    return KindOfType(p->Return);
                std::string n = Lower(e.Text);
                if (n == "bool" || n == "sizeof" || n == "offsetof") return 'i';
                auto d = Lib.Documented.find(n);
                if (d != Lib.Documented.end()) {
                    char r = d->second.Result;
                    if (r == 'd' && (n == "abs" || n == "sign"))
                        return e.Args.size() == 1 && HasFloat(*e.Args[0]) ? 'd' : 'i';
                    return r == 'f' ? 'f' : r == 'd' ? 'd' : r == 's' ? 's' : 'i';
                }
                return 'i';
            }
            case ExprKind::Field: {
                ValueType t;
                if (PlaceType(e, t)) return KindOfType(t);
                return 'i';
            }
            case ExprKind::Index: {
                ValueType t;
                if (PlaceType(*e.Args[0], t)) return KindOfType(t);
                return 'i';
            }
            case ExprKind::String:
                return 's';
            case ExprKind::Constant: {
                ConstantValue* c = FindConstant(e.Text);
                return c && c->IsString ? 's' : c && c->IsFloat ? 'F' : 'i';
            }
            case ExprKind::Binary: {
                const std::string& op = e.Text;
                if (op == "+") {
                    char a = StaticKind(*e.Args[0]), b = StaticKind(*e.Args[1]);
                    if (a == 's' || b == 's') return 's';
                    return Promote(a, b);
                }
                if (op == "-" || op == "*" || op == "/")
                    return Promote(StaticKind(*e.Args[0]), StaticKind(*e.Args[1]));
                return 'i';
            }
            case ExprKind::Unary:
                if (e.Text == "-") return StaticKind(*e.Args[0]);
                return 'i';
            default:
                return 'i';
        }
    }
    ValueType TypeFromNameQuiet(const std::string& written, const std::string& name) {
        ValueType t;
        std::string basic = BasicLetter(written);
        t.Name = basic.empty() ? (FindInModules(Structures, written) ? written : "i") : basic;
        if (!name.empty() && name[0] == '*') t.Pointer = true;
        return t;
    }
    static char Promote(char a, char b) {
        if (a == 'd' || b == 'd') return 'd';
        if (a == 'f' || b == 'f') return 'f';
        if (a == 'F' || b == 'F') return 'F';
        return 'i';
    }

    // The type of a place (a variable, an element, a field, a procedure's result), when known.
    bool PlaceType(const Expr& e, ValueType& out) {
        if (e.Kind == ExprKind::Name) {
            if (e.Text.empty()) {
                if (WithStack.empty()) return false;
                return PlaceType(*WithStack.back(), out);
            }
            Variable* v = FindVariable(e.Text);
            if (!v) return false;
            out = v->Type;
            return true;
        }
        if (e.Kind == ExprKind::Call) {
            if (Variable* v = FindVariable(e.Text, true)) {
                out = v->Type;
                return true;
            }
            if (ProcedureInfo* p = FindInModules(Procedures, e.Text)) {
                out = p->Return;
                return true;
            }
            return false;
        }
        if (e.Kind == ExprKind::Index) return PlaceType(*e.Args[0], out);
        if (e.Kind == ExprKind::Field) {
            ValueType base;
            if (!PlaceType(*e.Args[0], base)) return false;
            const Field* f = FindField(base, e.Text);
            if (!f) return false;
            out = f->Type;
            return true;
        }
        return false;
    }

    Val Emit(const Expr& e, bool floatContext) {
        switch (e.Kind) {
            case ExprKind::Number: {
                double v;
                bool f;
                std::string js;
                if (!ReadNumber(e.Text, v, f, js)) {
                    Error(e.Line, "number not understood: " + e.Text);
                    return MakeVal("0", 'i');
                }
                Val out = MakeVal(js, f ? 'F' : 'i');
                out.Literal = true;
                out.Number = v;
                return out;
            }
            case ExprKind::String:
                return MakeVal(JsString(e.Text), 's');
            case ExprKind::Constant:
                return EmitConstant(e);
            case ExprKind::Name:
                return EmitName(e);
            case ExprKind::Call:
                return EmitCall(e, nullptr);
            case ExprKind::Field:
                return EmitField(e, nullptr);
            case ExprKind::Index:
                return EmitIndex(e, nullptr);
            case ExprKind::Unary:
                return EmitUnary(e, floatContext);
            case ExprKind::Binary:
                return EmitBinary(e, floatContext);
        }
        return MakeVal("0", 'i');
    }

    Val EmitConstant(const Expr& e) {
        ConstantValue* c = FindConstant(e.Text);
        if (!c) {
            Warn(e.Line, "constant not found: " + e.Text);
            return MakeVal("0", 'i');
        }
        if (!c->Js.empty()) return MakeVal(c->Js, c->IsString ? 's' : 'i');
        Val v = MakeVal(ConstantJs(*c), c->IsString ? 's' : c->IsFloat ? 'F' : 'i');
        if (!c->IsString) {
            v.Literal = true;
            v.Number = c->Number;
            if (c->Integer < 0 || c->Number < 0) v.Js = "(" + v.Js + ")";
        }
        return v;
    }

    Val EmitName(const Expr& e) {
        if (e.Text.empty()) {
            if (WithStack.empty()) {
                Error(e.Line, "'\\' outside With");
                return MakeVal("0", 'i');
            }
            return Emit(*WithStack.back(), false);
        }
        std::string lower = Lower(e.Text);
        Variable* v = UseVariable(e, false);
        if (!v) return MakeVal("0", 'i');
        Val out = MakeVal(v->Js, KindOfType(v->Type));
        out.Type = v->Type;
        if (!v->Type.Prototype.empty()) out.Kind = 'i';
        return out;
    }

    std::string Integer(const Expr& e) {
        Val v = Emit(e, false);
        if (IsFloatKind(v.Kind)) return Object("cPB") + ".Round(" + v.Js + ")";
        return ValueJs(v);
    }

    // A call, an element of an array, list or map, or a procedure.
    Val EmitCall(const Expr& e, const Val* assign) {
        if (Variable* v = FindVariable(e.Text, true)) return EmitElement(*v, e, assign, "");
        if (assign) {
            Error(e.Line, "array, list or map not found: " + e.Text + "()");
            return MakeVal("0", 'i');
        }
        if (ProcedureInfo* p = FindInModules(Procedures, e.Text)) return EmitProcedureCall(*p, e);
        if (Variable* v = FindVariable(e.Text)) {
            if (!v->Type.Prototype.empty()) {
                ProcedureInfo* proto = FindInModules(Prototypes, v->Type.Prototype);
                std::string args;
                for (size_t i = 0; i < e.Args.size(); ++i) {
                    if (i) args += ", ";
                    args +=
                        ArgumentJs(*e.Args[i], proto && proto->Params && i < proto->Params->size()
                                                   ? &(*proto->Params)[i]
                                                   : nullptr);
                }
                if (proto && proto->Params) {
                    for (size_t i = e.Args.size(); i < proto->Params->size(); ++i) {
                        const Decl& d = (*proto->Params)[i];
                        if (!d.Value) break;
                        args += (args.empty() ? "" : ", ") + ValueJs(Emit(*d.Value, false));
                    }
                }
                Val out = MakeVal((InAsync ? "await " : "") + v->Js + "(" + args + ")", 'i');
                if (proto) out.Kind = KindOfType(proto->Return);
                return out;
            }
        }
        return EmitBuiltIn(e);
    }

    Val EmitElement(const Variable& v, const Expr& e, const Val* assign, const std::string& js) {
        std::string obj = js.empty() ? v.Js : js;
        Val out;
        out.Type = v.Type;
        out.Kind = KindOfType(v.Type);
        if (v.Kind == DeclKind::Array) {
            if (e.Empty && !assign) {
                out.Js = obj;
                out.Kind = 'A';
                return out;
            }
            std::string index = ElementIndexJs(obj, e);
            if (assign) {
                out.Js = obj + "[" + index + "] = " + Store(v.Type, *assign);
                return out;
            }
            out.Js = obj + "[" + index + "]";
            return out;
        }
        if (v.Kind == DeclKind::List) {
            if (!e.Args.empty()) Error(e.Line, "a list element takes no index: " + e.Text + "()");
            if (assign) {
                out.Js = obj + ".SetContent(" + Store(v.Type, *assign) + ")";
                return out;
            }
            out.Js = obj + ".GetContent()";
            return out;
        }
        // map
        std::string key = e.Args.empty() ? "" : TextArgument(*e.Args[0]);
        if (assign) {
            out.Js =
                obj + ".setData(" + Store(v.Type, *assign) + (key.empty() ? "" : ", " + key) + ")";
            return out;
        }
        out.Js = obj + ".getData(" + key + ")";
        return out;
    }
    std::string ElementIndexJs(const std::string& obj, const Expr& e) {
        if (e.Args.size() <= 1) return e.Args.empty() ? "0" : Integer(*e.Args[0]);
        std::string index = Integer(*e.Args[0]);
        for (size_t i = 1; i < e.Args.size(); ++i) {
            index = "(" + index + ") * " + obj + ".ORV_Dims[" + std::to_string(i) + "] + " +
                    Integer(*e.Args[i]);
        }
        return index;
    }
    std::string TextArgument(const Expr& e) {
        Val v = Emit(e, false);
        return v.Kind == 's' ? v.Js : TextOf(v);
    }

    // An argument for a parameter (null for a library function): arrays, lists and maps go as
    // themselves, values in their own floating point context.
    std::string ArgumentJs(const Expr& e, const Decl* param, bool collection = false,
                           bool floatParameter = false) {
        if (param) collection = param->Kind != DeclKind::Variable;
        if (e.Kind == ExprKind::Call && e.Empty) {
            if (Variable* v = FindVariable(e.Text, true))
                if (collection || v->Kind == DeclKind::Array) return v->Js;
        }
        if (collection && e.Kind == ExprKind::Field && e.Called && e.Args.size() == 1) {
            Val f = EmitField(e, nullptr, true);
            return f.Js;
        }
        if (e.Kind == ExprKind::Unary && e.Text == "@" && e.Args[0]->Kind == ExprKind::Call &&
            e.Args[0]->Empty && FindInModules(Procedures, e.Args[0]->Text)) {
            return FindInModules(Procedures, e.Args[0]->Text)->Js;
        }
        bool fc = HasFloat(e);
        if (param && param->Kind == DeclKind::Variable) {
            ValueType t = TypeFromNameQuiet(param->Type, param->Name);
            if (param->Name.back() == '$') t.Name = "s";
            if (t.IsFloat()) fc = true;
            Val v = Emit(e, fc);
            if (t.Pointer || t.IsStructure() || param->Type.empty()) return ValueJs(v);
            return Store(t, v);
        }
        return ValueJs(Emit(e, fc || floatParameter));
    }

    Val EmitProcedureCall(ProcedureInfo& p, const Expr& e) {
        std::string args;
        size_t given = e.Args.size();
        size_t count = p.Params ? p.Params->size() : given;
        if (given > count) Error(e.Line, "too many arguments for " + p.Name + "()");
        for (size_t i = 0; i < given; ++i) {
            if (i) args += ", ";
            args += ArgumentJs(*e.Args[i],
                               p.Params && i < p.Params->size() ? &(*p.Params)[i] : nullptr);
        }
        for (size_t i = given; i < count; ++i) {
            const Decl& d = (*p.Params)[i];
            if (!d.Value) {
                Error(e.Line, "not enough arguments for " + p.Name + "()");
                break;
            }
            if (!args.empty()) args += ", ";
            std::string saved = Module;
            Module = p.Module;
            args += ArgumentJs(*d.Value, &d);
            Module = saved;
        }
        Val out = MakeVal(p.Js + "(" + args + ")", KindOfType(p.Return));
        out.Type = p.Return;
        if (p.Async) {
            if (!InAsync) Error(e.Line, p.Name + "() waits and cannot be called here");
            out.Js = "(await " + out.Js + ")";
        }
        return out;
    }

    static bool IsListMethod(const std::string& n) {
        static const std::unordered_set<std::string> names = {
            "addelement",       "insertelement",   "deleteelement",   "clearlist",
            "freelist",         "resetlist",       "firstelement",    "lastelement",
            "nextelement",      "previouselement", "selectelement",   "changecurrentelement",
            "listindex",        "listsize",        "swapelements",    "moveelement",
            "pushlistposition", "poplistposition", "comparelist",     "mergelists",
            "splitlist",        "findmapelement",  "addmapelement",   "deletemapelement",
            "mapkey",           "mapsize",         "clearmap",        "freemap",
            "resetmap",         "nextmapelement",  "pushmapposition", "popmapposition",
            "comparemap",       "copylist",        "listdata"};
        return names.count(n) != 0;
    }
    static std::string MethodName(const std::string& n) {
        static const std::unordered_map<std::string, std::string> names = {
            {"addelement", "AddElement"},
            {"insertelement", "InsertElement"},
            {"deleteelement", "DeleteElement"},
            {"clearlist", "ClearList"},
            {"freelist", "FreeList"},
            {"resetlist", "ResetList"},
            {"firstelement", "FirstElement"},
            {"lastelement", "LastElement"},
            {"nextelement", "NextElement"},
            {"previouselement", "PreviousElement"},
            {"selectelement", "SelectElement"},
            {"changecurrentelement", "ChangeCurrentElement"},
            {"listindex", "ListIndex"},
            {"listsize", "ListSize"},
            {"swapelements", "SwapElements"},
            {"moveelement", "MoveElement"},
            {"pushlistposition", "PushListPosition"},
            {"poplistposition", "PopListPosition"},
            {"comparelist", "CompareList"},
            {"mergelists", "MergeLists"},
            {"splitlist", "SplitList"},
            {"findmapelement", "FindMapElement"},
            {"addmapelement", "AddMapElement"},
            {"deletemapelement", "DeleteMapElement"},
            {"mapkey", "MapKey"},
            {"mapsize", "MapSize"},
            {"clearmap", "ClearMap"},
            {"freemap", "FreeMap"},
            {"resetmap", "ResetMap"},
            {"nextmapelement", "NextMapElement"},
            {"pushmapposition", "PushMapPosition"},
            {"popmapposition", "PopMapPosition"},
            {"comparemap", "CompareMap"},
            {"copylist", "CopyList"},
            {"listdata", "ListData"}};
        return names.at(n);
    }

    // The collection a "name()" or "s\field()" argument stands for.
    std::string CollectionJs(const Expr& e) {
        if (e.Kind == ExprKind::Call) {
            if (Variable* v = FindVariable(e.Text, true)) return v->Js;
            Error(e.Line, "array, list or map not found: " + e.Text + "()");
            return "null";
        }
        if (e.Kind == ExprKind::Field && e.Called) return EmitField(e, nullptr, true).Js;
        Error(e.Line, "a list or map expected");
        return "null";
    }

    Val EmitBuiltIn(const Expr& e) {
        std::string n = Lower(e.Text);
        int line = e.Line;
        auto documented = Lib.Documented.find(n);
        unsigned collections =
            documented == Lib.Documented.end() ? 0 : documented->second.Collections;
        unsigned floats = documented == Lib.Documented.end() ? 0 : documented->second.Floats;
        auto args = [&](size_t from) {
            std::string s;
            for (size_t i = from; i < e.Args.size(); ++i) {
                if (i > from) s += ", ";
                s += ArgumentJs(*e.Args[i], nullptr, i < 32 && (collections >> i) & 1,
                                i < 32 && (floats >> i) & 1);
            }
            return s;
        };
        if (IsListMethod(n)) {
            if (e.Args.empty()) {
                Error(line, e.Text + "() needs a list or map");
                return MakeVal("0", 'i');
            }
            std::string obj = CollectionJs(*e.Args[0]);
            std::string rest = args(1);
            char kind = n == "mapkey" ? 's' : 'i';
            if (n == "addmapelement" || n == "findmapelement" || n == "deletemapelement") {
                if (e.Args.size() > 1) {
                    rest = TextArgument(*e.Args[1]);
                    for (size_t i = 2; i < e.Args.size(); ++i)
                        rest += ", " + ArgumentJs(*e.Args[i], nullptr);
                }
            }
            if (n == "copylist") return MakeVal(obj + ".CopyList(" + rest + ")", 'i');
            return MakeVal(obj + "." + MethodName(n) + "(" + rest + ")", kind);
        }
        if (n == "copymap" && e.Args.size() == 2)
            return MakeVal(Object("cMap") + ".CopyMap(" + CollectionJs(*e.Args[0]) + ", " +
                               CollectionJs(*e.Args[1]) + ")",
                           'i');
        if (n == "bool" && e.Args.size() == 1) {
            Val v = Emit(*e.Args[0], HasFloat(*e.Args[0]));
            if (v.Kind == 'c') return MakeVal("(" + v.Js + " ? 1 : 0)", 'i');
            return MakeVal("(" + v.Js + " ? 1 : 0)", 'i');
        }
        if (n == "sizeof" || n == "offsetof") {
            ConstantValue c;
            if (FoldConstant(e, c)) return MakeVal(std::to_string(c.Integer), 'i');
            return MakeVal("8", 'i');
        }
        if (n == "typeof" && e.Args.size() == 1) {
            ValueType t;
            if (!PlaceType(*e.Args[0], t)) t.Name = StaticKind(*e.Args[0]) == 's' ? "s" : "i";
            return MakeVal(std::to_string(TypeCode(t)), 'i');
        }
        if (n == "defined") {
            return MakeVal("0", 'i');
        }
        if ((n == "redim" || n == "copyarray" || n == "freearray") && !e.Args.empty()) {
            // handled as statements; as a value they give the result
        }
        if ((n == "initializestructure" || n == "clearstructure" || n == "resetstructure") &&
            e.Args.size() == 2) {
            return MakeVal(Object("cPB") + ".StructureReset(" + ArgumentJs(*e.Args[0], nullptr) +
                               ", " + StructureJs(e.Args[1]->Text) + ")",
                           'v');
        }
        if (n == "copystructure" && e.Args.size() == 3) {
            return MakeVal(Object("cPB") + ".StructureCopy(" + ArgumentJs(*e.Args[0], nullptr) +
                               ", " + ArgumentJs(*e.Args[1], nullptr) + ", " +
                               StructureJs(e.Args[2]->Text) + ")",
                           'v');
        }
        if (n == "allocatestructure" && e.Args.size() == 1) {
            return MakeVal(
                Object("cMemory") + ".AllocateStructure(" + StructureJs(e.Args[0]->Text) + ")",
                'i');
        }
        if ((n == "sortstructuredarray" || n == "sortstructuredlist") && e.Args.size() >= 4) {
            std::string obj = CollectionJs(*e.Args[0]);
            std::string rest = ArgumentJs(*e.Args[1], nullptr) + ", " +
                               ArgumentJs(*e.Args[2], nullptr) + ", " +
                               ArgumentJs(*e.Args[3], nullptr);
            for (size_t i = 4; i < e.Args.size(); ++i)
                rest += ", " + ArgumentJs(*e.Args[i], nullptr);
            return MakeVal(
                Call("Sort",
                     n == "sortstructuredarray" ? "SortStructuredArray" : "SortStructuredList",
                     obj + ", " + rest),
                'v');
        }
        auto found = Lib.Functions.find(n);
        if (found != Lib.Functions.end()) {
            const LibraryFunction& f = found->second;
            Out.UsedNames.insert(n);
            auto doc = Lib.Documented.find(n);
            if (doc != Lib.Documented.end() &&
                static_cast<int>(e.Args.size()) > doc->second.MaxArgs)
                Error(line, "too many arguments for " + f.Name + "()");
            std::string js = Call(f.Object, f.Name, args(0));
            char kind = 'i';
            if (doc != Lib.Documented.end()) {
                char r = doc->second.Result;
                kind = r == 's' ? 's' : r == 'f' ? 'f' : r == 'd' ? 'd' : r == 'v' ? 'i' : 'i';
                if ((n == "abs" || n == "sign") && !(e.Args.size() == 1 && HasFloat(*e.Args[0])))
                    kind = 'i';
            }
            if (f.Await) {
                if (!InAsync) {
                    Error(line, f.Name + "() waits and cannot be called here");
                } else {
                    js = "(await " + js + ")";
                }
            }
            return MakeVal(js, kind);
        }
        if (n == "usecordova" || n == "usemobile" || n == "usefontawesome" || n == "usebootstrap" ||
            n == "usepdf") {
            // they only make the page load a library
            Out.UsedNames.insert(n);
            return MakeVal("", 'v');
        }
        if (IsPageLibraryFunction(n)) {
            // a function of a browser library the page loads for it, called by its own name
            Out.UsedNames.insert(n);
            return MakeVal(e.Text + "(" + args(0) + ")", 'i');
        }
        auto doc = Lib.Documented.find(n);
        if (doc != Lib.Documented.end()) {
            Warn(line, doc->second.Name + "() is not available in the browser");
            return MakeVal(Object("cPB") + ".Unavailable(" + JsString(doc->second.Name) + ", " +
                               std::to_string(line) + ")",
                           doc->second.Result == 's' ? 's' : 'i');
        }
        Error(line, "procedure not found: " + e.Text + "()");
        return MakeVal("0", 'i');
    }
    // Functions of the optional browser libraries (cookies, storage, PDF, web sockets ...) that
    // the page defines when it loads them.
    static bool IsPageLibraryFunction(const std::string& n) {
        static const std::unordered_set<std::string> names = {
            "orv_blockwindow",     "orv_blockgadget", "orv_savetext",      "orv_savecsv",
            "orv_savecanvas",      "savexml",         "googlechartgadget", "googlemapsgeocoder",
            "googlemapsgeocoder2", "googlemapgadget", "orv_setcookie",     "orv_getcookie",
            "orv_removecookie",    "newpdf",          "tinymcegadget",     "openwebsocket"};
        return names.count(n) != 0 || n.rfind("orv_localstorage", 0) == 0;
    }

    std::string Call(const std::string& object, const std::string& name, const std::string& args) {
        return Object("c" + object) + "." + name + "(" + args + ")";
    }

    // base\field; through an address when the base is a pointer.
    Val EmitField(const Expr& e, const Val* assign, bool collectionItself = false) {
        const Expr& baseExpr = *e.Args[0];
        ValueType baseType;
        bool known = PlaceType(baseExpr, baseType);
        if (!known || !baseType.IsStructure()) {
            if (baseExpr.Kind == ExprKind::Name && !baseExpr.Text.empty() &&
                !FindVariable(baseExpr.Text)) {
                if (!baseExpr.Type.empty()) {
                    UseVariable(baseExpr, true);
                    return EmitField(e, assign, collectionItself);
                }
            }
            Error(e.Line, "structure field on something that is not a structure: \\" + e.Text);
            return MakeVal("0", 'i');
        }
        const Field* f = FindField(baseType, e.Text);
        if (!f) {
            Error(e.Line, "field not found in structure " + baseType.Name + ": " + e.Text);
            return MakeVal("0", 'i');
        }
        Val out;
        out.Type = f->Type;
        out.Kind = KindOfType(f->Type);
        std::string object;
        if (baseType.Pointer) {
            Val base = Emit(baseExpr, false);
            if (f->Kind != DeclKind::Variable || f->ArrayLength > 0 ||
                (f->Type.IsStructure() && !f->Type.Pointer)) {
                object = Object("cMemory") + ".ORV_Object(" + base.Js + ")." + f->Name;
                if (f->Type.IsStructure() && !f->Type.Pointer && f->Kind == DeclKind::Variable &&
                    f->ArrayLength == 0) {
                    // a nested structure reached through an address: by its own address
                    object = Object("cMemory") + ".ORV_Get(" + base.Js + ", " +
                             std::to_string(f->Offset) + ", 7, " + JsString(f->Name) + ")";
                }
            } else {
                std::string call = base.Js + ", " + std::to_string(f->Offset) + ", " +
                                   std::to_string(TypeCode(f->Type)) + ", " + JsString(f->Name);
                if (assign) {
                    out.Js = Object("cMemory") + ".ORV_Set(" + call + ", " +
                             Store(f->Type, *assign) + ")";
                    return out;
                }
                out.Js = Object("cMemory") + ".ORV_Get(" + call + ")";
                return out;
            }
        } else {
            Val base = Emit(baseExpr, false);
            object = base.Js + "." + f->Name;
        }
        if (f->Kind == DeclKind::List || f->Kind == DeclKind::Map || f->Kind == DeclKind::Array) {
            Variable v;
            v.Js = object;
            v.Type = f->Type;
            v.Kind = f->Kind;
            if (collectionItself || (!e.Called)) {
                out.Js = object;
                out.Kind = f->Kind == DeclKind::List ? 'L' : f->Kind == DeclKind::Map ? 'M' : 'A';
                return out;
            }
            Expr call;
            call.Kind = ExprKind::Call;
            call.Text = e.Text;
            call.Line = e.Line;
            for (size_t i = 1; i < e.Args.size(); ++i)
                call.Args.push_back(CloneExpr(*e.Args[i]));
            call.Empty = call.Args.empty();
            if (f->Kind == DeclKind::Array && call.Empty && !assign) {
                out.Js = object;
                out.Kind = 'A';
                return out;
            }
            return EmitElement(v, call, assign, object);
        }
        if (assign) {
            out.Js = object + " = " + Store(f->Type, *assign);
            return out;
        }
        out.Js = object;
        return out;
    }
    static ExprPtr CloneExpr(const Expr& e) {
        auto c = std::make_unique<Expr>();
        c->Kind = e.Kind;
        c->Text = e.Text;
        c->Type = e.Type;
        c->Line = e.Line;
        c->Empty = e.Empty;
        c->Called = e.Called;
        for (const auto& a : e.Args)
            c->Args.push_back(CloneExpr(*a));
        return c;
    }

    Val EmitIndex(const Expr& e, const Val* assign) {
        ValueType t;
        if (!PlaceType(*e.Args[0], t)) {
            // a pointer indexed as an array: "*p\a[i]" is a field; "*buffer[i]" is not PureBasic
            Error(e.Line, "[] on something that is not a static array field");
            return MakeVal("0", 'i');
        }
        const Expr& fieldExpr = *e.Args[0];
        ValueType owner;
        if (fieldExpr.Kind == ExprKind::Field && PlaceType(*fieldExpr.Args[0], owner) &&
            owner.Pointer) {
            // an element of a static array field reached through an address: by its offset
            const Field* f = FindField(owner, fieldExpr.Text);
            if (f) {
                std::string index = Integer(*e.Args[1]);
                std::string pointer = Emit(*fieldExpr.Args[0], false).Js;
                std::string call = pointer + ", " + std::to_string(f->Offset) + " + (" + index +
                                   ") * " + std::to_string(SizeOfType(f->Type)) + ", " +
                                   std::to_string(TypeCode(f->Type)) + ", " +
                                   JsString(f->Name + ".") + " + (" + index + ")";
                Val out = MakeVal(Object("cMemory") + (assign ? ".ORV_Set(" : ".ORV_Get(") + call +
                                      (assign ? ", " + Store(f->Type, *assign) : "") + ")",
                                  KindOfType(f->Type));
                out.Type = f->Type;
                return out;
            }
        }
        Val base = Emit(*e.Args[0], false);
        std::string js = base.Js + "[" + Integer(*e.Args[1]) + "]";
        Val out = MakeVal(js, KindOfType(t));
        out.Type = t;
        if (assign) out.Js = js + " = " + Store(t, *assign);
        return out;
    }

    Val EmitUnary(const Expr& e, bool floatContext) {
        const Expr& a = *e.Args[0];
        if (e.Text == "-") {
            Val v = Emit(a, floatContext);
            if (v.Literal) {
                Val out = v;
                out.Number = -v.Number;
                out.Js = "(-" + v.Js + ")";
                if (v.Js.size() > 2 && v.Js[0] == '(' && v.Js[1] == '-')
                    out.Js = v.Js.substr(2, v.Js.size() - 3);
                return out;
            }
            Val out = MakeVal("(-" + ValueJs(v) + ")", v.Kind == 'c' ? 'i' : v.Kind);
            return out;
        }
        if (e.Text == "~") {
            return MakeVal(Object("cPB") + ".Not(" + ValueJs(Emit(a, false)) + ")", 'i');
        }
        if (e.Text == "Not") {
            Val v = Emit(a, HasFloat(a));
            return MakeVal("!" + Paren(v), 'c');
        }
        if (e.Text == "?") {
            auto binary = BinaryLabels.find(Lower(a.Text));
            if (binary != BinaryLabels.end()) return MakeVal(binary->second, 'i');
            auto it = DataLabels.find(Lower(a.Text));
            if (it == DataLabels.end()) {
                Error(e.Line, "label not found: " + a.Text);
                return MakeVal("0", 'i');
            }
            return MakeVal(
                Object("cMemory") + ".ORV_LabelAddress(" + std::to_string(it->second) + ")", 'i');
        }
        // "@"
        if (a.Kind == ExprKind::Call && FindInModules(Procedures, a.Text) &&
            !FindVariable(a.Text, true)) {
            Val v = MakeVal(FindInModules(Procedures, a.Text)->Js, 'p');
            return v;
        }
        if (a.Kind == ExprKind::Call && a.Empty) {
            if (Variable* v = FindVariable(a.Text, true)) {
                if (v->Kind == DeclKind::Array)
                    return MakeVal(Object("cMemory") + ".ORV_Address(" + v->Js + ")", 'i');
                if (v->Kind == DeclKind::List) return MakeVal(v->Js + ".GetCurrentElement()", 'i');
                return MakeVal(Object("cMemory") + ".ORV_Address(" + v->Js + ".getData())", 'i');
            }
        }
        if (a.Kind == ExprKind::Call && !a.Empty) {
            if (Variable* v = FindVariable(a.Text, true)) {
                if (v->Kind == DeclKind::Array && !v->Type.IsStructure() &&
                    KindOfType(v->Type) != 's') {
                    std::string detail;
                    int size = SizeOfType(v->Type);
                    return MakeVal(Object("cMemory") + ".ORV_Address(" + v->Js + ") + (" +
                                       ElementIndexJs(v->Js, a) + ") * " + std::to_string(size),
                                   'i');
                }
            }
        }
        Val v = Emit(a, false);
        return MakeVal(Object("cMemory") + ".ORV_Address(" + v.Js + ")", 'i');
    }

    static std::string Paren(const Val& v) { return "(" + v.Js + ")"; }

    Val EmitBinary(const Expr& e, bool floatContext) {
        const std::string& op = e.Text;
        if (op == "And" || op == "Or" || op == "XOr") {
            Val a = Emit(*e.Args[0], HasFloat(*e.Args[0]));
            Val b = Emit(*e.Args[1], HasFloat(*e.Args[1]));
            if (op == "XOr") return MakeVal("(!" + Paren(a) + " !== !" + Paren(b) + ")", 'c');
            return MakeVal("(" + CondJs(a) + (op == "And" ? " && " : " || ") + CondJs(b) + ")",
                           'c');
        }
        if (op == "=" || op == "<>" || op == "<" || op == ">" || op == "<=" || op == ">=") {
            bool fc = HasFloat(*e.Args[0]) || HasFloat(*e.Args[1]);
            Val a = Emit(*e.Args[0], fc);
            Val b = Emit(*e.Args[1], fc);
            std::string jsop = op == "=" ? " == " : op == "<>" ? " != " : " " + op + " ";
            if (a.Kind == 's' && b.Kind != 's') b.Js = TextOf(b);
            if (b.Kind == 's' && a.Kind != 's') a.Js = TextOf(a);
            return MakeVal("(" + ValueJs(a) + jsop + ValueJs(b) + ")", 'c');
        }
        Val a = Emit(*e.Args[0], floatContext);
        Val b = Emit(*e.Args[1], floatContext);
        if (op == "+" && (a.Kind == 's' || b.Kind == 's')) {
            std::string left = a.Kind == 's' ? a.Js : TextOf(a);
            std::string right = b.Kind == 's' ? b.Js : TextOf(b);
            return MakeVal("(" + left + " + " + right + ")", 's');
        }
        if (a.Kind == 's' || b.Kind == 's') {
            Error(e.Line, "operator " + op + " cannot be used with strings");
            return MakeVal("0", 'i');
        }
        char kind = Promote(a.Kind, b.Kind);
        std::string x = ValueJs(a), y = ValueJs(b);
        if (op == "+" || op == "-" || op == "*") {
            Val out = MakeVal("(" + x + " " + op + " " + y + ")", kind);
            if (a.Literal && b.Literal) {
                out.Literal = true;
                out.Number = op == "+"   ? a.Number + b.Number
                             : op == "-" ? a.Number - b.Number
                                         : a.Number * b.Number;
            }
            return out;
        }
        if (op == "/") {
            if (floatContext || IsFloatKind(a.Kind) || IsFloatKind(b.Kind))
                return MakeVal("(" + x + " / " + y + ")", kind == 'i' ? 'd' : kind);
            return MakeVal(Object("cPB") + ".Div(" + x + ", " + y + ")", 'i');
        }
        if (IsFloatKind(a.Kind)) x = Object("cPB") + ".Round(" + x + ")";
        if (IsFloatKind(b.Kind)) y = Object("cPB") + ".Round(" + y + ")";
        if (op == "%") return MakeVal(Object("cPB") + ".Mod(" + x + ", " + y + ")", 'i');
        if (op == "&") return MakeVal(Object("cPB") + ".And(" + x + ", " + y + ")", 'i');
        if (op == "|") return MakeVal(Object("cPB") + ".Or(" + x + ", " + y + ")", 'i');
        if (op == "!") return MakeVal(Object("cPB") + ".Xor(" + x + ", " + y + ")", 'i');
        if (op == "<<") return MakeVal(Object("cPB") + ".Shl(" + x + ", " + y + ")", 'i');
        if (op == ">>") return MakeVal(Object("cPB") + ".Shr(" + x + ", " + y + ")", 'i');
        if (op == "To") {
            Error(e.Line, "To outside Case");
            return MakeVal("0", 'i');
        }
        Error(e.Line, "operator not understood: " + op);
        return MakeVal("0", 'i');
    }

    // ---- statements

    std::string Indent(int depth) { return std::string(static_cast<size_t>(depth) * 4, ' '); }

    // The target of an assignment, given the value.
    std::string AssignJs(const Expr& target, const Expr& valueExpr, int depth) {
        ValueType targetType;
        bool typed = false;
        if (target.Kind == ExprKind::Name) {
            Variable* v = UseVariable(target, true);
            if (!v) return "";
            targetType = v->Type;
            typed = true;
            if (v->Type.IsStructure() && !v->Type.Pointer) {
                Val value = Emit(valueExpr, false);
                return Indent(depth) + Object("cPB") + ".AssignStructure(" + v->Js + ", " +
                       value.Js + ");\n";
            }
            bool fc = HasFloat(valueExpr) || targetType.IsFloat();
            Val value = Emit(valueExpr, fc);
            if (value.Kind == 'p' && v->Type.Prototype.empty() && !v->Type.Pointer) {
                return Indent(depth) + v->Js + " = " + Object("cMemory") + ".ORV_Address(" +
                       value.Js + ");\n";
            }
            return Indent(depth) + v->Js + " = " + Store(targetType, value) + ";\n";
        }
        (void)typed;
        ValueType t;
        bool fc = HasFloat(valueExpr);
        if (PlaceType(target, t)) fc = fc || t.IsFloat();
        if (target.Kind == ExprKind::Call) {
            if (Variable* v = FindVariable(target.Text, true)) fc = fc || v->Type.IsFloat();
        }
        Val value = Emit(valueExpr, fc);
        if (target.Kind == ExprKind::Call) {
            Variable* v = FindVariable(target.Text, true);
            if (v && v->Type.IsStructure() && !v->Type.Pointer) {
                // an element takes a copy of the structure
                Val place = EmitCall(target, nullptr);
                return Indent(depth) + Object("cPB") + ".AssignStructure(" + place.Js + ", " +
                       value.Js + ");\n";
            }
            return Indent(depth) + EmitCall(target, &value).Js + ";\n";
        }
        if (target.Kind == ExprKind::Field) {
            ValueType ft;
            if (PlaceType(target, ft) && ft.IsStructure() && !ft.Pointer) {
                Val place = EmitField(target, nullptr);
                return Indent(depth) + Object("cPB") + ".AssignStructure(" + place.Js + ", " +
                       value.Js + ");\n";
            }
            return Indent(depth) + EmitField(target, &value).Js + ";\n";
        }
        if (target.Kind == ExprKind::Index)
            return Indent(depth) + EmitIndex(target, &value).Js + ";\n";
        Error(target.Line, "cannot assign to this expression");
        return "";
    }

    std::string EmitBlock(const Block& block, int depth) {
        std::string out;
        for (const StmtPtr& s : block)
            out += EmitStatement(*s, depth);
        return out;
    }

    std::string LoopLabel() { return "ORV_loop" + std::to_string(++Temporaries); }

    std::string Temporary(const std::string& init) {
        std::string name = "ORV_t" + std::to_string(++Temporaries);
        Current->Declarations.push_back(name + " = " + init);
        return name;
    }

    std::string WrapLoop(const Loop& loop, const std::string& code) {
        return loop.LabelUsed ? loop.Label + ": " + code : code;
    }

    std::string EmitStatement(const Stmt& s, int depth) {
        std::string ind = Indent(depth);
        switch (s.Kind) {
            case StmtKind::Nothing:
                if (s.Word == "enableexplicit") Explicit = true;
                if (s.Word == "disableexplicit") Explicit = false;
                if (s.Word == "enabledebugger")
                    return ind + Object("cDebugger") + ".EnableDebugger();\n";
                if (s.Word == "disabledebugger")
                    return ind + Object("cDebugger") + ".DisableDebugger();\n";
                return "";
            case StmtKind::Raw:
                return s.Name + "\n";
            case StmtKind::Assign:
                return AssignJs(*s.A, *s.B, depth);
            case StmtKind::Expression:
                return EmitExpressionStatement(s, depth);
            case StmtKind::Declare:
                return EmitDeclare(s, depth);
            case StmtKind::If: {
                std::string out;
                for (size_t i = 0; i < s.Branches.size(); ++i) {
                    const Branch& b = s.Branches[i];
                    if (b.Condition) {
                        Val c = Emit(*b.Condition, HasFloat(*b.Condition));
                        out += (i == 0 ? ind + "if (" : " else if (") + CondJs(c) + ") {\n";
                    } else {
                        out += " else {\n";
                    }
                    out += EmitBlock(b.Body, depth + 1) + ind + "}";
                }
                return out + "\n";
            }
            case StmtKind::Select: {
                Val v = Emit(*s.A, HasFloat(*s.A));
                std::string sel = Temporary(v.Kind == 's' ? "\"\"" : "0");
                std::string out = ind + sel + " = " + ValueJs(v) + ";\n";
                bool first = true;
                for (const Case& c : s.Cases) {
                    if (c.IsDefault) {
                        out += first ? ind + "{\n" : " else {\n";
                    } else {
                        std::string cond;
                        for (const ExprPtr& value : c.Values) {
                            if (!cond.empty()) cond += " || ";
                            if (value->Kind == ExprKind::Binary && value->Text == "To") {
                                cond += "(" + sel + " >= " + ValueJs(Emit(*value->Args[0], false)) +
                                        " && " + sel +
                                        " <= " + ValueJs(Emit(*value->Args[1], false)) + ")";
                            } else {
                                cond += sel + " == " + ValueJs(Emit(*value, false));
                            }
                        }
                        out += (first ? ind + "if (" : " else if (") + cond + ") {\n";
                    }
                    first = false;
                    out += EmitBlock(c.Body, depth + 1) + ind + "}";
                }
                return out + (first ? "" : "\n");
            }
            case StmtKind::For: {
                Loops.push_back({LoopLabel()});
                std::string var = LValueJs(*s.A);
                Val from = Emit(*s.B, false);
                Val to = Emit(*s.C, false);
                std::string step = "1";
                bool down = false;
                if (s.D) {
                    ConstantValue c;
                    if (FoldConstant(*s.D, c)) {
                        step = ConstantJs(c);
                        down = c.Number < 0;
                    } else {
                        step = ValueJs(Emit(*s.D, false));
                    }
                }
                std::string body = EmitBlock(s.Body, depth + 1);
                Loop loop = Loops.back();
                Loops.pop_back();
                std::string head = "for (" + var + " = " + ValueJs(from) + "; " + var +
                                   (down ? " >= " : " <= ") + ValueJs(to) + "; " + var +
                                   " += " + step + ") {\n";
                return ind + WrapLoop(loop, head) + body + ind + "}\n";
            }
            case StmtKind::ForEach: {
                Loops.push_back({LoopLabel()});
                std::string obj = CollectionJs(*s.A);
                bool isMap = IsMapExpr(*s.A);
                std::string body = EmitBlock(s.Body, depth + 1);
                Loop loop = Loops.back();
                Loops.pop_back();
                std::string start = obj + (isMap ? ".ForEach_Init();\n" : ".ForEach_Start();\n");
                return ind + start + ind + WrapLoop(loop, "while (" + obj + ".ForEach()) {\n") +
                       body + ind + "}\n";
            }
            case StmtKind::While: {
                Loops.push_back({LoopLabel()});
                Val c = Emit(*s.A, HasFloat(*s.A));
                std::string body = EmitBlock(s.Body, depth + 1);
                Loop loop = Loops.back();
                Loops.pop_back();
                return ind + WrapLoop(loop, "while (" + CondJs(c) + ") {\n") + body + ind + "}\n";
            }
            case StmtKind::Repeat: {
                Loops.push_back({LoopLabel()});
                std::string body = EmitBlock(s.Body, depth + 1);
                Loop loop = Loops.back();
                Loops.pop_back();
                if (!s.A) return ind + WrapLoop(loop, "for (;;) {\n") + body + ind + "}\n";
                Val c = Emit(*s.A, HasFloat(*s.A));
                return ind + WrapLoop(loop, "do {\n") + body + ind + "} while (!(" + CondJs(c) +
                       "));\n";
            }
            case StmtKind::With: {
                WithStack.push_back(s.A.get());
                std::string body = EmitBlock(s.Body, depth);
                WithStack.pop_back();
                return body;
            }
            case StmtKind::Break: {
                int levels = 1;
                if (s.A) {
                    ConstantValue c;
                    if (FoldConstant(*s.A, c)) levels = static_cast<int>(c.Integer);
                }
                if (Loops.empty()) {
                    Error(s.Line, "Break outside a loop");
                    return "";
                }
                if (levels <= 1) return ind + "break;\n";
                if (levels > static_cast<int>(Loops.size()))
                    levels = static_cast<int>(Loops.size());
                Loop& target = Loops[Loops.size() - static_cast<size_t>(levels)];
                target.LabelUsed = true;
                return ind + "break " + target.Label + ";\n";
            }
            case StmtKind::Continue:
                if (Loops.empty()) {
                    Error(s.Line, "Continue outside a loop");
                    return "";
                }
                return ind + "continue;\n";
            case StmtKind::ProcedureReturn: {
                if (!Current->IsProcedure) {
                    Error(s.Line, "ProcedureReturn outside a procedure");
                    return "";
                }
                if (!s.A) return ind + "return " + DefaultReturn() + ";\n";
                const ValueType& rt = Current->Proc->Return;
                Val v = Emit(*s.A, HasFloat(*s.A) || rt.IsFloat());
                return ind + "return " + Store(rt, v) + ";\n";
            }
            case StmtKind::End:
                return ind + Object("cCommon") + ".End(" + (s.A ? ValueJs(Emit(*s.A, false)) : "") +
                       ");\n";
            case StmtKind::Debug: {
                Val v = Emit(*s.A, HasFloat(*s.A));
                std::string text = ValueJs(v);
                if (v.Kind == 'f')
                    text = Object("cPB") + ".DebugF(" + v.Js + ")";
                else if (v.Kind == 'd' || v.Kind == 'F')
                    text = Object("cPB") + ".DebugD(" + v.Js + ")";
                return ind + Object("cDebugger") + ".Debug(" + text + ");\n";
            }
            case StmtKind::Swap: {
                std::string a = LValueJs(*s.A);
                std::string b = LValueJs(*s.B);
                std::string t = Temporary("0");
                if (IsElementOf(*s.A, 'L') || IsElementOf(*s.A, 'M') || IsElementOf(*s.B, 'L') ||
                    IsElementOf(*s.B, 'M')) {
                    // elements: read both, then write both
                    Val va = Emit(*s.A, false);
                    Val vb = Emit(*s.B, false);
                    std::string out = ind + t + " = " + va.Js + ";\n";
                    Val tv = MakeVal(t, va.Kind);
                    tv.Type = va.Type;
                    out += AssignFromVal(*s.A, vb, depth);
                    out += AssignFromVal(*s.B, tv, depth);
                    return out;
                }
                return ind + t + " = " + a + "; " + a + " = " + b + "; " + b + " = " + t + ";\n";
            }
            case StmtKind::Read: {
                ValueType t;
                if (!PlaceType(*s.A, t)) {
                    if (s.A->Kind == ExprKind::Name) {
                        Variable* v = UseVariable(*s.A, true);
                        if (v) t = v->Type;
                    }
                }
                std::string letter = s.Type.empty()
                                         ? (t.Name.empty() || t.IsStructure() ? "i" : t.Name)
                                         : BasicLetter(s.Type);
                if (letter.empty()) letter = "i";
                Val v =
                    MakeVal(Object("cCommon") + ".Read(\"" + letter + "\")", letter == "s"   ? 's'
                                                                             : letter == "f" ? 'f'
                                                                             : letter == "d" ? 'd'
                                                                                             : 'i');
                return AssignFromVal(*s.A, v, depth);
            }
            case StmtKind::Restore: {
                auto it = DataLabels.find(Lower(s.Name));
                if (it == DataLabels.end()) {
                    Error(s.Line, "label not found: " + s.Name);
                    return "";
                }
                return ind + Object("cCommon") + ".Restore(" + std::to_string(it->second) + ");\n";
            }
            case StmtKind::Goto: {
                auto it = JumpTargets.find(Lower(s.Name));
                if (it == JumpTargets.end()) {
                    Error(s.Line, "label not found: " + s.Name);
                    return "";
                }
                return ind + "ORV_goto = " + std::to_string(it->second) + "; continue ORV_jump;\n";
            }
            case StmtKind::Gosub: {
                if (!GosubLabels.count(Lower(s.Name))) {
                    Error(s.Line, "label not found: " + s.Name);
                    return "";
                }
                return ind + (InAsync ? "await " : "") + "ORV_Gosub_" + Lower(s.Name) + "();\n";
            }
            case StmtKind::Return:
                return ind + "return;\n";
            case StmtKind::Label: {
                auto it = JumpTargets.find(Lower(s.Name));
                if (it != JumpTargets.end()) return "";  // a case of the jump loop
                return "";
            }
            case StmtKind::Procedure: {
                // written where it stands, so that it sees the globals declared above it, as
                // PureBasic's one pass does
                ProcedureInfo* p = FindInModules(Procedures, s.Proc->Name);
                if (!Current->IsProcedure && p && p->Body == s.Proc.get()) {
                    bool savedExplicit = Explicit;
                    ProceduresOut += EmitProcedure(*p);
                    Explicit = savedExplicit;
                }
                return "";
            }
            case StmtKind::DeclareProc:
            case StmtKind::Prototype:
            case StmtKind::Structure:
            case StmtKind::Enumeration:
            case StmtKind::ConstantDef:
            case StmtKind::Data:
            case StmtKind::DataSection:
                return "";
            case StmtKind::Module: {
                std::string saved = Module;
                Module = Lower(s.Name);
                std::string out = EmitBlock(s.Body, depth);
                Module = saved;
                return out;
            }
            case StmtKind::UseModule:
                if (!DeclaredModules.count(Lower(s.Name))) {
                    Error(s.Line, "module not found: " + s.Name);
                    return "";
                }
                if (s.Word == "use")
                    UsedModules.insert(Lower(s.Name));
                else
                    UsedModules.erase(Lower(s.Name));
                return "";
        }
        return "";
    }

    bool IsMapExpr(const Expr& e) {
        if (e.Kind == ExprKind::Call) {
            Variable* v = FindVariable(e.Text, true);
            return v && v->Kind == DeclKind::Map;
        }
        if (e.Kind == ExprKind::Field) {
            ValueType base;
            if (!PlaceType(*e.Args[0], base)) return false;
            const Field* f = FindField(base, e.Text);
            return f && f->Kind == DeclKind::Map;
        }
        return false;
    }
    bool IsElementOf(const Expr& e, char kind) {
        if (e.Kind != ExprKind::Call) return false;
        Variable* v = FindVariable(e.Text, true);
        if (!v) return false;
        return (kind == 'L' && v->Kind == DeclKind::List) ||
               (kind == 'M' && v->Kind == DeclKind::Map);
    }

    std::string AssignFromVal(const Expr& target, const Val& value, int depth) {
        std::string ind = Indent(depth);
        if (target.Kind == ExprKind::Name) {
            Variable* v = UseVariable(target, true);
            if (!v) return "";
            return ind + v->Js + " = " + Store(v->Type, value) + ";\n";
        }
        if (target.Kind == ExprKind::Call) return ind + EmitCall(target, &value).Js + ";\n";
        if (target.Kind == ExprKind::Field) return ind + EmitField(target, &value).Js + ";\n";
        if (target.Kind == ExprKind::Index) return ind + EmitIndex(target, &value).Js + ";\n";
        Error(target.Line, "cannot assign to this expression");
        return "";
    }

    // A place written as JavaScript that can stand left of "=" (variables, array elements,
    // fields of structure objects).
    std::string LValueJs(const Expr& e) {
        if (e.Kind == ExprKind::Name) {
            Variable* v = UseVariable(e, true);
            return v ? v->Js : "ORV_none";
        }
        Val v = Emit(e, false);
        return v.Js;
    }

    std::string DefaultReturn() {
        if (!Current->Proc) return "0";
        return Current->Proc->Return.IsString() ? "\"\"" : "0";
    }

    std::string EmitExpressionStatement(const Stmt& s, int depth) {
        const Expr& e = *s.A;
        std::string ind = Indent(depth);
        if (e.Kind == ExprKind::Binary && e.Text != "And" && e.Text != "Or" && e.Text != "XOr") {
            // "a + 1": the target is the leftmost operand
            const Expr* leftmost = &e;
            while (leftmost->Kind == ExprKind::Binary)
                leftmost = leftmost->Args[0].get();
            return AssignJs(*leftmost, e, depth);
        }
        if (e.Kind == ExprKind::Name) {
            // "a.i" alone declares a
            UseVariable(e, true);
            return "";
        }
        if (e.Kind == ExprKind::Call) {
            std::string n = Lower(e.Text);
            if (!FindVariable(e.Text, true) && !FindInModules(Procedures, e.Text)) {
                if ((n == "copyarray") && e.Args.size() == 2) {
                    std::string b = CollectionJs(*e.Args[1]);
                    return ind + b + " = " + Object("cArray") + ".CopyArray(" +
                           CollectionJs(*e.Args[0]) + ", " + b + ");\n";
                }
                if (n == "freearray" && e.Args.size() == 1) {
                    std::string a = CollectionJs(*e.Args[0]);
                    return ind + a + " = " + Object("cArray") + ".FreeArray(" + a + ");\n";
                }
                if (n == "copymemorystring" && e.Args.size() == 2 &&
                    e.Args[1]->Kind == ExprKind::Name) {
                    std::string p = LValueJs(*e.Args[1]);
                    return ind + p + " = " + Object("cMemory") + ".CopyMemoryString(" +
                           ArgumentJs(*e.Args[0], nullptr) + ", " + p + ");\n";
                }
            }
        }
        if (e.Kind == ExprKind::Field || e.Kind == ExprKind::Call || e.Kind == ExprKind::Index ||
            e.Kind == ExprKind::Unary) {
            Val v = Emit(e, false);
            if (v.Js.empty() || v.Js == "0") return "";
            return ind + v.Js + ";\n";
        }
        Error(s.Line, "this expression is not a statement");
        return "";
    }

    std::string EmitDeclare(const Stmt& s, int depth) {
        std::string ind = Indent(depth);
        const std::string& w = s.Word;
        if (s.Decls.empty()) {
            if (w == "define" && !s.Type.empty()) DefaultType = BasicLetter(s.Type);
            return "";
        }
        std::string out;
        for (const Decl& d : s.Decls) {
            std::string written = d.Type.empty() ? s.Type : d.Type;
            ValueType t = TypeFromName(written, d.Name, d.Line);
            t.FixedLength = d.FixedLength;
            bool collection = d.Kind != DeclKind::Variable;
            if (w == "shared") {
                if (!Current->IsProcedure) continue;
                std::string key = Lower(d.Name) + (collection ? "()" : "");
                std::string mainKey = ModulePrefix() + key;
                if (!Main.Vars.count(mainKey)) {
                    Scope* saved = Current;
                    Current = &Main;
                    DeclareVariable(d.Name, t,
                                    collection
                                        ? (d.Kind == DeclKind::Variable ? DeclKind::Array : d.Kind)
                                        : DeclKind::Variable,
                                    false, false, d.Line, collection);
                    Current = saved;
                }
                Current->Shared[key] = mainKey;
                GlobalJs.insert(Main.Vars[mainKey].Js);
                continue;
            }
            if (w == "redim") {
                Variable* v = FindVariable(d.Name, true);
                if (!v) {
                    Error(d.Line, "array not found: " + d.Name + "()");
                    continue;
                }
                out += ind + v->Js + " = " + Object("cArray") + ".ReDim(" + v->Js + ", [" +
                       SizesJs(d) + "]);\n";
                continue;
            }
            bool global = w == "global" || w == "threaded";
            bool isStatic = w == "static" && Current->IsProcedure;
            Variable* existing = nullptr;
            if (collection) {
                existing = FindVariable(d.Name, true);
                if (existing && (existing->Kind != d.Kind)) existing = nullptr;
                if (existing && Current->IsProcedure && !global &&
                    !Current->Vars.count(Lower(d.Name) + "()") &&
                    !Current->Shared.count(Lower(d.Name) + "()"))
                    existing = nullptr;
            } else {
                existing = nullptr;
                std::string key = Lower(d.Name);
                Scope& scope = (global || !Current->IsProcedure) ? Main : *Current;
                auto it =
                    scope.Vars.find((Current->IsProcedure && !global) ? key : ModulePrefix() + key);
                if (it != scope.Vars.end()) existing = &it->second;
                if (existing && global) {
                    GlobalKeys.insert(ModulePrefix() + key);
                    GlobalJs.insert(existing->Js);
                }
            }
            Variable& v =
                existing ? *existing
                         : DeclareVariable(d.Name, t, d.Kind, global, isStatic, d.Line, collection);
            if (d.Kind == DeclKind::Array) {
                if (d.Sizes.empty()) continue;  // "Global a()" of an array dimensioned later
                std::string detail;
                std::string kind = ArrayKind(v.Type, detail);
                v.Dimensions = static_cast<int>(d.Sizes.size());
                out += ind + v.Js + " = " + Object("cArray") + ".Dim(" + kind + ", [" + SizesJs(d) +
                       "]" + (detail.empty() ? "" : ", " + detail) + ");\n";
                continue;
            }
            if (d.Kind == DeclKind::List || d.Kind == DeclKind::Map) {
                if (existing || depth > 0 || Current->IsProcedure)
                    out += ind + v.Js + " = new " +
                           Object(d.Kind == DeclKind::List ? "cLinkedList" : "cMap") + "(" +
                           ElementInit(v.Type) + ");\n";
                continue;
            }
            if (isStatic) {
                if (d.Value) {
                    ConstantValue c;
                    Val value = Emit(*d.Value, HasFloat(*d.Value) || v.Type.IsFloat());
                    std::string init = v.Js + " = " + Store(v.Type, value);
                    for (std::string& sd : StaticDeclarations)
                        if (sd.rfind(v.Js + " = ", 0) == 0) sd = init;
                }
                continue;
            }
            if (d.Value) {
                bool fc = HasFloat(*d.Value) || v.Type.IsFloat();
                Val value = Emit(*d.Value, fc);
                if (v.Type.IsStructure() && !v.Type.Pointer)
                    out +=
                        ind + Object("cPB") + ".AssignStructure(" + v.Js + ", " + value.Js + ");\n";
                else if (value.Kind == 'p' && v.Type.Prototype.empty() && !v.Type.Pointer)
                    out += ind + v.Js + " = " + Object("cMemory") + ".ORV_Address(" + value.Js +
                           ");\n";
                else
                    out += ind + v.Js + " = " + Store(v.Type, value) + ";\n";
            } else if (Current->IsProcedure && !global && w != "shared") {
                out += ind + v.Js + " = " + InitialValue(v.Type) + ";\n";
            }
        }
        return out;
    }

    std::string SizesJs(const Decl& d) {
        std::string sizes;
        for (size_t i = 0; i < d.Sizes.size(); ++i) {
            if (i) sizes += ", ";
            sizes += Integer(*d.Sizes[i]);
        }
        return sizes;
    }

    // ---- the first walk: structures, constants, procedures, data, labels

    void Collect(const Block& block) {
        for (const StmtPtr& sp : block) {
            const Stmt& s = *sp;
            switch (s.Kind) {
                case StmtKind::Structure:
                    DefineStructure(s);
                    break;
                case StmtKind::ConstantDef:
                    DefineConstant(s.Name, *s.A, s.Line);
                    break;
                case StmtKind::Enumeration:
                    DefineEnumeration(s);
                    break;
                case StmtKind::Procedure:
                case StmtKind::DeclareProc:
                    DefineProcedure(s);
                    break;
                case StmtKind::Prototype: {
                    ProcedureInfo p;
                    p.Name = s.Proc->Name;
                    p.Return = TypeFromName(s.Proc->ReturnType, s.Proc->Name, s.Line);
                    p.Params = &s.Proc->Params;
                    Prototypes[ModulePrefix() + Lower(p.Name)] = p;
                    break;
                }
                case StmtKind::DataSection:
                    CollectData(s.Body);
                    break;
                case StmtKind::Module: {
                    std::string saved = Module;
                    Module = Lower(s.Name);
                    DeclaredModules.insert(Module);
                    Collect(s.Body);
                    Module = saved;
                    break;
                }
                case StmtKind::UseModule:
                    if (s.Word == "use")
                        UsedModules.insert(Lower(s.Name));
                    else
                        UsedModules.erase(Lower(s.Name));
                    break;
                default:
                    // data sections, structures and constants may stand inside blocks
                    for (const Branch& b : s.Branches)
                        Collect(b.Body);
                    for (const Case& c : s.Cases)
                        Collect(c.Body);
                    Collect(s.Body);
                    break;
            }
        }
    }

    void DefineConstant(const std::string& name, const Expr& value, int line) {
        ConstantValue c;
        if (!FoldConstant(value, c)) {
            // a value known only when the program runs (a library constant in an expression)
            Val v = Emit(value, HasFloat(value));
            c.Js = ValueJs(v);
            c.IsString = v.Kind == 's';
        }
        (void)line;
        Constants[ModulePrefix() + Lower(name)] = c;
    }

    void DefineEnumeration(const Stmt& s) {
        long long value = 0;
        long long step = 1;
        bool binary = s.Word == "enumerationbinary";
        if (binary) value = 1;
        std::string named = Lower(s.Name);
        if (!named.empty() && NamedEnumerations.count(named)) value = NamedEnumerations[named];
        if (s.A) {
            ConstantValue c;
            if (FoldConstant(*s.A, c)) value = c.Integer;
        }
        if (s.B) {
            ConstantValue c;
            if (FoldConstant(*s.B, c)) step = c.Integer;
        }
        for (const Decl& d : s.Decls) {
            if (d.Value) {
                ConstantValue c;
                if (FoldConstant(*d.Value, c)) value = c.Integer;
            }
            ConstantValue c;
            c.Integer = value;
            c.Number = static_cast<double>(value);
            Constants[ModulePrefix() + Lower(d.Name)] = c;
            if (binary)
                value = value == 0 ? 1 : value * 2;
            else
                value += step;
        }
        ConstantValue next;
        next.Integer = value;
        next.Number = static_cast<double>(value);
        Constants["#pb_compiler_enumerationvalue"] = next;
        if (!named.empty()) NamedEnumerations[named] = value;
    }

    void DefineProcedure(const Stmt& s) {
        const Procedure& p = *s.Proc;
        std::string key = ModulePrefix() + Lower(p.Name);
        ProcedureInfo& info = Procedures[key];
        if (info.Name.empty()) {
            info.Name = p.Name;
            std::string js;
            for (char c : p.Name)
                js += c == '$' ? '$' : c;
            if (!Module.empty()) js = Module + "_" + js;
            if (ReservedNames().count(js) || IsRuntimeObject(js)) js += "_";
            info.Js = js;
            info.Module = Module;
        }
        info.Return = TypeFromName(p.ReturnType, "", s.Line);
        if (p.ReturnType.empty()) info.Return.Name = p.Name.back() == '$' ? "s" : "i";
        if (s.Kind == StmtKind::Procedure) {
            if (info.Defined) Error(s.Line, "procedure already declared: " + p.Name + "()");
            info.Defined = true;
            info.Body = &p;
            // defaults written on the Declare stay when the definition has none
            if (!info.Params || !HasDefaults(*info.Params) || HasDefaults(p.Params))
                info.Params = const_cast<std::vector<Decl>*>(&p.Params);
        } else {
            info.Declared = true;
            info.DeclareLine = s.Line;
            if (!info.Params) info.Params = const_cast<std::vector<Decl>*>(&p.Params);
        }
    }
    static bool HasDefaults(const std::vector<Decl>& params) {
        for (const Decl& d : params)
            if (d.Value) return true;
        return false;
    }

    void CollectData(const Block& body) {
        std::string lastLabel;
        for (const StmtPtr& sp : body) {
            const Stmt& s = *sp;
            if (s.Kind == StmtKind::Label) {
                DataLabels[Lower(s.Name)] = static_cast<int>(DataValues.size());
                lastLabel = Lower(s.Name);
            } else if (s.Kind == StmtKind::Data && s.Type == "binary") {
                // a file's bytes: "?label" in front of it gives its content (CatchImage and the
                // other Catch functions take it)
                if (!s.Args.empty() && s.Args[0]->Kind == ExprKind::String) {
                    Out.IncludedBinaries.push_back(s.Args[0]->Text);
                    std::string content = ReadBinary ? ReadBinary(s.Args[0]->Text) : "";
                    if (content.empty())
                        Warn(s.Line, "IncludeBinary file not read: " + s.Args[0]->Text);
                    if (!lastLabel.empty()) BinaryLabels[lastLabel] = JsString(content);
                }
                lastLabel.clear();
            } else if (s.Kind == StmtKind::Data) {
                lastLabel.clear();
                std::string letter = s.Type.empty() ? "i" : BasicLetter(s.Type);
                if (letter.empty()) letter = "i";
                for (const ExprPtr& v : s.Args) {
                    if (v->Kind == ExprKind::Unary && v->Text == "?") {
                        PendingLabels.push_back({DataValues.size(), v->Args[0]->Text, s.Line});
                        DataValues.push_back("0");
                        DataTypes += "?";
                        continue;
                    }
                    ConstantValue c;
                    if (FoldConstant(*v, c)) {
                        if (letter == "s" && !c.IsString)
                            DataValues.push_back(JsString(ConstantJs(c)));
                        else
                            DataValues.push_back(ConstantJs(c));
                    } else {
                        DataValues.push_back(ValueJs(Emit(*v, HasFloat(*v))));
                    }
                    DataTypes += letter;
                }
            }
        }
    }
    struct PendingLabel {
        size_t Index;
        std::string Name;
        int Line;
    };
    std::vector<PendingLabel> PendingLabels;
    std::unordered_map<std::string, std::string> BinaryLabels;  // label -> the file as a data URL
    BinaryReader ReadBinary;

    // ---- async: procedures that reach a blocking call

    void CallsIn(const Expr& e, std::vector<std::string>& calls, bool& blocks) {
        if (e.Kind == ExprKind::Call) {
            std::string n = Lower(e.Text);
            auto f = Lib.Functions.find(n);
            if (f != Lib.Functions.end() && f->second.Await) blocks = true;
            calls.push_back(e.Text);
        }
        for (const ExprPtr& a : e.Args)
            CallsIn(*a, calls, blocks);
    }
    void CallsIn(const Block& block, std::vector<std::string>& calls, bool& blocks) {
        for (const StmtPtr& sp : block) {
            const Stmt& s = *sp;
            for (const ExprPtr* e : {&s.A, &s.B, &s.C, &s.D})
                if (*e) CallsIn(**e, calls, blocks);
            for (const ExprPtr& a : s.Args)
                CallsIn(*a, calls, blocks);
            for (const Decl& d : s.Decls) {
                if (d.Value) CallsIn(*d.Value, calls, blocks);
                for (const ExprPtr& z : d.Sizes)
                    CallsIn(*z, calls, blocks);
            }
            for (const Branch& b : s.Branches) {
                if (b.Condition) CallsIn(*b.Condition, calls, blocks);
                CallsIn(b.Body, calls, blocks);
            }
            for (const Case& c : s.Cases) {
                for (const ExprPtr& v : c.Values)
                    CallsIn(*v, calls, blocks);
                CallsIn(c.Body, calls, blocks);
            }
            if (s.Kind != StmtKind::Procedure && s.Kind != StmtKind::Module)
                CallsIn(s.Body, calls, blocks);
            if (s.Kind == StmtKind::Module) CallsIn(s.Body, calls, blocks);
        }
    }

    void DecideAsync() {
        std::unordered_map<ProcedureInfo*, std::vector<ProcedureInfo*>> callers;
        std::vector<ProcedureInfo*> work;
        for (auto& [key, p] : Procedures) {
            if (!p.Body) continue;
            std::vector<std::string> calls;
            bool blocks = false;
            std::string saved = Module;
            Module = p.Module;
            CallsIn(p.Body->Body, calls, blocks);
            for (const std::string& c : calls)
                if (ProcedureInfo* callee = FindInModules(Procedures, c))
                    callers[callee].push_back(&p);
            Module = saved;
            if (blocks) {
                p.Async = true;
                work.push_back(&p);
            }
        }
        while (!work.empty()) {
            ProcedureInfo* p = work.back();
            work.pop_back();
            for (ProcedureInfo* caller : callers[p]) {
                if (!caller->Async) {
                    caller->Async = true;
                    work.push_back(caller);
                }
            }
        }
    }

    bool MainBlocks(const Block& block) {
        std::vector<std::string> calls;
        bool blocks = false;
        CallsIn(block, calls, blocks);
        if (blocks) return true;
        for (const std::string& c : calls) {
            ProcedureInfo* p = FindInModules(Procedures, c);
            if (p && p->Async) return true;
        }
        return false;
    }

    // ---- bodies with Goto and Gosub

    void FindJumps(const Block& block, std::unordered_set<std::string>& gotos,
                   std::unordered_set<std::string>& gosubs) {
        for (const StmtPtr& sp : block) {
            const Stmt& s = *sp;
            if (s.Kind == StmtKind::Goto) gotos.insert(Lower(s.Name));
            if (s.Kind == StmtKind::Gosub) gosubs.insert(Lower(s.Name));
            if (s.Kind == StmtKind::Procedure) continue;
            for (const Branch& b : s.Branches)
                FindJumps(b.Body, gotos, gosubs);
            for (const Case& c : s.Cases)
                FindJumps(c.Body, gotos, gosubs);
            FindJumps(s.Body, gotos, gosubs);
        }
    }

    // The statements of a body; a body with Goto targets becomes a loop over a switch whose
    // cases start at the labels.
    std::string EmitBody(const Block& block, int depth) {
        std::unordered_set<std::string> gotos, gosubs;
        FindJumps(block, gotos, gosubs);
        // labels that start Gosub subroutines: the statements to their Return
        std::vector<const Stmt*> statements;
        std::string subroutines;
        for (size_t i = 0; i < block.size(); ++i) {
            const Stmt& s = *block[i];
            if (s.Kind == StmtKind::Label && gosubs.count(Lower(s.Name)) &&
                !gotos.count(Lower(s.Name))) {
                GosubLabels.insert(Lower(s.Name));
            }
        }
        std::map<std::string, int> targets;
        for (size_t i = 0; i < block.size(); ++i) {
            const Stmt& s = *block[i];
            if (s.Kind == StmtKind::Label && gotos.count(Lower(s.Name)))
                targets[Lower(s.Name)] = static_cast<int>(targets.size()) + 1;
        }
        // a body jumps only to its own labels; the outer body's wait aside (swapped, not copied:
        // the main program may have thousands)
        std::map<std::string, int> savedTargets;
        savedTargets.swap(JumpTargets);
        JumpTargets = targets;
        std::string out;
        std::string ind = Indent(depth);
        bool jumping = !targets.empty();
        int d = jumping ? depth + 2 : depth;
        if (jumping) {
            Current->Declarations.push_back("ORV_goto = 0");
            out += ind + "ORV_jump: for (;;) {\n" + Indent(depth + 1) + "switch (ORV_goto) {\n" +
                   Indent(depth + 1) + "case 0:\n";
        }
        for (size_t i = 0; i < block.size(); ++i) {
            const Stmt& s = *block[i];
            if (s.Kind == StmtKind::Label && GosubLabels.count(Lower(s.Name)) &&
                !targets.count(Lower(s.Name))) {
                // the subroutine runs to its Return
                std::string body;
                size_t j = i + 1;
                for (; j < block.size() && block[j]->Kind != StmtKind::Return; ++j)
                    body += EmitStatement(*block[j], 1);
                subroutines += std::string(InAsync ? "async " : "") + "function ORV_Gosub_" +
                               Lower(s.Name) + "() {\n" + body + "}\n";
                i = j;
                continue;
            }
            if (s.Kind == StmtKind::Label && targets.count(Lower(s.Name))) {
                out += Indent(depth + 1) + "case " + std::to_string(targets[Lower(s.Name)]) + ":\n";
                continue;
            }
            out += EmitStatement(s, d);
        }
        if (jumping)
            out += Indent(depth + 1) + "}\n" + Indent(depth + 1) + "break;\n" + ind + "}\n";
        JumpTargets.swap(savedTargets);
        return subroutines + out;
    }

    // ---- procedures

    std::string EmitProcedure(ProcedureInfo& p) {
        const Procedure& proc = *p.Body;
        Scope scope;
        scope.IsProcedure = true;
        scope.Proc = &p;
        scope.Module = p.Module;
        std::string savedModule = Module;
        Module = p.Module;
        Scope* saved = Current;
        Current = &scope;
        bool savedAsync = InAsync;
        InAsync = p.Async;
        bool savedExplicit = Explicit;
        std::string params;
        std::string prologue;
        for (const Decl& d : proc.Params) {
            ValueType t = TypeFromName(d.Type, d.Name, d.Line);
            bool collection = d.Kind != DeclKind::Variable;
            std::string key = Lower(d.Name) + (collection ? "()" : "");
            Variable v;
            v.Name = d.Name;
            v.Type = t;
            v.Kind = d.Kind;
            v.Js = JsNameFor(d.Name, scope.UsedJs);
            scope.Vars[key] = v;
            if (!params.empty()) params += ", ";
            params += v.Js;
            if (!collection && !t.Pointer && t.IsStructure())
                Error(d.Line, "a structure parameter must be a pointer: *" + d.Name);
        }
        std::string body = EmitBody(proc.Body, 1);
        std::string out =
            std::string(p.Async ? "async " : "") + "function " + p.Js + "(" + params + ") {\n";
        if (!scope.Declarations.empty()) {
            out += "    var ";
            for (size_t i = 0; i < scope.Declarations.size(); ++i)
                out += (i ? ", " : "") + scope.Declarations[i];
            out += ";\n";
        }
        out += prologue + body;
        out += "    return " + std::string(p.Return.IsString() ? "\"\"" : "0") + ";\n}\n";
        Current = saved;
        InAsync = savedAsync;
        Module = savedModule;
        Explicit = savedExplicit;
        return out;
    }
};

// True when a top-level block has Goto or Gosub targets (it then goes through EmitBody).
bool HasJumps(const Block& block) {
    for (const StmtPtr& s : block)
        if (s->Kind == StmtKind::Label) return true;
    return false;
}

}  // namespace

// PureBasic's own structures of one field, for pointers that walk memory (*c.Character).
void DefineBuiltInStructures(Emitter& em) {
    static const char* const kinds[][2] = {{"Byte", "b"},    {"Ascii", "a"},     {"Word", "w"},
                                           {"Unicode", "u"}, {"Character", "c"}, {"Long", "l"},
                                           {"Integer", "i"}, {"Quad", "q"},      {"Float", "f"},
                                           {"Double", "d"},  {"String", "s"}};
    for (const auto& kind : kinds) {
        Structure s;
        s.Name = kind[0];
        s.Js = std::string("ORV_Struct_") + kind[0];
        Field f;
        f.Name = kind[1];
        f.Type.Name = kind[1];
        f.Size = SizeOfBasic(kind[1]);
        s.Fields.push_back(f);
        s.Size = f.Size;
        em.Structures[LowerText(kind[0])] = s;
        em.BuiltInStructures.insert(LowerText(kind[0]));
    }
}

void EmitProgram(const Program& program, const LibraryIndex& library, EmitResult& result,
                 const BinaryReader& readBinary) {
    Emitter em(library, result);
    em.ReadBinary = readBinary;
    DefineBuiltInStructures(em);
    em.Collect(program.Statements);
    em.UsedModules.clear();
    for (const auto& pending : em.PendingLabels) {
        auto it = em.DataLabels.find(LowerText(pending.Name));
        if (it == em.DataLabels.end()) {
            em.Error(pending.Line, "label not found: " + pending.Name);
            continue;
        }
        em.DataValues[pending.Index] = std::to_string(it->second);
    }
    for (auto& [key, p] : em.Procedures) {
        if (p.Declared && !p.Defined)
            em.Error(p.DeclareLine, "procedure declared but not defined: " + p.Name + "()");
    }
    em.DecideAsync();
    bool mainAsync = em.MainBlocks(program.Statements);
    em.InAsync = mainAsync;

    // labels at the top: Goto and Gosub work on the main program's statements
    std::string main = HasJumps(program.Statements)
                           ? em.EmitBody(program.Statements, mainAsync ? 1 : 0)
                           : em.EmitBlock(program.Statements, mainAsync ? 1 : 0);
    std::string procedures = em.ProceduresOut;

    std::string out;
    // The runtime objects as locals: a lookup on the global object per call costs more than the
    // call in tight loops.
    std::vector<std::string> objects(result.UsedObjects.begin(), result.UsedObjects.end());
    std::sort(objects.begin(), objects.end());
    std::string factories = em.StructureFactories();
    std::string data;
    if (!em.DataValues.empty()) {
        data = em.Object("cCommon") + ".ORV_DataArray = [";
        for (size_t i = 0; i < em.DataValues.size(); ++i)
            data += (i ? ", " : "") + em.DataValues[i];
        data += "];\n" + em.Object("cCommon") + ".ORV_DataTypes = " + JsString(em.DataTypes) +
                ";\n" + em.Object("cCommon") + ".Restore(0);\n";
    }
    objects.assign(result.UsedObjects.begin(), result.UsedObjects.end());
    std::sort(objects.begin(), objects.end());
    if (!objects.empty()) {
        out += "var ";
        for (size_t i = 0; i < objects.size(); ++i)
            out += (i ? ", " : "") + objects[i] + " = window." + objects[i];
        out += ";\n";
    }
    out += factories + data;
    std::vector<std::string> declarations = em.Main.Declarations;
    for (const std::string& s : em.StaticDeclarations)
        declarations.push_back(s);
    if (!declarations.empty()) {
        out += "var ";
        for (size_t i = 0; i < declarations.size(); ++i)
            out += (i ? ", " : "") + declarations[i];
        out += ";\n";
    }
    out += procedures;
    if (mainAsync) {
        out += em.Object("cPB") + ".Async(async function () {\n" + main + "});\n";
        if (out.find("var cPB") == std::string::npos) out = "var cPB = window.cPB;\n" + out;
    } else {
        out += main;
    }
    result.Script = out;
}

}  // namespace orvane::program
