// What the files of converter/preprocess/ share: the line lexer, constant values, the state of
// one pass and the operations one file offers the others.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "converter/run/conversion.h"

namespace orvane::preprocess {

// ---- lexing ----

enum class PieceKind : uint8_t {
    Space,
    Word,      // a name, with its "$" when it has one
    Constant,  // "#" and a name
    Number,
    String,  // "..." or ~"..." (to the end of the line when unterminated)
    Char,    // 'a'
    Comment,
    Operator,
    Concat,  // in a macro body: the "#" that joins two words
};

struct Piece {
    PieceKind Kind;
    uint32_t Begin;
    uint32_t End;
};

// Splits one line into pieces (the pieces cover the whole line). In a macro body a "#" right
// behind a name, number or literal joins two words instead of starting a constant.
void LexLine(std::string_view text, std::vector<Piece>& pieces, bool macroBody = false);

inline std::string_view PieceText(std::string_view text, const Piece& p) {
    return text.substr(p.Begin, p.End - p.Begin);
}
bool IsOperator(std::string_view text, const Piece& p, std::string_view op);
bool IsWordChar(char c);

// A statement of a line: pieces [First, Last) without the separating ":" and the comment.
struct StatementRange {
    size_t First;
    size_t Last;
};
// Statements of a lexed line; empty ones are left out. A label ("Name:") is a statement that keeps
// its colon.
void SplitStatements(std::string_view text, const std::vector<Piece>& pieces,
                     std::vector<StatementRange>& statements);
// The text of pieces [first, last), without blanks at either end.
std::string_view RangeText(std::string_view text, const std::vector<Piece>& pieces, size_t first,
                           size_t last);
// Index of the next piece that is not a blank, or `last`.
size_t SkipSpaces(const std::vector<Piece>& pieces, size_t from, size_t last);

std::string LowerText(std::string_view s);
bool SameNoCase(std::string_view a, std::string_view lowerB);
std::string_view TrimmedView(std::string_view s);

// ---- constant values ----

struct ConstValue {
    enum class Kind : uint8_t { Integer, Float, String } Type = Kind::Integer;
    int64_t Int = 0;
    double Float = 0;
    std::string Text;

    static ConstValue Integer(int64_t v) { return {Kind::Integer, v, 0, {}}; }
    static ConstValue Real(double v) { return {Kind::Float, 0, v, {}}; }
    static ConstValue String(std::string v) { return {Kind::String, 0, 0, std::move(v)}; }
    bool IsString() const { return Type == Kind::String; }
    double AsDouble() const { return Type == Kind::Float ? Float : static_cast<double>(Int); }
};

// The value as PureBasic source: a number, or a string literal.
std::string SourceLiteral(const ConstValue& value);

// ---- the state of one pass ----

struct Macro {
    std::string Name;  // as written in the definition
    bool HasParameters = false;
    std::vector<std::string> Parameters;  // lower-cased
    std::vector<std::optional<std::string>> Defaults;
    std::vector<std::string> Body;  // statements, comments removed
    std::string BodyText;           // the statements joined by " : ", set at EndMacro
    int DefinedAt = 0;
    int ExpandedCount = 0;
};

enum class DirectiveKind : uint8_t { If, Select };

struct OpenDirective {
    DirectiveKind Kind;
    int Line;
    bool ParentActive;
    bool Taken;   // a branch of this directive was taken
    bool Active;  // the current branch is taken
    bool SeenElse;
    ConstValue Selector;
};

struct StructureInfo {
    std::optional<int64_t> Size;  // unknown when a field's type is unknown
};

struct EnumerationState {
    bool Open = false;
    bool Binary = false;
    std::string Name;  // lower-cased, "" for an unnamed one
    int64_t Next = 0;
    int64_t Step = 1;
};

// What the program declared up to the current line, for Defined() and SizeOf().
struct Declarations {
    std::unordered_map<std::string, std::optional<ConstValue>> Constants;  // lower name, no "#"
    std::unordered_set<std::string> Variables, Arrays, Lists, Maps, Procedures, Prototypes, Labels,
        Modules, Interfaces, Enumerations;
    std::unordered_map<std::string, StructureInfo> Structures;
    std::unordered_map<std::string, int64_t> EnumerationNext;  // named enumerations
    EnumerationState Enumeration;
    int64_t EnumerationValue = 0;  // #PB_Compiler_EnumerationValue
    std::string Procedure;         // current procedure, as written
    std::string Module;            // current module, as written

    // The structure being declared.
    bool InStructure = false;
    std::string StructureName;
    std::optional<int64_t> StructureSize;
    bool InUnion = false;
    std::optional<int64_t> UnionSize;

    bool InInterface = false;
    bool InImport = false;
    bool InAsm = false;
    int AsmLine = 0;
    bool AsmReported = false;
};

struct State {
    Conversion& Conv;
    int Line = 0;  // the line being processed, 1-based
    bool Failed = false;
    int NativeErrors = 0;

    std::unordered_map<std::string, Macro> Macros;  // lower name
    std::string Key;                                // reused for lower-cased look-ups
    // One bit per hash of a defined macro's name: most words are no macro, and this answers
    // them without a look-up in the table.
    std::vector<uint64_t> MacroFilter = std::vector<uint64_t>(1024);
    Macro* Recording = nullptr;  // the macro whose body is being read
    std::vector<OpenDirective> Directives;
    Declarations Declared;
    std::vector<size_t> WordIndex;  // reused by the declaration scan

    // Tables read on first need.
    bool LibraryFunctionsLoaded = false;
    std::unordered_set<std::string> LibraryFunctions;  // lower names
    bool LibraryConstantsLoaded = false;
    std::unordered_set<std::string> LibraryConstants;  // lower names, no "#"

    explicit State(Conversion& conv) : Conv(conv) {}
    bool Active() const { return Directives.empty() || Directives.back().Active; }
};

// A fatal error: reported with the line, and the pass stops.
void Fail(State& state, const std::string& message);
void FailAt(State& state, int line, const std::string& message);

// ---- macros.cpp ----

// The macro a word names, or null.
Macro* FindMacro(State& state, std::string_view word);
// Reads "Macro Name(a, b = 1)" (the statement text without the keyword). False after an error.
bool BeginMacro(State& state, std::string_view header);
// Expands every macro use in a statement. False after an error (reported).
bool ExpandMacros(State& state, std::string_view text, std::string& out);
// True when the lexed line uses a macro (a name the table holds, or MacroExpandedCount).
bool UsesMacro(State& state, std::string_view text, const std::vector<Piece>& pieces);

// ---- expressions.cpp ----

// Evaluates a constant expression. On failure `error` says why (nothing is reported).
std::optional<ConstValue> Evaluate(State& state, std::string_view text, std::string& error);
bool IsTrue(const ConstValue& value);

// ---- compiler_constants.cpp ----

// The web target's compiler constants (#PB_Compiler_...), lower name without "#".
std::optional<ConstValue> CompilerConstant(State& state, std::string_view lowerName);
// PureBasic's resident constants that constant expressions may use.
std::optional<ConstValue> ResidentConstant(std::string_view lowerName);
bool IsLibraryConstant(State& state, std::string_view lowerName);
bool IsLibraryFunction(State& state, std::string_view lowerName);

// ---- declarations.cpp ----

// Records the declarations of one code statement (already expanded) and checks it for native
// code. Returns false when the statement must not reach the output (EnableASM, DisableASM).
bool ScanStatement(State& state, std::string_view text, const std::vector<Piece>& pieces,
                   size_t first, size_t last);
// Defined(name, type) against what was declared so far.
std::optional<bool> IsDefined(State& state, std::string_view lowerName, int64_t type);
std::optional<int64_t> SizeOfType(State& state, std::string_view lowerName);
// Sums up the native-code lines that were not listed one by one.
void FinishDeclarations(State& state);

}  // namespace orvane::preprocess
