// Helpers the server-code files share.
#pragma once

#include <string>
#include <vector>

#include "converter/translator/tokens.h"

namespace orvane {

struct ProcedureHead {
    std::string TypeLetter;  // "" when the keyword has no type suffix
    std::string Name;
    std::vector<std::string> Parameters;
};

// Reads the head that starts at a procedure keyword token, up to ")" or the end of its line.
ProcedureHead ReadProcedureHead(const TokenList& tokens, TokenId keyword);

}  // namespace orvane
