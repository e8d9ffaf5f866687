// The program model: what every name of the program is, built once per conversion from the
// parsed program and consulted by the emitter.
//
//   - types: PureBasic's basic types by their letter (b a w u c l i q f d s), structures by name;
//   - structures with their fields in order, byte offsets and sizes (Extends included);
//   - constants, user and built-in, folded to a number or a text where PureBasic folds them;
//   - procedures with return type and parameters (types, defaults), prototypes, and whether a
//     procedure must be async (it reaches a blocking library call);
//   - variables, arrays, lists and maps per scope (main program, Global, procedure-local,
//     Static, Shared), each with its type and the JavaScript name it gets;
//   - labels and the data section.
// Names are case-insensitive: every table is keyed by the lowered name.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "converter/program/syntax.h"

namespace orvane::program {

struct ValueType {
    std::string Name;  // a basic type letter, or the structure's name; "" unknown (integer)
    bool Pointer = false;
    int FixedLength = 0;
    std::string Prototype;  // a variable of a prototype type holds a procedure
    bool IsString() const { return !Pointer && Name == "s"; }
    bool IsFloat() const { return !Pointer && (Name == "f" || Name == "d"); }
    bool IsStructure() const;
};

struct Structure;

struct Field {
    std::string Name;  // as declared, without "*"
    ValueType Type;
    DeclKind Kind = DeclKind::Variable;
    int ArrayLength = 0;              // a static array field "a[n]": n elements
    std::vector<long long> DimSizes;  // "Array a.i(n)": the highest index of each dimension
    int Offset = 0;
    int Size = 0;
};

struct Structure {
    std::string Name;
    std::string Js;  // the factory's name
    std::vector<Field> Fields;
    int Size = 0;
};

struct ProcedureInfo {
    std::string Name;  // as declared ("Mod::" not included)
    std::string Js;
    ValueType Return;
    std::vector<Decl>* Params = nullptr;  // from the definition, or the Declare
    bool Defined = false;
    bool Declared = false;
    int DeclareLine = 0;
    bool Async = false;
    const Procedure* Body = nullptr;
    std::string Module;  // lowered module name, "" at top level
};

struct ConstantValue {
    bool IsString = false;
    bool IsFloat = false;
    double Number = 0;
    long long Integer = 0;
    std::string Text;
    std::string Js;  // the JavaScript written for it
};

struct Variable {
    std::string Name;  // as first written, with "*" and "$"
    std::string Js;
    ValueType Type;
    DeclKind Kind = DeclKind::Variable;
    int Dimensions = 0;
};

struct LibraryFunction {
    std::string Object;  // "String" for cString
    std::string Name;    // spelled as the runtime has it
    bool Await = false;
};

struct DocumentedFunction {
    std::string Name;
    char Result = 'i';
    int MinArgs = 0;
    int MaxArgs = 0;
    unsigned Collections = 0;  // bit i: argument i is an array, list or map itself
    unsigned Floats = 0;  // bit i: parameter i is a float (its argument is worked out in floats)
};

// Tables shared by every conversion: the runtime's functions and constants, the documented
// functions, the names JavaScript and the page reserve.
struct LibraryIndex {
    std::unordered_map<std::string, LibraryFunction> Functions;  // lowered name
    std::unordered_map<std::string, std::string> Constants;      // "#NAME" upper -> as listed
    std::unordered_map<std::string, DocumentedFunction> Documented;
    // The runtime's values of its constants ("NAME" upper -> "65536" or a JSON text)
    std::unordered_map<std::string, std::string> ConstantValues;
};

int SizeOfBasic(const std::string& letter);
int TypeCode(const ValueType& type);  // PureBasic's #PB_Byte ... codes; 0 for a pointer
std::string BasicLetter(const std::string& typeName);  // "integer" -> "i"; "" when not basic

}  // namespace orvane::program
