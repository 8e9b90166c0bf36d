#pragma once

#include <cstdint>

namespace qv {

// A colour as one number, 0xRRGGBB: the key the answer tables, the plan table and the report's
// pairs keep colours by.
constexpr std::uint32_t PackedColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue;
}

} // namespace qv
