#include "converter/translator/passes.h"

namespace orvane {

// Not built yet: passes the text through unchanged.
void TranslateCompoundAssignments(Conversion&) {}
void RemoveTypeSuffixes(Conversion&) {}
bool TranslateDeclarations(Conversion&) { return true; }
void TranslateStatics(Conversion&) {}
void TranslateArrays(Conversion&) {}

}  // namespace orvane
