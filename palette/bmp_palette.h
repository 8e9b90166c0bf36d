#pragma once

#include "palette/palette_file.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// The colour table of an indexed BMP picture (1, 4 or 8 bits per pixel), in order: the number
// of colours the header says it uses, or 2, 16 or 256 when it says 0. Both header kinds are
// read (12-byte headers with 3-byte entries, larger ones with 4-byte entries). A picture of
// another depth has no table and is failure 9999 naming its depth. Only the headers and the
// table are read. name: the source as messages call it.
PaletteFile ParseBmpPalette(ByteSource &source, std::string_view name);

} // namespace qv
