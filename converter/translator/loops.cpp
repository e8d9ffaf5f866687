#include "converter/translator/passes.h"

namespace orvane {

// Not built yet: passes the text through unchanged.
void TranslateForLoops(Conversion&) {}
void TranslateWhileLoops(Conversion&) {}
void TranslateRepeatLoops(Conversion&) {}

}  // namespace orvane
