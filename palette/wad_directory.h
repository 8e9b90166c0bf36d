#pragma once

#include "palette/palette_file.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// The PLAYPAL of a Doom-engine WAD (Doom, Heretic, Hexen, Strife; "IWAD" or "PWAD"): the header
// gives the directory, the directory is read in parts and the last PLAYPAL lump in it wins, as
// in the games; the first 768 bytes of that lump are the palette pictures use. Only the header,
// the directory and those 768 bytes are read. A directory outside the file, a WAD without
// PLAYPAL or a PLAYPAL shorter than 768 bytes is failure 9999 naming the file and the reason.
// name: the source as messages call it.
PaletteFile ParseWadPalette(ByteSource &source, std::string_view name);

// The first of the 14 palettes of a PLAYPAL lump saved as a file (10752 bytes, or any whole
// number of 768-byte palettes).
PaletteFile ParsePlaypalLump(ByteSource &source, std::string_view name);

} // namespace qv
