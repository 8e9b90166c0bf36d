// Doom pictures: bytes worked out by hand for small and tall columns, and round trips through a
// reader that follows the source ports.
#include "engine/doom_picture.h"
#include "tests/support/game_lump_reader.h"

#include <random>

#include <gtest/gtest.h>

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A one-column picture of height rows: index 255 except the rows given, which hold their row
// number (mod 256, never 255).
Bytes Column(int height, const std::vector<std::pair<int, int>> &drawn)
{
    Bytes indices(static_cast<std::size_t>(height) * 4, 255);
    for (const auto &[first, last] : drawn) {
        for (int y = first; y < last; ++y) {
            indices[static_cast<std::size_t>(y) * 4] = static_cast<std::uint8_t>(y % 255);
        }
    }
    return indices;
}

// A post's bytes: delta, length, padding, the rows' values (their numbers mod 255), padding.
Bytes Post(int delta, int first, int last)
{
    Bytes post = {static_cast<std::uint8_t>(delta), static_cast<std::uint8_t>(last - first)};
    post.push_back(static_cast<std::uint8_t>(first % 255));
    for (int y = first; y < last; ++y) {
        post.push_back(static_cast<std::uint8_t>(y % 255));
    }
    post.push_back(static_cast<std::uint8_t>((last - 1) % 255));
    return post;
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes &part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(DoomPicture, SmallPictureWithASeeThroughColumn)
{
    // 3 x 2: column 1 is see-through, column 2 only in its top row. Stride 4.
    const Bytes indices = {5, 255, 7, 0, 6, 255, 255, 0};
    const Bytes expected = {3,
        0,
        2,
        0,
        1,
        0,
        2,
        0, // width, height, left, top
        20,
        0,
        0,
        0,
        27,
        0,
        0,
        0,
        28,
        0,
        0,
        0, // column offsets
        0,
        2,
        5,
        5,
        6,
        6,
        0xFF, // column 0: one post of two
        0xFF, // column 1: nothing drawn
        0,
        1,
        7,
        7,
        7,
        0xFF}; // column 2
    EXPECT_EQ(EncodeDoomPicture(indices, 3, 2, 255, {1, 2}), expected);
    // Without a transparent index every pixel is drawn.
    const test::DoomPicture opaque =
        test::ReadDoomPicture(EncodeDoomPicture(indices, 3, 2, -1, {}));
    EXPECT_EQ(opaque.pixels, (std::vector<int> {5, 255, 7, 6, 255, 255}));
}

// Columns of one pixel's width and their posts, worked out by hand.
TEST(DoomPicture, TallColumnsFollowTheSourcePortsConvention)
{
    const Bytes header300 = {1, 0, 0x2C, 1, 0, 0, 0, 0, 12, 0, 0, 0};
    const Bytes header512 = {1, 0, 0, 2, 0, 0, 0, 0, 12, 0, 0, 0};
    const Bytes step = {254, 0, 0, 0}; // an empty post 254 rows on
    const Bytes end = {0xFF};
    const struct {
        const char *name;
        int height;
        std::vector<std::pair<int, int>> drawn;
        Bytes expected;
    } cases[] = {
        // 254 rows, then a post that can still start at row 254 with a plain delta.
        {"full", 300, {{0, 300}}, Cat({header300, Post(0, 0, 254), Post(254, 254, 300), end})},
        // Rows 260..299: an empty post at 254, then 6 rows on from there.
        {"low", 300, {{260, 300}}, Cat({header300, step, Post(6, 260, 300), end})},
        // A post at the top, then one at 300: 254 is above row 0, so it is read as a row.
        {"top and low",
            300,
            {{0, 1}, {290, 300}},
            Cat({header300, Post(0, 0, 1), step, Post(36, 290, 300), end})},
        // Row 511 alone: 254, then 254 on from it (508), then 3 on.
        {"two steps", 512, {{511, 512}}, Cat({header512, step, step, Post(3, 511, 512), end})},
        // A post at 300 and one at 400: 100 on from 300.
        {"relative twice",
            512,
            {{300, 301}, {400, 401}},
            Cat({header512, step, Post(46, 300, 301), Post(100, 400, 401), end})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes indices = Column(c.height, c.drawn);
        const Bytes written = EncodeDoomPicture(indices, 1, c.height, 255, {});
        EXPECT_EQ(written, c.expected);
        const test::DoomPicture read = test::ReadDoomPicture(written);
        EXPECT_EQ(read.error, "");
        EXPECT_EQ(read.pixels, test::Drawn(indices, 1, c.height, 255));
    }
}

// Random pictures up to 512 rows, with see-through runs of every length, come back as written.
TEST(DoomPicture, RoundTripsThroughASourcePortReader)
{
    std::mt19937 random(32);
    const struct {
        int width;
        int height;
        int seeThroughPercent;
    } sizes[] = {{1, 1, 0},
        {7, 3, 50},
        {64, 64, 30},
        {13, 255, 90},
        {5, 300, 97},
        {3, 512, 99},
        {512, 20, 10},
        {9, 512, 0}};
    for (const auto &size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        const int stride = (size.width + 3) / 4 * 4;
        Bytes indices(static_cast<std::size_t>(stride * size.height));
        for (std::uint8_t &index : indices) {
            const bool seeThrough = static_cast<int>(random() % 100) < size.seeThroughPercent;
            index = seeThrough ? 0 : static_cast<std::uint8_t>(1 + random() % 255);
        }
        const Bytes written = EncodeDoomPicture(indices, size.width, size.height, 0, {-3, 70});
        const test::DoomPicture read = test::ReadDoomPicture(written);
        ASSERT_EQ(read.error, "");
        EXPECT_EQ(read.width, size.width);
        EXPECT_EQ(read.height, size.height);
        EXPECT_EQ(read.left, -3);
        EXPECT_EQ(read.top, 70);
        EXPECT_EQ(read.pixels, test::Drawn(indices, size.width, size.height, 0));
    }
}

} // namespace
} // namespace qv
