#pragma once

#include "palette/palette_file.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// The PLTE chunk of an indexed PNG picture (colour type 3), in order. The chunks before it are
// walked by their lengths, never read; a picture of another colour type, or one whose pixel data
// comes before any PLTE, is failure 9999 saying so. name: the source as messages call it.
PaletteFile ParsePngPalette(ByteSource &source, std::string_view name);

// True when bytes (the start of a file) are the PNG signature.
bool LooksLikePng(const std::vector<std::uint8_t> &start);

} // namespace qv
