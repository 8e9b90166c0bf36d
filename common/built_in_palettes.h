#pragma once

#include <array>
#include <string>

namespace qv {

// The built-in palettes in the order of the Palette menu and of the "Palette" setting (0..6); each
// name is also the name of its embedded resource. The next position, 7, is the external file.
inline constexpr std::array<const char *, 7> kBuiltInPalettes = {
    "WOLF3D", "SPEAR", "BLAKESTONE", "BODYCOUNT", "CORRIDOR7", "NOAH3D", "DOOM"};
inline constexpr int kExternalPaletteOption = static_cast<int>(kBuiltInPalettes.size());
// The external item's caption, followed by ": " and the file's name once one is chosen.
inline constexpr const char *kExternalPaletteCaption = "&Use External";

// The built-in palettes' names separated by ", ", for messages.
std::string BuiltInPaletteNames();

} // namespace qv
