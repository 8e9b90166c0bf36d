// The error-diffusion kernels, the dithering's strength and exact colours kept.
#include "palette/bayer_matrix.h"
#include "palette/blue_noise.h"
#include "palette/color_spaces.h"
#include "palette/diffusion_kernels.h"
#include "palette/distance_measure.h"
#include "palette/dither.h"
#include "palette/palette_store.h"
#include "palette/pattern_dither.h"
#include "platform/scripted_dialog_service.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr std::int32_t kWidth = 48;
constexpr std::int32_t kHeight = 30;

constexpr Dithering kDiffusion[] = {Dithering::FloydSteinberg,
    Dithering::Atkinson,
    Dithering::JarvisJudiceNinke,
    Dithering::Stucki,
    Dithering::Burkes,
    Dithering::Sierra3,
    Dithering::Sierra2,
    Dithering::SierraLite};

constexpr DistanceMeasure kMeasures[] = {DistanceMeasure::Rgb,
    DistanceMeasure::WeightedRgb,
    DistanceMeasure::OkLab,
    DistanceMeasure::Ciede2000};

// Gradients no palette holds, with every fifth pixel transparent in one corner.
std::vector<DitherPixel> Picture()
{
    std::vector<DitherPixel> pixels(static_cast<std::size_t>(kWidth * kHeight));
    for (std::int32_t y = 0; y < kHeight; ++y) {
        for (std::int32_t x = 0; x < kWidth; ++x) {
            pixels[static_cast<std::size_t>(y * kWidth + x)] = {static_cast<std::uint8_t>(5 * x),
                static_cast<std::uint8_t>(250 - 7 * y),
                static_cast<std::uint8_t>((3 * x + 4 * y) % 256),
                x < 8 && y < 8 && (x + y) % 5 == 0};
        }
    }
    return pixels;
}

struct Store {
    ScriptedDialogService dialogs;
    PaletteStore store;

    explicit Store(DistanceMeasure measure)
    {
        store.BuildMatchTable(dialogs, PaletteChoice {});
        SkipSet skip {};
        skip[255] = true;
        store.EnsureSnapshot(skip);
        store.SetDistanceMeasure(measure);
    }
};

TEST(DiffusionKernels, SpreadTheirErrorAheadAndBelowOnly)
{
    for (const Dithering method : kDiffusion) {
        SCOPED_TRACE(static_cast<int>(method));
        const std::optional<DiffusionKernel> kernel = KernelOf(method);
        ASSERT_TRUE(kernel);
        int sum = 0;
        for (std::size_t s = 0; s < kernel->count; ++s) {
            const DiffusionShare &share = kernel->shares[s];
            sum += share.weight;
            EXPECT_GT(share.weight, 0);
            EXPECT_LE(std::abs(share.dx), kKernelReach);
            EXPECT_TRUE(share.dy == 1 || share.dy == 2 || (share.dy == 0 && share.dx > 0));
        }
        // Atkinson passes on three quarters of the error by design; every other kernel all of it.
        EXPECT_EQ(sum * (method == Dithering::Atkinson ? 4 : 3), kernel->divisor * 3)
            << sum << " / " << kernel->divisor;
    }
    EXPECT_FALSE(KernelOf(Dithering::None));
    EXPECT_FALSE(KernelOf(Dithering::Ordered));
}

// Floyd-Steinberg written out plainly, serpentine, error in linear light.
std::vector<std::uint8_t> PlainFloydSteinberg(
    PaletteStore &store, const std::vector<DitherPixel> &pixels)
{
    using Light = std::array<double, 3>;
    const SrgbConversions srgb;
    std::vector<std::uint8_t> out(pixels.size(), 7);
    std::vector<Light> error(pixels.size() + kWidth + 2, Light {});
    const auto cell = [](std::int32_t x, std::int32_t y) {
        return static_cast<std::size_t>(y * kWidth + x + 1);
    };
    for (std::int32_t y = 0; y < kHeight; ++y) {
        const int dir = y % 2 == 0 ? 1 : -1;
        for (std::int32_t i = 0; i < kWidth; ++i) {
            const std::int32_t x = dir == 1 ? i : kWidth - 1 - i;
            const DitherPixel &px = pixels[static_cast<std::size_t>(y * kWidth + x)];
            if (px.transparent) {
                continue;
            }
            Light want {srgb.Linear(px.red), srgb.Linear(px.green), srgb.Linear(px.blue)};
            for (std::size_t k = 0; k < 3; ++k) {
                want[k] = std::clamp(want[k] + error[cell(x, y)][k], -1.0, 2.0);
            }
            const int index =
                store.FindNearestColor(srgb.Srgb(want[2]), srgb.Srgb(want[1]), srgb.Srgb(want[0]));
            out[static_cast<std::size_t>(y * kWidth + x)] = static_cast<std::uint8_t>(index);
            const MatchColor &got = store.MatchColors()[static_cast<std::size_t>(index)];
            const Light e {want[0] - srgb.Linear(static_cast<std::uint8_t>(got.red)),
                want[1] - srgb.Linear(static_cast<std::uint8_t>(got.green)),
                want[2] - srgb.Linear(static_cast<std::uint8_t>(got.blue))};
            const bool lastRow = y + 1 == kHeight;
            for (std::size_t k = 0; k < 3; ++k) {
                if (x + dir >= 0 && x + dir < kWidth) {
                    error[cell(x + dir, y)][k] += e[k] * 7 / 16;
                }
                if (lastRow) {
                    continue;
                }
                if (x - dir >= 0 && x - dir < kWidth) {
                    error[cell(x - dir, y + 1)][k] += e[k] * 3 / 16;
                }
                error[cell(x, y + 1)][k] += e[k] * 5 / 16;
                if (x + dir >= 0 && x + dir < kWidth) {
                    error[cell(x + dir, y + 1)][k] += e[k] * 1 / 16;
                }
            }
        }
    }
    return out;
}

TEST(DitherMethods, FloydSteinbergAtFullStrengthIsThePlainMethod)
{
    const std::vector<DitherPixel> pixels = Picture();
    for (const DistanceMeasure measure : kMeasures) {
        SCOPED_TRACE(static_cast<int>(measure));
        Store s(measure);
        EXPECT_EQ(DitherToPalette(s.store, {Dithering::FloydSteinberg}, pixels, kWidth, kHeight, 7),
            PlainFloydSteinberg(s.store, pixels));
    }
}

// Strength 0 is no dithering for every method; between, a method still dithers, less.
TEST(DitherMethods, StrengthZeroMatchesEachPixelAlone)
{
    const std::vector<DitherPixel> pixels = Picture();
    Store s(DistanceMeasure::OkLab);
    const std::vector<std::uint8_t> plain =
        DitherToPalette(s.store, {Dithering::None}, pixels, kWidth, kHeight, 7);
    std::vector<Dithering> methods(std::begin(kDiffusion), std::end(kDiffusion));
    methods.insert(
        methods.end(), {Dithering::Ordered, Dithering::Pattern, Dithering::PatternBlueNoise});
    for (const Dithering method : methods) {
        SCOPED_TRACE(static_cast<int>(method));
        EXPECT_EQ(DitherToPalette(s.store, {method, 0}, pixels, kWidth, kHeight, 7), plain);
        const auto half = DitherToPalette(s.store, {method, 50}, pixels, kWidth, kHeight, 7);
        const auto full = DitherToPalette(s.store, {method, 100}, pixels, kWidth, kHeight, 7);
        EXPECT_NE(half, plain);
        EXPECT_NE(half, full);
    }
}

// Stripes of palette colours across the gradients: kept, every stripe pixel has its own entry
// under every method; without it, the error arriving from the gradients (or Bayer's threshold)
// moves some of them.
TEST(DitherMethods, KeepExactColorsLeavesPaletteColoursAlone)
{
    for (const DistanceMeasure measure : {DistanceMeasure::Rgb, DistanceMeasure::Ciede2000}) {
        Store s(measure);
        std::vector<DitherPixel> pixels = Picture();
        std::vector<std::size_t> exact;
        for (std::size_t p = 0; p < pixels.size(); ++p) {
            if (p % kWidth % 6 == 3 && !pixels[p].transparent) {
                const MatchColor &c = s.store.MatchColors()[p / kWidth * 7 % 255];
                pixels[p] = {static_cast<std::uint8_t>(c.red),
                    static_cast<std::uint8_t>(c.green),
                    static_cast<std::uint8_t>(c.blue)};
                exact.push_back(p);
            }
        }
        const auto entryHolds = [&](const std::vector<std::uint8_t> &out, std::size_t p) {
            const MatchColor &got = s.store.MatchColors()[out[p]];
            return got.red == pixels[p].red && got.green == pixels[p].green
                && got.blue == pixels[p].blue;
        };
        std::vector<Dithering> methods(std::begin(kDiffusion), std::end(kDiffusion));
        methods.insert(
            methods.end(), {Dithering::Ordered, Dithering::Pattern, Dithering::PatternBlueNoise});
        for (const Dithering method : methods) {
            SCOPED_TRACE(static_cast<int>(method));
            const auto kept =
                DitherToPalette(s.store, {method, 100, true}, pixels, kWidth, kHeight, 7);
            const auto moved = DitherToPalette(s.store, {method, 100}, pixels, kWidth, kHeight, 7);
            EXPECT_TRUE(std::all_of(
                exact.begin(), exact.end(), [&](std::size_t p) { return entryHolds(kept, p); }));
            // A pattern's plan of an exact colour is that entry alone: it keeps them anyway.
            const bool pattern =
                method == Dithering::Pattern || method == Dithering::PatternBlueNoise;
            EXPECT_EQ(std::all_of(exact.begin(),
                          exact.end(),
                          [&](std::size_t p) { return entryHolds(moved, p); }),
                pattern);
            for (std::size_t p = 0; p < pixels.size(); ++p) {
                if (pixels[p].transparent) {
                    ASSERT_EQ(kept[p], 7) << p;
                }
            }
        }
    }
}

// Knoll's pattern written out plainly: each pixel's plan made anew with the plain search.
std::vector<std::uint8_t> PlainPattern(
    PaletteStore &store, DistanceMeasure measure, const std::vector<DitherPixel> &pixels, bool blue)
{
    const SrgbConversions srgb;
    const auto &match = store.MatchColors();
    const auto light = [&](int entry) {
        const MatchColor &c = match[static_cast<std::size_t>(entry)];
        return std::array<double, 3> {srgb.Linear(static_cast<std::uint8_t>(c.red)),
            srgb.Linear(static_cast<std::uint8_t>(c.green)),
            srgb.Linear(static_cast<std::uint8_t>(c.blue))};
    };
    std::vector<std::uint8_t> out(pixels.size(), 7);
    for (std::size_t p = 0; p < pixels.size(); ++p) {
        const DitherPixel &px = pixels[p];
        if (px.transparent) {
            continue;
        }
        const std::array<double, 3> goal {
            srgb.Linear(px.red), srgb.Linear(px.green), srgb.Linear(px.blue)};
        std::array<double, 3> error {};
        std::vector<int> plan;
        for (int c = 0; c < 16; ++c) {
            std::array<std::uint8_t, 3> attempt {};
            for (std::size_t k = 0; k < 3; ++k) {
                attempt[k] = srgb.Srgb(std::clamp(goal[k] + error[k] * 0.5, 0.0, 1.0));
            }
            const int entry = FindNearestColorPlain(
                measure, match, store.UsableColors(), attempt[2], attempt[1], attempt[0]);
            plan.push_back(entry);
            for (std::size_t k = 0; k < 3; ++k) {
                error[k] += goal[k] - light(entry)[k];
            }
        }
        const auto luma = [&](int e) {
            return 0.2126 * light(e)[0] + 0.7152 * light(e)[1] + 0.0722 * light(e)[2];
        };
        std::sort(plan.begin(), plan.end(), [&](int a, int b) {
            return luma(a) != luma(b) ? luma(a) < luma(b) : a < b;
        });
        const std::size_t x = p % kWidth;
        const std::size_t y = p / kWidth;
        const int rank =
            blue ? BlueNoiseRanks()[y % 32 * 32 + x % 32] / 64 : kBayer[y % 8][x % 8] / 4;
        out[p] = static_cast<std::uint8_t>(plan[static_cast<std::size_t>(rank)]);
    }
    return out;
}

TEST(DitherMethods, PatternIsThePlainMethodAndChangesOnlyThePixelChanged)
{
    // The first rows only: the plain search is slow.
    constexpr std::int32_t kRows = 10;
    std::vector<DitherPixel> pixels = Picture();
    pixels.resize(static_cast<std::size_t>(kWidth * kRows));
    for (const DistanceMeasure measure : kMeasures) {
        for (const Dithering method : {Dithering::Pattern, Dithering::PatternBlueNoise}) {
            SCOPED_TRACE(static_cast<int>(measure) * 100 + static_cast<int>(method));
            Store s(measure);
            const auto fast = DitherToPalette(s.store, {method}, pixels, kWidth, kRows, 7);
            EXPECT_EQ(fast,
                PlainPattern(s.store, measure, pixels, method == Dithering::PatternBlueNoise));
            std::vector<DitherPixel> changed = pixels;
            const std::size_t at = 7 * kWidth + 23;
            changed[at] = {255, 0, 128};
            const auto again = DitherToPalette(s.store, {method}, changed, kWidth, kRows, 7);
            for (std::size_t p = 0; p < pixels.size(); ++p) {
                if (p != at) {
                    ASSERT_EQ(again[p], fast[p]) << p;
                }
            }
        }
    }
}

// Each rank once, and the cells of each sixteenth of the ranks (the cells that pick one plan
// entry) spread apart: no two of them side by side.
TEST(BlueNoise, EveryRankOnceAndEachLevelSpreadOut)
{
    const auto &ranks = BlueNoiseRanks();
    std::vector<int> seen(ranks.size(), 0);
    for (const std::uint16_t r : ranks) {
        ASSERT_LT(r, ranks.size());
        ++seen[r];
    }
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; }));
    for (int y = 0; y < kBlueNoiseSide; ++y) {
        for (int x = 0; x < kBlueNoiseSide; ++x) {
            const int level = ranks[static_cast<std::size_t>(y * kBlueNoiseSide + x)] / 64;
            const int right =
                ranks[static_cast<std::size_t>(y * kBlueNoiseSide + (x + 1) % kBlueNoiseSide)] / 64;
            const int below =
                ranks[static_cast<std::size_t>((y + 1) % kBlueNoiseSide * kBlueNoiseSide + x)] / 64;
            EXPECT_NE(level, right) << x << "," << y;
            EXPECT_NE(level, below) << x << "," << y;
        }
    }
}

} // namespace
} // namespace qv
