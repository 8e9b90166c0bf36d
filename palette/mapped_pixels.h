#pragma once

#include "palette/color_matching.h"
#include "palette/dither.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

// What a palette conversion saw and chose, pixel by pixel, before the picture is placed in its
// square: each pixel's colour after brightness (transparent as the conversion treated it), the
// entry it got, and the colours of the entries it matched against. The mapping report is made
// from exactly these, so anything drawn from them agrees with its figures.
struct MappedPixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<DitherPixel> colors; // width x height, top row first, no padding
    std::vector<std::uint8_t> indices; // the same layout
    std::array<MatchColor, 256> entries {};
};

} // namespace qv
