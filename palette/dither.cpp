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
#include <tuple>

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

// Where one share of a pixel's error goes and how much of it, with the divisor applied once.
struct ShareStep {
    std::size_t row = 0; // rows below
    std::ptrdiff_t ahead = 0; // components ahead in that row, walking forward
    double weight = 0;
};

void DiffuseErrors(PaletteStore &store,
    const DiffusionKernel &kernel,
    const DitherSettings &settings,
    const std::vector<DitherPixel> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::vector<std::uint8_t> &out)
{
    // Error (red, green, blue) arriving at this row and the next rows, kKernelReach spare pixels
    // on each side.
    constexpr auto kRows = static_cast<std::size_t>(kKernelReach) + 1;
    const auto span = 3 * (static_cast<std::size_t>(width) + 2 * kKernelReach);
    std::array<std::vector<double>, kRows> rows;
    for (auto &row : rows) {
        row.assign(span, 0.0);
    }
    // A weight of w / d gives the same sums as multiplying by w and then dividing by d wherever d
    // is a power of two, as for Floyd-Steinberg.
    std::array<ShareStep, std::tuple_size_v<decltype(kernel.shares)>> steps {};
    for (std::size_t s = 0; s < kernel.count; ++s) {
        const DiffusionShare &share = kernel.shares[s];
        steps[s] = {static_cast<std::size_t>(share.dy),
            3 * static_cast<std::ptrdiff_t>(share.dx),
            static_cast<double>(share.weight) / kernel.divisor};
    }
    const SrgbConversions &srgb = SrgbTables();
    std::array<Light, 256> entryLight {};
    for (std::size_t i = 0; i < 256; ++i) {
        const MatchColor &c = store.MatchColors()[i];
        entryLight[i] = {srgb.Linear(static_cast<std::uint8_t>(c.red)),
            srgb.Linear(static_cast<std::uint8_t>(c.green)),
            srgb.Linear(static_cast<std::uint8_t>(c.blue))};
    }
    const double strength = settings.strength / 100.0;
    for (std::int32_t y = 0; y < height; ++y) {
        const bool forward = y % 2 == 0;
        const std::ptrdiff_t step = forward ? 1 : -1;
        double *const here = rows[0].data();
        for (std::int32_t i = 0; i < width; ++i) {
            const std::int32_t x = forward ? i : width - 1 - i;
            const auto p = static_cast<std::size_t>(y) * static_cast<std::size_t>(width)
                + static_cast<std::size_t>(x);
            const DitherPixel &px = At(pixels, p);
            if (px.transparent) {
                continue;
            }
            if (settings.keepExactColors) {
                if (const std::optional<int> exact = ExactEntry(store, px)) {
                    out[p] = static_cast<std::uint8_t>(*exact);
                    continue;
                }
            }
            const auto at = 3 * static_cast<std::size_t>(x + kKernelReach);
            // The error is kept whole where the wanted light leaves 0..1 (clamping it would
            // lose light on one side only, brightening dark areas); the bound only keeps a
            // colour the palette cannot reach from piling up error without end.
            const double red = std::clamp(srgb.Linear(px.red) + here[at], -1.0, 2.0);
            const double green = std::clamp(srgb.Linear(px.green) + here[at + 1], -1.0, 2.0);
            const double blue = std::clamp(srgb.Linear(px.blue) + here[at + 2], -1.0, 2.0);
            const int index =
                store.FindNearestColor(srgb.Srgb(blue), srgb.Srgb(green), srgb.Srgb(red));
            out[p] = static_cast<std::uint8_t>(index);
            const Light &got = entryLight[static_cast<std::size_t>(index)];
            Light error {red - got[0], green - got[1], blue - got[2]};
            if (settings.strength != 100) {
                for (double &e : error) {
                    e *= strength;
                }
            }
            for (std::size_t s = 0; s < kernel.count; ++s) {
                const ShareStep &share = steps[s];
                double *cell = rows[share.row].data() + at + share.ahead * step;
                cell[0] += error[0] * share.weight;
                cell[1] += error[1] * share.weight;
                cell[2] += error[2] * share.weight;
            }
        }
        std::rotate(rows.begin(), rows.begin() + 1, rows.end());
        std::fill(rows.back().begin(), rows.back().end(), 0.0);
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
