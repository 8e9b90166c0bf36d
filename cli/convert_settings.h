#pragma once

#include "cli/cli_options.h"
#include "common/cls_ini.h"

#include <array>
#include <string>

namespace qv::cli {

// The built-in palettes in the order of the window's Palette menu; each name is also the name
// of its embedded resource. The menu's next item, 7, is the external palette file.
inline constexpr std::array<const char *, 7> kBuiltInPalettes = {
    "WOLF3D", "SPEAR", "BLAKESTONE", "BODYCOUNT", "CORRIDOR7", "NOAH3D", "DOOM"};
inline constexpr int kExternalPaletteOption = 7;
// The side of the output square when neither the options nor Find Minimum set it: the window
// starts with it too, as it does not keep the size between runs.
inline constexpr int kDefaultSquareSize = 64;

// Every option the conversion asks for, as plain values in the window's terms (menu indices,
// skip checkbox values, brightness 0..200). The defaults are those of the window's first start.
struct ConvertSettings {
    int paletteNumber = 0; // 0..6 a built-in palette, 7 the external file
    std::string externalPalette; // the external file's path, empty when none is set
    std::array<int, 256> skip {}; // non-zero: the matcher never uses the entry
    bool convertPalette = true;
    int verticalAlignment = 2; // Top, Center, Bottom, Weighted
    int horizontalAlignment = 1; // Left, Center, Right, Weighted
    bool applyTransparency = true;
    int inputTransparent = 255;
    int outputTransparent = 255;
    bool transparentEdges = true;
    int scaling = 0; // None, 64x64, 128x128, 32x32
    int colorMatching = 0; // Pixel, Row, Column, Square
    std::array<int, 3> brightness = {100, 100, 100}; // red, green, blue
    int squareSize = kDefaultSquareSize;

    ConvertSettings() { skip[255] = 1; }
};

// The settings as the window's start-up applies them: out-of-range menu indices give the
// defaults, a brightness outside 0..200 gives 100, an output transparent colour outside 0..255
// gives 255 and its entry is marked skipped; an external palette that names no file gives WOLF3D.
ConvertSettings SettingsFromIni(const clsINI &ini);

// Overrides the settings with the options given. A --skip list replaces the stored one; the
// output transparent entry is always added, as the window ticks it. Returns a message for a
// palette that is neither a built-in name (any case) nor a file; empty when all is well.
std::string ApplyOptions(const CliOptions &options, ConvertSettings &settings);

} // namespace qv::cli
