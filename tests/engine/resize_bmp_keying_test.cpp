// Pixels made transparent by their alpha or by a colour key, whatever they are matched to.
#include "engine/png_file.h"
#include "engine/resize_bmp.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr std::uint8_t kT = 255; // the output transparent index

// One row of four pixels converted with the grey ramp as the target palette (grey g matches
// entry g); the result's indices.
struct Row {
    test::TempDir dir;
    test::FakeSink sink;

    Row()
    {
        sink.options.palette = PaletteChoice::File(dir.Write("grey.act", test::GreyActPalette()));
        sink.options.applyTransparency = false;
    }

    std::vector<std::uint8_t> Convert(const test::BmpLayout &layout)
    {
        const std::string path = dir.Write("row.bmp", test::BuildBmp(layout));
        std::int32_t w = 64;
        std::int32_t h = 64;
        EXPECT_EQ(sink.Resize(path, w, h, ResizeDestination::Preview()), ResizeResult::Previewed);
        EXPECT_TRUE(sink.dialogs.Log().empty());
        if (sink.previews.empty()) {
            return {};
        }
        const std::vector<std::uint8_t> &file = sink.previews.back().fileBytes;
        return {file.begin() + 1078, file.begin() + 1078 + layout.width};
    }
};

// Grey pixels, with an alpha byte for 32 bits; hasAlphaMask writes a header that declares it.
test::BmpLayout GreyRow(const std::array<std::uint8_t, 4> &grey,
    std::int16_t bitCount,
    const std::array<std::uint8_t, 4> &alpha = {255, 255, 255, 255},
    bool hasAlphaMask = false)
{
    test::BmpLayout layout;
    layout.width = 4;
    layout.height = 1;
    layout.bitCount = bitCount;
    const std::size_t bytes = static_cast<std::size_t>(bitCount) / 8;
    layout.pixels.assign(static_cast<std::size_t>(test::BmpStride(4, bitCount)), 0);
    for (std::size_t x = 0; x < 4; ++x) {
        for (std::size_t c = 0; c < 3; ++c) {
            layout.pixels[x * bytes + c] = grey[x];
        }
        if (bitCount == 32) {
            layout.pixels[x * bytes + 3] = alpha[x];
        }
    }
    if (hasAlphaMask) {
        layout.infoHeaderSize = 108;
        layout.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    }
    return layout;
}

TEST(Keying, AlphaBelowTheThresholdIsTransparent)
{
    const std::array<std::uint8_t, 4> grey = {10, 20, 30, 40};
    const std::array<std::uint8_t, 4> alpha = {127, 128, 0, 255};
    const struct {
        const char *what;
        bool useAlpha;
        std::int32_t threshold;
        bool hasAlphaMask;
        std::vector<std::uint8_t> expected;
    } cases[] = {
        {"threshold 128: 127 is below, 128 is not", true, 128, true, {kT, 20, kT, 40}},
        {"threshold 1: only alpha 0", true, 1, true, {10, 20, kT, 40}},
        {"threshold 255: all but opaque", true, 255, true, {kT, kT, kT, 40}},
        {"alpha not used", false, 128, true, {10, 20, 30, 40}},
        {"a header without an alpha mask has no alpha", true, 128, false, {10, 20, 30, 40}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Row row;
        row.sink.options.useAlpha = c.useAlpha;
        row.sink.options.alphaThreshold = c.threshold;
        EXPECT_EQ(row.Convert(GreyRow(grey, 32, alpha, c.hasAlphaMask)), c.expected);
    }
}

TEST(Keying, ColorKeyStandsInForTheIndexInEveryDepth)
{
    // An 8-bit row whose table holds grey 30 twice (entries 5 and 6) and the grey ramp elsewhere.
    test::BmpLayout eight;
    eight.width = 4;
    eight.height = 1;
    eight.table = test::GreyPaletteTable();
    for (const std::size_t entry : {5U, 6U}) {
        for (std::size_t c = 0; c < 3; ++c) {
            eight.table[4 * entry + c] = 30;
        }
    }
    eight.pixels = {5, 6, 10, 50};
    const struct {
        const char *what;
        test::BmpLayout layout;
        bool apply;
        std::optional<Rgb> key;
        bool mostFrequent;
        std::int32_t brightness;
        std::vector<std::uint8_t> expected;
    } cases[] = {
        {"24-bit: the key, not index 10",
            GreyRow({10, 30, 30, 50}, 24),
            true,
            Rgb {30, 30, 30},
            false,
            100,
            {10, kT, kT, 50}},
        {"8-bit: both entries of the colour, not index 10",
            eight,
            true,
            Rgb {30, 30, 30},
            false,
            100,
            {kT, kT, 10, 50}},
        {"compared before brightness",
            GreyRow({10, 30, 30, 50}, 24),
            true,
            Rgb {30, 30, 30},
            false,
            150,
            {138, kT, kT, 178}},
        {"each picture's most frequent colour",
            GreyRow({30, 50, 30, 30}, 24),
            true,
            std::nullopt,
            true,
            100,
            {kT, 50, kT, kT}},
        {"without Apply Transparency nothing is keyed",
            GreyRow({10, 30, 30, 50}, 24),
            false,
            Rgb {30, 30, 30},
            false,
            100,
            {10, 30, 30, 50}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Row row;
        row.sink.options.applyTransparency = c.apply;
        row.sink.options.inputTransparentColor = 10;
        row.sink.options.inputTransparentRgb = c.key;
        row.sink.options.keyByMostFrequentColor = c.mostFrequent;
        row.sink.options.brightness = {c.brightness, c.brightness, c.brightness};
        EXPECT_EQ(row.Convert(c.layout), c.expected);
    }
}

// The Average modes leave a transparent pixel out whatever colour it holds: two pictures that
// differ only in the colour under alpha 0 shrink alike, and unlike the picture without alpha.
TEST(Keying, AveragesLeaveAlphaTransparentPixelsOut)
{
    const auto convert = [](std::uint8_t hidden, bool useAlpha) {
        test::BmpLayout layout;
        layout.width = 64;
        layout.height = 64;
        layout.bitCount = 32;
        layout.infoHeaderSize = 108;
        layout.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
        layout.pixels.assign(64 * 64 * 4, 0);
        for (std::size_t p = 0; p < 64 * 64; ++p) {
            const bool hole = (p % 64 + p / 64) % 3 == 0;
            const auto grey = static_cast<std::uint8_t>(hole ? hidden : 40 + p % 64);
            layout.pixels[4 * p] = layout.pixels[4 * p + 1] = layout.pixels[4 * p + 2] = grey;
            layout.pixels[4 * p + 3] = hole ? 0 : 255;
        }
        Row row;
        row.sink.options.useAlpha = useAlpha;
        row.sink.options.scaling = Scaling::Square32;
        row.sink.options.colorMatching = ColorMatching::AverageSquare;
        row.sink.options.transparentEdges = false;
        const std::string path = row.dir.Write("square.bmp", test::BuildBmp(layout));
        std::int32_t w = 64;
        std::int32_t h = 64;
        row.sink.Resize(path, w, h, ResizeDestination::Preview());
        return row.sink.previews.empty() ? std::vector<std::uint8_t> {}
                                         : row.sink.previews.back().fileBytes;
    };
    const std::vector<std::uint8_t> black = convert(0, true);
    ASSERT_FALSE(black.empty());
    EXPECT_EQ(convert(250, true), black);
    EXPECT_NE(convert(250, false), convert(0, false));
}

TEST(Keying, PngOutputHoldsTheBitmapsIndicesAndMarksOnlyTheTransparentEntry)
{
    for (const bool apply : {true, false}) {
        SCOPED_TRACE(apply);
        Row row;
        row.sink.options.applyTransparency = apply;
        row.sink.options.inputTransparentRgb = Rgb {30, 30, 30};
        row.sink.options.outputFormat = OutputFormat::Png;
        const std::vector<std::uint8_t> input = test::BuildBmp(GreyRow({10, 30, 30, 50}, 24));
        const std::string path = row.dir.Write("row.bmp", input);
        std::filesystem::create_directory(row.dir.File("backup"));
        std::int32_t w = 64;
        std::int32_t h = 64;
        ASSERT_EQ(
            row.sink.Resize(path, w, h, ResizeDestination::ReplaceInput(row.dir.File("backup"))),
            ResizeResult::Converted);
        EXPECT_EQ(test::ReadBytes(path), input) << "the input stays untouched";
        EXPECT_TRUE(std::filesystem::is_empty(row.dir.File("backup"))) << "nothing was replaced";
        LoadedImage png;
        ASSERT_TRUE(DecodePng(test::ReadBytes(row.dir.File("row.png")), 512, png));
        EXPECT_EQ(png.bitCount, 8);
        const std::vector<std::uint8_t> indices(png.pixels.begin(), png.pixels.begin() + 4);
        const std::vector<std::uint8_t> expected = apply
            ? std::vector<std::uint8_t> {10, kT, kT, 50}
            : std::vector<std::uint8_t> {10, 30, 30, 50};
        EXPECT_EQ(indices, expected);
        EXPECT_EQ(png.palette, test::GreyPaletteTable());
        EXPECT_EQ(png.hasAlpha, apply);
        for (std::size_t e = 0; apply && e < 256; ++e) {
            EXPECT_EQ(png.alpha[e], e == kT ? 0 : 255) << e;
        }
    }
}

} // namespace
} // namespace qv

namespace qv {
namespace {

// Floyd-Steinberg neither takes error from nor gives error to a pixel keyed by alpha or by its
// colour: what lies under the key does not change the other pixels.
TEST(Keying, DitheringLeavesKeyedPixelsOut)
{
    for (const bool byAlpha : {true, false}) {
        SCOPED_TRACE(byAlpha);
        const auto convert = [&](std::uint8_t hidden) {
            test::BmpLayout layout;
            layout.width = 16;
            layout.height = 4;
            layout.bitCount = 32;
            layout.infoHeaderSize = 108;
            layout.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
            layout.pixels.assign(16 * 4 * 4, 0);
            for (std::size_t p = 0; p < 64; ++p) {
                const bool hole = p % 5 == 2;
                // Under the colour key the hidden pixels are magenta of two shades of red.
                const std::array<std::uint8_t, 3> bgr = hole
                    ? std::array<std::uint8_t, 3> {byAlpha ? hidden : std::uint8_t {255}, 0, hidden}
                    : std::array<std::uint8_t, 3> {
                        static_cast<std::uint8_t>(60 + p), 100, static_cast<std::uint8_t>(200 - p)};
                std::copy(bgr.begin(),
                    bgr.end(),
                    layout.pixels.begin() + static_cast<std::ptrdiff_t>(4 * p));
                layout.pixels[4 * p + 3] = hole && byAlpha ? 0 : 255;
            }
            test::TempDir dir;
            test::FakeSink sink;
            sink.options.dithering = Dithering::FloydSteinberg;
            sink.options.useAlpha = byAlpha;
            sink.options.applyTransparency = !byAlpha;
            if (!byAlpha) {
                sink.options.inputTransparentRgb = Rgb {hidden, 0, 255};
            }
            const std::string path = dir.Write("d.bmp", test::BuildBmp(layout));
            std::int32_t w = 64;
            std::int32_t h = 64;
            sink.Resize(path, w, h, ResizeDestination::Preview());
            return sink.previews.empty() ? std::vector<std::uint8_t> {}
                                         : sink.previews.back().fileBytes;
        };
        const std::vector<std::uint8_t> dark = convert(0);
        ASSERT_FALSE(dark.empty());
        EXPECT_EQ(convert(250), dark);
    }
}

} // namespace
} // namespace qv
