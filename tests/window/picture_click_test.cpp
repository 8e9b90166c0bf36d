#include "app/picture_click.h"
#include "platform/failure.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PictureClick, TwipsAreRoundedBeforeTheIntegerDivision)
{
    struct Case {
        const char *name;
        double twips, perPixel;
        std::int32_t pixel;
    };
    const Case cases[] = {
        {"inside pixel 3", 3 * 15 + 7, 15, 3},
        {"last twip of pixel 5", 5 * 15 + 14, 15, 5},
        // 44.5 rounds to 44 (half to even) and stays in pixel 2; 44.6 rounds to 45: pixel 3.
        {"rounding down", 44.5, 15, 2},
        {"rounding up", 44.6, 15, 3},
        {"twips per pixel rounded down", 3 * 12, 12.4, 3},
        {"twips per pixel rounded up", 2 * 12, 11.6, 2},
        {"left of the picture", -15, 15, -1},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(PixelAtTwips(c.twips, c.perPixel), c.pixel) << c.name;
    }
}

TEST(PictureClick, NoTwipsPerPixelOrAHugePositionFail)
{
    struct Case {
        double twips, perPixel;
        std::int32_t number;
    };
    const Case cases[] = {{15, 0.4, 11}, {1e30, 15, kOverflow}};
    for (const Case &c : cases) {
        try {
            PixelAtTwips(c.twips, c.perPixel);
            ADD_FAILURE() << "no failure for " << c.twips << " / " << c.perPixel;
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.Number(), c.number);
        }
    }
}

} // namespace
} // namespace qv
