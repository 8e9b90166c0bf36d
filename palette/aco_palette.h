#pragma once

#include "palette/palette_file.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// Photoshop swatches (.aco), big-endian: a version (1, or 2 with names), a colour count and per
// colour a colour space and four 16-bit values. Only RGB colours (space 0) are read, each value
// scaled from 0..65535 to 0..255 (v * 257 gives back v); a colour in another space (CMYK, Lab,
// ...) is failure 9999 naming the space. A file with a version 1 part is read from that part.
// Read entry by entry, never further than the colours need. name: the source as messages call
// it.
PaletteFile ParseAcoPalette(ByteSource &source, std::string_view name);

// True when a file begins with a version 1 swatch header whose colours end at the end of the
// file or where a version 2 header begins: content enough to tell swatches from anything else.
// start: the first bytes of the file, as already read.
bool LooksLikeAcoPalette(ByteSource &source, const std::vector<std::uint8_t> &start);

} // namespace qv
