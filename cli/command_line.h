#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// Exit statuses of quorvantile-convert.
inline constexpr int kExitConverted = 0; // every picture converted
inline constexpr int kExitNotAllConverted = 1; // a picture was refused or failed
inline constexpr int kExitUsage = 2; // bad options, settings file, palette or output folder

// The settings file the window program keeps (beside itself, or in the user's configuration
// folder: settings_location.h), which this program only reads.
std::string DefaultSettingsPath();

// The whole program: args without the program name; results and the closing count go to out,
// messages and, when err is a terminal of progressColumns columns (0: not a terminal), a progress
// line cut to that width. Returns the exit status.
int RunCommandLine(const std::vector<std::string> &args,
    std::ostream &out,
    std::ostream &err,
    std::size_t progressColumns);

} // namespace qv::cli
