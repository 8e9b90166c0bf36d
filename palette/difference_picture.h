#pragma once

#include "palette/mapped_pixels.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

// One stop of the difference scale: a CIEDE2000 difference, its colour and the legend's words.
struct DifferenceStop {
    double deltaE;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    const char *label;
};

// The fixed scale every difference picture is drawn on, and the legend beside it. Between two
// stops the colour goes linearly from one to the next (each component rounded); from the last
// stop on it stays red. 2.3 is the difference most people just notice side by side.
inline constexpr std::array<DifferenceStop, 6> kDifferenceScale = {{
    {0.0, 0, 0, 0, "0 same colour"},
    {1.0, 0, 0, 160, "1"},
    {2.3, 0, 200, 0, "2.3 just noticeable"},
    {5.0, 255, 255, 0, "5"},
    {10.0, 255, 140, 0, "10"},
    {20.0, 255, 0, 0, "20 and more"},
}};

// Transparent pixels are drawn as a checker of squares of this side, in two greys that the scale
// never shows, the darker one at the top-left corner.
inline constexpr std::int32_t kTransparentChecker = 4;
inline constexpr std::uint8_t kTransparentDark = 96;
inline constexpr std::uint8_t kTransparentLight = 160;

// The colour of a difference on the scale: red, green, blue.
std::array<std::uint8_t, 3> DifferenceColor(double deltaE);

// The CIEDE2000 difference between a pixel's colour and its entry's, as the mapping report
// measures it: 0 for an entry of exactly its colour.
double PixelDifference(const DitherPixel &pixel, const MatchColor &entry);

// Each pixel's CIEDE2000 difference between its colour and its entry's, as the mapping report
// counts it (0 for an entry of exactly its colour), and the picture drawn from them.
struct DifferencePicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<double> deltaE; // per pixel, top row first; below 0 for a transparent pixel
    std::vector<std::uint8_t> rgb; // red, green, blue per pixel, rows without padding
};

DifferencePicture MakeDifferencePicture(const MappedPixels &mapped);

} // namespace qv
