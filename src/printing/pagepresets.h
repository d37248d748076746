#pragma once
// The page presets a user may keep in the per-user registry under
// "Software\" + application title + "\PageSetupForm": its section "Values"
// holds the page-setup form's fields (margins as text, option buttons as
// booleans, the three fonts as Name, Size, Color, Bold, Italic, Underline and
// StrikeOut). The section "Position" places the form, which is never shown.
// The program only reads the key; values it cannot read change nothing.
#include <string>

#include "printing/options.h"

namespace printing {

// The key's path for an application title.
std::string pagePresetKey(const std::string& applicationTitle);

// Overwrites the settings with whatever the key holds.
void applyPagePresets(PrinterSettings& settings, const std::string& applicationTitle);

}  // namespace printing
