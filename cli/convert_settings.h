#pragma once

#include "cli/cli_options.h"
#include "common/cls_ini.h"
#include "common/conversion_options.h"

#include <string>

namespace qv::cli {

// The options as the window's start-up restores them from its settings file: out-of-range menu
// indices give the defaults, a brightness outside 0..200 gives 100, an output transparent colour
// outside 0..255 gives 255 and its entry is skipped; the external palette with no path stored
// gives WOLF3D, but a stored path is taken as it is, whether a file is there or not (unlike the
// window, which falls back to WOLF3D). The square keeps its first-start side, as the window does
// not store it.
ConversionOptions OptionsFromSettings(const clsINI &ini);

// The palette named on the command line: a built-in name (any case), else the path of anything
// that is there (PaletteFileProblem tells what is wrong with it). Returns what is wrong with a
// name that is neither, empty when all is well.
std::string ChoosePalette(const std::string &value, ConversionOptions &options);

// What keeps the chosen palette file from loading, on one line naming the file: "Error #53: File
// not found: palette file /p/x.pal: no such file", "palette file /p/x.pal: unknown palette file
// format". The whole palette is read, as a conversion would read it. Empty for a palette that
// loads and for a built-in one.
std::string PaletteFileProblem(const PaletteChoice &choice);

// Overrides the options with the conversion options given, in order. A --skip list replaces the
// stored one; the output transparent entry is always added, as the window ticks it. Returns the
// first problem (a palette that is neither a built-in name nor a file); empty when all is well.
std::string ApplyOptions(const CliOptions &cli, ConversionOptions &options);

} // namespace qv::cli
