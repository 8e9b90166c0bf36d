#pragma once

#include "palette/raw_palette.h"

#include <cstdint>
#include <vector>

namespace qv {

// A colour table of exactly 768 bytes: 256 entries of red, green, blue. A larger file (one with
// a trailing colour count) is failure 9999: the format is recognised by its size alone.
RawPalette ParseActPal(const std::vector<std::uint8_t> &bytes);

} // namespace qv
