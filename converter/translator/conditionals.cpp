#include "converter/translator/passes.h"

namespace orvane {

// Not built yet: passes the text through unchanged.
bool TranslateSelectBlocks(Conversion&) { return true; }
void TranslateIfBlocks(Conversion&) {}

}  // namespace orvane
