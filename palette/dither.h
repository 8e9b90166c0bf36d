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

// How to dither: the method, its strength in per cent (0 matches every pixel alone, 100 is the
// method as published) and whether exact colours keep their entry.
struct DitherSettings {
    Dithering method = Dithering::None;
    std::int32_t strength = 100;
    bool keepExactColors = false;
};

// Indices of the store's palette for width x height pixels (rows in the picture's order, no
// padding), transparent pixels given `transparent`. None, or a strength of 0, matches every pixel
// alone. Ordered adds an 8 x 8 Bayer threshold (plus or minus half a step of 32 values, times the
// strength) to each component in sRGB before matching. The error-diffusion methods walk the rows
// in turn, each in the direction opposite to the last (serpentine), and spread each pixel's error
// (times the strength) to the neighbours ahead and below by their kernel (diffusion_kernels.h),
// in linear-light RGB: the error is the light the chosen entry lacks, so an area's mean light
// stays that of the picture (the wanted light is matched clamped to 0..1, its error kept).
// With keepExactColors, a pixel whose own colour a usable entry holds exactly takes that entry,
// and the error that reached it is dropped rather than passed on: passed on, it would spill out of
// a gradient across an exact-colour outline or flat area into the pixels beyond it.
// The matching uses the store's measure and usable entries; the result depends on nothing else.
std::vector<std::uint8_t> DitherToPalette(PaletteStore &store,
    const DitherSettings &settings,
    const std::vector<DitherPixel> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::uint8_t transparent);

} // namespace qv
