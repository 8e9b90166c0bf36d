#include "palette/color_spaces.h"

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

// CIEDE2000 written out as Sharma, Wu and Dalal give it, with every angle from an arctangent:
// slow, plain, and independent of the program's version, which avoids most angles.
double ReferenceDeltaE(const ColorPoint &p, const ColorPoint &q)
{
    const double pi = std::numbers::pi;
    const auto degrees = [&](double y, double x) {
        const double d = std::atan2(y, x) * 180 / pi;
        return d < 0 ? d + 360 : d;
    };
    const double meanC = (std::hypot(p.y, p.z) + std::hypot(q.y, q.z)) / 2;
    const double c7 = std::pow(meanC, 7);
    const double g = 0.5 * (1 - std::sqrt(c7 / (c7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * p.y;
    const double a2 = (1 + g) * q.y;
    const double c1 = std::hypot(a1, p.z);
    const double c2 = std::hypot(a2, q.z);
    const double h1 = c1 == 0 ? 0 : degrees(p.z, a1);
    const double h2 = c2 == 0 ? 0 : degrees(q.z, a2);
    double dh = 0;
    if (c1 * c2 != 0) {
        dh = h2 - h1;
        dh = dh > 180 ? dh - 360 : (dh < -180 ? dh + 360 : dh);
    }
    const double dH = 2 * std::sqrt(c1 * c2) * std::sin(dh * pi / 360);
    double meanH = h1 + h2;
    if (c1 * c2 != 0) {
        meanH = std::abs(h1 - h2) <= 180 ? meanH / 2
                                         : (meanH < 360 ? (meanH + 360) / 2 : (meanH - 360) / 2);
    }
    const auto cosd = [&](double d) { return std::cos(d * pi / 180); };
    const double t = 1 - 0.17 * cosd(meanH - 30) + 0.24 * cosd(2 * meanH)
        + 0.32 * cosd(3 * meanH + 6) - 0.20 * cosd(4 * meanH - 63);
    const double turn = 30 * std::exp(-std::pow((meanH - 275) / 25, 2));
    const double meanCp = (c1 + c2) / 2;
    const double rc =
        2 * std::sqrt(std::pow(meanCp, 7) / (std::pow(meanCp, 7) + std::pow(25.0, 7)));
    const double l50 = std::pow((p.x + q.x) / 2 - 50, 2);
    const double sl = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sc = 1 + 0.045 * meanCp;
    const double sh = 1 + 0.015 * meanCp * t;
    const double rt = -std::sin(2 * turn * pi / 180) * rc;
    const double l = (q.x - p.x) / sl;
    const double c = (c2 - c1) / sc;
    const double h = dH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

void ExpectAsReference(const ColorPoint &p, const ColorPoint &q)
{
    const double reference = ReferenceDeltaE(p, q);
    EXPECT_NEAR(std::sqrt(Ciede2000Squared(p, q)), reference, 1e-9 * (1 + reference))
        << p.x << " " << p.y << " " << p.z << " / " << q.x << " " << q.y << " " << q.z;
}

// Greys, a grey beside a colour, hues on each side of 0 and of 180 degrees, opposite hues with
// either one first (where the mean hue turns by 90 degrees; exactly opposite at 179 and 359
// degrees with unequal chromas, so the rotation counts), and the blue region.
TEST(Ciede2000, AgreesWithTheFormulaWrittenWithAngles)
{
    const std::vector<std::pair<ColorPoint, ColorPoint>> pairs {
        {{50, 0, 0}, {60, 0, 0}},
        {{50, 0, 0}, {50, 10, -10}},
        {{50, 10, 0.5}, {50, 10, -0.5}},
        {{50, -10, 0.5}, {50, -10, -0.5}},
        {{50, 20, 0}, {50, -20, 0}},
        {{50, -20, 0}, {50, 20, 0}},
        {{50, 0, 20}, {50, 0, -20}},
        {{50, 0, -20}, {50, 0, 20}},
        {{50, 15, 15}, {50, -15, -15}},
        {{50, -57, 1}, {55, 114, -2}},
        {{40, 5, -60}, {42, -3, -58}},
        {{50, 2.5, 0}, {50, 0, -2.5}},
    };
    for (const auto &[p, q] : pairs) {
        ExpectAsReference(p, q);
        ExpectAsReference(q, p);
    }
    std::mt19937 random(11);
    std::uniform_int_distribution<int> byte(0, 255);
    const auto color = [&] {
        return CieLabOf(static_cast<std::uint8_t>(byte(random)),
            static_cast<std::uint8_t>(byte(random)),
            static_cast<std::uint8_t>(byte(random)));
    };
    for (int k = 0; k < 20000; ++k) {
        ExpectAsReference(color(), color());
    }
}

// Both Lab spaces computed with the library's cube root, every eighth value of each component:
// the program's own cube root must agree to rounding.
TEST(ColorSpaces, LabPointsAgreeWithTheLibraryCubeRoot)
{
    const auto linear = [](int v) { return LinearFromSrgb(static_cast<std::uint8_t>(v)); };
    const auto f = [](double t) {
        constexpr double delta = 6.0 / 29.0;
        return t > delta * delta * delta ? std::cbrt(t) : t / (3 * delta * delta) + 4.0 / 29.0;
    };
    for (int r = 0; r < 256; r += 8) {
        for (int g = 3; g < 256; g += 8) {
            for (int b = 5; b < 256; b += 8) {
                const double lr = linear(r);
                const double lg = linear(g);
                const double lb = linear(b);
                const double l =
                    std::cbrt(0.4122214708 * lr + 0.5363325363 * lg + 0.0514459929 * lb);
                const double m =
                    std::cbrt(0.2119034982 * lr + 0.6806995451 * lg + 0.1073969566 * lb);
                const double s =
                    std::cbrt(0.0883024619 * lr + 0.2817188376 * lg + 0.6299787005 * lb);
                const ColorPoint ok = OkLabOf(static_cast<std::uint8_t>(r),
                    static_cast<std::uint8_t>(g),
                    static_cast<std::uint8_t>(b));
                EXPECT_NEAR(ok.x, 0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s, 1e-13);
                EXPECT_NEAR(ok.y, 1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s, 1e-13);
                const double fy = f(0.2126729 * lr + 0.7151522 * lg + 0.0721750 * lb);
                const double fz = f((0.0193339 * lr + 0.1191920 * lg + 0.9503041 * lb) / 1.08883);
                const ColorPoint lab = CieLabOf(static_cast<std::uint8_t>(r),
                    static_cast<std::uint8_t>(g),
                    static_cast<std::uint8_t>(b));
                EXPECT_NEAR(lab.x, 116 * fy - 16, 1e-11);
                EXPECT_NEAR(lab.z, 200 * (fy - fz), 1e-11);
            }
        }
    }
    EXPECT_EQ(OkLabOf(0, 0, 0).x, 0); // the cube root of nothing
}

} // namespace
} // namespace qv
