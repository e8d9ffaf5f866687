// Page assembly and deployment.
#pragma once

#include <string>

#include "converter/run/conversion.h"

namespace orvane {

std::string WrapReadyHandler(Conversion& conv, const std::string& text);
std::string ScriptTag(const Conversion& conv, const std::string& path);
std::string StylesheetTag(const Conversion& conv, const std::string& path, const std::string& attributes);
void WriteApplicationScript(Conversion& conv);
void WritePage(Conversion& conv);

// Appends every file below the folder to conv.SystemFiles.
void ListFilesRecursive(Conversion& conv, const std::string& folder);
bool MakeFolder(const std::string& path);
void CopySupportFiles(Conversion& conv);

}  // namespace orvane
