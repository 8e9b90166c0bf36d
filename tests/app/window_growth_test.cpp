#include "app/window_growth.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// Enlarged, the frame grows; the controls keep their places relative to it.
TEST(WindowGrowth, ControlsFollowThePictureFrame)
{
    const struct {
        const char *control;
        ControlPlace design;
        ControlPlace grown; // 100 wider, 50 taller
    } rows[] = {
        {"fraImage", {2280, 480, 4095, 4215}, {2280, 480, 4195, 4265}},
        {"File", {120, 480, 2175, 3990}, {120, 480, 2175, 4040}},
        {"cmdOK", {7080, 4800, 3495, 465}, {7180, 4850, 3495, 465}},
        {"fraBrightness", {3240, 4680, 3735, 615}, {3240, 4730, 3735, 615}},
        {"chkPal(200)", {6735, 3720, 255, 255}, {6835, 3720, 255, 255}},
        {"lblReport", {2280, 5340, 8295, 255}, {2280, 5390, 8395, 255}},
        {"lblFolder", {720, 120, 9855, 255}, {720, 120, 9955, 255}},
        {"lbl(1)", {120, 120, 615, 255}, {120, 120, 615, 255}},
        {"optShow(1)", {3120, 0, 855, 255}, {3120, 0, 855, 255}},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(Grown(row.design, AnchorOf(row.control), 100, 50), row.grown) << row.control;
        EXPECT_EQ(Grown(row.design, AnchorOf(row.control), 0, 0), row.design) << row.control;
    }
}

} // namespace
} // namespace qv
