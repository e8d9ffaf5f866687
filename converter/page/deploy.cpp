#include "converter/page/page.h"

namespace orvane {

// Not built yet.
void ListFilesRecursive(Conversion&, const std::string&) {}
bool MakeFolder(const std::string&) { return false; }
void CopySupportFiles(Conversion&) {}

}  // namespace orvane
