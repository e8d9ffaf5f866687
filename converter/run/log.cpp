#include "converter/run/conversion.h"

namespace orvane {

void LogMessage(Conversion& conv, const std::string& text, bool error) {
    if (error) conv.RunFailed = true;
    if (conv.Sink) conv.Sink(error ? "Error: " + text : text, error);
}

}  // namespace orvane
