#pragma once

#include "palette/palette_file.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// A plain hex palette (.hex, as Lospec writes it): one "RRGGBB" per line, a leading "#"
// allowed, empty lines skipped. Any other line is failure 13 naming it; more than 256 colours
// is failure 9 with the count. name: the source as messages call it.
PaletteFile ParseHexPalette(ByteSource &source, std::string_view name);

// True when text is a hex palette: at least one colour line and nothing but colour lines and
// empty lines, so content alone tells it from any other format.
bool LooksLikeHexPalette(std::string_view text);

} // namespace qv
