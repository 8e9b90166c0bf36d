#pragma once

#include "palette/palette_file.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// The palette of a Quake PAK: "PACK", then the directory's offset and length; the directory is
// read in parts and its first entry named gfx/palette.lmp (as the game looks it up; letter case
// aside) gives 768 bytes of red, green, blue. Only the header, the directory and those bytes are
// read. A directory outside the file or not a whole number of 64-byte entries, a PAK without
// gfx/palette.lmp or one shorter than 768 bytes is failure 9999 naming the file and the reason.
// name: the source as messages call it.
PaletteFile ParsePakPalette(ByteSource &source, std::string_view name);

} // namespace qv
