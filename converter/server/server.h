// Server blocks, client stubs and server programs.
#pragma once

#include <string>

#include "converter/run/conversion.h"

namespace orvane {

enum class ServerLanguage { Cgi, Php, Python, NodeJs, Aspx, Asp };

// Cuts the language's server blocks out of the text, puts client stubs in their place and
// writes the server program. "" when the pass failed (the run stops).
std::string RunServerPass(Conversion& conv, ServerLanguage language, const std::string& text);

}  // namespace orvane
