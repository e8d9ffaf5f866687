// Building the one self-contained source text the translator works on.
#pragma once

#include <string>

#include "converter/run/conversion.h"

namespace orvane {

std::string ProjectSourceFile(Conversion& conv, const std::string& project);
// True when the text includes orv.pbi (IncludeFile or XIncludeFile, any case, any path).
bool IncludesOrvPbi(const std::string& text);
bool SyntaxCheck(Conversion& conv);
// The PureBasic compiler of a user who does not start Orvane from the IDE:
// $PUREBASIC_HOME/compilers/pbcompiler, else pbcompiler on the PATH; "" when there is neither.
std::string FindPureBasicCompiler();
std::string ExpandIncludes(Conversion& conv, const std::string& text);
std::string RemoveDataSections(Conversion& conv, const std::string& text);
std::string HoistDeclarations(Conversion& conv, const std::string& text);

}  // namespace orvane
