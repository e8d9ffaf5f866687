// The run: one conversion from the environment checks to the after-run action.
#pragma once

#include <string>
#include <vector>

#include "converter/run/conversion.h"

namespace orvane {

// Program start before the worker runs: folders, the IDE's variables, the settings file move.
void PrepareConversion(Conversion& conv, const std::vector<std::string>& arguments);

// The whole run, on the calling (worker) thread. Ends with RunFinished set on success.
void RunConversion(Conversion& conv);

// Profile selection and application (step 23); false when the run stops.
bool SelectAndApplyProfile(Conversion& conv);
// Derived settings (step 24); false when the run stops.
bool DeriveSettings(Conversion& conv);

}  // namespace orvane
