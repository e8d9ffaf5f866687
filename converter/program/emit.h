// JavaScript from the parsed program, with PureBasic's meaning: integer arithmetic where
// PureBasic computes in integers, stores that wrap and round by the target's type, procedures with
// their own locals, structures as objects made by one factory per structure, blocking library
// calls awaited in async procedures. The program model is built on the way (model.h).
#pragma once

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "converter/program/model.h"
#include "converter/program/syntax.h"

namespace orvane::program {

struct EmitResult {
    std::string Script;
    std::vector<std::string> Errors;                // "Line N: ..." lines that fail the conversion
    std::vector<std::string> Warnings;              // "Line N: ..." lines reported as progress
    std::unordered_set<std::string> UsedNames;      // lowered names of library functions called
    std::unordered_set<std::string> UsedObjects;    // runtime objects ("cString") the script uses
    std::unordered_set<std::string> UsedConstants;  // lowered "#name" of built-in constants
    std::vector<std::string> IncludedBinaries;      // IncludeBinary files, as written
};

// Gives the content of a file included with IncludeBinary as a data URL, "" when unreadable.
using BinaryReader = std::function<std::string(const std::string& path)>;

void EmitProgram(const Program& program, const LibraryIndex& library, EmitResult& result,
                 const BinaryReader& readBinary = {});

}  // namespace orvane::program
