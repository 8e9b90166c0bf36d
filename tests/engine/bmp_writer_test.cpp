#include "engine/mod_add_bmp_header.h"
#include "engine/remove_bmp_header.h"
#include "platform/failure.h"
#include "tests/support/reference_decode.h"
#include "tests/support/temp_dir.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

std::int32_t Stride(std::int32_t width)
{
    return (width + 3) / 4 * 4;
}

// A seeded indexed image whose padding bytes are not zero, so a writer that copies whole
// strides instead of width bytes is caught.
std::vector<std::uint8_t> IndexedImage(std::int32_t width, std::int32_t height, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> image(static_cast<std::size_t>(Stride(width)) * height);
    for (std::size_t i = 0; i < image.size(); ++i) {
        const bool padding = static_cast<std::int32_t>(i % Stride(width)) >= width;
        image[i] = padding ? 0xCD : static_cast<std::uint8_t>(random());
    }
    return image;
}

std::vector<std::uint8_t> PaletteTable(unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> table(1024);
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = i % 4 == 3 ? 0 : static_cast<std::uint8_t>(random());
    }
    return table;
}

// The image as it comes back from a file: padding bytes zero.
std::vector<std::uint8_t> WithZeroPadding(std::vector<std::uint8_t> image, std::int32_t width)
{
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (static_cast<std::int32_t>(i % Stride(width)) >= width) {
            image[i] = 0;
        }
    }
    return image;
}

std::uint32_t Field32(const std::vector<std::uint8_t> &b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t> &b, std::size_t at, std::size_t n)
{
    return {b.begin() + static_cast<std::ptrdiff_t>(at),
        b.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

TEST(AddBMPHeader, TheFiftyFourHeaderBytesOfA64By64File)
{
    std::vector<std::uint8_t> bytes(64 * 64, 7);
    AddBMPHeader(64, 64, bytes, PaletteTable(1));
    const std::vector<std::uint8_t> expected {0x42,
        0x4D,
        0x36,
        0x14,
        0x00,
        0x00,
        0x00,
        0x00,
        0x00,
        0x00,
        0x36,
        0x04,
        0x00,
        0x00, // file
        0x28,
        0x00,
        0x00,
        0x00,
        0x40,
        0x00,
        0x00,
        0x00,
        0x40,
        0x00,
        0x00,
        0x00, // size, w, h
        0x01,
        0x00,
        0x08,
        0x00, // planes, bits
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0}; // all zero
    ASSERT_EQ(bytes.size(), 5174U);
    EXPECT_EQ(Slice(bytes, 0, 54), expected);
}

struct Shape {
    std::int32_t width;
    std::int32_t height;
    std::size_t fileSize;
};

class WritesRowsBottomUp : public testing::TestWithParam<Shape>
{
};

TEST_P(WritesRowsBottomUp, TableThenRowsWithZeroPadding)
{
    const auto [width, height, fileSize] = GetParam();
    const std::vector<std::uint8_t> image = IndexedImage(width, height, 5);
    const std::vector<std::uint8_t> palette = PaletteTable(9);
    std::vector<std::uint8_t> bytes = image;
    AddBMPHeader(width, height, bytes, palette);

    ASSERT_EQ(bytes.size(), fileSize);
    EXPECT_EQ(Field32(bytes, 2), fileSize);
    EXPECT_EQ(Slice(bytes, 54, 1024), palette);
    const auto stride = static_cast<std::size_t>(Stride(width));
    const auto w = static_cast<std::size_t>(width);
    for (std::size_t r = 0; r < static_cast<std::size_t>(height); ++r) {
        const std::size_t at = fileSize - (r + 1) * stride;
        ASSERT_EQ(Slice(bytes, at, w), Slice(image, r * stride, w)) << "image row " << r;
        EXPECT_EQ(Slice(bytes, at + w, stride - w), std::vector<std::uint8_t>(stride - w, 0))
            << "padding of image row " << r;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes,
    WritesRowsBottomUp,
    testing::Values(Shape {64, 64, 5174},
        Shape {62, 10, 1718},
        Shape {1, 1, 1082},
        Shape {3, 7, 1078 + 4 * 7},
        Shape {129, 2, 1078 + 132 * 2},
        Shape {512, 512, 1078 + 512 * 512}));

TEST(AddBMPHeader, SixtyFourSquareRowsLandAt5110And1078)
{
    std::vector<std::uint8_t> image(64 * 64);
    for (std::size_t r = 0; r < 64; ++r) {
        std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(r * 64), 64, r);
    }
    AddBMPHeader(64, 64, image, PaletteTable(2));
    EXPECT_EQ(Slice(image, 5110, 64), std::vector<std::uint8_t>(64, 0));
    EXPECT_EQ(Slice(image, 1078, 64), std::vector<std::uint8_t>(64, 63));
}

TEST(AddBMPHeader, ReadsBackThroughRemoveBMPHeader)
{
    for (const auto &[width, height] : {std::pair {5, 3}, {64, 64}, {30, 1}, {1, 9}}) {
        const std::vector<std::uint8_t> image = IndexedImage(width, height, 11);
        std::vector<std::uint8_t> bytes = image;
        AddBMPHeader(width, height, bytes, PaletteTable(3));
        LoadedImage back;
        RemoveBMPHeader(bytes, back);
        EXPECT_EQ(back.width, width);
        EXPECT_EQ(back.height, height);
        EXPECT_EQ(back.bitCount, 8);
        EXPECT_EQ(back.palette, PaletteTable(3));
        EXPECT_EQ(back.pixels, WithZeroPadding(image, width)) << width << " x " << height;
    }
}

TEST(AddBMPHeader, BadArgumentsFailAndLeaveThePixelsAlone)
{
    struct Case {
        std::string name;
        std::int32_t width;
        std::int32_t height;
        std::size_t pixelBytes;
        std::size_t paletteBytes;
        std::int32_t expected;
    };
    const std::vector<Case> cases {
        {"width 0", 0, 4, 0, 1024, kInvalidArgument},
        {"height -4", 4, -4, 16, 1024, kInvalidArgument},
        {"one byte short", 5, 2, 15, 1024, kSubscriptOutOfRange},
        {"unpadded rows", 5, 2, 10, 1024, kSubscriptOutOfRange},
        {"one byte over", 4, 4, 17, 1024, kSubscriptOutOfRange},
        {"768-byte palette", 4, 4, 16, 768, kSubscriptOutOfRange},
        {"width 2^31-1", 0x7FFFFFFF, 1, 16, 1024, kOverflow},
        {"file size past 2^31", 0x10000, 0x8000, 16, 1024, kOverflow},
    };
    for (const Case &c : cases) {
        const std::vector<std::uint8_t> before(c.pixelBytes, 0x42);
        std::vector<std::uint8_t> pixels = before;
        std::int32_t number = 0;
        try {
            AddBMPHeader(c.width, c.height, pixels, std::vector<std::uint8_t>(c.paletteBytes));
        } catch (const Failure &failure) {
            number = failure.Number();
        }
        EXPECT_EQ(number, c.expected) << c.name;
        EXPECT_EQ(pixels, before) << c.name;
    }
}

#ifndef _WIN32
// Pillow and ImageMagick read our output as the same 8-bit picture (Linux programs, not there
// for the Windows build).
TEST(AddBMPHeader, OtherReadersSeeTheSamePicture)
{
    test::TempDir dir;
    for (const auto &[width, height] : {std::pair {64, 64}, {62, 10}, {1, 1}, {33, 7}}) {
        const std::vector<std::uint8_t> image = IndexedImage(width, height, 21);
        const std::vector<std::uint8_t> palette = PaletteTable(4);
        std::vector<std::uint8_t> bytes = image;
        AddBMPHeader(width, height, bytes, palette);
        const std::string path = dir.Write(std::to_string(width) + ".bmp", bytes);

        const test::PillowPicture pillow = test::DecodeWithPillow(path);
        ASSERT_EQ(pillow.error, "");
        EXPECT_EQ(pillow.mode, "P");
        EXPECT_EQ(pillow.width, width);
        EXPECT_EQ(pillow.height, height);
        ASSERT_EQ(pillow.palette.size(), 256U * 3);
        for (std::size_t e = 0; e < 256; ++e) {
            EXPECT_EQ(pillow.palette[e * 3], palette[e * 4 + 2]) << "red of entry " << e;
            EXPECT_EQ(pillow.palette[e * 3 + 1], palette[e * 4 + 1]) << "green of entry " << e;
            EXPECT_EQ(pillow.palette[e * 3 + 2], palette[e * 4]) << "blue of entry " << e;
        }
        ASSERT_EQ(pillow.pixels.size(), static_cast<std::size_t>(width) * height);
        for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
            EXPECT_EQ(
                Slice(pillow.pixels, y * width, width), Slice(image, y * Stride(width), width))
                << "row " << y;
        }

        const std::string magick = test::CommandOutput(
            "identify -format '%w %h %z %r' " + test::ShellQuote(path) + " 2>&1");
        EXPECT_EQ(magick.rfind(
                      std::to_string(width) + " " + std::to_string(height) + " 8 PseudoClass", 0),
            0U)
            << magick;
    }
}
#endif

} // namespace
} // namespace qv
