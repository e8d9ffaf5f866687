#include "converter/translator/passes.h"
#include "converter/translator/translate.h"

namespace orvane {

// Not built yet: passes the text through unchanged.
std::string TranslateDataSections(Conversion&, const std::string& text) { return text; }
void TranslateLibraryCalls(Conversion&) {}
void TranslateDebug(Conversion&) {}
void TranslateElementAddresses(Conversion&) {}

}  // namespace orvane
