// Statements and expressions from the program's tokens, with PureBasic's operator priorities
// (level 8 "~" and negation down to level 1 "And" "Or" "XOr", left to right within a level).
#pragma once

#include <string>
#include <vector>

#include "converter/program/lexer.h"
#include "converter/program/syntax.h"

namespace orvane::program {

struct ParseError {
    int Line = 0;
    std::string Message;
};

// Parses the whole program; false with the first error when the blocks or a statement cannot be
// read (the message names what was expected, e.g. "If without EndIf").
bool ParseProgram(const std::vector<Token>& tokens, Program& program, ParseError& error);

std::string LowerText(const std::string& text);

}  // namespace orvane::program
