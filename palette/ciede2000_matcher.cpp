#include "palette/ciede2000_matcher.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {
namespace {

// The rotation term R_T x y is at most |R_T| / 2 of x^2 + y^2, and |R_T| = |sin 2 d theta| R_C with
// d theta at most 30 degrees and R_C = 2 sqrt(C'^7 / (C'^7 + 25^7)) growing with the mean C':
// sin 60 degrees (rounded up) times that root, at the largest mean C', is the most it takes.
constexpr double kLargestRotationSine = 0.8661;
// S_C = 1 + 0.045 mean C' is at most 1 + 0.03375 (C1 + C2), C' being at most 1.5 C; S_H <= S_C.
constexpr double kChromaWeightSlope = 0.03375;

} // namespace

Ciede2000Matcher::Ciede2000Matcher() = default;

void Ciede2000Matcher::Reset(
    const std::array<MatchColor, 256> &colors, const std::array<bool, 256> &usable)
{
    byLightness_.clear();
    std::vector<MatchColor> seen;
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const MatchColor &c = colors[i];
        if (!usable[i] || std::find(seen.begin(), seen.end(), c) != seen.end()) {
            continue; // a later entry of the same colour always loses the tie
        }
        seen.push_back(c);
        byLightness_.push_back({CieLabOf(static_cast<std::uint8_t>(c.red),
                                    static_cast<std::uint8_t>(c.green),
                                    static_cast<std::uint8_t>(c.blue)),
            static_cast<std::uint8_t>(i),
            0});
        byLightness_.back().chroma =
            std::hypot(byLightness_.back().lab.y, byLightness_.back().lab.z);
    }
    std::stable_sort(byLightness_.begin(), byLightness_.end(), [](const Entry &a, const Entry &b) {
        return a.lab.x < b.lab.x;
    });
    for (std::size_t k = 0; k < byLightness_.size(); ++k) {
        position_[byLightness_[k].index] = k;
    }
    rgb_.Reset(colors, usable);
    answers_.Clear();
}

std::uint8_t Ciede2000Matcher::Search(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    if (byLightness_.empty()) {
        return 0;
    }
    const ColorPoint lab = CieLabOf(red, green, blue);
    double best = std::numeric_limits<double>::infinity();
    int answer = 256;
    const double chroma = std::hypot(lab.y, lab.z);
    const auto visit = [&](const Entry &e) {
        const double da = e.lab.y - lab.y;
        const double db = e.lab.z - lab.z;
        const double dl = (e.lab.x - lab.x) / kLargestLightnessWeight;
        const double chromaSum = chroma + e.chroma;
        const double sc = 1 + kChromaWeightSlope * chromaSum;
        const double mean = 0.75 * chromaSum; // at least the mean C'
        const double m2 = mean * mean;
        const double m7 = m2 * m2 * m2 * mean;
        const double share = 1 - kLargestRotationSine * std::sqrt(m7 / (m7 + 6103515625.0));
        if (dl * dl + share * (da * da + db * db) / (sc * sc) > best * (1 + 1e-9) + 1e-12) {
            return; // farther than the best already, whatever the hue terms do
        }
        const double distance = Ciede2000Squared(lab, e.lab);
        if (distance < best || (distance == best && e.index < answer)) {
            best = distance;
            answer = e.index;
        }
    };
    // Lightness alone keeps an entry this far off: stop once it exceeds the best found.
    const auto beyond = [&](const Entry &e) {
        const double bound = (e.lab.x - lab.x) / kLargestLightnessWeight;
        return bound * bound > best * (1 + 1e-9) + 1e-12;
    };
    // A usable entry of the lowest index of its colour, so one kept in byLightness_.
    const Entry &start =
        byLightness_[position_[static_cast<std::size_t>(rgb_.Find(blue, green, red))]];
    best = Ciede2000Squared(lab, start.lab);
    answer = start.index;
    const auto split = std::lower_bound(
        byLightness_.begin(), byLightness_.end(), lab.x, [](const Entry &e, double l) {
            return e.lab.x < l;
        });
    auto up = split;
    auto down = split;
    while (up != byLightness_.end() || down != byLightness_.begin()) {
        if (up != byLightness_.end()) {
            if (beyond(*up)) {
                up = byLightness_.end();
            } else {
                visit(*up++);
            }
        }
        if (down != byLightness_.begin()) {
            if (beyond(*(down - 1))) {
                down = byLightness_.begin();
            } else {
                visit(*--down);
            }
        }
    }
    return static_cast<std::uint8_t>(answer == 256 ? 0 : answer);
}

} // namespace qv
