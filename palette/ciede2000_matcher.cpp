#include "palette/ciede2000_matcher.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {
namespace {

// Whether a lower bound rules an entry out against the best difference found: the margin covers
// the rounding of both the bound and the difference itself.
bool Exceeds(double bound, double best)
{
    return bound > best * (1 + 1e-9) + 1e-9;
}

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
        const ColorPoint lab = CieLabOf(static_cast<std::uint8_t>(c.red),
            static_cast<std::uint8_t>(c.green),
            static_cast<std::uint8_t>(c.blue));
        byLightness_.push_back({BoundPointOf(lab), static_cast<std::uint8_t>(i)});
    }
    std::stable_sort(byLightness_.begin(), byLightness_.end(), [](const Entry &a, const Entry &b) {
        return a.point.lab.x < b.point.lab.x;
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
    const BoundPoint q = BoundPointOf(CieLabOf(red, green, blue));

    // The RGB answer, nearly always near the CIEDE2000 one, is measured first: a usable entry of
    // the lowest index of its colour, so one kept in byLightness_.
    const Entry &start =
        byLightness_[position_[static_cast<std::size_t>(rgb_.Find(blue, green, red))]];
    double best = Ciede2000Squared(q.lab, start.point.lab);
    int answer = start.index;

    // Entries beyond this lightness difference are farther than the start whatever their hue:
    // the lightness term alone exceeds it. S_L grows with the mean lightness's distance from 50,
    // so on each side it is at most its larger value at the two ends of the mean's range.
    const double lowest = byLightness_.front().point.lab.x;
    const double highest = byLightness_.back().point.lab.x;
    const double here = Ciede2000LightnessWeight(q.lab.x);
    const double root = std::sqrt(best) * (1 + 1e-9);
    const double upWeight = std::max(here, Ciede2000LightnessWeight((q.lab.x + highest) / 2));
    const double downWeight = std::max(here, Ciede2000LightnessWeight((q.lab.x + lowest) / 2));
    double reachUp = root * upWeight;
    double reachDown = root * downWeight;
    const auto visit = [&](const Entry &e) {
        if (!Exceeds(Ciede2000QuickBound(q, e.point), best)
            && !Exceeds(Ciede2000LowerBound(q, e.point), best)) {
            const double distance = Ciede2000Squared(q.lab, e.point.lab);
            if (distance < best || (distance == best && e.index < answer)) {
                best = distance;
                answer = e.index;
                const double difference = std::sqrt(best) * (1 + 1e-9);
                reachUp = difference * upWeight;
                reachDown = difference * downWeight;
            }
        }
    };
    const auto split = std::lower_bound(
        byLightness_.begin(), byLightness_.end(), q.lab.x, [](const Entry &e, double l) {
            return e.point.lab.x < l;
        });
    auto up = split;
    auto down = split;
    bool goUp = true;
    bool goDown = true;
    while (goUp || goDown) {
        goUp = goUp && up != byLightness_.end() && up->point.lab.x - q.lab.x <= reachUp + 1e-9;
        if (goUp) {
            visit(*up++);
        }
        goDown = goDown && down != byLightness_.begin()
            && q.lab.x - (down - 1)->point.lab.x <= reachDown + 1e-9;
        if (goDown) {
            visit(*--down);
        }
    }
    return static_cast<std::uint8_t>(answer);
}

} // namespace qv
