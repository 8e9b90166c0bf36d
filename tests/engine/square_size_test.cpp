#include "engine/square_size.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(SquareSize, FindMinimumClampsThenRoundsUp)
{
    struct Case {
        std::int32_t side, smallest, expected;
    };
    const Case cases[] = {{61, 32, 64},
        {64, 32, 64},
        {65, 32, 68},
        {10, 32, 32},
        {10, 16, 16},
        {0, 32, 32},
        {511, 32, 512},
        {600, 32, 512}};
    for (const Case &c : cases) {
        EXPECT_EQ(FindMinimumSize(c.side, c.smallest, 512), c.expected) << "side " << c.side;
    }
}

TEST(SquareSize, ShowingAPictureAdjustsTheRangeOneWayOnly)
{
    struct Case {
        std::int32_t w, h, smallest, size;
        SquareAdjustment expected;
    };
    const Case cases[] = {
        {50, 70, 32, 64, {32, 72}}, // sides 52 and 72: size rises to 72
        {10, 300, 32, 64, {16, 300}}, // small side 12 -> at least 16
        {20, 20, 32, 300, {20, 300}}, // a small picture after a large one keeps the size
        {0, 0, 32, 64, {16, 64}}, // an unreadable file counts as 0 x 0
        {64, 48, 16, 64, {16, 64}}, // never raised again
    };
    for (const Case &c : cases) {
        const SquareAdjustment a = AdjustSquareForPicture(c.w, c.h, c.smallest, c.size);
        EXPECT_EQ(a.smallestPermitted, c.expected.smallestPermitted) << c.w << "x" << c.h;
        EXPECT_EQ(a.size, c.expected.size) << c.w << "x" << c.h;
    }
}

} // namespace
} // namespace qv
