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
inline double MeasuredDistance(
    DistanceMeasure measure, const MeasuredColor &color, const MeasuredColor &entry)
{
    const std::int32_t dr = color.red - entry.red;
    const std::int32_t dg = color.green - entry.green;
    const std::int32_t db = color.blue - entry.blue;
    switch (measure) {
    case DistanceMeasure::Rgb:
        break;
    case DistanceMeasure::WeightedRgb: {
        // (2 + mean red / 256) dR^2 + 4 dG^2 + (2 + (255 - mean red) / 256) dB^2, times 512.
        const std::int32_t redSum = color.red + entry.red;
        return static_cast<double>(
            (1024 + redSum) * dr * dr + 2048 * dg * dg + (1534 - redSum) * db * db);
    }
    case DistanceMeasure::OkLab: {
        const double dx = color.point.x - entry.point.x;
        const double dy = color.point.y - entry.point.y;
        const double dz = color.point.z - entry.point.z;
        return dx * dx + dy * dy + dz * dz;
    }
    case DistanceMeasure::Ciede2000:
        return Ciede2000Squared(color.point, entry.point);
    }
    return static_cast<double>(dr * dr + dg * dg + db * db);
}

// The plain search under a measure: every usable entry in ascending order, strict <, so the
// lowest index wins a tie; 0 when no entry is usable. Under Rgb it is FindNearestColorPlain.
int FindNearestColorPlain(DistanceMeasure measure,
    const std::array<MatchColor, 256> &colors,
    const std::array<bool, 256> &usable,
    std::uint8_t blue,
    std::uint8_t green,
    std::uint8_t red);

} // namespace qv
