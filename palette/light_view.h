#pragma once

#include "palette/light_tables.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace qv {

// A picture of palette indices as the game draws it at one light level: each index p becomes
// tables.levels[level][p], exactly the game's own look-up. The indices may be rows of any
// layout (padding bytes are looked up like pixels and stay padding). Pixels of the transparent
// index, when one is given, keep it. A level at or past the count is failure 9.
std::vector<std::uint8_t> LightView(const LightTables &tables,
    std::size_t level,
    const std::vector<std::uint8_t> &indices,
    std::optional<std::uint8_t> transparentIndex);

} // namespace qv
