#include "engine/preview_box.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PreviewBox, SizeByScalingAndResult)
{
    struct Case {
        const char *name;
        int scaling;
        std::int32_t outW, outH;
        bool stretch;
        float twips;
    };
    const Case cases[] = {
        {"64x64", 1, 64, 64, true, 3840.0F},
        {"128x128", 2, 128, 128, true, 3840.0F},
        {"32x32", 3, 32, 32, true, 3840.0F},
        {"64x64 after a failed rescale of 128", 1, 128, 128, true, 7680.0F},
        {"32x32 after a failed rescale of 100", 3, 100, 100, true, 12000.0F},
        {"None, square 48", 0, 48, 48, true, 2880.0F},
        {"None, square 64", 0, 64, 64, true, 3840.0F},
        {"None, square 16", 0, 16, 16, true, 960.0F},
        {"None, square 100", 0, 100, 100, false, 0.0F},
        {"None, only the width above 64", 0, 68, 20, false, 0.0F},
        {"None, only the height above 64", 0, 20, 68, false, 0.0F},
        {"unknown option counts as None", 7, 100, 100, false, 0.0F},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PreviewBox box = PreviewBoxFor(static_cast<Scaling>(c.scaling), c.outW, c.outH);
        EXPECT_EQ(box.stretch, c.stretch);
        EXPECT_FLOAT_EQ(box.boxTwips, c.twips);
    }
}

} // namespace
} // namespace qv
