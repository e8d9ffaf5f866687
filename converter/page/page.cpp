#include "converter/page/page.h"

namespace orvane {

// Not built yet.
std::string WrapReadyHandler(Conversion&, const std::string& text) { return text; }
std::string ScriptTag(const Conversion&, const std::string& path) { return "<script src='" + path + "'></script>"; }
std::string StylesheetTag(const Conversion&, const std::string& path, const std::string& attributes) {
    return "<link rel='stylesheet' type='text/css' " + attributes + " href='" + path + "' />";
}
void WriteApplicationScript(Conversion&) {}
void WritePage(Conversion&) {}

}  // namespace orvane
