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
