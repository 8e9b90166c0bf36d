#include "common/row_stride.h"
#include "palette/color_spaces.h"
#include "palette/convert_palette.h"
#include "palette/distance_measure.h"
#include "palette/dither.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/fake_sink.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr std::int32_t kSide = 40; // 120 bytes a row: no padding, 24-bit rows still align

// A smooth photo-like 24-bit picture (blue, green, red): gradients that no palette holds.
std::vector<std::uint8_t> Gradient()
{
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(RowStride(kSide, 24) * kSide));
    for (std::int32_t y = 0; y < kSide; ++y) {
        for (std::int32_t x = 0; x < kSide; ++x) {
            const auto at = static_cast<std::size_t>(y * RowStride(kSide, 24) + 3 * x);
            pixels[at] = static_cast<std::uint8_t>(40 + 4 * x);
            pixels[at + 1] = static_cast<std::uint8_t>(200 - 3 * y);
            pixels[at + 2] = static_cast<std::uint8_t>(100 + 2 * (x + y) % 150);
        }
    }
    return pixels;
}

struct Case {
    const char *name;
    DistanceMeasure distance;
    Dithering dithering;
};

const Case kCases[] = {
    {"rgb, none", DistanceMeasure::Rgb, Dithering::None},
    {"rgb, fs", DistanceMeasure::Rgb, Dithering::FloydSteinberg},
    {"rgb, ordered", DistanceMeasure::Rgb, Dithering::Ordered},
    {"weighted, fs", DistanceMeasure::WeightedRgb, Dithering::FloydSteinberg},
    {"oklab, fs", DistanceMeasure::OkLab, Dithering::FloydSteinberg},
    {"oklab, ordered", DistanceMeasure::OkLab, Dithering::Ordered},
    {"ciede2000, fs", DistanceMeasure::Ciede2000, Dithering::FloydSteinberg},
    {"ciede2000, ordered", DistanceMeasure::Ciede2000, Dithering::Ordered},
    {"rgb, atkinson", DistanceMeasure::Rgb, Dithering::Atkinson},
    {"oklab, jjn", DistanceMeasure::OkLab, Dithering::JarvisJudiceNinke},
    {"weighted, stucki", DistanceMeasure::WeightedRgb, Dithering::Stucki},
    {"ciede2000, burkes", DistanceMeasure::Ciede2000, Dithering::Burkes},
    {"rgb, sierra", DistanceMeasure::Rgb, Dithering::Sierra3},
    {"oklab, sierra2", DistanceMeasure::OkLab, Dithering::Sierra2},
    {"ciede2000, sierra-lite", DistanceMeasure::Ciede2000, Dithering::SierraLite},
    {"oklab, pattern", DistanceMeasure::OkLab, Dithering::Pattern},
    {"ciede2000, pattern-blue", DistanceMeasure::Ciede2000, Dithering::PatternBlueNoise},
};

// WOLF3D with every fourth entry and 255 skipped; input colour 9 transparent, output 255.
ConversionOptions Options(const Case &c)
{
    ConversionOptions options;
    options.distance = c.distance;
    options.dithering = c.dithering;
    options.skip = {};
    for (std::size_t j = 0; j < 256; j += 4) {
        options.skip[j] = true;
    }
    options.skip[255] = true;
    options.inputTransparentColor = 9;
    return options;
}

// A 24-bit gradient with a band of pixels of entry 9's colour: those are transparent, and every
// other pixel gets a usable entry; the same bytes come out of a fresh store and a used one.
TEST(Dithering, KeepsTransparentPixelsAndSkippedEntriesOutAndIsDeterministic)
{
    ScriptedDialogService dialogs;
    PaletteStore probe;
    probe.ReadPaletteFile(dialogs, PaletteChoice {});
    const std::uint32_t nine = probe.PaletteColors()[9];
    std::vector<std::uint8_t> picture = Gradient();
    std::vector<bool> band(static_cast<std::size_t>(kSide * kSide));
    for (std::int32_t y = 10; y < 14; ++y) {
        for (std::int32_t x = 0; x < kSide; ++x) {
            const auto at = static_cast<std::size_t>(y * RowStride(kSide, 24) + 3 * x);
            picture[at] = static_cast<std::uint8_t>(nine >> 16);
            picture[at + 1] = static_cast<std::uint8_t>(nine >> 8);
            picture[at + 2] = static_cast<std::uint8_t>(nine);
            band[static_cast<std::size_t>(y * kSide + x)] = true;
        }
    }
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.name);
        const ConversionOptions options = Options(c);
        PaletteStore used;
        std::vector<std::vector<std::uint8_t>> results;
        for (int run = 0; run < 3; ++run) {
            PaletteStore fresh;
            std::vector<std::uint8_t> pixels = picture;
            ASSERT_TRUE(ConvertPalette(dialogs,
                run == 0 ? fresh : used,
                options,
                pixels,
                {},
                {0, 0, 0},
                kSide,
                kSide,
                24));
            results.push_back(pixels);
        }
        ASSERT_TRUE(dialogs.Log().empty());
        EXPECT_EQ(results[0], results[1]);
        EXPECT_EQ(results[0], results[2]);
        const std::vector<std::uint8_t> &out = results[0];
        ASSERT_EQ(out.size(), band.size());
        for (std::size_t p = 0; p < out.size(); ++p) {
            const std::size_t at = p / kSide * RowStride(kSide, 24) + 3 * (p % kSide);
            // Any pixel whose own nearest entry is the input transparent colour is transparent.
            const bool transparent = band[p]
                || FindNearestColorPlain(c.distance,
                       used.MatchColors(),
                       used.UsableColors(),
                       picture[at],
                       picture[at + 1],
                       picture[at + 2])
                    == 9;
            if (transparent) {
                ASSERT_EQ(out[p], 255) << p;
            } else {
                ASSERT_FALSE(options.skip[out[p]]) << p << " got skipped entry " << int {out[p]};
            }
        }
    }
}

// Without dithering, rows are matched at once: each pixel gets exactly the plain search's entry
// for its own colour under every measure, and a transparent pixel the transparent index, in
// rows whose width is no multiple of the search's steps.
TEST(Dithering, NoneGivesThePlainSearchsEntryOfEachPixel)
{
    constexpr std::int32_t kWidth = 37;
    constexpr std::int32_t kHeight = 5;
    std::mt19937 random(15);
    std::vector<DitherPixel> pixels(static_cast<std::size_t>(kWidth * kHeight));
    for (DitherPixel &px : pixels) {
        px = {static_cast<std::uint8_t>(random()),
            static_cast<std::uint8_t>(random()),
            static_cast<std::uint8_t>(random()),
            random() % 5 == 0};
    }
    for (const DistanceMeasure measure : {DistanceMeasure::Rgb,
             DistanceMeasure::WeightedRgb,
             DistanceMeasure::OkLab,
             DistanceMeasure::Ciede2000}) {
        SCOPED_TRACE(static_cast<int>(measure));
        ScriptedDialogService dialogs;
        PaletteStore store;
        store.BuildMatchTable(dialogs, PaletteChoice {});
        store.EnsureSnapshot(Options({"", measure, Dithering::None}).skip);
        store.SetDistanceMeasure(measure);
        const std::vector<std::uint8_t> out =
            DitherToPalette(store, {Dithering::None}, pixels, kWidth, kHeight, 200);
        ASSERT_EQ(out.size(), pixels.size());
        for (std::size_t p = 0; p < pixels.size(); ++p) {
            const DitherPixel &px = pixels[p];
            const int expected = px.transparent
                ? 200
                : FindNearestColorPlain(
                    measure, store.MatchColors(), store.UsableColors(), px.blue, px.green, px.red);
            ASSERT_EQ(out[p], expected) << p;
        }
    }
}

// An 8-bit picture is dithered through its own table, and its transparent index neither takes
// nor gives error: whatever colour that index has, every other pixel comes out the same.
TEST(Dithering, TransparentPixelsOfAnIndexedPictureDoNotTouchTheirNeighbours)
{
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kSide * kSide));
    std::vector<std::uint8_t> table(1024, 0);
    for (std::size_t i = 0; i < 200; ++i) {
        table[4 * i] = static_cast<std::uint8_t>(i);
        table[4 * i + 1] = static_cast<std::uint8_t>(255 - i);
        table[4 * i + 2] = static_cast<std::uint8_t>(3 * i);
    }
    for (std::size_t p = 0; p < pixels.size(); ++p) {
        pixels[p] = p % 7 == 3 ? 9 : static_cast<std::uint8_t>(p * 13 % 200);
    }
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.name);
        std::vector<std::vector<std::uint8_t>> results;
        for (const std::uint8_t shade : {0, 255}) {
            std::vector<std::uint8_t> own = table;
            std::fill_n(own.begin() + 36, 3, shade); // entry 9
            std::vector<std::uint8_t> out = pixels;
            ScriptedDialogService dialogs;
            PaletteStore store;
            ASSERT_TRUE(
                ConvertPalette(dialogs, store, Options(c), out, own, {0, 0, 0}, kSide, kSide, 8));
            results.push_back(out);
        }
        EXPECT_EQ(results[0], results[1]);
        for (std::size_t p = 3; p < pixels.size(); p += 7) {
            EXPECT_EQ(results[0][p], 255) << p;
        }
    }
}

// A flat colour the palette holds exactly leaves no error to spread, and its mixing plan is that
// one entry: it stays that one entry.
TEST(Dithering, AFlatPaletteColourStaysFlat)
{
    for (const Case &c : kCases) {
        if (c.dithering == Dithering::Ordered) {
            continue; // its threshold moves every pixel on purpose
        }
        SCOPED_TRACE(c.name);
        ScriptedDialogService dialogs;
        PaletteStore store;
        store.ReadPaletteFile(dialogs, PaletteChoice {});
        const std::uint32_t color = store.PaletteColors()[77];
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(RowStride(kSide, 24) * kSide));
        for (std::size_t at = 0; at < pixels.size(); at += 3) {
            pixels[at] = static_cast<std::uint8_t>(color >> 16);
            pixels[at + 1] = static_cast<std::uint8_t>(color >> 8);
            pixels[at + 2] = static_cast<std::uint8_t>(color);
        }
        const ConversionOptions options = Options(c);
        MappingReport report;
        ASSERT_TRUE(ConvertPalette(
            dialogs, store, options, pixels, {}, {0, 0, 0}, kSide, kSide, 24, &report));
        ASSERT_EQ(pixels.size(), static_cast<std::size_t>(kSide * kSide));
        const std::uint8_t first = pixels[0];
        EXPECT_EQ(store.PaletteColors()[first], color);
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), first), kSide * kSide);
        EXPECT_EQ(report, (MappingReport {kSide * kSide, kSide * kSide, 0.0, 0.0}));
    }
}

// Error spread in linear light keeps an area's light: mid grey (sRGB 128) on black and white
// comes out about 21.6 % white, its share of light, not the 50 % that sRGB error would give.
TEST(Dithering, FloydSteinbergKeepsTheLightOfAnArea)
{
    test::GreyPalette grey;
    grey.options.skip.fill(true);
    grey.options.skip[0] = false;
    grey.options.skip[255] = false;
    grey.options.dithering = Dithering::FloydSteinberg;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(RowStride(kSide, 24) * kSide), 128);
    ASSERT_TRUE(ConvertPalette(
        grey.dialogs, grey.store, grey.options, pixels, {}, {0, 0, 0}, kSide, kSide, 24));
    const auto white = std::count(pixels.begin(), pixels.end(), 255);
    EXPECT_EQ(white + std::count(pixels.begin(), pixels.end(), 0), kSide * kSide);
    EXPECT_NEAR(static_cast<double>(white) / (kSide * kSide), LinearFromSrgb(128), 0.01);
}

// The report on pictures whose answer is known: every pixel exact, and one colour that only a
// single usable entry can take, with the transparent pixels left out.
TEST(MappingReport, GivesTheKnownFiguresAndLeavesTransparentPixelsOut)
{
    test::GreyPalette grey;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(RowStride(kSide, 24) * kSide));
    for (std::size_t at = 0; at < pixels.size(); ++at) {
        pixels[at] = static_cast<std::uint8_t>(at / 3 % 256);
    }
    MappingReport report;
    std::vector<std::uint8_t> exact = pixels;
    ASSERT_TRUE(ConvertPalette(
        grey.dialogs, grey.store, grey.options, exact, {}, {0, 0, 0}, kSide, kSide, 24, &report));
    EXPECT_EQ(report, (MappingReport {kSide * kSide, kSide * kSide, 0.0, 0.0}));
    EXPECT_EQ(report.ExactPercent(), 100.0);

    // Only entries 200 and 50 usable; pixels of grey 50 are the transparent colour 50.
    grey.options.skip.fill(true);
    grey.options.skip[200] = false;
    grey.options.skip[50] = false;
    grey.options.applyTransparency = true;
    grey.options.inputTransparentColor = 50;
    std::vector<std::uint8_t> two(pixels.size(), 190);
    std::fill_n(two.begin(), 3 * kSide, 50); // the first row
    ASSERT_TRUE(ConvertPalette(
        grey.dialogs, grey.store, grey.options, two, {}, {0, 0, 0}, kSide, kSide, 24, &report));
    const double expected =
        std::sqrt(Ciede2000Squared(CieLabOf(190, 190, 190), CieLabOf(200, 200, 200)));
    EXPECT_GT(expected, 1.0);
    EXPECT_EQ(report.pixels, kSide * (kSide - 1));
    EXPECT_EQ(report.exact, 0);
    EXPECT_NEAR(report.MeanDeltaE(), expected, 1e-9);
    EXPECT_NEAR(report.maxDeltaE, expected, 1e-9);
}

// A store keeps the differences it measured for the next picture: the figures are those of a
// fresh store, whatever it measured before. Large enough to be measured in two halves.
TEST(MappingReport, KeptDifferencesGiveTheFiguresOfAFreshStore)
{
    constexpr std::int32_t kLarge = 256;
    const auto noise = [](unsigned seed) {
        std::mt19937 random(seed);
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(3 * kLarge * kLarge));
        for (std::uint8_t &value : pixels) {
            value = static_cast<std::uint8_t>(random());
        }
        return pixels;
    };
    const auto reportOf = [&](test::GreyPalette &grey, Dithering dithering, unsigned seed) {
        grey.options.dithering = dithering;
        std::vector<std::uint8_t> pixels = noise(seed);
        MappingReport report;
        EXPECT_TRUE(ConvertPalette(grey.dialogs,
            grey.store,
            grey.options,
            pixels,
            {},
            {0, 0, 0},
            kLarge,
            kLarge,
            24,
            &report));
        return report;
    };
    test::GreyPalette kept;
    const struct {
        Dithering dithering;
        unsigned seed;
    } kPictures[] = {{Dithering::None, 1},
        {Dithering::FloydSteinberg, 1},
        {Dithering::None, 2},
        {Dithering::None, 1}};
    for (const auto &picture : kPictures) {
        test::GreyPalette fresh;
        EXPECT_EQ(reportOf(kept, picture.dithering, picture.seed),
            reportOf(fresh, picture.dithering, picture.seed))
            << picture.seed;
    }
}

} // namespace
} // namespace qv
