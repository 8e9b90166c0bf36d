#pragma once

#include "palette/palette_file.h"
#include "platform/byte_source.h"

#include <cstdint>
#include <string_view>

namespace qv {

// The palette of a Build-engine game's PALETTE.DAT (Duke Nukem 3D, Shadow Warrior, Blood, ...):
// its first 768 bytes, red, green, blue as 6-bit values 0..63; the shade and translucency tables
// after them are not read. Each component is widened by 4 (0..252), the rule this program
// already follows for the 6-bit GAMEPAL.OBJ and the six built-in 6-bit game palettes, so one
// game colour always has one 8-bit value here and the colour tables written out give the 6-bit
// values back by dropping two bits (v >> 2). 255/63 (63 -> 255) would look brighter and also
// come back under v >> 2, but the same game colour would then differ between a PALETTE.DAT and
// a built-in palette by up to 3 per component. A component above 63 is failure 9999 naming
// the entry. name: the source as messages call it.
PaletteFile ParseBuildPaletteDat(ByteSource &source, std::string_view name);

// True when a file's length is that of a PALETTE.DAT: 768 bytes of colours, a 16-bit shade
// count and that many 256-byte shade tables, with or without the 64 KiB translucency table.
// The count is the 2 bytes at offset 768.
bool HasBuildPaletteLength(std::uint64_t length, std::uint16_t shades);

} // namespace qv
