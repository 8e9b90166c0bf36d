#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The colour spaces the distance measures and the dithering work in, all from 8-bit sRGB.
namespace qv {

// A point of a three-axis colour space (L, a, b for both Lab spaces).
struct ColorPoint {
    double x = 0;
    double y = 0;
    double z = 0;
};

// Linear light (0..1) of an sRGB component value.
double LinearFromSrgb(std::uint8_t value);
// The sRGB component value whose linear light is nearest to linear (clamped to 0..1 first).
std::uint8_t SrgbFromLinear(double linear);

// Both conversions with their tables at hand, for loops that convert every pixel: the same
// answers as LinearFromSrgb and SrgbFromLinear.
class SrgbConversions
{
public:
    SrgbConversions();

    double Linear(std::uint8_t value) const { return linear_[value]; }
    std::uint8_t Srgb(double linear) const
    {
        if (!(linear > 0)) {
            return 0;
        }
        if (linear >= 1) {
            return 255;
        }
        std::size_t v = start_[static_cast<std::size_t>(linear * kSteps)];
        while (v < borders_.size() && linear >= borders_[v]) {
            ++v;
        }
        return static_cast<std::uint8_t>(v);
    }

private:
    static constexpr double kSteps = 4096;
    std::array<double, 256> linear_ {};
    // Linear light halfway between consecutive values (value v wins below border v), and for
    // each of 4096 even steps of linear light the value there, where the walk starts; a step
    // spans at most two values.
    std::array<double, 255> borders_ {};
    std::array<std::uint8_t, 4097> start_ {};
};

// The one set of conversion tables, made on first use: loops that run once per picture need not
// make their own.
const SrgbConversions &SrgbTables();

// OKLab (L in 0..1) of an sRGB colour.
ColorPoint OkLabOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// CIE L*a*b* (D65 white, L in 0..100) of an sRGB colour.
ColorPoint CieLabOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// The square of the CIEDE2000 difference of two CIE L*a*b* colours, after Sharma, Wu and Dalal.
double Ciede2000Squared(const ColorPoint &first, const ColorPoint &second);
// CIEDE2000's sqrt(C^7 / (C^7 + 25^7)), of which G and R_C are made.
double Ciede2000ChromaShare(double chroma);
// CIEDE2000's lightness weight S_L at a mean lightness; it grows with the distance from 50.
double Ciede2000LightnessWeight(double meanLightness);

} // namespace qv
