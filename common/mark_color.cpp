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

std::uint32_t UsedMarkColorFor(std::uint32_t color)
{
    const std::uint32_t red = color & 0xFF;
    const std::uint32_t green = color >> 8 & 0xFF;
    const std::uint32_t blue = color >> 16 & 0xFF;
    const bool dark = 299 * red + 587 * green + 114 * blue < 128 * 1000;
    return dark ? 0xFFFFFFu : 0x000000u;
}

} // namespace qv
