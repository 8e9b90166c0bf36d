// Offsets of a picture as written: the modes, and the transparent border left out.
#include "engine/picture_offsets.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// A 16 x 12 picture of index 0 with a box of index 9 from (left, top) to (right, bottom), one
// past; an empty box draws nothing.
std::vector<std::uint8_t> Picture(int left, int top, int right, int bottom)
{
    std::vector<std::uint8_t> indices(16 * 12, 0);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            indices[static_cast<std::size_t>(y * 16 + x)] = 9;
        }
    }
    return indices;
}

TEST(PictureOffsets, EachModeOnTheDrawnPixels)
{
    const struct {
        const char *name;
        OffsetMode mode;
        std::vector<std::uint8_t> indices;
        std::int32_t transparent;
        PictureOffsets expected;
    } cases[] = {
        {"none", OffsetMode::None, Picture(3, 2, 9, 7), 0, {0, 0}},
        {"custom", OffsetMode::Custom, Picture(3, 2, 9, 7), 0, {-5, 300}},
        // Columns 3..8 and rows 2..6 are drawn: the centre column is 3 + 6 / 2, the feet stand
        // one row below row 6.
        {"sprite", OffsetMode::Sprite, Picture(3, 2, 9, 7), 0, {6, 7}},
        {"centre", OffsetMode::Centre, Picture(3, 2, 9, 7), 0, {6, 4}},
        // Odd sizes round down: columns 4..8 (5), rows 1..3 (3).
        {"odd centre", OffsetMode::Centre, Picture(4, 1, 9, 4), 0, {6, 2}},
        // Nothing drawn: the whole picture.
        {"sprite of nothing", OffsetMode::Sprite, Picture(0, 0, 0, 0), 0, {8, 12}},
        {"centre of nothing", OffsetMode::Centre, Picture(0, 0, 0, 0), 0, {8, 6}},
        // Without a transparent index every pixel counts.
        {"sprite, no transparency", OffsetMode::Sprite, Picture(3, 2, 9, 7), -1, {8, 12}},
        // Another transparent index: the box's inside is the border now.
        {"centre of index 9's frame", OffsetMode::Centre, Picture(0, 0, 16, 5), 9, {8, 8}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ConversionOptions options;
        options.offsets = c.mode;
        options.offsetX = -5;
        options.offsetY = 300;
        EXPECT_EQ(OffsetsOf(options, c.indices, 16, 12, c.transparent), c.expected);
    }
}

} // namespace
} // namespace qv
