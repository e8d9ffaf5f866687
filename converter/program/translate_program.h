// The translation stage: the preprocessed program text parsed, modelled and written as the
// application's JavaScript, with the libraries it needs noted in conv.Needs.
#pragma once

#include <string>

#include "converter/program/model.h"
#include "converter/run/conversion.h"

namespace orvane {

// "" after reporting why when the program cannot be translated.
std::string TranslateProgram(Conversion& conv, const std::string& text);

// The runtime's tables (libraries.txt, constants.txt in the program folder) and the documented
// functions.
program::LibraryIndex LoadLibraryIndex(const std::string& programFolder);

}  // namespace orvane
