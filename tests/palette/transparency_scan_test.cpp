#include "palette/palette_store.h"
#include "palette/transparency_scan.h"
#include "platform/failure.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <functional>

#include <gtest/gtest.h>

namespace qv {
namespace {

// The grey ramp with entry 255 skipped.
struct Grey : test::GreyPalette {
    Grey()
        : test::GreyPalette(true)
    { }
};

// Rows of width pixels of bytesPerPixel bytes each, padded to 4 with the byte padding.
std::vector<std::uint8_t> Rows(std::int32_t width,
    std::int32_t height,
    int bytesPerPixel,
    std::uint8_t padding,
    const std::function<std::uint8_t(int, int)> &value)
{
    const std::int32_t stride = (width * bytesPerPixel + 3) / 4 * 4;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride * height), padding);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < bytesPerPixel; ++c) {
                rows[static_cast<std::size_t>(y * stride + x * bytesPerPixel + c)] = value(x, y);
            }
        }
    }
    return rows;
}

TEST(ScanForTransparentColor, MostFrequentIndexLowestOnTies)
{
    struct Case {
        const char *name;
        std::int32_t width, height;
        std::int16_t depth;
        std::uint8_t padding;
        std::function<std::uint8_t(int, int)> value;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"8-bit, 3 and 9 equally often", 4, 4, 8, 0, [](int x, int) { return x < 2 ? 9 : 3; }, 3},
        {"8-bit, one more 9", 5, 1, 8, 0, [](int x, int) { return x < 3 ? 9 : 3; }, 9},
        // Three padding bytes of 2 per row would beat the three 4s of each row if counted.
        {"8-bit, padding not counted", 5, 6, 8, 2, [](int x, int) { return x < 3 ? 4 : 6; }, 4},
        {"8-bit, all 255", 3, 3, 8, 0, [](int, int) { return 255; }, 255},
        // Background grey 77 covers most of the picture; a grey-200 block sits in it.
        {"24-bit background",
            20,
            10,
            24,
            0,
            [](int x, int y) { return x > 5 && x < 12 && y > 2 && y < 8 ? 200 : 77; },
            77},
        // White is matched to 254 while entry 255 is skipped.
        {"32-bit white background", 7, 7, 32, 0, [](int x, int) { return x == 3 ? 10 : 255; }, 254},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Grey grey;
        const std::vector<std::uint8_t> pixels =
            Rows(c.width, c.height, c.depth / 8, c.padding, c.value);
        EXPECT_EQ(ScanForTransparentColor(
                      grey.dialogs, grey.store, grey.options, pixels, c.width, c.height, c.depth),
            c.expected);
        EXPECT_TRUE(grey.dialogs.Log().empty());
    }
}

TEST(ScanForTransparentColor, PixelsShorterThanTheSizeFail)
{
    Grey grey;
    const std::vector<std::uint8_t> pixels(4 * 3 - 1, 1);
    EXPECT_THROW(
        ScanForTransparentColor(grey.dialogs, grey.store, grey.options, pixels, 4, 3, 8), Failure);
}

struct Picture {
    std::vector<std::uint8_t> pixels;
    std::int32_t width, height;
    std::int16_t depth;
};

// An 8-bit 6 x 4 picture whose pixel (x, y) is index 10 y + x, except 17 at (3, 2); the colour
// table is irrelevant to the pick.
Picture Indexed()
{
    return {
        Rows(6, 4, 1, 0, [](int x, int y) { return x == 3 && y == 2 ? 17 : 10 * y + x; }), 6, 4, 8};
}

// A 24-bit 5 x 3 picture of grey 40 with white at (4, 1).
Picture TrueColour()
{
    return {Rows(5, 3, 3, 0, [](int x, int y) { return x == 4 && y == 1 ? 255 : 40; }), 5, 3, 24};
}

TEST(PickTransparentIndex, IndexUnderTheClick)
{
    struct Case {
        const char *name;
        Picture picture;
        std::int32_t column, row;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"index 17", Indexed(), 3, 2, 17},
        {"last pixel", Indexed(), 5, 3, 35},
        {"white: nearest usable entry", TrueColour(), 4, 1, 254},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Grey grey;
        EXPECT_EQ(PickTransparentIndex(grey.dialogs,
                      grey.store,
                      grey.options,
                      c.picture.pixels,
                      c.picture.width,
                      c.picture.height,
                      c.picture.depth,
                      c.column,
                      c.row),
            c.expected);
    }
}

TEST(PickTransparentIndex, OutsideThePictureFails)
{
    struct Case {
        const char *name;
        Picture picture;
        std::int32_t column, row;
        std::int32_t number;
    };
    Picture shortData = Indexed();
    shortData.pixels.resize(2 * 8); // the rows of y = 2 and 3 are missing
    Picture fourBit = Indexed();
    fourBit.depth = 4;
    const Case cases[] = {
        {"right of the picture (in its padding)", Indexed(), 6, 0, kSubscriptOutOfRange},
        {"below the picture", Indexed(), 0, 4, kSubscriptOutOfRange},
        {"left of the picture", Indexed(), -1, 0, kSubscriptOutOfRange},
        {"beyond the data", shortData, 0, 2, kSubscriptOutOfRange},
        {"depth not pickable", fourBit, 0, 0, kInvalidArgument},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Grey grey;
        try {
            PickTransparentIndex(grey.dialogs,
                grey.store,
                grey.options,
                c.picture.pixels,
                c.picture.width,
                c.picture.height,
                c.picture.depth,
                c.column,
                c.row);
            ADD_FAILURE() << "no failure";
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.Number(), c.number);
        }
    }
}

} // namespace
} // namespace qv
