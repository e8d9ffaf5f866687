#include "converter/translator/passes.h"

namespace orvane {

// Not built yet: passes the text through unchanged.
void TranslateProcedures(Conversion&) {}

}  // namespace orvane
