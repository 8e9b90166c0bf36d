#pragma once

#include "common/conversion_options.h"
#include "palette/color_matching.h"
#include "palette/color_spaces.h"

#include <array>
#include <cstdint>

namespace qv {

// A colour as a measure compares it: its components and, for OKLab and CIEDE2000, its point in
// that measure's space, computed once.
struct MeasuredColor {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    ColorPoint point;
};

MeasuredColor Measured(
    DistanceMeasure measure, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// How far a colour is from an entry under the measure, as a number that orders like the measure
// (the square of the distance; weighted RGB scaled by 512 so it stays whole). Every search of the
// program compares these very numbers, so the fast ones agree with the plain one bit for bit.
double MeasuredDistance(
    DistanceMeasure measure, const MeasuredColor &color, const MeasuredColor &entry);

// The plain search under a measure: every usable entry in ascending order, strict <, so the
// lowest index wins a tie; 0 when no entry is usable. Under Rgb it is FindNearestColorPlain.
int FindNearestColorPlain(DistanceMeasure measure,
    const std::array<MatchColor, 256> &colors,
    const std::array<bool, 256> &usable,
    std::uint8_t blue,
    std::uint8_t green,
    std::uint8_t red);

} // namespace qv
