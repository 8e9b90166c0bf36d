#pragma once

#include "palette/raw_palette.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// A RIFF palette of exactly 1052 bytes: entry i is red, green, blue, flags at 24 + 4i. The
// header fields are not examined. Any other length is failure 9999 "Unknown file format", and
// nothing of such a file is read. name: the source as messages call it.
RawPalette ParseRiffPal(ByteSource &source, std::string_view name);

} // namespace qv
