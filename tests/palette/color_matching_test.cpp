#include "palette/color_matching.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"
#include "tests/palette/palette_test_data.h"
#include "tests/support/temp_dir.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using Bgr = std::array<std::uint8_t, 3>; // a pixel in bitmap byte order

constexpr std::array<std::int32_t, 3> kNoOffsets {0, 0, 0};

TEST(ColorDistance, SquaresEachChannelAgainstItsOwn)
{
    EXPECT_EQ(ColorDistance(255, 255, 255, {0, 0, 0}), 195075);
    EXPECT_EQ(ColorDistance(0, 0, 0, {0, 0, 0}), 0);
    // blue 10, green 20, red 30 against red 33, green 16, blue 10: 9 + 16 + 0
    EXPECT_EQ(ColorDistance(10, 20, 30, {33, 16, 10}), 25);
    EXPECT_EQ(ColorDistance(30, 20, 10, {33, 16, 10}), 529 + 16 + 400);
}

TEST(FindNearestColorPlain, TiesExactMatchesAndSkippedEntries)
{
    struct Entry {
        int index;
        MatchColor color;
        bool usable;
    };
    struct Case {
        const char *name;
        std::vector<Entry> entries; // all other entries are unusable
        Bgr pixel;
        int expected;
    };
    const Case cases[] = {
        {"same colour twice: lower index",
            {{5, {10, 20, 30}, true}, {3, {10, 20, 30}, true}},
            {30, 20, 10},
            3},
        {"equally far, different colours: lower index",
            {{8, {12, 10, 10}, true}, {4, {8, 10, 10}, true}},
            {10, 10, 10},
            4},
        {"exact match wins over a lower index",
            {{2, {0, 0, 0}, true}, {9, {40, 50, 60}, true}},
            {60, 50, 40},
            9},
        {"exact match of a skipped entry is not chosen",
            {{2, {41, 50, 60}, true}, {9, {40, 50, 60}, false}},
            {60, 50, 40},
            2},
        {"channels are not mixed up",
            {{1, {255, 0, 0}, true}, {2, {0, 0, 255}, true}},
            {250, 0, 0},
            2},
        {"every entry skipped", {{0, {0, 0, 0}, false}, {7, {1, 2, 3}, false}}, {3, 2, 1}, 0},
        {"only entry 0 skipped",
            {{0, {1, 2, 3}, false}, {255, {200, 200, 200}, true}},
            {3, 2, 1},
            255},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::array<MatchColor, 256> colors {};
        colors.fill({128, 128, 128});
        std::array<bool, 256> usable {};
        for (const Entry &e : c.entries) {
            colors[static_cast<std::size_t>(e.index)] = e.color;
            usable[static_cast<std::size_t>(e.index)] = e.usable;
        }
        EXPECT_EQ(
            FindNearestColorPlain(colors, usable, c.pixel[0], c.pixel[1], c.pixel[2]), c.expected);
    }
}

// Entry 0 and every entry from 6 up are grey; 1 black, 2 white, 3 red, 4 green, 5 blue.
RawPalette Primaries()
{
    RawPalette raw {};
    raw.fill(128);
    const std::array<std::array<std::uint8_t, 3>, 5> rgb {
        {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}}};
    for (std::size_t k = 0; k < rgb.size(); ++k) {
        std::copy(
            rgb[k].begin(), rgb[k].end(), raw.begin() + static_cast<std::ptrdiff_t>(3 * (k + 1)));
    }
    return raw;
}

constexpr Bgr kBlack {0, 0, 0};
constexpr Bgr kWhite {255, 255, 255};
constexpr Bgr kRed {0, 0, 255};
constexpr Bgr kGreen {0, 255, 0};
constexpr Bgr kBlue {255, 0, 0};

// A store with the Primaries palette loaded as an external file.
class Matching : public testing::Test
{
protected:
    void SetUp() override
    {
        store_.BuildMatchTable(dialogs_,
            PaletteChoice::File(dir_.Write("primaries.act", test::ActBytes(Primaries()))));
        ASSERT_TRUE(dialogs_.Log().empty());
    }

    // Pixels of bytesPerPixel bytes each (extra bytes taken from filler), rows padded to 4.
    static std::vector<std::uint8_t> Picture(
        const std::vector<std::vector<Bgr>> &rows, int bytesPerPixel, std::uint8_t filler)
    {
        std::vector<std::uint8_t> bytes;
        for (const std::vector<Bgr> &row : rows) {
            for (const Bgr &p : row) {
                bytes.insert(bytes.end(), p.begin(), p.end());
                bytes.insert(bytes.end(), static_cast<std::size_t>(bytesPerPixel - 3), filler);
            }
            while (bytes.size() % 4 != 0) {
                bytes.push_back(filler);
            }
        }
        return bytes;
    }

    test::TempDir dir_;
    ScriptedDialogService dialogs_;
    SkipSet skip_ {}; // nothing skipped
    PaletteStore store_;
};

TEST_F(Matching, TrueColourRowsBecomeIndexRowsPaddedWithZero)
{
    const std::vector<std::vector<Bgr>> rows {
        {kBlack, kWhite, kRed, kGreen, kBlue}, {kBlue, kGreen, kRed, kWhite, kBlack}};
    const std::vector<std::uint8_t> expected {1, 2, 3, 4, 5, 0, 0, 0, 5, 4, 3, 2, 1, 0, 0, 0};
    for (std::int16_t depth : {24, 32}) {
        for (std::uint8_t filler : {0x00, 0x7F, 0xFF}) {
            SCOPED_TRACE("depth " + std::to_string(depth) + ", filler " + std::to_string(filler));
            std::vector<std::uint8_t> pixels = Picture(rows, depth / 8, filler);
            ConvertTo8BitBMP(dialogs_, store_, skip_, pixels, 5, 2, depth, kNoOffsets);
            EXPECT_EQ(pixels, expected);
        }
    }
    EXPECT_TRUE(dialogs_.Log().empty());
}

TEST_F(Matching, OffsetsAreAddedPerChannelAndClamped)
{
    struct Case {
        const char *name;
        Bgr pixel;
        std::array<std::int32_t, 3> offsets; // blue, green, red
        std::uint8_t expected;
    };
    const Case cases[] = {
        {"+255 saturates to white", {10, 200, 90}, {255, 255, 255}, 2},
        {"-255 saturates to black", {250, 200, 90}, {-255, -255, -255}, 1},
        {"huge offsets saturate too", {10, 200, 90}, {1 << 30, 1 << 30, 1 << 30}, 2},
        {"third offset is red", kBlack, {0, 0, 255}, 3},
        {"first offset is blue", kBlack, {255, 0, 0}, 5},
        {"second offset is green", kWhite, {-255, 0, -255}, 4},
        {"no offsets: own colour", kGreen, {0, 0, 0}, 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> pixels = Picture({{c.pixel}}, 3, 0);
        ConvertTo8BitBMP(dialogs_, store_, skip_, pixels, 1, 1, 24, c.offsets);
        EXPECT_EQ(pixels, (std::vector<std::uint8_t> {c.expected, 0, 0, 0}));
    }
}

TEST_F(Matching, OtherDepthsPassUnchanged)
{
    const std::vector<std::uint8_t> original {9, 8, 7, 6, 5, 4, 3, 2};
    for (std::int16_t depth : {8, 1, 4, 16, 0, 48}) {
        std::vector<std::uint8_t> pixels = original;
        ConvertTo8BitBMP(dialogs_, store_, skip_, pixels, 2, 2, depth, {255, 255, 255});
        EXPECT_EQ(pixels, original) << "depth " << depth;
    }
    EXPECT_TRUE(dialogs_.Log().empty());
}

TEST_F(Matching, ShortPixelDataIsReportedAndKeepsThePartialResult)
{
    // 4 x 2 pixels need 24 bytes; 20 hold the first row and two pixels of the second.
    std::vector<std::uint8_t> pixels =
        Picture({{kRed, kGreen, kBlue, kWhite}, {kBlue, kRed, kGreen, kBlack}}, 3, 0);
    pixels.resize(20);
    ConvertTo8BitBMP(dialogs_, store_, skip_, pixels, 4, 2, 24, kNoOffsets);
    EXPECT_EQ(pixels, (std::vector<std::uint8_t> {3, 4, 5, 2, 5, 3, 0, 0}));
    ASSERT_EQ(dialogs_.Log().size(), 1U);
    EXPECT_EQ(
        dialogs_.Log()[0].text, "Error in ConvertTo8BitBMP\r\nError #9\r\nSubscript out of range");
    EXPECT_EQ(dialogs_.Log()[0].title, "ConvertTo8BitBMP Error");
}

TEST_F(Matching, ImpossibleSizesAreReportedWithoutTouchingThePixels)
{
    const std::pair<std::int32_t, std::int32_t> sizes[] = {
        {-1, 2}, {2, -1}, {0x7FFFFFF0, 1}, {65536, 65536}};
    for (const auto &[width, height] : sizes) {
        dialogs_.ClearLog();
        std::vector<std::uint8_t> pixels(12, 0x42);
        ConvertTo8BitBMP(dialogs_, store_, skip_, pixels, width, height, 24, kNoOffsets);
        EXPECT_EQ(pixels, std::vector<std::uint8_t>(12, 0x42)) << width << " x " << height;
        ASSERT_EQ(dialogs_.Log().size(), 1U);
        EXPECT_EQ(dialogs_.Log()[0].title, "ConvertTo8BitBMP Error");
    }
}

TEST_F(Matching, FirstConversionTakesTheSkipSnapshotFromTheCheckboxes)
{
    skip_[3] = true; // red excluded: pure red goes to the nearest other entry
    ASSERT_FALSE(store_.HasSnapshot());
    std::vector<std::uint8_t> pixels = Picture({{kRed, kBlack}}, 3, 0);
    ConvertTo8BitBMP(dialogs_, store_, skip_, pixels, 2, 1, 24, kNoOffsets);
    EXPECT_TRUE(store_.HasSnapshot());
    EXPECT_EQ(pixels, (std::vector<std::uint8_t> {0, 1, 0, 0})) << "red -> grey entry 0";

    skip_[3] = false; // no new snapshot until a conversion takes one
    pixels = Picture({{kRed}}, 3, 0);
    ConvertTo8BitBMP(dialogs_, store_, skip_, pixels, 1, 1, 24, kNoOffsets);
    EXPECT_EQ(pixels[0], 0);
}

} // namespace
} // namespace qv
