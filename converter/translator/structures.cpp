#include "converter/translator/passes.h"

namespace orvane {

// Not built yet: passes the text through unchanged.
void TranslateEnumerations(Conversion&) {}
bool TranslateStructures(Conversion&) { return true; }
void TranslateStructureVariables(Conversion&) {}

}  // namespace orvane
