// Doom flats, Quake pictures, PCX and the PNG grAb chunk against bytes worked out by hand, and
// PCX round trips through the program's own reader.
#include "engine/doom_flat.h"
#include "engine/pcx_file.h"
#include "engine/pcx_reader.h"
#include "engine/png_file.h"
#include "engine/png_grab.h"
#include "engine/quake_picture.h"
#include "platform/readable_file.h"
#include "tests/support/temp_dir.h"

#include <random>

#include <gtest/gtest.h>

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The palette byte table whose entry i is red i, green 255 - i, blue i / 2.
Bytes Table()
{
    Bytes table;
    for (int i = 0; i < 256; ++i) {
        table.insert(table.end(),
            {static_cast<std::uint8_t>(i / 2),
                static_cast<std::uint8_t>(255 - i),
                static_cast<std::uint8_t>(i),
                0});
    }
    return table;
}

TEST(DoomFlat, SquaresTheEnginesReadAndNoOthers)
{
    const struct {
        std::int32_t width;
        std::int32_t height;
        bool flat;
    } cases[] = {{64, 64, true},
        {8, 8, true},
        {16, 16, true},
        {32, 32, true},
        {128, 128, true},
        {256, 256, true},
        {48, 48, false},
        {64, 32, false},
        {512, 512, false},
        {4, 4, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        EXPECT_EQ(IsDoomFlatSize(c.width, c.height), c.flat);
    }
}

TEST(QuakePicture, SizesThenIndicesWithTheTransparentOnesAt255)
{
    // 3 x 2, stride 4; index 5 is the output transparent colour, 255 a colour of its own.
    const Bytes indices = {5, 1, 2, 0, 3, 5, 255, 0};
    const struct {
        std::int32_t transparent;
        Bytes expected;
    } cases[] = {
        {5, {3, 0, 0, 0, 2, 0, 0, 0, 255, 1, 2, 3, 255, 255}},
        {255, {3, 0, 0, 0, 2, 0, 0, 0, 5, 1, 2, 3, 5, 255}},
        {-1, {3, 0, 0, 0, 2, 0, 0, 0, 5, 1, 2, 3, 5, 255}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.transparent);
        EXPECT_EQ(EncodeQuakePicture(indices, 3, 2, c.transparent), c.expected);
    }
}

TEST(Pcx, HeaderRunsAndPaletteOfASmallPicture)
{
    // 3 x 2, stride 4: a run of three 7s, and a value of 0xC5 that must go as a run of one.
    const Bytes indices = {7, 7, 7, 0, 0xC5, 1, 1, 0};
    const Bytes table = Table();
    Bytes expected = {0x0A, 5, 1, 8, 0, 0, 0, 0, 2, 0, 1, 0, 72, 0, 72, 0};
    expected.resize(64, 0);
    expected.insert(expected.end(), {0, 1, 4, 0, 1, 0});
    expected.resize(128, 0);
    // Lines of 4 bytes (3 rounded up to even), each encoded on its own with its padding 0.
    expected.insert(expected.end(), {0xC3, 7, 0, 0xC1, 0xC5, 0xC2, 1, 0});
    expected.push_back(0x0C);
    for (int i = 0; i < 256; ++i) {
        expected.insert(expected.end(),
            {static_cast<std::uint8_t>(i),
                static_cast<std::uint8_t>(255 - i),
                static_cast<std::uint8_t>(i / 2)});
    }
    EXPECT_EQ(EncodePcx(indices, 3, 2, table), expected);
}

// What the program writes, it reads back with the same indices and table, whatever the width.
TEST(Pcx, RoundTripsThroughTheReader)
{
    test::TempDir dir;
    std::mt19937 random(5);
    const Bytes table = Table();
    for (const auto &[width, height] : {std::pair {1, 1}, {3, 2}, {64, 64}, {129, 7}, {512, 3}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const int stride = (width + 3) / 4 * 4;
        Bytes indices(static_cast<std::size_t>(stride * height), 0);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                // Even rows: runs of 100 (split at 63); odd rows: short runs with values above
                // 0xC0 among them.
                indices[static_cast<std::size_t>(y * stride + x)] = static_cast<std::uint8_t>(
                    y % 2 == 0 ? x / 100 : (random() % 4 == 0 ? random() : x / 5));
            }
        }
        ReadableFile file(dir.Write("p.pcx", EncodePcx(indices, width, height, table)));
        LoadedImage image;
        ASSERT_EQ(DecodePcx(file, 512, image), "");
        EXPECT_EQ(image.width, width);
        EXPECT_EQ(image.height, height);
        EXPECT_EQ(image.bitCount, 8);
        EXPECT_EQ(image.pixels, indices);
        EXPECT_EQ(image.palette, table);
    }
}

TEST(PngGrab, TheChunkFollowsTheHeaderAndTheFileStillReads)
{
    const Bytes indices = {1, 2, 3, 0};
    const Bytes png = EncodeIndexedPng(indices, 3, 1, Table(), 255);
    const Bytes grabbed = WithGrabChunk(png, {-2, 300});
    const Bytes chunk = {0,
        0,
        0,
        8,
        'g',
        'r',
        'A',
        'b',
        0xFF,
        0xFF,
        0xFF,
        0xFE,
        0,
        0,
        1,
        0x2C,
        0x0E,
        0xC2,
        0x39,
        0xE2};
    ASSERT_EQ(grabbed.size(), png.size() + chunk.size());
    EXPECT_EQ(Bytes(grabbed.begin() + 33, grabbed.begin() + 53), chunk);
    EXPECT_EQ(Bytes(grabbed.begin(), grabbed.begin() + 33), Bytes(png.begin(), png.begin() + 33));
    EXPECT_EQ(Bytes(grabbed.begin() + 53, grabbed.end()), Bytes(png.begin() + 33, png.end()));
    LoadedImage image;
    ASSERT_TRUE(DecodePng(grabbed, 512, image));
    EXPECT_EQ(image.width, 3);
    EXPECT_THROW(WithGrabChunk(Bytes(40, 0), {}), Failure);
}

} // namespace
} // namespace qv
