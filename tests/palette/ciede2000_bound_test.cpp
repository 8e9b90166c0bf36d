#include "palette/ciede2000_bound.h"
#include "palette/color_spaces.h"

#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

// The bounds are what let the search skip entries, so neither may exceed the difference (by
// more than the margin the search allows for rounding), in either order of the pair.
void ExpectBelow(const ColorPoint &first, const ColorPoint &second)
{
    const double exact = Ciede2000Squared(first, second);
    const BoundPoint p = BoundPointOf(first);
    const BoundPoint q = BoundPointOf(second);
    EXPECT_LE(Ciede2000LowerBound(p, q), exact * (1 + 1e-9) + 1e-9)
        << first.x << " " << first.y << " " << first.z << " / " << second.x << " " << second.y
        << " " << second.z;
    EXPECT_LE(Ciede2000QuickBound(p, q), exact * (1 + 1e-9) + 1e-9)
        << first.x << " " << first.y << " " << first.z << " / " << second.x << " " << second.y
        << " " << second.z;
}

// The pairs where each part of the bound is at its edge: grey against colour (no hue), opposite
// hues, hues on and beside the axes between quarters, neighbouring quarters on either side of
// 0 and 180 degrees, the blue region where the rotation is strongest, the two ends of
// lightness, equal colours, and the published test pairs.
TEST(Ciede2000LowerBound, NeverExceedsTheDifferenceAtTheEdges)
{
    const std::vector<std::pair<ColorPoint, ColorPoint>> pairs {
        {{50, 0, 0}, {50, 0, 0}},
        {{50, 0, 0}, {60, 30, -40}},
        {{50, 40, 0}, {50, -40, 0}},
        {{50, 0, 60}, {50, 0, -60}},
        {{50, 1e-9, 60}, {50, 1e-9, -60}},
        {{50, 40, 1e-9}, {50, -40, 1e-9}},
        {{50, 40, 0.5}, {50, 40, -0.5}},
        {{50, -40, 0.5}, {50, -40, -0.5}},
        {{50, 30, 30}, {52, -30, 29}},
        {{50, 30, -30}, {52, 31, 29}},
        {{40, -30, -30}, {41, 29, -31}},
        {{30, -5, -90}, {32, 10, -85}},
        {{30, 2.6772, -79.7751}, {30, 0, -82.7485}},
        {{50, 2.5, 0}, {50, 0, -2.5}},
        {{0, 0, 0}, {1, 0.5, -0.5}},
        {{100, 0, 0}, {98, -2, 3}},
        {{0, 0, 0}, {100, 0, 0}},
        {{32.3, 79.2, -107.9}, {87.7, -86.2, 83.2}},
        {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}},
    };
    for (const auto &[first, second] : pairs) {
        ExpectBelow(first, second);
        ExpectBelow(second, first);
    }
}

// Random colours of the sRGB gamut, nearby pairs (where the search decides) and far ones, with
// the mean share of the difference the bound reaches: a bound that dropped to a fraction of it
// would keep every answer but make the search measure nearly every entry.
TEST(Ciede2000LowerBound, NeverExceedsTheDifferenceAndStaysClose)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> nudge(-12, 12);
    const auto near = [&](int v) {
        return static_cast<std::uint8_t>(std::clamp(v + nudge(random), 0, 255));
    };
    double shares = 0;
    int counted = 0;
    for (int k = 0; k < 20000; ++k) {
        const int r = byte(random);
        const int g = byte(random);
        const int b = byte(random);
        const ColorPoint first = CieLabOf(static_cast<std::uint8_t>(r),
            static_cast<std::uint8_t>(g),
            static_cast<std::uint8_t>(b));
        const ColorPoint second = k % 2 == 0 ? CieLabOf(near(r), near(g), near(b))
                                             : CieLabOf(static_cast<std::uint8_t>(byte(random)),
                                                 static_cast<std::uint8_t>(byte(random)),
                                                 static_cast<std::uint8_t>(byte(random)));
        ExpectBelow(first, second);
        const double exact = Ciede2000Squared(first, second);
        if (exact > 1) {
            shares += Ciede2000LowerBound(BoundPointOf(first), BoundPointOf(second)) / exact;
            ++counted;
        }
    }
    ASSERT_GT(counted, 0);
    EXPECT_GT(shares / counted, 0.5);
}

} // namespace
} // namespace qv
