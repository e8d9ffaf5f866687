#include "converter/run/source_assembly.h"

namespace orvane {

// Not built yet: passes the text through unchanged.
std::string ProjectSourceFile(Conversion&, const std::string&) { return ""; }
bool IncludesOrvPbi(const std::string&) { return true; }
bool SyntaxCheck(Conversion&) { return true; }
std::string ExpandIncludes(Conversion&, const std::string& text) { return text; }
std::string RemoveDataSections(Conversion&, const std::string& text) { return text; }
std::string HoistDeclarations(Conversion&, const std::string& text) { return text; }

}  // namespace orvane
