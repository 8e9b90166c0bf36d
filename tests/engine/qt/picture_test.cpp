#include "engine/mod_add_bmp_header.h"
#include "engine/qt/picture_from_bmp_data.h"
#include "platform/failure.h"

#include <functional>

#include <gtest/gtest.h>

namespace qv {
namespace {

// A table whose entry i is (blue i, green 255 - i, red 7i mod 256): every entry differs.
std::vector<std::uint8_t> Table(int shift)
{
    std::vector<std::uint8_t> table;
    for (int i = 0; i < 256; ++i) {
        const int k = (i + shift) % 256;
        table.insert(table.end(),
            {static_cast<std::uint8_t>(k),
                static_cast<std::uint8_t>(255 - k),
                static_cast<std::uint8_t>(7 * k % 256),
                0});
    }
    return table;
}

QRgb Colour(const std::vector<std::uint8_t> &table, int index)
{
    const auto at = static_cast<std::size_t>(4 * index);
    return qRgb(table[at + 2], table[at + 1], table[at]);
}

// An 8-bit file of width x height whose pixel (x, y) (top row first) is index(x, y).
std::vector<std::uint8_t> File(std::int32_t width,
    std::int32_t height,
    const std::function<int(int, int)> &index,
    const std::vector<std::uint8_t> &table)
{
    const std::int32_t stride = (width + 3) / 4 * 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride * height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<std::size_t>(y * stride + x)] =
                static_cast<std::uint8_t>(index(x, y));
        }
    }
    AddBMPHeader(width, height, pixels, table);
    return pixels;
}

TEST(PictureFromBMPData, ColoursComeFromThePaletteTableTopRowFirst)
{
    const auto index = [](int x, int y) { return (11 * x + 29 * y) % 256; };
    const std::pair<int, int> sizes[] = {{3, 2}, {5, 3}, {64, 64}, {1, 7}, {130, 1}};
    for (const auto &[width, height] : sizes) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        // The file carries one table, the preview is coloured with another.
        const std::vector<std::uint8_t> shown = Table(3);
        const QImage picture = PictureFromBMPData(File(width, height, index, Table(0)), shown);
        ASSERT_EQ(picture.width(), width);
        ASSERT_EQ(picture.height(), height);
        EXPECT_EQ(picture.format(), QImage::Format_Indexed8);
        int wrong = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                wrong += picture.pixel(x, y) != Colour(shown, index(x, y));
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(PictureFromBMPData, OtherBitCountsGiveABlackPictureOfTheSize)
{
    std::vector<std::uint8_t> file = File(
        6, 4, [](int x, int) { return x + 1; }, Table(0));
    file[28] = 24;
    const QImage picture = PictureFromBMPData(file, Table(0));
    ASSERT_EQ(picture.size(), QSize(6, 4));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(5, 3), qRgb(0, 0, 0));
}

TEST(PictureFromBMPData, BrokenInputFailsInsteadOfReadingOutside)
{
    const std::vector<std::uint8_t> good = File(
        5, 3, [](int x, int y) { return x * y; }, Table(0));
    struct Case {
        const char *name;
        std::function<void(std::vector<std::uint8_t> &, std::vector<std::uint8_t> &)> spoil;
    };
    const Case cases[] = {
        {"last row cut short", [](auto &file, auto &) { file.pop_back(); }},
        {"header cut short", [](auto &file, auto &) { file.resize(20); }},
        {"huge width", [](auto &file, auto &) { file[21] = 0x40; }},
        {"zero width", [](auto &file, auto &) { file[18] = 0; }},
        {"short palette table", [](auto &, auto &table) { table.resize(1020); }},
        {"huge blank picture",
            [](auto &file, auto &) {
                file[28] = 16;
                file[21] = 0x40;
            }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> file = good;
        std::vector<std::uint8_t> table = Table(0);
        c.spoil(file, table);
        EXPECT_THROW(PictureFromBMPData(file, table), Failure);
    }
}

} // namespace
} // namespace qv
