#pragma once

#include "platform/settings_location.h"

#include <string>

namespace qv {

// Makes a first start in the user's configuration folder like one in a build folder: creates the
// folder and writes the sample pictures into it, while no settings file is there yet. Nothing
// for a folder beside the program, where the build put the samples. A folder that cannot be
// made is left so: the window starts all the same, and saving its settings fails with the usual
// message.
void PrepareSettingsFolder(const SettingsLocation &location, const std::string &settingsFile);

} // namespace qv
