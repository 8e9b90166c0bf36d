#pragma once

#include "common/conversion_options.h"
#include "platform/dialog_service.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

class PaletteStore;

// One entry of the match table, each component 0..255.
struct MatchColor {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;

    bool operator==(const MatchColor &) const = default;
};

// Squared distance between a pixel (in bitmap byte order) and an entry; all three components
// weigh the same, so the result lies in 0..195075.
int ColorDistance(std::uint8_t blue, std::uint8_t green, std::uint8_t red, const MatchColor &c);

// The plain search that defines the answer: every usable entry in ascending order, strict <,
// so the lowest index wins a tie; 0 when no entry is usable. The fast search must agree with it
// for every colour.
int FindNearestColorPlain(const std::array<MatchColor, 256> &colors,
    const std::array<bool, 256> &usable,
    std::uint8_t blue,
    std::uint8_t green,
    std::uint8_t red);

// Turns a 24- or 32-bit picture into indices of the store's palette: rows of width bytes padded
// with 0 to a multiple of 4, row order kept, the fourth byte of a 32-bit pixel ignored. The
// offsets (blue, green, red) are added and clamped to 0..255 before matching. Other depths pass
// unchanged. A failure (such as pixel data shorter than the size requires) is reported as
// "ConvertTo8BitBMP" and leaves the partly converted result in pixels. Takes the skip snapshot
// (of skip) first if the store has none yet.
void ConvertTo8BitBMP(DialogService &dialogs,
    PaletteStore &store,
    const SkipSet &skip,
    std::vector<std::uint8_t> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth,
    const std::array<std::int32_t, 3> &offsets);

} // namespace qv
