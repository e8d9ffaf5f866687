#include "converter/translator/passes.h"
#include "converter/translator/translate.h"

namespace orvane {

// Not built yet: passes the text through unchanged.
std::string RemoveMacros(Conversion&, const std::string& text) { return text; }
void TranslateComments(Conversion&) {}

}  // namespace orvane
