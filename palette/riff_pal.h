#pragma once

#include "palette/raw_palette.h"

#include <cstdint>
#include <vector>

namespace qv {

// A RIFF palette of exactly 1052 bytes: entry i is red, green, blue, flags at 24 + 4i. The
// header fields are not examined. Any other size is failure 9999 "Unknown file format".
RawPalette ParseRiffPal(const std::vector<std::uint8_t> &bytes);

} // namespace qv
