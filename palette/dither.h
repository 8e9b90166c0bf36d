#pragma once

#include "common/conversion_options.h"

#include <cstdint>
#include <vector>

namespace qv {

class PaletteStore;

// One pixel of a picture to be dithered: its colour (brightness already applied) and whether it
// is transparent, in which case it keeps no entry here and neither takes nor gives error.
struct DitherPixel {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool transparent = false;
};

// Indices of the store's palette for width x height pixels (rows in the picture's order, no
// padding), transparent pixels given `transparent`. None matches every pixel alone. Ordered adds
// an 8 x 8 Bayer threshold (plus or minus half a step of 32 values) to each component in sRGB
// before matching. Floyd-Steinberg walks the rows in turn, each in the direction opposite to the
// last, and spreads each pixel's error 7/16 ahead, 3/16 behind below, 5/16 below, 1/16 ahead
// below, in linear-light RGB: the error is the light the chosen entry lacks, so an area's mean
// light stays that of the picture (the wanted light is matched clamped to 0..1, its error kept).
// The matching uses the store's measure and usable entries; the result depends on nothing else.
std::vector<std::uint8_t> DitherToPalette(PaletteStore &store,
    Dithering mode,
    const std::vector<DitherPixel> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::uint8_t transparent);

} // namespace qv
