#pragma once

#include "palette/dither.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

class PaletteStore;

inline constexpr std::size_t kPlanSize = 16;

// The error share of the method as published (half the error is carried into each next
// candidate), times the strength.
double PatternErrorShare(std::int32_t strength);

// Knoll's pattern dithering (T. Knoll, US patent 6,606,166, "Pattern dithering", 2003, expired;
// described for arbitrary palettes by J. Yliluoma, "Arbitrary-palette positional dithering
// algorithm", https://bisqwit.iki.fi/story/howto/dither/jy/): for each colour a plan of kPlanSize
// usable entries whose mean light is close to the colour's. The first candidate is the entry
// nearest to the colour; each next one the entry nearest to the colour plus errorShare times the
// error left so far (the colour times the candidates so far, less their light), all in linear
// light, matched under the store's distance. The plan is sorted by luminance (then index), so a
// threshold picks darker entries where it is low.
//
// Each pixel takes the plan entry its threshold picks: an 8 x 8 Bayer rank (Pattern) or a
// 32 x 32 blue-noise rank (PatternBlueNoise), rank * 16 / ranks. The plan of a colour is made
// once per call. A pixel's entry depends only on its own colour and position, so the pattern
// does not crawl between frames of an animation and one changed pixel changes no other.
void PatternDither(PaletteStore &store,
    const DitherSettings &settings,
    const std::vector<DitherPixel> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::vector<std::uint8_t> &out);

} // namespace qv
