#pragma once

#include "cli/cli_options.h"
#include "common/cls_ini.h"
#include "common/conversion_options.h"

#include <string>

namespace qv::cli {

// The options as the window's start-up restores them from its settings file: out-of-range menu
// indices give the defaults, a brightness outside 0..200 gives 100, an output transparent colour
// outside 0..255 gives 255 and its entry is skipped; an external palette that names no file
// gives WOLF3D. The square keeps its first-start side, as the window does not store it.
ConversionOptions OptionsFromSettings(const clsINI &ini);

// The palette named on the command line: a built-in name (any case) or a palette file. Returns
// what is wrong with it, empty when all is well.
std::string ChoosePalette(const std::string &value, ConversionOptions &options);

// Overrides the options with the conversion options given, in order. A --skip list replaces the
// stored one; the output transparent entry is always added, as the window ticks it. Returns the
// first problem (a palette that is neither a built-in name nor a file); empty when all is well.
std::string ApplyOptions(const CliOptions &cli, ConversionOptions &options);

} // namespace qv::cli
