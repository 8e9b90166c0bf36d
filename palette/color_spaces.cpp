#include "palette/color_spaces.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numbers>

namespace qv {
namespace {

using Table = std::array<double, 256>;

Table MakeLinearTable()
{
    Table table {};
    for (std::size_t v = 0; v < table.size(); ++v) {
        const double s = static_cast<double>(v) / 255.0;
        table[v] = s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    }
    return table;
}

const Table &LinearTable()
{
    static const Table table = MakeLinearTable();
    return table;
}

constexpr double kCos30 = 0.86602540378443865;
constexpr double kCos6 = 0.99452189536827329;
constexpr double kSin6 = 0.10452846326765347;
constexpr double kCos63 = 0.45399049973954675;
constexpr double kSin63 = 0.89100652418836787;

double Degrees(double radians)
{
    const double d = radians * 180.0 / std::numbers::pi;
    return d < 0 ? d + 360.0 : d;
}

// The cube root of a positive normal number, to within a few units in the last place, at about
// a third of std::cbrt's cost: a first guess from the exponent bits divided by three, two Halley
// steps (each about triples the correct digits) and a Newton step to settle the last ones.
double CubeRoot(double x)
{
    if (!(x >= 1e-300) || !std::isfinite(x)) {
        return std::cbrt(x);
    }
    double y = std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) / 3 + 0x2A9F7893782DA1CEull);
    for (int step = 0; step < 2; ++step) {
        const double y3 = y * y * y;
        y = y * (y3 + 2 * x) / (2 * y3 + x);
    }
    return y - (y * y * y - x) / (3 * y * y);
}

double LabF(double t)
{
    constexpr double delta = 6.0 / 29.0;
    return t > delta * delta * delta ? CubeRoot(t) : t / (3 * delta * delta) + 4.0 / 29.0;
}

} // namespace

double Ciede2000ChromaShare(double chroma)
{
    const double c2 = chroma * chroma;
    const double c7 = c2 * c2 * c2 * chroma;
    return std::sqrt(c7 / (c7 + 6103515625.0)); // 25^7
}

double Ciede2000LightnessWeight(double meanLightness)
{
    const double l50 = (meanLightness - 50) * (meanLightness - 50);
    return 1 + 0.015 * l50 / std::sqrt(20 + l50);
}

double LinearFromSrgb(std::uint8_t value)
{
    return LinearTable()[value];
}

SrgbConversions::SrgbConversions()
    : linear_(LinearTable())
{
    for (std::size_t v = 0; v < borders_.size(); ++v) {
        borders_[v] = (linear_[v] + linear_[v + 1]) / 2;
    }
    for (std::size_t k = 0; k < start_.size(); ++k) {
        start_[k] = static_cast<std::uint8_t>(
            std::upper_bound(borders_.begin(), borders_.end(), static_cast<double>(k) / kSteps)
            - borders_.begin());
    }
}

const SrgbConversions &SrgbTables()
{
    static const SrgbConversions conversions;
    return conversions;
}

std::uint8_t SrgbFromLinear(double linear)
{
    return SrgbTables().Srgb(linear);
}

ColorPoint OkLabOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const double r = LinearFromSrgb(red);
    const double g = LinearFromSrgb(green);
    const double b = LinearFromSrgb(blue);
    const double l = CubeRoot(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = CubeRoot(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = CubeRoot(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
        1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
        0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

ColorPoint CieLabOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const double r = LinearFromSrgb(red);
    const double g = LinearFromSrgb(green);
    const double b = LinearFromSrgb(blue);
    const double fx = LabF((0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047);
    const double fy = LabF(0.2126729 * r + 0.7151522 * g + 0.0721750 * b);
    const double fz = LabF((0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double Ciede2000Squared(const ColorPoint &first, const ColorPoint &second)
{
    const double meanChroma = (std::sqrt(first.y * first.y + first.z * first.z)
                                  + std::sqrt(second.y * second.y + second.z * second.z))
        / 2;
    const double g = 0.5 * (1 - Ciede2000ChromaShare(meanChroma));
    const double a1 = (1 + g) * first.y;
    const double a2 = (1 + g) * second.y;
    const double c1 = std::sqrt(a1 * a1 + first.z * first.z);
    const double c2 = std::sqrt(a2 * a2 + second.z * second.z);
    const double dL = second.x - first.x;
    const double dC = c2 - c1;
    // dH = 2 sqrt(C1' C2') sin(dh / 2), whose square is 2 (C1' C2' - a1' a2' - b1 b2), with the
    // sign of dh: that of sin dh, or for opposite hues the sign of h2 - h1, positive when the
    // first hue is the lower (in 0..180 degrees).
    const double cross = a1 * second.z - first.z * a2;
    const double dot = a1 * a2 + first.z * second.z;
    const double size = std::sqrt(std::max(0.0, 2 * (c1 * c2 - dot)));
    const bool firstLower = first.z > 0 || (first.z == 0 && a1 > 0);
    const bool positive = cross > 0 || (cross == 0 && dot < 0 && firstLower);
    const double dH = positive ? size : -size;

    const double meanL = (first.x + second.x) / 2;
    const double meanC = (c1 + c2) / 2;
    // The mean hue, on the shorter arc between the two (the one hue when the other colour is
    // grey, 0 when both are): the direction of the sum of their unit vectors, or for opposite
    // hues 90 degrees past the lower one.
    double cos1 = 1;
    double sin1 = 0;
    if (c1 != 0 || c2 != 0) {
        double x = (c1 == 0 ? 0 : a1 / c1) + (c2 == 0 ? 0 : a2 / c2);
        double y = (c1 == 0 ? 0 : first.z / c1) + (c2 == 0 ? 0 : second.z / c2);
        if (x == 0 && y == 0) {
            const bool lowFirst = firstLower;
            x = -(lowFirst ? first.z / c1 : second.z / c2);
            y = lowFirst ? a1 / c1 : a2 / c2;
        }
        const double length = std::sqrt(x * x + y * y);
        cos1 = x / length;
        sin1 = y / length;
    }
    const double meanH = Degrees(std::atan2(sin1, cos1));
    // The four cosines of T from one sine and cosine, by the angle-sum formulas.
    const double cos2 = cos1 * cos1 - sin1 * sin1;
    const double sin2 = 2 * sin1 * cos1;
    const double cos3 = cos1 * cos2 - sin1 * sin2;
    const double sin3 = sin1 * cos2 + cos1 * sin2;
    const double cos4 = cos2 * cos2 - sin2 * sin2;
    const double sin4 = 2 * sin2 * cos2;
    const double t = 1 - 0.17 * (cos1 * kCos30 + sin1 * 0.5) + 0.24 * cos2
        + 0.32 * (cos3 * kCos6 - sin3 * kSin6) - 0.20 * (cos4 * kCos63 + sin4 * kSin63);
    const double away = (meanH - 275) / 25;
    const double turn = 30 * std::exp(-away * away);
    const double rc = 2 * Ciede2000ChromaShare(meanC);
    const double sl = Ciede2000LightnessWeight(meanL);
    const double sc = 1 + 0.045 * meanC;
    const double sh = 1 + 0.015 * meanC * t;
    const double rt = -std::sin(2 * turn * std::numbers::pi / 180.0) * rc;

    const double l = dL / sl;
    const double c = dC / sc;
    const double h = dH / sh;
    return l * l + c * c + h * h + rt * c * h;
}

} // namespace qv
