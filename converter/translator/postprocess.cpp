#include "converter/translator/translate.h"

namespace orvane {

// Not built yet: passes the text through unchanged.
std::string PostProcess(Conversion& conv) { return conv.Tokens.Join(); }

}  // namespace orvane
