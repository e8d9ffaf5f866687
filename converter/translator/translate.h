// The translator's entry points as the run calls them.
#pragma once

#include <string>

#include "converter/run/conversion.h"

namespace orvane {

// Tokenizes the source into conv.Tokens, runs every pass in order and joins the list.
// "" when a pass reported a fatal error.
std::string Translate(Conversion& conv, const std::string& source);
// Notes in conv.Needs the optional libraries the names of the program call for, and prunes the
// unneeded ones from conv.SystemFiles (references.txt).
void NoteLibraryNeedsOfSource(Conversion& conv, const std::string& source);
// Builds the final JavaScript text from conv.Tokens.
std::string PostProcess(Conversion& conv);

// Text-level stages that run before Translate.
std::string RemoveMacros(Conversion& conv, const std::string& text);
std::string TranslateDataSections(Conversion& conv, const std::string& text);

}  // namespace orvane
