#pragma once

#include "palette/palette_file.h"
#include "palette/raw_palette.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// A colour table of exactly 768 bytes: 256 entries of red, green, blue. Any other length (one
// with a trailing colour count) is failure 9999: the format is recognised by its length alone.
// name: the source as messages call it.
RawPalette ParseActPal(ByteSource &source, std::string_view name);

// A Photoshop colour table of exactly 772 bytes: the 768-byte table, then the number of colours
// used and the transparent index, both 16-bit big-endian. The count is honoured (the entries
// after it are black, whatever the table holds there); a transparent index below 256 is only
// reported (0xFFFF says none), never applied. A count of 0 or above 256 is refused.
PaletteFile ParseActPalWithCount(ByteSource &source, std::string_view name);

} // namespace qv
