#include "engine/remove_bmp_header.h"
#include "platform/failure.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/failure_number.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::BmpLayout;
using test::BuildBmp;

// The palette the reader should hand on for layout's indexed file: the stored table padded with
// zeros to 2^bitCount entries.
std::vector<std::uint8_t> ExpectedPalette(const BmpLayout &layout)
{
    std::vector<std::uint8_t> palette = test::BmpTable(layout);
    palette.resize(std::size_t {4} << layout.bitCount, 0);
    return palette;
}

// The failure number RemoveBMPHeader throws for bytes, 0 when it does not throw.
std::int32_t ParseFailure(const std::vector<std::uint8_t> &bytes, LoadedImage &image)
{
    return test::FailureNumberOf([&] { RemoveBMPHeader(bytes, image); });
}

BmpLayout Layout(std::int16_t bits, std::int32_t width, std::int32_t height, std::uint32_t header)
{
    BmpLayout layout;
    layout.bitCount = bits;
    layout.width = width;
    layout.height = height;
    layout.infoHeaderSize = header;
    layout.paddingByte = 0xAB; // padding the reader must carry over, not zero
    return layout;
}

class ReadsEveryLayout : public testing::TestWithParam<BmpLayout>
{
};

TEST_P(ReadsEveryLayout, RowsTopFirstWithTheFilesPaddingAndTheTable)
{
    const BmpLayout &layout = GetParam();
    LoadedImage image;
    const std::vector<std::uint8_t> sentinel {1, 2, 3};
    image.palette = sentinel;
    RemoveBMPHeader(BuildBmp(layout), image);

    EXPECT_EQ(image.width, layout.width);
    EXPECT_EQ(image.height, layout.height);
    EXPECT_EQ(image.bitCount, layout.bitCount);
    ASSERT_EQ(image.pixels.size(),
        static_cast<std::size_t>(test::BmpStride(layout.width, layout.bitCount)) * layout.height);
    EXPECT_EQ(image.pixels, test::BmpRows(layout));
    if (layout.bitCount <= 8) {
        EXPECT_EQ(image.palette, ExpectedPalette(layout));
    } else {
        EXPECT_EQ(image.palette, sentinel) << "no table is read above 8 bits";
    }
}

INSTANTIATE_TEST_SUITE_P(Depths,
    ReadsEveryLayout,
    testing::Values(Layout(1, 13, 3, 40),
        Layout(4, 7, 4, 40),
        Layout(8, 5, 3, 40),
        Layout(8, 1, 1, 40),
        Layout(8, 127, 2, 108),
        Layout(8, 6, 5, 124),
        Layout(16, 3, 2, 40),
        Layout(24, 30, 3, 40),
        Layout(24, 31, 2, 124),
        Layout(32, 3, 3, 40),
        Layout(32, 2, 2, 108)));

TEST(RemoveBMPHeader, TwentyFourBitThirtyWideHasStride92AndKeepsTheFilesTrailingBytes)
{
    BmpLayout layout = Layout(24, 30, 4, 40);
    layout.paddingByte = 0x5C;
    LoadedImage image;
    RemoveBMPHeader(BuildBmp(layout), image);
    ASSERT_EQ(image.pixels.size(), 92U * 4);
    for (std::size_t r = 0; r < 4; ++r) {
        EXPECT_EQ(image.pixels[r * 92 + 90], 0x5C) << "row " << r;
        EXPECT_EQ(image.pixels[r * 92 + 91], 0x5C) << "row " << r;
    }
}

// Where the rows come from: the pixel-data offset when it is believable, else behind the table.
struct StartCase {
    std::string name;
    BmpLayout layout;
    std::size_t trailingBytes = 0; // junk after the rows
};

const std::vector<std::uint32_t> kStandardMasks {0x00FF0000, 0x0000FF00, 0x000000FF};
// A 6 x 4 8-bit picture's rows are 24 bytes; its 256-entry table ends at 1078.
const std::vector<StartCase> kStartCases {
    {"MasksBehindA40ByteHeader", {.bitCount = 32, .compression = 3, .masks = kStandardMasks}},
    {"GapBeforeTheRows", {.gapBytes = 100}},
    {"ShortTableOffsetRight", {.colorsUsed = 16}},
    {"ShortTableOffsetZero", {.colorsUsed = 16, .pixelDataOffset = 0}},
    {"OffsetInsideTheTable", {.pixelDataOffset = 60}},
    {"OffsetPastTheEnd", {.pixelDataOffset = 0xFFFFFFFF}},
    {"OffsetLeavesRowsShort", {.pixelDataOffset = 1079}},
    {"Header124OffsetZero", {.infoHeaderSize = 124, .pixelDataOffset = 0}},
    {"TwentyFourBitWithATableToSkip", {.bitCount = 24, .tableEntries = 300}},
    {"ColorsUsedOverfull", {.colorsUsed = 300, .tableEntries = 256}},
    {"ColorsUsedAllOnes", {.colorsUsed = 0xFFFFFFFF, .tableEntries = 256}},
    {"TrailingBytesAfterTheRows", {}, 29},
};

class RowsStart : public testing::TestWithParam<StartCase>
{
};

TEST_P(RowsStart, PicksTheRowsTheFileHolds)
{
    BmpLayout layout = GetParam().layout;
    layout.width = 6;
    layout.height = 4;
    std::vector<std::uint8_t> bytes = BuildBmp(layout);
    bytes.insert(bytes.end(), GetParam().trailingBytes, 0x11);
    LoadedImage image;
    RemoveBMPHeader(bytes, image);
    EXPECT_EQ(image.pixels, test::BmpRows(layout));
    if (layout.bitCount == 8) {
        EXPECT_EQ(image.palette, ExpectedPalette(layout));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases,
    RowsStart,
    testing::ValuesIn(kStartCases),
    [](const testing::TestParamInfo<StartCase> &p) { return p.param.name; });

TEST(RemoveBMPHeader, Header124ReadsTheTableAt138AndRowsAt1162)
{
    BmpLayout layout = Layout(8, 4, 2, 124);
    layout.pixelDataOffset = 0; // so only the header decides
    const std::vector<std::uint8_t> bytes = BuildBmp(layout);
    ASSERT_EQ(bytes.size(), 1162U + 8);
    LoadedImage image;
    RemoveBMPHeader(bytes, image);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 138, bytes.begin() + 1162), image.palette);
    // Bottom row first in the file: picture row 1 is the first file row.
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 1162, bytes.begin() + 1166),
        std::vector<std::uint8_t>(image.pixels.begin() + 4, image.pixels.end()));
}

TEST(BMPCompression, StandardMasksOnThirtyTwoBitsCountAsPlain)
{
    struct Case {
        std::int16_t bits;
        std::uint32_t header;
        std::uint32_t compression;
        std::vector<std::uint32_t> masks;
        std::uint32_t expected;
    };
    const std::vector<std::uint32_t> standard {0x00FF0000, 0x0000FF00, 0x000000FF};
    const std::vector<Case> cases {
        {32, 40, 3, standard, 0},
        {32, 124, 3, standard, 0},
        {32, 56, 3, standard, 0},
        {32, 40, 3, {0xFF000000, 0x00FF0000, 0x0000FF00}, 3},
        {32, 124, 3, {0x0000FF00, 0x00FF0000, 0x000000FF}, 3},
        {24, 40, 3, standard, 3},
        {16, 40, 3, {0xF800, 0x07E0, 0x001F}, 3},
        {8, 40, 1, {}, 1},
        {32, 40, 6, standard, 6},
        {8, 16, 0, {}, 0},
    };
    for (const Case &c : cases) {
        BmpLayout layout = Layout(c.bits, 4, 2, c.header);
        layout.compression = c.compression;
        layout.masks = c.masks;
        EXPECT_EQ(BMPCompression(BuildBmp(layout)), c.expected)
            << c.bits << "-bit, header " << c.header << ", compression " << c.compression;
    }
}

TEST(RemoveBMPHeader, CompressedRowsAreNotReadButTheHeaderIs)
{
    BmpLayout layout = Layout(8, 40, 30, 40);
    layout.compression = 1;
    std::vector<std::uint8_t> bytes = BuildBmp(layout);
    bytes.resize(test::BmpRowsOffset(layout) + 50); // run-length data is shorter than the rows
    LoadedImage image;
    image.pixels = {9, 9};
    RemoveBMPHeader(bytes, image);
    EXPECT_EQ(image.width, 40);
    EXPECT_EQ(image.height, 30);
    EXPECT_EQ(image.palette, ExpectedPalette(layout));
    EXPECT_TRUE(image.pixels.empty());
}

// Every proper prefix of a valid file is short of a field, the table or a row.
TEST(RemoveBMPHeader, EveryTruncationFailsAsInputPastEnd)
{
    for (const BmpLayout &layout : {Layout(1, 9, 2, 40),
             Layout(4, 5, 2, 40),
             Layout(8, 3, 2, 40),
             Layout(8, 3, 2, 124),
             Layout(16, 3, 2, 40),
             Layout(24, 5, 2, 40),
             Layout(32, 2, 2, 108)}) {
        const std::vector<std::uint8_t> whole = BuildBmp(layout);
        LoadedImage full;
        ASSERT_EQ(ParseFailure(whole, full), 0) << layout.bitCount << "-bit";
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + length);
            LoadedImage image;
            ASSERT_EQ(ParseFailure(prefix, image), kInputPastEnd)
                << layout.bitCount << "-bit, header " << layout.infoHeaderSize << ", length "
                << length;
            if (length >= 30) {
                EXPECT_EQ(image.width, layout.width) << "read first, kept after the failure";
                EXPECT_EQ(image.height, layout.height);
                EXPECT_EQ(image.bitCount, layout.bitCount);
            }
        }
    }
}

// Absurd header values never crash, read outside the file or allocate what the file cannot hold.
TEST(RemoveBMPHeader, AbsurdHeaderValuesFail)
{
    struct Patch {
        std::size_t offset;
        std::uint32_t value;
        int size = 4;
    };
    struct Case {
        std::string name;
        std::vector<Patch> patches;
        std::int32_t expected;
    };
    const auto minus = [](std::int32_t v) { return static_cast<std::uint32_t>(v); };
    const std::vector<Case> cases {
        {"3000000 x 2000000 24-bit", {{18, 3000000}, {22, 2000000}, {28, 24, 2}}, kOverflow},
        {"width 2^31-1", {{18, 0x7FFFFFFF}}, kOverflow},
        {"height 2^31-1", {{22, 0x7FFFFFFF}}, kOverflow},
        {"20000 x 20000 in a tiny file", {{18, 20000}, {22, 20000}}, kInputPastEnd},
        {"width 0", {{18, 0}}, kSubscriptOutOfRange},
        {"height 0", {{22, 0}}, kSubscriptOutOfRange},
        {"height -20", {{22, minus(-20)}}, kSubscriptOutOfRange},
        {"width -1", {{18, minus(-1)}}, kSubscriptOutOfRange},
        {"header size 2^32-1", {{14, 0xFFFFFFFF}}, kInputPastEnd},
        {"header size 2^31-16", {{14, 0x7FFFFFF0}}, kInputPastEnd},
        {"header size 4", {{14, 4}}, kSubscriptOutOfRange},
        {"header size 0", {{14, 0}}, kSubscriptOutOfRange},
        {"bit count 30000", {{28, 30000, 2}}, kInputPastEnd},
        {"bit count -64", {{28, minus(-64), 2}}, kSubscriptOutOfRange},
    };
    for (const Case &c : cases) {
        std::vector<std::uint8_t> bytes = BuildBmp(Layout(8, 5, 3, 40));
        for (const Patch &p : c.patches) {
            test::PutField(bytes, p.offset, p.value, p.size);
        }
        LoadedImage image;
        EXPECT_EQ(ParseFailure(bytes, image), c.expected) << c.name;
    }
}

} // namespace
} // namespace qv
