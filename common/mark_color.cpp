#include "common/mark_color.h"

namespace qv {

std::uint32_t MarkColorFor(std::uint32_t color)
{
    const int r = static_cast<int>(color & 0xFFu);
    const int g = static_cast<int>((color >> 8) & 0xFFu);
    const int b = static_cast<int>((color >> 16) & 0xFFu);
    const auto outside = [](int channel) { return channel < 98 || channel > 158; };
    if (outside(r) || outside(g) || outside(b)) {
        return static_cast<std::uint32_t>((255 - r) | ((255 - g) << 8) | ((255 - b) << 16));
    }
    return (r + g + b) / 3 > 127 ? 0x000000u : 0xFFFFFFu;
}

} // namespace qv
