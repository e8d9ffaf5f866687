// converter/preprocess/: what PureBasic's own preprocessor and compiler do to the program text
// before any statement is translated, as one pass over the lines in source order:
//
//   - macros: definitions recorded where they stand, every use expanded (parameters, defaults,
//     "#" concatenation, macros inside macros, UndefineMacro, MacroExpandedCount);
//   - compiler directives (CompilerIf, CompilerSelect, CompilerError, CompilerWarning) evaluated
//     over constant expressions, with Defined() and SizeOf() answered from a light scan of what
//     the program declared so far;
//   - the web target's compiler constants (#PB_Compiler_OS and the others), written into the
//     program text as their values;
//   - native code (inline assembly, Import blocks, shared libraries, operating system API
//     calls) refused with the source line, since a browser cannot run it.
//
// Lines keep their numbers: a definition or a branch not taken becomes an empty line, and a macro
// that expands to several statements puts them on the line of its use, joined by ":".
#pragma once

#include <string>

#include "converter/run/conversion.h"

namespace orvane {

// The whole stage. Returns "" after reporting why when the program cannot be converted
// (CompilerError, bad macro use, unbalanced directives, native code ...).
std::string PreprocessSource(Conversion& conv, const std::string& text);

// Values the web target reports (also written in the README).
constexpr int WebTargetOS = 5;         // #PB_OS_Web
constexpr int WebTargetProcessor = 5;  // #PB_Processor_JavaScript
constexpr int WebTargetCompilerVersion = 612;

}  // namespace orvane
