#include "palette/convert_palette.h"
#include "palette/palette_store.h"
#include "platform/failure.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(BrightnessOffset, PercentOf255HalvesToEven)
{
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {30, 76}, {50, 128}, {-10, -26}, {100, 255}, {-100, -255}, {0, 0}, {1, 3}, {-50, -128}};
    for (const auto &[brightness, offset] : cases) {
        EXPECT_EQ(BrightnessOffset(brightness), offset) << brightness;
    }
    EXPECT_THROW(BrightnessOffset(2000000000), Failure);
}

using Grey = test::GreyPalette;

// One pixel of each index, 0 to 255: a 16 x 16 picture (no row padding).
std::vector<std::uint8_t> EveryIndex()
{
    std::vector<std::uint8_t> pixels(256);
    for (int i = 0; i < 256; ++i) {
        pixels[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    return pixels;
}

TEST(ConvertPalette, PictureOnTheTargetPaletteComesOutUnchangedButForDuplicates)
{
    // WOLF3D has entries of equal colour; the matcher then gives the lowest such index.
    ScriptedDialogService dialogs;
    ConversionOptions options; // WOLF3D
    options.skip = {};
    options.applyTransparency = false;
    PaletteStore store;
    store.ReadPaletteFile(dialogs, options.palette);
    const std::vector<std::uint8_t> target = store.PaletteTable();
    const auto &colors = store.PaletteColors();
    std::vector<std::uint8_t> pixels = EveryIndex();
    ASSERT_TRUE(ConvertPalette(dialogs, store, options, pixels, target, {0, 0, 0}, 16, 16, 8));
    int duplicates = 0;
    for (int i = 0; i < 256; ++i) {
        int first = 0;
        while (colors[static_cast<std::size_t>(first)] != colors[static_cast<std::size_t>(i)]) {
            ++first;
        }
        duplicates += first != i;
        EXPECT_EQ(pixels[static_cast<std::size_t>(i)], first) << i;
    }
    EXPECT_GT(duplicates, 0); // the case is only worth something if WOLF3D has duplicates
    EXPECT_TRUE(dialogs.Log().empty());
}

TEST(ConvertPalette, BrightnessShiftsColoursBeforeMatching)
{
    struct Case {
        const char *name;
        std::array<std::int32_t, 3> brightness; // blue, green, red
        std::function<int(int)> expected; // target index for source grey i
    };
    const Case cases[] = {
        {"+100 turns everything white", {100, 100, 100}, [](int) { return 255; }},
        {"-100 turns everything black", {-100, -100, -100}, [](int) { return 0; }},
        {"+10 adds 26", {10, 10, 10}, [](int i) { return std::min(i + 26, 255); }},
        {"-10 takes 26", {-10, -10, -10}, [](int i) { return std::max(i - 26, 0); }},
        // Blue +100 only: (255, i, i) is nearest to grey (255 + 2i) / 3, rounded to nearest.
        {"one channel", {100, 0, 0}, [](int i) { return (255 + 2 * i + 1) / 3; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Grey grey;
        std::vector<std::uint8_t> pixels = EveryIndex();
        const auto table = test::GreyPaletteTable();
        ASSERT_TRUE(ConvertPalette(
            grey.dialogs, grey.store, grey.options, pixels, table, c.brightness, 16, 16, 8));
        int wrong = 0;
        for (int i = 0; i < 256; ++i) {
            wrong += pixels[static_cast<std::size_t>(i)] != c.expected(i);
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(ConvertPalette, TransparencyReplacesTheInputColourOnlyWhenApplied)
{
    struct Case {
        const char *name;
        bool apply;
        int input, output;
        std::int16_t depth;
        std::function<int(int)> expected; // for the source whose colour is grey i
    };
    // Entry 255 is skipped: grey 255 is matched to 254 unless transparency puts 255 there.
    const Case cases[] = {
        {"8-bit, 0 -> 255", true, 0, 255, 8, [](int i) { return i == 0 ? 255 : std::min(i, 254); }},
        {"8-bit, off", false, 0, 255, 8, [](int i) { return std::min(i, 254); }},
        {"8-bit, input above 255 matches nothing",
            true,
            300,
            255,
            8,
            [](int i) { return std::min(i, 254); }},
        {"8-bit, negative input matches nothing",
            true,
            -1,
            0,
            8,
            [](int i) { return std::min(i, 254); }},
        {"8-bit, output out of range is 255",
            true,
            7,
            999,
            8,
            [](int i) { return i == 7 ? 255 : std::min(i, 254); }},
        // True colour compares with the matched index: white and grey 254 both match 254.
        {"24-bit, matched 254 -> 255",
            true,
            254,
            255,
            24,
            [](int i) { return i >= 254 ? 255 : i; }},
        {"32-bit, off", false, 254, 255, 32, [](int i) { return std::min(i, 254); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Grey grey;
        grey.options.skip[255] = true;
        grey.options.applyTransparency = c.apply;
        grey.options.inputTransparentColor = c.input;
        grey.options.outputTransparentColor = OutputTransparentIndexOf(c.output);
        std::vector<std::uint8_t> pixels;
        std::vector<std::uint8_t> table;
        if (c.depth == 8) {
            pixels = EveryIndex();
            table = test::GreyPaletteTable();
        } else {
            const int bytes = c.depth / 8;
            for (int i = 0; i < 256; ++i) {
                pixels.insert(
                    pixels.end(), static_cast<std::size_t>(bytes), static_cast<std::uint8_t>(i));
            }
        }
        ASSERT_TRUE(ConvertPalette(
            grey.dialogs, grey.store, grey.options, pixels, table, {0, 0, 0}, 16, 16, c.depth));
        ASSERT_EQ(pixels.size(), 256U);
        int wrong = 0;
        for (int i = 0; i < 256; ++i) {
            wrong += pixels[static_cast<std::size_t>(i)] != c.expected(i);
        }
        EXPECT_EQ(wrong, 0);
    }
}

// An input colour outside 0..255 is no entry: as a byte 300, 556 and -212 would all name entry 44.
// It must leave every pixel and the report as they are without transparency, in every depth and
// with every dithering; 44 itself is the control that does make pixels transparent.
TEST(ConvertPalette, AnInputColourOutsideTheEntriesMatchesNoPixel)
{
    const std::int32_t inputs[] = {300, 556, -212, 44};
    const std::int16_t depths[] = {8, 24, 32};
    const Dithering ditherings[] = {Dithering::None, Dithering::FloydSteinberg, Dithering::Ordered};
    for (const std::int32_t input : inputs) {
        for (const std::int16_t depth : depths) {
            for (const Dithering dithering : ditherings) {
                SCOPED_TRACE(std::to_string(input) + ", " + std::to_string(depth)
                    + "-bit, dithering " + std::to_string(static_cast<int>(dithering)));
                // Grey i in every depth; entry 255 skipped, so nothing becomes 255 unless made
                // transparent.
                std::vector<std::uint8_t> source = EveryIndex();
                std::vector<std::uint8_t> table;
                if (depth == 8) {
                    table = test::GreyPaletteTable();
                } else {
                    source.clear();
                    for (int i = 0; i < 256; ++i) {
                        source.insert(source.end(),
                            static_cast<std::size_t>(depth / 8),
                            static_cast<std::uint8_t>(i));
                    }
                }
                const auto convert = [&](bool apply, MappingReport &report) {
                    Grey grey(true);
                    grey.options.dithering = dithering;
                    grey.options.applyTransparency = apply;
                    grey.options.inputTransparentColor = input;
                    grey.options.outputTransparentColor = 255;
                    std::vector<std::uint8_t> pixels = source;
                    EXPECT_TRUE(ConvertPalette(grey.dialogs,
                        grey.store,
                        grey.options,
                        pixels,
                        table,
                        {0, 0, 0},
                        16,
                        16,
                        depth,
                        &report));
                    EXPECT_TRUE(grey.dialogs.Log().empty());
                    return pixels;
                };
                MappingReport plainReport;
                MappingReport report;
                const std::vector<std::uint8_t> plain = convert(false, plainReport);
                const std::vector<std::uint8_t> keyed = convert(true, report);
                ASSERT_EQ(plain.size(), 256U);
                ASSERT_EQ(keyed.size(), 256U);
                ASSERT_NE(plain[44], 255); // the case is worth something only if 44 stays opaque
                ASSERT_EQ(plainReport.pixels, 256);
                std::vector<std::uint8_t> expected = plain;
                if (input == 44) {
                    expected[44] = 255; // source grey 44 is index 44 and matches entry 44
                    EXPECT_EQ(report.pixels, 255);
                } else {
                    EXPECT_EQ(report, plainReport);
                }
                EXPECT_EQ(keyed, expected);
            }
        }
    }
}

TEST(ConvertPalette, ReloadsTheTargetPaletteAndRetakesTheSnapshot)
{
    Grey grey;
    grey.store.SetPaletteTable({1, 2, 3}); // a picture's own table left by the loader
    grey.store.TakeSnapshot(grey.options.skip); // an old snapshot: nothing skipped
    grey.options.skip[40] = true;
    std::vector<std::uint8_t> pixels(4, 40);
    const auto table = test::GreyPaletteTable();
    ASSERT_TRUE(
        ConvertPalette(grey.dialogs, grey.store, grey.options, pixels, table, {0, 0, 0}, 4, 1, 8));
    EXPECT_EQ(grey.store.PaletteTable(), test::GreyPaletteTable());
    EXPECT_EQ(pixels, std::vector<std::uint8_t>(4, 39));
}

TEST(ConvertPalette, ColourTableTooShortIsReported)
{
    Grey grey;
    std::vector<std::uint8_t> pixels = {1, 2, 200, 3};
    const std::vector<std::uint8_t> table(16, 9); // four entries only
    EXPECT_FALSE(
        ConvertPalette(grey.dialogs, grey.store, grey.options, pixels, table, {0, 0, 0}, 4, 1, 8));
    ASSERT_EQ(grey.dialogs.Log().size(), 1U);
    EXPECT_EQ(grey.dialogs.Log()[0].title, "ConvertPalette Error");
    EXPECT_EQ(grey.dialogs.Log()[0].text,
        "Error in ConvertPalette\r\nError #9\r\nSubscript out of range");
    EXPECT_EQ(pixels[1], 9); // converted before the failure
}

} // namespace
} // namespace qv
