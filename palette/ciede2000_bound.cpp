#include "palette/ciede2000_bound.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qv {
namespace {

// The rotation term R_T is at most sin 60 degrees (rounded up) times R_C in size, the hue turn
// being at most 30 degrees.
constexpr double kLargestRotationSine = 0.8661;
// The hue weight's factor T lies in [0.36206, 1.57247] for every mean hue (checked every
// thousandth of a degree, its slope being below 2.41 per radian): these round outward.
constexpr double kSmallestHueFactor = 0.3620;
constexpr double kLargestHueFactor = 1.5725;

// S_L at most, by a table of its larger value at the two ends of each tenth of mean lightness
// (it grows with the distance from 50, so the larger end bounds the step).
class LightnessWeightTable
{
public:
    LightnessWeightTable()
    {
        for (std::size_t k = 0; k < largest_.size(); ++k) {
            const double low = static_cast<double>(k) / kSteps;
            const double high = static_cast<double>(k + 1) / kSteps;
            largest_[k] = std::max(Ciede2000LightnessWeight(low), Ciede2000LightnessWeight(high))
                * (1 + 1e-12);
        }
    }

    double AtMost(double meanL) const
    {
        if (!(meanL >= 0 && meanL < 100)) {
            return Ciede2000LightnessWeight(meanL);
        }
        return largest_[static_cast<std::size_t>(meanL * kSteps)];
    }

private:
    static constexpr double kSteps = 10;
    std::array<double, 1000> largest_ {};
};

} // namespace

double Ciede2000LowerBound(
    const ColorPoint &first, double firstChroma, const ColorPoint &second, double secondChroma)
{
    static const LightnessWeightTable lightnessWeights;
    const double dl = (second.x - first.x) / lightnessWeights.AtMost((first.x + second.x) / 2);
    const double g = 0.5 * (1 - Ciede2000ChromaShare((firstChroma + secondChroma) / 2));
    const double a1 = (1 + g) * first.y;
    const double a2 = (1 + g) * second.y;
    const double c1 = std::sqrt(a1 * a1 + first.z * first.z);
    const double c2 = std::sqrt(a2 * a2 + second.z * second.z);
    const double meanC = (c1 + c2) / 2;
    const double c = (c2 - c1) / (1 + 0.045 * meanC);
    const double hue = std::sqrt(std::max(0.0, 2 * (c1 * c2 - a1 * a2 - first.z * second.z)));
    const double low = hue / (1 + 0.015 * meanC * kLargestHueFactor);
    const double high = hue / (1 + 0.015 * meanC * kSmallestHueFactor);
    const double r = kLargestRotationSine * 2 * Ciede2000ChromaShare(meanC);
    const double h = std::clamp(r * std::abs(c) / 2, low, high);
    return dl * dl + c * c + h * h - r * std::abs(c) * h;
}

} // namespace qv
