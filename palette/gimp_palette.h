#pragma once

#include "palette/palette_file.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// A GIMP palette (.gpl): the line "GIMP Palette", then optional "Name:" and "Columns:" lines,
// "#" comments and empty lines, and one "red green blue name" row per colour, the numbers
// decimal 0 to 255 separated by spaces or tabs. A row that is not three such numbers is failure
// 13 naming the line; more than 256 rows is failure 9 with the count. name: the source as
// messages call it.
PaletteFile ParseGimpPalette(ByteSource &source, std::string_view name);

// True when bytes (the start of a file) begin with the line GIMP writes first.
bool LooksLikeGimpPalette(std::string_view start);

} // namespace qv
