// The parsed program: statements and expressions as PureBasic writes them, before any name is
// resolved. Names keep their spelling; what a name is (variable, array, list, map, procedure,
// library function) is for the program model to say.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace orvane::program {

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

enum class ExprKind {
    Number,    // Text: the literal as written ("12", "1.5", "$FF", "%101")
    String,    // Text: the decoded text
    Constant,  // Text: "#Name" (module path folded into Text as "Mod::#Name")
    Name,      // Text: a name ("a", "a$", "*p", "Mod::x"); Type: a type written after it ("a.i")
    Call,      // Text: the name; Args; Empty: written "name()" (an array, list or map itself)
    Field,     // Args[0]\Text
    Index,     // Args[0][Args[1]]: a static array field
    Unary,     // Text: "-", "~", "Not", "@", "?"; Args[0]
    Binary,    // Text: the operator ("+", "<>", "And", ...); Args[0], Args[1]
};

struct Expr {
    ExprKind Kind = ExprKind::Number;
    std::string Text;
    std::string Type;  // a type suffix written on a name: "i", "s", "Point"
    std::vector<ExprPtr> Args;
    int Line = 0;
    bool Empty = false;   // "name()": the array, list or map itself, or no arguments
    bool Called = false;  // a Field written with brackets: "s\\items()"; Args[1..] its arguments
};

// One declared name: in Define/Global/Protected/Static/Shared/Threaded, Dim, NewList, NewMap,
// a structure field or a procedure parameter.
enum class DeclKind { Variable, Array, List, Map };

struct Decl {
    DeclKind Kind = DeclKind::Variable;
    std::string Name;            // with "*" for a pointer and "$" when written
    std::string Type;            // "" when not written
    int FixedLength = 0;         // ".s{n}"
    std::vector<ExprPtr> Sizes;  // array sizes; a static array field has one
    ExprPtr Value;               // initial or default value
    int Line = 0;
    bool StaticArray = false;  // "name[n]" in a structure
    int Union = 0;             // inside a StructureUnion: its number from 1
};

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

enum class StmtKind {
    Expression,   // A: a call or the shorthand "a + 1" (model decides)
    Assign,       // A = B
    Raw,          // Text: raw JavaScript
    Declare,      // Word: "define" "global" "protected" "static" "shared" "threaded" "dim" "redim"
                  // "newlist" "newmap"; Decls; Type: the default type of "Define.i"
    If,           // Branches: condition and block each; a last one without condition is Else
    Select,       // A: the value; Cases: values (B for "To"), Body; default has none
    For,          // A: variable, B: from, C: to, D: step; Body
    ForEach,      // A: the element expression; Body
    While,        // A; Body
    Repeat,       // A: Until condition or null for Forever; Body
    With,         // A; Body
    Procedure,    // Proc
    DeclareProc,  // Proc (Declare)
    Prototype,    // Proc
    Structure,    // Name, Type (Extends), Decls (fields)
    Enumeration,  // Word: "enumeration" or "enumerationbinary"; A: start, B: step; Decls
    ConstantDef,  // Name "#X", A: value
    Label,        // Name
    Goto,         // Name
    Gosub,        // Name
    Return,       // Gosub's return
    ProcedureReturn,  // A or null
    Break,            // A: levels or null
    Continue,
    End,          // A: exit code or null
    Debug,        // A; B: level
    Swap,         // A, B
    Read,         // Type; A: target
    Restore,      // Name
    Data,         // Type; Args (values)
    DataSection,  // Body (Data and Label statements)
    Module,       // Name; Body; Word "declaremodule" or "module"
    UseModule,    // Name; Word "use" or "unuse"
    Nothing,      // a statement that has no effect in the browser
};

struct Procedure {
    std::string Name;
    std::string ReturnType;
    std::vector<Decl> Params;
    Block Body;
    int Line = 0;
    int EndLine = 0;
};

struct Case {
    std::vector<ExprPtr> Values;  // each value, or a "To" range as Binary "To"
    Block Body;
    bool IsDefault = false;
};

struct Branch {
    ExprPtr Condition;  // null for Else
    Block Body;
};

struct Stmt {
    StmtKind Kind = StmtKind::Nothing;
    int Line = 0;
    std::string Word;
    std::string Name;
    std::string Type;
    ExprPtr A, B, C, D;
    std::vector<ExprPtr> Args;
    std::vector<Decl> Decls;
    std::vector<Branch> Branches;
    std::vector<Case> Cases;
    Block Body;
    std::unique_ptr<Procedure> Proc;
};

struct Program {
    Block Statements;
};

}  // namespace orvane::program
