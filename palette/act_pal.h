#pragma once

#include "palette/raw_palette.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// A colour table of exactly 768 bytes: 256 entries of red, green, blue. Any other length (one
// with a trailing colour count) is failure 9999: the format is recognised by its length alone.
// name: the source as messages call it.
RawPalette ParseActPal(ByteSource &source, std::string_view name);

} // namespace qv
