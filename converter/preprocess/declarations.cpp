// The light declaration scan behind Defined() and SizeOf(): constants (enumerations included),
// procedures, prototypes, structures with their sizes, interfaces, modules, labels, variables,
// arrays, lists and maps, as the program declares them line by line. The same scan refuses
// native code: inline assembly, Import blocks, shared libraries and operating system calls.
#include <algorithm>
#include <cmath>

#include "converter/preprocess/preprocess_internal.h"

namespace orvane::preprocess {

namespace {

// More than this many native-code lines are summed up in one line instead of listed.
constexpr int MaxNativeErrorsListed = 20;

// The non-blank pieces of a statement.
struct Words {
    std::string_view Text;
    const std::vector<Piece>& All;
    std::vector<size_t>& At;  // indices into All

    size_t Size() const { return At.size(); }
    const Piece& operator[](size_t k) const { return All[At[k]]; }
    std::string_view Str(size_t k) const {
        return k < At.size() ? PieceText(Text, All[At[k]]) : "";
    }
    bool IsWord(size_t k) const { return k < At.size() && All[At[k]].Kind == PieceKind::Word; }
    bool IsWord(size_t k, std::string_view lower) const {
        return IsWord(k) && SameNoCase(Str(k), lower);
    }
    bool IsOp(size_t k, std::string_view op) const {
        return k < At.size() && IsOperator(Text, All[At[k]], op);
    }
    // The text from word k to the end of the statement.
    std::string_view From(size_t k) const {
        if (k >= At.size()) return {};
        return Text.substr(All[At[k]].Begin, All[At.back()].End - All[At[k]].Begin);
    }
    std::string_view Between(size_t a, size_t b) const {  // words [a, b)
        if (a >= b || a >= At.size()) return {};
        return Text.substr(All[At[a]].Begin, All[At[b - 1]].End - All[At[a]].Begin);
    }
};

void NativeError(State& state, const std::string& what) {
    ++state.NativeErrors;
    if (state.NativeErrors <= MaxNativeErrorsListed)
        LogMessage(state.Conv,
                   "Line " + std::to_string(state.Line) + ": " + what +
                       " is native code, which cannot run in a browser",
                   true);
}

std::optional<int64_t> Lenient(State& state, std::string_view expression) {
    std::string error;
    auto v = Evaluate(state, expression, error);
    if (!v || v->IsString()) return std::nullopt;
    return v->Type == ConstValue::Kind::Integer ? v->Int
                                                : static_cast<int64_t>(std::llround(v->Float));
}

std::optional<int64_t> BuiltinSize(std::string_view lowerType) {
    static const std::pair<std::string_view, int64_t> sizes[] = {
        {"b", 1},       {"a", 1},    {"w", 2},       {"u", 2},         {"c", 2},    {"l", 4},
        {"f", 4},       {"i", 8},    {"q", 8},       {"d", 8},         {"s", 8},    {"byte", 1},
        {"ascii", 1},   {"word", 2}, {"unicode", 2}, {"character", 2}, {"long", 4}, {"float", 4},
        {"integer", 8}, {"quad", 8}, {"double", 8},  {"string", 8}};
    for (const auto& [name, size] : sizes)
        if (name == lowerType) return size;
    return std::nullopt;
}

// Bytes of one structure field, laid out as the runtime library lays it out (no padding;
// integers, pointers and string addresses 8 bytes). Unknown when its type is not known yet.
std::optional<int64_t> FieldSize(State& state, const Words& w) {
    size_t k = 0;
    if (w.IsWord(0, "array") || w.IsWord(0, "list") || w.IsWord(0, "map")) return 8;
    bool pointer = w.IsOp(0, "*");
    if (pointer) ++k;
    if (!w.IsWord(k)) return 0;  // not a field (Align, a stray keyword ...)
    ++k;
    std::optional<int64_t> size = 8;  // a name alone is an integer, name$ a string address
    if (w.IsOp(k, ".") && w.IsWord(k + 1)) {
        std::string type = LowerText(w.Str(k + 1));
        k += 2;
        if (type == "s" && w.IsOp(k, "{")) {
            size_t close = k + 1;
            while (close < w.Size() && !w.IsOp(close, "}"))
                ++close;
            auto chars = Lenient(state, w.Between(k + 1, close));
            size = chars ? std::optional<int64_t>(*chars * 2) : std::nullopt;
            k = close + 1;
        } else if (auto builtin = BuiltinSize(type)) {
            size = builtin;
        } else {
            auto found = state.Declared.Structures.find(type);
            size = found == state.Declared.Structures.end() ? std::nullopt : found->second.Size;
        }
    }
    if (pointer) size = 8;
    if (w.IsOp(k, "[")) {
        size_t close = k + 1;
        while (close < w.Size() && !w.IsOp(close, "]"))
            ++close;
        auto count = Lenient(state, w.Between(k + 1, close));
        if (!count || !size) return std::nullopt;
        size = *size * *count;
    }
    return size;
}

void ScanStructureLine(State& state, const Words& w) {
    Declarations& d = state.Declared;
    if (w.IsWord(0, "endstructure")) {
        d.Structures[LowerText(d.StructureName)].Size = d.StructureSize;
        d.InStructure = false;
        return;
    }
    if (w.IsWord(0, "structureunion")) {
        d.InUnion = true;
        d.UnionSize = 0;
        return;
    }
    if (w.IsWord(0, "endstructureunion")) {
        d.InUnion = false;
        if (d.StructureSize && d.UnionSize)
            *d.StructureSize += *d.UnionSize;
        else
            d.StructureSize.reset();
        return;
    }
    auto size = FieldSize(state, w);
    if (d.InUnion) {
        if (d.UnionSize && size)
            d.UnionSize = std::max(*d.UnionSize, *size);
        else
            d.UnionSize.reset();
    } else if (d.StructureSize && size) {
        *d.StructureSize += *size;
    } else {
        d.StructureSize.reset();
    }
}

// The next value of an enumeration after `value`.
int64_t EnumerationAfter(const EnumerationState& e, int64_t value) {
    if (e.Binary) return value == 0 ? 1 : static_cast<int64_t>(static_cast<uint64_t>(value) << 1);
    return static_cast<int64_t>(static_cast<uint64_t>(value) + static_cast<uint64_t>(e.Step));
}

void ScanConstant(State& state, const Words& w) {
    Declarations& d = state.Declared;
    std::string name = LowerText(w.Str(0).substr(1));
    std::optional<ConstValue> value;
    if (w.IsOp(1, "=")) {
        std::string error;
        value = Evaluate(state, w.From(2), error);
    }
    if (d.Enumeration.Open) {
        if (w.IsOp(1, "=")) {
            auto number = Lenient(state, w.From(2));
            d.Enumeration.Next = number ? *number : 0;
            value = number ? std::optional<ConstValue>(ConstValue::Integer(*number)) : std::nullopt;
        } else {
            value = ConstValue::Integer(d.Enumeration.Next);
        }
        if (value) d.Enumeration.Next = EnumerationAfter(d.Enumeration, value->Int);
    } else if (!w.IsOp(1, "=")) {
        return;  // a constant used as a statement, not declared
    }
    d.Constants[name] = value;
}

void BeginEnumeration(State& state, const Words& w) {
    Declarations& d = state.Declared;
    EnumerationState e;
    e.Open = true;
    e.Binary = w.IsWord(0, "enumerationbinary");
    size_t k = 1;
    if (w.IsWord(k) && !w.IsWord(k, "step")) e.Name = LowerText(w.Str(k++));
    size_t step = k;
    while (step < w.Size() && !w.IsWord(step, "step"))
        ++step;
    std::optional<int64_t> start;
    if (step > k) start = Lenient(state, w.Between(k, step));
    if (step < w.Size()) e.Step = Lenient(state, w.From(step + 1)).value_or(1);
    if (start) {
        e.Next = *start;
    } else if (auto named = d.EnumerationNext.find(e.Name);
               !e.Name.empty() && named != d.EnumerationNext.end()) {
        e.Next = named->second;
    } else {
        e.Next = e.Binary ? 1 : 0;
    }
    if (!e.Name.empty()) d.Enumerations.insert(e.Name);
    d.Enumeration = e;
}

void EndEnumeration(State& state) {
    Declarations& d = state.Declared;
    if (!d.Enumeration.Name.empty()) d.EnumerationNext[d.Enumeration.Name] = d.Enumeration.Next;
    d.EnumerationValue = d.Enumeration.Next;
    d.Enumeration.Open = false;
}

// The name after an optional ".type" behind a keyword: "Procedure.i Name(" gives Name.
std::string_view NameAfterType(const Words& w, size_t& k) {
    if (w.IsOp(k, ".") && w.IsWord(k + 1)) k += 2;
    if (w.IsOp(k, "*")) ++k;
    return w.IsWord(k) ? w.Str(k) : std::string_view();
}

// "Global a.i = 1, Dim b(3), NewList c(), *p": every name declared by a declaration keyword.
void ScanVariableList(State& state, const Words& w, size_t k) {
    Declarations& d = state.Declared;
    if (w.IsOp(k, ".") && w.IsWord(k + 1)) k += 2;  // Define.i a, b
    int nesting = 0;
    bool itemStart = true;
    std::unordered_set<std::string>* kind = &d.Variables;
    for (; k < w.Size(); ++k) {
        const Piece& p = w[k];
        if (p.Kind == PieceKind::Operator) {
            char c = w.Text[p.Begin];
            if (c == '(' || c == '[' || c == '{') ++nesting;
            if (c == ')' || c == ']' || c == '}') --nesting;
            if (c == ',' && nesting == 0) {
                itemStart = true;
                kind = &d.Variables;
            }
            continue;
        }
        if (!itemStart || p.Kind != PieceKind::Word) {
            itemStart = false;
            continue;
        }
        std::string word = LowerText(w.Str(k));
        if (word == "dim") {
            kind = &d.Arrays;
        } else if (word == "newlist") {
            kind = &d.Lists;
        } else if (word == "newmap") {
            kind = &d.Maps;
        } else {
            kind->insert(word);
            itemStart = false;
        }
    }
}

void CheckNativeCalls(State& state, const Words& w) {
    static const std::string_view libraryCalls[] = {
        "openlibrary",       "callfunction", "callfunctionfast", "callcfunction",
        "callcfunctionfast", "getfunction",  "getfunctionentry", "examinelibraryfunctions"};
    for (size_t k = 0; k + 1 < w.Size(); ++k) {
        if (!w.IsWord(k) || !w.IsOp(k + 1, "(")) continue;
        if (k > 0 && (w.IsOp(k - 1, ".") || w.IsOp(k - 1, "\\"))) continue;  // a type or field
        std::string_view name = w.Str(k);
        std::string lower = LowerText(name);
        bool library = std::find(std::begin(libraryCalls), std::end(libraryCalls), lower) !=
                       std::end(libraryCalls);
        bool system = name.size() > 1 && name.back() == '_' &&
                      !state.Declared.Procedures.count(lower) &&
                      !state.Declared.Prototypes.count(lower);
        if (library) {
            NativeError(state, std::string(name) + "() (a shared library of the operating system)");
            return;
        }
        if (system) {
            NativeError(state, std::string(name) + "() (a function of the operating system's API)");
            return;
        }
    }
}

bool IsOneOf(const std::string& word, std::initializer_list<std::string_view> words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

bool ScanStatement(State& state, std::string_view text, const std::vector<Piece>& pieces,
                   size_t first, size_t last) {
    Words w{text, pieces, state.WordIndex};
    w.At.clear();
    for (size_t i = first; i < last; ++i)
        if (pieces[i].Kind != PieceKind::Space && pieces[i].Kind != PieceKind::Comment)
            w.At.push_back(i);
    if (w.Size() == 0) return true;
    Declarations& d = state.Declared;
    const std::string keyword = w.IsWord(0) ? LowerText(w.Str(0)) : std::string();

    // Native code first: inside an assembly or Import block nothing else counts.
    if (d.InAsm) {
        if (keyword == "disableasm") {
            d.InAsm = false;
        } else if (!d.AsmReported) {
            d.AsmReported = true;
            NativeError(state,
                        "inline assembly (EnableASM in line " + std::to_string(d.AsmLine) + ")");
        }
        return false;
    }
    if (keyword == "enableasm") {
        d.InAsm = true;
        d.AsmLine = state.Line;
        d.AsmReported = false;
        return false;
    }
    if (keyword == "disableasm") return false;
    if (d.InImport) {
        if (keyword == "endimport") d.InImport = false;
        return false;
    }
    if (keyword == "import" || keyword == "importc") {
        d.InImport = true;
        NativeError(state, "the " + std::string(w.Str(0)) + " block " + std::string(w.From(1)));
        return false;
    }
    const bool declaresName =
        IsOneOf(keyword, {"procedure", "procedurec", "proceduredll", "procedurecdll", "declare",
                          "declarec", "declaredll", "declarecdll", "prototype", "prototypec"});
    if (!declaresName) CheckNativeCalls(state, w);

    if (d.InStructure) {
        ScanStructureLine(state, w);
        return true;
    }
    if (d.InInterface) {
        if (keyword == "endinterface") d.InInterface = false;
        return true;
    }
    if (w[0].Kind == PieceKind::Constant) {
        ScanConstant(state, w);
        return true;
    }
    if (keyword.empty()) {
        if (w.IsOp(0, "*") && w.IsWord(1)) {
            size_t k = 2;
            if (w.IsOp(k, ".") && w.IsWord(k + 1)) k += 2;
            if (w.IsOp(k, "=")) d.Variables.insert(LowerText(w.Str(1)));
        }
        return true;
    }

    size_t k = 1;
    if (IsOneOf(keyword, {"procedure", "procedurec", "proceduredll", "procedurecdll"})) {
        std::string_view name = NameAfterType(w, k);
        d.Procedures.insert(LowerText(name));
        d.Procedure = std::string(name);
    } else if (keyword == "endprocedure") {
        d.Procedure.clear();
    } else if (IsOneOf(keyword, {"declare", "declarec", "declaredll", "declarecdll"})) {
        d.Procedures.insert(LowerText(NameAfterType(w, k)));
    } else if (keyword == "prototype" || keyword == "prototypec") {
        d.Prototypes.insert(LowerText(NameAfterType(w, k)));
    } else if (keyword == "structure" && w.IsWord(1)) {
        d.InStructure = true;
        d.StructureName = std::string(w.Str(1));
        d.StructureSize = 0;
        d.InUnion = false;
        if (w.IsWord(2, "extends") && w.IsWord(3)) {
            auto base = d.Structures.find(LowerText(w.Str(3)));
            d.StructureSize = base == d.Structures.end() ? std::nullopt : base->second.Size;
        }
        d.Structures[LowerText(d.StructureName)];  // declared from here on, size at its end
    } else if (keyword == "interface" && w.IsWord(1)) {
        d.Interfaces.insert(LowerText(w.Str(1)));
        d.InInterface = true;
    } else if ((keyword == "module" || keyword == "declaremodule") && w.IsWord(1)) {
        d.Modules.insert(LowerText(w.Str(1)));
        d.Module = std::string(w.Str(1));
    } else if (keyword == "endmodule" || keyword == "enddeclaremodule") {
        d.Module.clear();
    } else if (keyword == "enumeration" || keyword == "enumerationbinary") {
        BeginEnumeration(state, w);
    } else if (keyword == "endenumeration") {
        EndEnumeration(state);
    } else if (IsOneOf(keyword, {"dim", "newlist", "newmap", "global", "protected", "define",
                                 "static", "shared", "threaded"})) {
        ScanVariableList(state, w,
                         keyword == "dim" || keyword == "newlist" || keyword == "newmap" ? 0 : 1);
    } else if (keyword == "for" && w.IsWord(1)) {
        d.Variables.insert(LowerText(w.Str(1)));
    } else if (w.Size() == 2 && w.IsOp(1, ":")) {
        d.Labels.insert(keyword);
    } else {
        // "name = ...", "name.type = ...", "name.type" alone: an implicitly declared variable.
        size_t at = 1;
        if (w.IsOp(at, ".") && w.IsWord(at + 1)) at += 2;
        if (w.IsOp(at, "=") || (at == 3 && at == w.Size())) d.Variables.insert(keyword);
    }
    return true;
}

std::optional<bool> IsDefined(State& state, std::string_view lowerName, int64_t type) {
    // The type values of PureBasic's resident constants (#PB_Constant ...).
    enum : int64_t {
        Structure = 7,
        List = 14,
        Array = 15,
        Map = 22,
        Constant = 50,
        Variable = 51,
        Interface = 52,
        Procedure = 53,
        Function = 54,
        OSFunction = 55,
        Label = 56,
        Prototype = 57,
        Module = 58,
        Enumeration = 59,
    };
    const Declarations& d = state.Declared;
    const std::string name(lowerName);
    switch (type) {
        case Constant:
            return d.Constants.count(name) > 0 || CompilerConstant(state, name).has_value() ||
                   ResidentConstant(name).has_value() || IsLibraryConstant(state, name);
        case Variable:
            return d.Variables.count(name) > 0;
        case Array:
            return d.Arrays.count(name) > 0;
        case List:
            return d.Lists.count(name) > 0;
        case Map:
            return d.Maps.count(name) > 0;
        case Structure:
            return d.Structures.count(name) > 0;
        case Interface:
            return d.Interfaces.count(name) > 0;
        case Procedure:
            return d.Procedures.count(name) > 0;
        case Function:
            return IsLibraryFunction(state, name);
        case OSFunction:
            return false;  // a browser has no operating system functions
        case Label:
            return d.Labels.count(name) > 0;
        case Prototype:
            return d.Prototypes.count(name) > 0;
        case Module:
            return d.Modules.count(name) > 0;
        case Enumeration:
            return d.Enumerations.count(name) > 0;
        default:
            return std::nullopt;
    }
}

std::optional<int64_t> SizeOfType(State& state, std::string_view lowerName) {
    auto found = state.Declared.Structures.find(std::string(lowerName));
    if (found != state.Declared.Structures.end()) return found->second.Size;
    if (lowerName.size() > 1) return BuiltinSize(lowerName);
    return std::nullopt;
}

void FinishDeclarations(State& state) {
    if (state.NativeErrors > MaxNativeErrorsListed)
        LogMessage(state.Conv,
                   "... and " + std::to_string(state.NativeErrors - MaxNativeErrorsListed) +
                       " more lines with native code",
                   true);
}

}  // namespace orvane::preprocess
