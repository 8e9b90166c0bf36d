#pragma once

#include "palette/palette_file.h"
#include "platform/byte_source.h"

#include <optional>
#include <string_view>

namespace qv {

// The palette a palette file holds, its format told by content first and by the file name's
// extension only where content cannot tell:
// - 768 bytes: an ACT table (Quake's palette.lmp is the same), whatever it begins with, unless
//   it begins "GIMP Palette" or "ASEF" or is named .gpl, .hex, .txt, .aco, .ase or .dat;
// - 893 bytes with object-file records: GAMEPAL.OBJ;
// - by their first bytes: JASC-PAL, RIFF, GIMP, ASE, PNG, BMP, WAD (IWAD, PWAD), PAK;
// - 772 bytes: an ACT table with a count; 10752 bytes (or .lmp, whole 768-byte palettes): a
//   PLAYPAL lump; a Build PALETTE.DAT by its length and 6-bit colours, or when named .dat;
// - version 1 swatches, or .aco; a hex palette or a Paint.NET palette by their lines, or when
//   named .hex or .txt.
// Nothing for a file none of these claims. Reads only what the format needs; refusals are
// thrown with name (the source as messages call it) in their description. fileName: the name
// the extension is taken from, empty for none.
std::optional<PaletteFile> RecognisePaletteFile(
    ByteSource &source, std::string_view name, std::string_view fileName);

} // namespace qv
