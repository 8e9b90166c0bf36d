#include "palette/dither.h"

#include "palette/bayer_matrix.h"
#include "palette/color_spaces.h"
#include "palette/diffusion_kernels.h"
#include "palette/palette_store.h"
#include "palette/pattern_dither.h"
#include "platform/checked.h"

#include <algorithm>
#include <array>
#include <optional>

namespace qv {
namespace {

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

// Whether the pixel's own colour is a usable entry, and which.
std::optional<int> ExactEntry(PaletteStore &store, const DitherPixel &px)
{
    const int index = store.FindNearestColor(px.blue, px.green, px.red);
    const MatchColor &got = store.MatchColors()[static_cast<std::size_t>(index)];
    if (got.red == px.red && got.green == px.green && got.blue == px.blue) {
        return index;
    }
    return std::nullopt;
}

void DiffuseErrors(PaletteStore &store,
    const DiffusionKernel &kernel,
    const DitherSettings &settings,
    const std::vector<DitherPixel> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::vector<std::uint8_t> &out)
{
    // Error arriving at this row and the next rows, kKernelReach spare pixels on each side.
    constexpr auto kRows = static_cast<std::size_t>(kKernelReach) + 1;
    const auto span = static_cast<std::size_t>(width) + 2 * kKernelReach;
    std::array<std::vector<Light>, kRows> rows;
    for (auto &row : rows) {
        row.assign(span, Light {});
    }
    const auto &match = store.MatchColors();
    const SrgbConversions srgb;
    const double strength = settings.strength / 100.0;
    for (std::int32_t y = 0; y < height; ++y) {
        const bool forward = y % 2 == 0;
        const std::int32_t step = forward ? 1 : -1;
        std::vector<Light> &here = rows[0];
        for (std::int32_t i = 0; i < width; ++i) {
            const std::int32_t x = forward ? i : width - 1 - i;
            const auto p = static_cast<std::size_t>(y) * static_cast<std::size_t>(width)
                + static_cast<std::size_t>(x);
            const DitherPixel &px = At(pixels, p);
            const auto at = static_cast<std::size_t>(x + kKernelReach);
            if (px.transparent) {
                continue;
            }
            if (settings.keepExactColors) {
                if (const std::optional<int> exact = ExactEntry(store, px)) {
                    out[p] = static_cast<std::uint8_t>(*exact);
                    continue;
                }
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
            Light error {wanted[0] - srgb.Linear(static_cast<std::uint8_t>(got.red)),
                wanted[1] - srgb.Linear(static_cast<std::uint8_t>(got.green)),
                wanted[2] - srgb.Linear(static_cast<std::uint8_t>(got.blue))};
            if (settings.strength != 100) {
                for (double &e : error) {
                    e *= strength;
                }
            }
            for (std::size_t s = 0; s < kernel.count; ++s) {
                const DiffusionShare &share = kernel.shares[s];
                const auto to = static_cast<std::size_t>(x + kKernelReach + share.dx * step);
                Light &cell = rows[static_cast<std::size_t>(share.dy)][to];
                for (std::size_t k = 0; k < 3; ++k) {
                    cell[k] += error[k] * share.weight / kernel.divisor;
                }
            }
        }
        std::rotate(rows.begin(), rows.begin() + 1, rows.end());
        std::fill(rows.back().begin(), rows.back().end(), Light {});
    }
}

} // namespace

std::vector<std::uint8_t> DitherToPalette(PaletteStore &store,
    const DitherSettings &settings,
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
    const Dithering method = settings.strength > 0 ? settings.method : Dithering::None;
    if (const std::optional<DiffusionKernel> kernel = KernelOf(method)) {
        DiffuseErrors(store, *kernel, settings, pixels, width, height, out);
        return out;
    }
    if (method == Dithering::Pattern || method == Dithering::PatternBlueNoise) {
        PatternDither(store, settings, pixels, width, height, out);
    } else if (method == Dithering::Ordered) {
        // (threshold + 0.5) / 64 - 0.5 steps of 32, in whole values: -16..15, times the strength.
        const std::int32_t strength = settings.strength;
        const auto bayer = [strength](std::size_t x, std::size_t y) {
            const int shift = (kBayer[y % 8][x % 8] * 32 + 16) / 64 - 16;
            return strength == 100 ? shift : shift * strength / 100;
        };
        MatchRows(store, pixels, width, height, bayer, out);
    } else {
        const auto none = [](std::size_t, std::size_t) { return 0; };
        MatchRows(store, pixels, width, height, none, out);
        return out;
    }
    if (settings.keepExactColors) {
        // No error travels in a positional method: an exact pixel only has to be put back where
        // its threshold moved it.
        for (std::size_t p = 0; p < pixels.size(); ++p) {
            if (pixels[p].transparent) {
                continue;
            }
            if (const std::optional<int> exact = ExactEntry(store, pixels[p])) {
                out[p] = static_cast<std::uint8_t>(*exact);
            }
        }
    }
    return out;
}

} // namespace qv
