#include "palette/distance_measure.h"

#include <limits>

namespace qv {

MeasuredColor Measured(
    DistanceMeasure measure, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    MeasuredColor color {red, green, blue, {}};
    if (measure == DistanceMeasure::OkLab) {
        color.point = OkLabOf(red, green, blue);
    } else if (measure == DistanceMeasure::Ciede2000) {
        color.point = CieLabOf(red, green, blue);
    }
    return color;
}

double MeasuredDistance(
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

int FindNearestColorPlain(DistanceMeasure measure,
    const std::array<MatchColor, 256> &colors,
    const std::array<bool, 256> &usable,
    std::uint8_t blue,
    std::uint8_t green,
    std::uint8_t red)
{
    const MeasuredColor color = Measured(measure, red, green, blue);
    double best = std::numeric_limits<double>::infinity();
    int answer = 0;
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (!usable[i]) {
            continue;
        }
        const MeasuredColor entry = Measured(measure,
            static_cast<std::uint8_t>(colors[i].red),
            static_cast<std::uint8_t>(colors[i].green),
            static_cast<std::uint8_t>(colors[i].blue));
        const double distance = MeasuredDistance(measure, color, entry);
        if (distance < best) {
            best = distance;
            answer = static_cast<int>(i);
        }
    }
    return answer;
}

} // namespace qv
