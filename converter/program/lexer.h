// The program's words: the text after preprocessing cut into tokens with their line numbers.
// Comments go; a raw JavaScript line ("!" first, or a line between EnableJS and DisableJS) is one
// token holding its text; "~" strings arrive with their escapes already decoded.
#pragma once

#include <string>
#include <vector>

namespace orvane::program {

enum class TokenKind {
    End,       // after the last token
    LineEnd,   // end of a line
    Colon,     // ":" between statements
    Name,      // a word; a trailing "$" belongs to it
    Number,    // decimal, float, "$FF" hexadecimal; binary numbers are "%" then digits
    String,    // the text of a string literal, decoded
    Constant,  // "#Name" or "#Name$"
    Operator,  // everything else, "<>" "<=" ">=" "<<" ">>" "::" as one token
    RawScript  // a raw JavaScript line
};

struct Token {
    TokenKind Kind = TokenKind::End;
    std::string Text;
    int Line = 0;
    bool SpaceBefore = false;  // a blank stands before it on its line
};

std::vector<Token> LexProgram(const std::string& text);

}  // namespace orvane::program
