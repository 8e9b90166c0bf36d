#pragma once

#include "palette/raw_palette.h"

#include <cstdint>
#include <vector>

namespace qv {

// The palette object file of 6-bit games, exactly 893 bytes: 768 components from offset 119,
// each scaled to 8 bits by 4 after dropping anything above the low 6 bits (63 -> 252, 64 -> 0).
// Any other size is failure 9999.
RawPalette ParseGamepalObj(const std::vector<std::uint8_t> &bytes);

} // namespace qv
