#include "palette/dither.h"

#include "palette/color_spaces.h"
#include "palette/palette_store.h"
#include "platform/checked.h"

#include <algorithm>
#include <array>

namespace qv {
namespace {

constexpr std::array<std::array<int, 8>, 8> kBayer {{
    {0, 32, 8, 40, 2, 34, 10, 42},
    {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},
    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},
    {63, 31, 55, 23, 61, 29, 53, 21},
}};

std::uint8_t Shifted(std::uint8_t value, int shift)
{
    return static_cast<std::uint8_t>(std::clamp(value + shift, 0, 255));
}

// Matches each row at once, as the store searches fastest, after shift(x, y) is added to each
// component of the pixel at x, y; transparent pixels keep their index.
template <typename Shift>
void MatchRows(PaletteStore &store,
    const std::vector<DitherPixel> &pixels,
    std::int32_t width,
    std::int32_t height,
    Shift &&shift,
    std::vector<std::uint8_t> &out)
{
    const auto columns = static_cast<std::size_t>(width);
    std::vector<std::uint8_t> row(columns * 3); // blue, green, red, as the store reads them
    std::vector<std::uint8_t> found(columns);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::size_t first = static_cast<std::size_t>(y) * columns;
        for (std::size_t x = 0; x < columns; ++x) {
            const DitherPixel &px = pixels[first + x];
            const int s = shift(x, static_cast<std::size_t>(y));
            row[3 * x] = Shifted(px.blue, s);
            row[3 * x + 1] = Shifted(px.green, s);
            row[3 * x + 2] = Shifted(px.red, s);
        }
        store.FindNearestColors(row.data(), 3, columns, found.data());
        for (std::size_t x = 0; x < columns; ++x) {
            if (!pixels[first + x].transparent) {
                out[first + x] = found[x];
            }
        }
    }
}

using Light = std::array<double, 3>; // red, green, blue in linear light

void FloydSteinberg(PaletteStore &store,
    const std::vector<DitherPixel> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::vector<std::uint8_t> &out)
{
    // Error arriving at this row and the next, one spare pixel on each side.
    const auto span = static_cast<std::size_t>(width) + 2;
    std::vector<Light> here(span, Light {});
    std::vector<Light> below(span, Light {});
    const auto &match = store.MatchColors();
    const SrgbConversions srgb;
    for (std::int32_t y = 0; y < height; ++y) {
        const bool forward = y % 2 == 0;
        const std::int32_t step = forward ? 1 : -1;
        for (std::int32_t i = 0; i < width; ++i) {
            const std::int32_t x = forward ? i : width - 1 - i;
            const auto p = static_cast<std::size_t>(y) * static_cast<std::size_t>(width)
                + static_cast<std::size_t>(x);
            const DitherPixel &px = At(pixels, p);
            const auto at = static_cast<std::size_t>(x + 1);
            if (px.transparent) {
                continue;
            }
            Light wanted {srgb.Linear(px.red), srgb.Linear(px.green), srgb.Linear(px.blue)};
            // The error is kept whole where the wanted light leaves 0..1 (clamping it would
            // lose light on one side only, brightening dark areas); the bound only keeps a
            // colour the palette cannot reach from piling up error without end.
            for (std::size_t k = 0; k < 3; ++k) {
                wanted[k] = std::clamp(wanted[k] + here[at][k], -1.0, 2.0);
            }
            const int index = store.FindNearestColor(
                srgb.Srgb(wanted[2]), srgb.Srgb(wanted[1]), srgb.Srgb(wanted[0]));
            out[p] = static_cast<std::uint8_t>(index);
            const MatchColor &got = match[static_cast<std::size_t>(index)];
            const Light error {wanted[0] - srgb.Linear(static_cast<std::uint8_t>(got.red)),
                wanted[1] - srgb.Linear(static_cast<std::uint8_t>(got.green)),
                wanted[2] - srgb.Linear(static_cast<std::uint8_t>(got.blue))};
            const auto ahead = static_cast<std::size_t>(x + 1 + step);
            const auto behind = static_cast<std::size_t>(x + 1 - step);
            for (std::size_t k = 0; k < 3; ++k) {
                here[ahead][k] += error[k] * 7 / 16;
                below[behind][k] += error[k] * 3 / 16;
                below[at][k] += error[k] * 5 / 16;
                below[ahead][k] += error[k] * 1 / 16;
            }
        }
        std::swap(here, below);
        std::fill(below.begin(), below.end(), Light {});
    }
}

} // namespace

std::vector<std::uint8_t> DitherToPalette(PaletteStore &store,
    Dithering mode,
    const std::vector<DitherPixel> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::uint8_t transparent)
{
    std::vector<std::uint8_t> out(pixels.size(), transparent);
    if (width < 1 || height < 1) {
        return out;
    }
    CheckRange(pixels.size(), CheckedSub(CheckedMul(width, height), 1), std::int32_t {1});
    if (mode == Dithering::FloydSteinberg) {
        FloydSteinberg(store, pixels, width, height, out);
    } else if (mode == Dithering::Ordered) {
        // (threshold + 0.5) / 64 - 0.5 steps of 32, in whole values: -16..15.
        const auto bayer = [](std::size_t x, std::size_t y) {
            return (kBayer[y % 8][x % 8] * 32 + 16) / 64 - 16;
        };
        MatchRows(store, pixels, width, height, bayer, out);
    } else {
        const auto none = [](std::size_t, std::size_t) { return 0; };
        MatchRows(store, pixels, width, height, none, out);
    }
    return out;
}

} // namespace qv
