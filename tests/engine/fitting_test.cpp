#include "common/report_error.h"
#include "engine/fitting.h"
#include "palette/distance_measure.h"
#include "palette/palette_store.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::FakeSink;

// Alignment option values, for both axes.
constexpr int kAlignStart = 0;
constexpr int kAlignCenter = 1;
constexpr int kAlignEnd = 2;
constexpr int kAlignWeighted = 3;

// An indexed picture (stride = width rounded up to 4) whose pixel (x, y) is index(x, y); the
// padding holds 0, which is not 255, so a count that strays into it would move a Weighted offset.
std::vector<std::uint8_t> Picture(
    std::int32_t width, std::int32_t height, const std::function<int(int, int)> &index)
{
    const std::int32_t stride = (width + 3) / 4 * 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride * height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<std::size_t>(y * stride + x)] =
                static_cast<std::uint8_t>(index(x, y));
        }
    }
    return pixels;
}

TEST(Placement, OffsetsByAlignment)
{
    const auto plain = [](int x, int y) { return (x + 3 * y) % 200; }; // no 255 anywhere
    const auto clear = [](int, int) { return 255; };
    const auto row2 = [](int, int y) { return y == 2 ? 9 : 255; };
    struct Case {
        const char *name;
        std::int32_t width, height, side;
        int vertical, horizontal;
        std::function<int(int, int)> index;
        std::int32_t xOff, yOff;
    };
    const Case cases[] = {
        {"center", 40, 30, 64, kAlignCenter, kAlignCenter, plain, 12, 17},
        {"right bottom", 40, 30, 64, kAlignEnd, kAlignEnd, plain, 24, 34},
        {"center, odd room drops the half", 41, 31, 64, kAlignCenter, kAlignCenter, plain, 11, 16},
        {"left top", 40, 30, 64, kAlignStart, kAlignStart, plain, 0, 0},
        {"weighted", 40, 30, 64, kAlignWeighted, kAlignWeighted, plain, 11, 16},
        {"weighted, only 255", 40, 30, 64, kAlignWeighted, kAlignWeighted, clear, 0, 0},
        // Padding bytes are 0 but not part of the picture: they must not weigh.
        {"weighted, padded rows of 255", 10, 30, 64, kAlignWeighted, kAlignWeighted, clear, 0, 0},
        {"weighted, row 2 of 16", 10, 16, 32, kAlignWeighted, kAlignStart, row2, 0, 13},
        {"as large as the square, weighted",
            64,
            64,
            64,
            kAlignWeighted,
            kAlignWeighted,
            row2,
            0,
            0},
        {"as large as the square, end", 64, 64, 64, kAlignEnd, kAlignEnd, plain, 0, 0},
        {"as large as the square, center", 64, 64, 64, kAlignCenter, kAlignCenter, plain, 0, 0},
        // Weighted pushes a picture heavy at its bottom up against the top edge: held at 0.
        {"weighted held at 0",
            8,
            60,
            64,
            kAlignWeighted,
            kAlignStart,
            [](int, int y) { return y >= 50 ? 1 : 255; },
            0,
            0},
        // ... and one heavy at its top down against the bottom edge: held at side - height.
        {"weighted held at the end",
            8,
            40,
            64,
            kAlignWeighted,
            kAlignStart,
            [](int, int y) { return y == 0 ? 1 : 255; },
            0,
            24},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::uint8_t transparent = 77;
        const std::vector<std::uint8_t> pixels = Picture(c.width, c.height, c.index);
        PlacementTrace trace;
        const std::vector<std::uint8_t> canvas = PlaceOnCanvas(pixels,
            c.width,
            c.height,
            c.side,
            c.side,
            static_cast<VerticalAlignment>(c.vertical),
            static_cast<HorizontalAlignment>(c.horizontal),
            transparent,
            trace);
        EXPECT_EQ(trace.xOff, c.xOff);
        EXPECT_EQ(trace.yOff, c.yOff);
        // The copy loop ran last and left its counters one past the picture.
        EXPECT_EQ(trace.x, c.xOff + c.width);
        EXPECT_EQ(trace.y, c.yOff + c.height);
        ASSERT_EQ(canvas.size(), static_cast<std::size_t>(c.side * c.side));
        int mismatches = 0;
        for (int y = 0; y < c.side; ++y) {
            for (int x = 0; x < c.side; ++x) {
                const bool inside =
                    x >= c.xOff && x < c.xOff + c.width && y >= c.yOff && y < c.yOff + c.height;
                const int expected = inside ? c.index(x - c.xOff, y - c.yOff) : transparent;
                mismatches += canvas[static_cast<std::size_t>(y * c.side + x)] != expected;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(Placement, PixelsShorterThanTheSizeFail)
{
    std::vector<std::uint8_t> pixels(40 * 29, 1); // one row short
    PlacementTrace trace;
    try {
        PlaceOnCanvas(pixels,
            40,
            30,
            64,
            64,
            VerticalAlignment::Center,
            HorizontalAlignment::Center,
            255,
            trace);
        FAIL() << "no failure";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.Number(), kSubscriptOutOfRange);
    }
    // The copy stopped at the first pixel of the missing row, in column xOff.
    EXPECT_EQ(trace.x, 12);
    EXPECT_EQ(trace.y, 17 + 29);
}

// A host matching against the grey ramp (entry i is grey i), written as an external palette.
struct GreyHost {
    test::TempDir dir;
    FakeSink host;

    GreyHost()
    {
        host.options.palette = PaletteChoice::File(dir.Write("grey.act", test::GreyActPalette()));
        host.store.SetPaletteTable(test::GreyPaletteTable());
    }
};

struct Rescaled {
    std::vector<std::uint8_t> canvas;
    std::int32_t side = 0;
};

Rescaled Rescale(FakeSink &host,
    std::int32_t oldSide,
    std::int32_t newSide,
    const std::function<int(int, int)> &index)
{
    Rescaled r {Picture(oldSide, oldSide, index), oldSide};
    std::int32_t oldH = oldSide;
    ResizeTo(host.dialogs, host.store, host.options, r.canvas, newSide, newSide, r.side, oldH);
    EXPECT_EQ(r.side, newSide);
    EXPECT_EQ(oldH, newSide);
    EXPECT_EQ(r.canvas.size(), static_cast<std::size_t>(newSide * newSide));
    return r;
}

int At(const Rescaled &r, int x, int y)
{
    return r.canvas.at(static_cast<std::size_t>(y * r.side + x));
}

TEST(ResizeTo, HalvingByEachMode)
{
    // Every 2 x 2 block holds 100 110 / 120 130, so each mode's samples give their own mean.
    const auto blocks = [](int x, int y) { return 100 + 10 * (x % 2) + 20 * (y % 2); };
    const struct {
        ColorMatching mode;
        int expected;
    } cases[] = {{ColorMatching::Pixel, 100},
        {ColorMatching::AverageRow, 105},
        {ColorMatching::AverageColumn, 110},
        {ColorMatching::AverageSquare, 115}};
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        GreyHost grey;
        grey.host.options.colorMatching = c.mode;
        const Rescaled r = Rescale(grey.host, 128, 64, blocks);
        int wrong = 0;
        for (const std::uint8_t index : r.canvas) {
            wrong += index != c.expected;
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_TRUE(grey.host.dialogs.Log().empty());
    }
}

TEST(ResizeTo, RatioOf1Point5625SamplesTheDocumentedRanges)
{
    // Source value 2 x row: the mean of rows a..b is a + b, which names the rows sampled.
    const auto byRow = [](int, int y) { return 2 * y; };
    const auto byColumn = [](int x, int) { return 2 * x; };
    struct Range {
        int out, first, last; // output line and the source lines the Square mode averages
    };
    const Range squareRanges[] = {{0, 0, 0}, {1, 1, 2}, {2, 3, 3}, {3, 4, 5}, {63, 98, 99}};
    for (const Range &range : squareRanges) {
        SCOPED_TRACE(range.out);
        GreyHost grey;
        grey.host.options.colorMatching = ColorMatching::AverageSquare;
        EXPECT_EQ(At(Rescale(grey.host, 100, 64, byRow), 7, range.out), range.first + range.last);
        EXPECT_EQ(
            At(Rescale(grey.host, 100, 64, byColumn), range.out, 7), range.first + range.last);

        // Average Row takes 1 pixel of a row; Average Column 2 rows of a column.
        grey.host.options.colorMatching = ColorMatching::AverageRow;
        EXPECT_EQ(At(Rescale(grey.host, 100, 64, byColumn), range.out, 7), 2 * range.first);
        EXPECT_EQ(At(Rescale(grey.host, 100, 64, byRow), 7, range.out), 2 * range.first);
        grey.host.options.colorMatching = ColorMatching::AverageColumn;
        EXPECT_EQ(At(Rescale(grey.host, 100, 64, byRow), 7, range.out), 2 * range.first + 1);
        EXPECT_EQ(At(Rescale(grey.host, 100, 64, byColumn), range.out, 7), 2 * range.first);
    }
}

TEST(ResizeTo, GrowingSamplesSinglePixelsWhateverTheMode)
{
    const auto index = [](int x, int y) { return (x * 7 + y * 13) % 256; }; // 255 included
    for (const ColorMatching mode : {ColorMatching::Pixel,
             ColorMatching::AverageRow,
             ColorMatching::AverageColumn,
             ColorMatching::AverageSquare}) {
        SCOPED_TRACE(static_cast<int>(mode));
        GreyHost grey;
        grey.host.options.colorMatching = mode;
        const Rescaled r = Rescale(grey.host, 32, 64, index);
        int wrong = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                wrong += At(r, x, y) != index(x / 2, y / 2);
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(ResizeTo, TransparentSamplesAreLeftOut)
{
    struct Case {
        const char *name;
        int transparent;
        std::function<int(int, int)> index;
        int expected;
    };
    const Case cases[] = {
        {"only T", 255, [](int, int) { return 255; }, 255},
        {"only T, T = 7", 7, [](int, int) { return 7; }, 7},
        {"one pixel besides T", 255, [](int x, int y) { return x % 2 && y % 2 ? 60 : 255; }, 60},
        // 255 is an ordinary colour when T is 7: (7 left out) mean of 255 and 51 is 153.
        {"T = 7 with 255 in the block",
            7,
            [](int x, int y) { return y % 2 ? 7 : (x % 2 ? 255 : 51); },
            153},
        {"out-of-range T is 255", 300, [](int x, int) { return x % 2 ? 255 : 40; }, 40},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GreyHost grey;
        grey.host.options.skip = {}; // every grey may be chosen
        grey.host.options.colorMatching = ColorMatching::AverageSquare;
        grey.host.options.outputTransparentColor = OutputTransparentIndexOf(c.transparent);
        const Rescaled r = Rescale(grey.host, 64, 32, c.index);
        EXPECT_EQ(At(r, 0, 0), c.expected);
        EXPECT_EQ(At(r, 31, 31), c.expected);
    }
}

TEST(ResizeTo, SkippedEntryMovesTheAverageToTheNearestAllowedColour)
{
    const auto hundred = [](int, int) { return 100; };
    struct Case {
        std::vector<int> skipped;
        int expected;
    };
    // 99 and 101 lie equally near grey 100: the lower index wins.
    const Case cases[] = {{{}, 100}, {{100}, 99}, {{99, 100}, 101}, {{98, 99, 100}, 101}};
    for (const Case &c : cases) {
        GreyHost grey;
        for (const int entry : c.skipped) {
            grey.host.options.skip[static_cast<std::size_t>(entry)] = true;
        }
        grey.host.options.colorMatching = ColorMatching::AverageRow;
        EXPECT_EQ(At(Rescale(grey.host, 128, 64, hundred), 3, 3), c.expected);
    }
}

// The Average modes match with the options' distance measure: blocks of one colour of the
// picture's own table come out as the plain search under that measure finds it on WOLF3D.
TEST(ResizeTo, AveragesAreMatchedUnderTheChosenMeasure)
{
    std::vector<std::uint8_t> table(1024, 0);
    for (std::size_t i = 0; i < 100; ++i) {
        table[4 * i] = static_cast<std::uint8_t>(37 * i % 256);
        table[4 * i + 1] = static_cast<std::uint8_t>(91 * i % 256);
        table[4 * i + 2] = static_cast<std::uint8_t>(53 * i % 256 + 1);
    }
    const auto block = [](int x, int y) { return (x / 2 + 7 * (y / 2)) % 100; };
    std::vector<std::vector<std::uint8_t>> results;
    for (int m = 0; m < 4; ++m) {
        const auto measure = static_cast<DistanceMeasure>(m);
        SCOPED_TRACE(m);
        FakeSink host; // WOLF3D, 255 skipped
        host.options.distance = measure;
        host.options.colorMatching = ColorMatching::AverageSquare;
        host.store.SetPaletteTable(table);
        const Rescaled r = Rescale(host, 128, 64, block);
        int wrong = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const auto k = static_cast<std::size_t>(4 * block(2 * x, 2 * y));
                wrong += At(r, x, y)
                    != FindNearestColorPlain(measure,
                        host.store.MatchColors(),
                        host.store.UsableColors(),
                        table[k],
                        table[k + 1],
                        table[k + 2]);
            }
        }
        EXPECT_EQ(wrong, 0);
        results.push_back(r.canvas);
    }
    for (std::size_t m = 1; m < results.size(); ++m) {
        EXPECT_NE(results[m], results[0]) << m; // each measure chooses differently somewhere
    }
}

TEST(ResizeTo, PreparesMatchingItselfAndKeepsThePicturesTable)
{
    // The picture's own table is the grey ramp reversed; the target palette the grey ramp. No
    // palette conversion has run, so ResizeTo must build the match table itself.
    GreyHost grey;
    std::vector<std::uint8_t> reversed;
    for (int i = 255; i >= 0; --i) {
        const auto v = static_cast<std::uint8_t>(i);
        reversed.insert(reversed.end(), {v, v, v, 0});
    }
    grey.host.store.SetPaletteTable(reversed);
    grey.host.options.colorMatching = ColorMatching::AverageSquare;
    const Rescaled r = Rescale(grey.host, 128, 64, [](int, int) { return 10; });
    EXPECT_EQ(At(r, 5, 5), 245); // index 10 of the picture is grey 245
    EXPECT_EQ(grey.host.store.PaletteTable(), reversed);
    EXPECT_TRUE(grey.host.store.HasSnapshot());
}

TEST(ResizeTo, SameSizeReturnsAtOnce)
{
    FakeSink host;
    std::vector<std::uint8_t> canvas(5, 3); // far too short, but never looked at
    std::int32_t w = 64;
    std::int32_t h = 64;
    ResizeTo(host.dialogs, host.store, host.options, canvas, 64, 64, w, h);
    EXPECT_EQ(canvas, std::vector<std::uint8_t>(5, 3));
    EXPECT_TRUE(host.dialogs.Log().empty());
}

TEST(ResizeTo, FailureLeavesCanvasAndSizesUnchanged)
{
    struct Case {
        const char *name;
        ColorMatching mode;
        std::size_t canvasSize;
        std::vector<std::uint8_t> table;
        std::int32_t newSide;
    };
    const Case cases[] = {
        {"canvas shorter than its size",
            ColorMatching::Pixel,
            128 * 100,
            test::GreyPaletteTable(),
            64},
        {"palette table without the sampled entries",
            ColorMatching::AverageSquare,
            128 * 128,
            {1, 2, 3, 0},
            64},
        {"no output side", ColorMatching::Pixel, 128 * 128, test::GreyPaletteTable(), 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GreyHost grey;
        grey.host.options.colorMatching = c.mode;
        grey.host.store.SetPaletteTable(c.table);
        std::vector<std::uint8_t> canvas(c.canvasSize, 40);
        const std::vector<std::uint8_t> before = canvas;
        std::int32_t w = 128;
        std::int32_t h = 128;
        ResizeTo(grey.host.dialogs,
            grey.host.store,
            grey.host.options,
            canvas,
            c.newSide,
            c.newSide,
            w,
            h);
        EXPECT_EQ(canvas, before);
        EXPECT_EQ(w, 128);
        EXPECT_EQ(h, 128);
        ASSERT_EQ(grey.host.dialogs.Log().size(), 1U);
        const auto &shown = grey.host.dialogs.Log()[0];
        EXPECT_EQ(shown.title, "ResizeTo Error");
        EXPECT_EQ(shown.icon, MessageIcon::Error);
        EXPECT_TRUE(shown.text.starts_with("Error in ResizeTo\r\nError #")) << shown.text;
    }
}

} // namespace
} // namespace qv
