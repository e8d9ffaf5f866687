// Directives the user writes into the PureBasic source.
#pragma once

#include <string>

#include "converter/run/conversion.h"

namespace orvane {

void ScanDirectives(Conversion& conv, const std::string& text);
std::string StripCommentBlocks(Conversion& conv, const std::string& text);
std::string ExpandBangLines(Conversion& conv, const std::string& text);
std::string ResolveRawBlocks(Conversion& conv, const std::string& text);
// Leaves its result in conv.Tokens for PostProcess.
void DisableDirectives(Conversion& conv, const std::string& text);

}  // namespace orvane
