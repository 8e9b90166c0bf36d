#pragma once

#include "palette/palette_file.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// A RIFF palette: "RIFF", a size, the form type "PAL ", then chunks of an id, a little-endian
// size and a body padded to even length. The "data" chunk holds a version, an entry count
// (1..256) and per entry red, green, blue and a flags byte that is skipped; 1048 bytes for 256
// entries, and a file may carry more chunks before or after it. A RIFF file of another form
// (WAVE, AVI, ...) is failure 9999 naming its form; one whose data chunk is missing, or runs
// past the file, is refused too. Only the headers walked and the entries are read, at most 64
// chunks. name: the source as messages call it.
PaletteFile ParseRiffPal(ByteSource &source, std::string_view name);

} // namespace qv
