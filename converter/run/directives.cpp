#include "converter/run/directives.h"

namespace orvane {

// Not built yet: passes the text through unchanged.
void ScanDirectives(Conversion&, const std::string&) {}
std::string StripCommentBlocks(Conversion&, const std::string& text) { return text; }
std::string ExpandBangLines(Conversion&, const std::string& text) { return text; }
std::string ResolveRawBlocks(Conversion&, const std::string& text) { return text; }
void DisableDirectives(Conversion& conv, const std::string& text) { TokenizeText(conv.Tokens, text); }

}  // namespace orvane
