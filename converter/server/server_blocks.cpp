#include "converter/server/server.h"

namespace orvane {

// Not built yet: passes the text through unchanged.
std::string RunServerPass(Conversion&, ServerLanguage, const std::string& text) { return text; }

}  // namespace orvane
