#pragma once

#include "palette/palette_file.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// A Paint.NET palette (.txt): ";" comment lines and one "AARRGGBB" per line in hex; the alpha
// byte is not used. Empty lines are skipped; any other line is failure 13 naming it, and more
// than 256 colours failure 9 with the count. name: the source as messages call it.
PaletteFile ParsePaintNetPalette(ByteSource &source, std::string_view name);

// True when text is a Paint.NET palette: at least one colour line and nothing but colour,
// comment and empty lines.
bool LooksLikePaintNetPalette(std::string_view text);

} // namespace qv
