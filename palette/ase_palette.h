#pragma once

#include "palette/palette_file.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// Adobe swatch exchange (.ase), big-endian: "ASEF", a version, a block count, then blocks of a
// type, a length and a body. Colour blocks (type 1) give the colours in order; group blocks are
// passed over. An RGB colour's three floats 0..1 become round(v * 255), clamped; a colour in
// another model (CMYK, LAB, Gray) is failure 9999 naming the model. The blocks are walked one by
// one, never the whole file, and at most 65536 of them. name: the source as messages call it.
PaletteFile ParseAsePalette(ByteSource &source, std::string_view name);

} // namespace qv
