#include "palette/ciede2000_bound.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qv {
namespace {

// What the mean hue's range allows: T's least and largest value (found every 0.0005 degree over
// the range widened by 0.01 degree, T's slope being below 2.41 per radian, and rounded outward
// by at least 1e-4) and the largest sin(2 turn), the turn being 30 exp(-((H - 275) / 25)^2)
// degrees: at most sin 60 degrees anywhere (0.8661), about 1e-5 over 0..180 degrees, whose
// nearest point to 275 degrees is 85 degrees away, and 5.7e-7 over 90..180 (95 degrees away).
struct HueRange {
    double leastT;
    double largestT;
    double largestSine;
};

constexpr HueRange kAnyHue {0.3619, 1.5726, 0.8661};

// By the two quarters' numbers: the same quarter, or two neighbours (the lower first).
constexpr std::array<HueRange, 4> kOneQuarter {{
    {0.5784, 1.3205, 1.1e-5},
    {0.6174, 1.3884, 1e-6},
    {0.7203, 1.5726, 0.8661},
    {0.3619, 1.4457, 0.8661},
}};
constexpr std::array<HueRange, 4> kTwoQuarters {{
    {0.5784, 1.3884, 1.1e-5}, // 0..180
    {0.6174, 1.5726, 0.8661}, // 90..270
    {0.3619, 1.5726, 0.8661}, // 180..360
    {0.3619, 1.4457, 0.8661}, // 270..450
}};

const HueRange &RangeOf(std::uint8_t first, std::uint8_t second)
{
    if (first > 3 || second > 3) {
        return kAnyHue;
    }
    if (first == second) {
        return kOneQuarter[first];
    }
    if ((first + 1) % 4 == second) {
        return kTwoQuarters[first];
    }
    if ((second + 1) % 4 == first) {
        return kTwoQuarters[second];
    }
    return kAnyHue; // opposite quarters: the mean may lie anywhere
}

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

const LightnessWeightTable &LightnessWeights()
{
    static const LightnessWeightTable table;
    return table;
}

} // namespace

BoundPoint BoundPointOf(const ColorPoint &lab)
{
    BoundPoint p {lab, std::sqrt(lab.y * lab.y + lab.z * lab.z), 4};
    const double a = lab.y;
    const double b = lab.z;
    if (std::abs(a) <= 1e-6 * p.chroma || std::abs(b) <= 1e-6 * p.chroma) {
        return p; // grey, or too near an axis to be sure of the quarter
    }
    p.quarter = a > 0 ? (b > 0 ? 0 : 3) : (b > 0 ? 1 : 2);
    return p;
}

double Ciede2000QuickBound(const BoundPoint &first, const BoundPoint &second)
{
    const ColorPoint &p = first.lab;
    const ColorPoint &q = second.lab;
    const double dl = (q.x - p.x) / LightnessWeights().AtMost((p.x + q.x) / 2);
    const double da = q.y - p.y;
    const double db = q.z - p.z;
    const double weight = 1 + 0.03375 * (first.chroma + second.chroma);
    const double share = 1 - RangeOf(first.quarter, second.quarter).largestSine;
    return dl * dl + share * (da * da + db * db) / (weight * weight);
}

double Ciede2000LowerBound(const BoundPoint &first, const BoundPoint &second)
{
    const HueRange &range = RangeOf(first.quarter, second.quarter);
    const ColorPoint &p = first.lab;
    const ColorPoint &q = second.lab;
    const double dl = (q.x - p.x) / LightnessWeights().AtMost((p.x + q.x) / 2);
    const double g = 0.5 * (1 - Ciede2000ChromaShare((first.chroma + second.chroma) / 2));
    const double a1 = (1 + g) * p.y;
    const double a2 = (1 + g) * q.y;
    const double c1 = std::sqrt(a1 * a1 + p.z * p.z);
    const double c2 = std::sqrt(a2 * a2 + q.z * q.z);
    const double meanC = (c1 + c2) / 2;
    const double c = (c2 - c1) / (1 + 0.045 * meanC);
    const double hue = std::sqrt(std::max(0.0, 2 * (c1 * c2 - a1 * a2 - p.z * q.z)));
    const double low = hue / (1 + 0.015 * meanC * range.largestT);
    const double high = hue / (1 + 0.015 * meanC * range.leastT);
    const double r = range.largestSine * 2 * Ciede2000ChromaShare(meanC);
    const double h = std::clamp(r * std::abs(c) / 2, low, high);
    return dl * dl + c * c + h * h - r * std::abs(c) * h;
}

} // namespace qv
