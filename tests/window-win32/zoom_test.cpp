// The picture at a zoom: drawn larger, scrolled and read under the mouse; Ctrl with the wheel
// steps through the zoom.
#include "tests/support/bmp_builder.h"
#include "tests/window-win32/window_fixture.h"

#include <algorithm>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

namespace qv::win32::test {
namespace {

class Win32Zoom : public testing::Test, protected WindowFixture
{
};

// "r,g,b" of pixel x, y of the 24-bit picture the fixture writes at width x height.
std::string ColourAt(int width, int height, int x, int y)
{
    qv::test::BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitCount = 24;
    layout.seed = static_cast<std::uint32_t>(width * 131 + height);
    const std::vector<std::uint8_t> rows = qv::test::BmpRows(layout);
    const std::size_t at = static_cast<std::size_t>(y * qv::test::BmpStride(width, 24) + x * 3);
    return std::to_string(rows.at(at + 2)) + "," + std::to_string(rows.at(at + 1)) + ","
        + std::to_string(rows.at(at));
}

void MoveMouse(HWND control, int x, int y)
{
    SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

bool HasStyle(HWND window, LONG_PTR style)
{
    return (GetWindowLongPtrW(window, GWL_STYLE) & style) != 0;
}

TEST_F(Win32Zoom, HoverReadsThePixelUnderTheMouseAtEachZoom)
{
    Picture("a.bmp", 48, 40);
    TestWindow &w = Start("Zoom=3\r\n"); // 4x: the first picture is shown at it, and checked
    ASSERT_TRUE(w.img->HasPicture());
    EXPECT_EQ(w.img->Zoom(), 4);
    EXPECT_TRUE(w.mnuViewZoom[3]->Checked());
    const std::string report = w.lblReport->Caption();
    const std::string expected = "Pixel 37, 21: color " + ColourAt(48, 40, 37, 21);
    // Item, factor, and whether 48 x 40 pictures pixels need bars in the 256 x 256 box.
    const std::tuple<std::size_t, int, bool> cases[] = {
        {1, 1, false}, {2, 2, false}, {3, 4, false}, {4, 8, true}, {0, 0, false}};
    for (const auto &[item, f, scrolls] : cases) {
        SCOPED_TRACE(f);
        Choose(w, *w.mnuViewZoom[item]);
        EXPECT_EQ(w.img->Zoom(), f);
        EXPECT_EQ(w.img->PictureRect().right, 48 * std::max(f, 1));
        EXPECT_EQ(HasStyle(w.img->Handle(), WS_HSCROLL), scrolls);
        EXPECT_EQ(HasStyle(w.img->Handle(), WS_VSCROLL), scrolls);
        if (f > 0) {
            MoveMouse(w.img->Handle(), 37 * f + f - 1, 21 * f);
            EXPECT_EQ(w.lblReport->Caption(), expected);
            SendMessageW(w.img->Handle(), WM_MOUSELEAVE, 0, 0);
            EXPECT_EQ(w.lblReport->Caption(), report);
        }
        if (scrolls) { // the mouse over the scrolled picture reads the whole picture's pixel
            w.img->ScrollTo(100, 40);
            MoveMouse(w.img->Handle(), 37 * f + f - 1 - 100, 21 * f - 40);
            EXPECT_EQ(w.lblReport->Caption(), expected);
        }
    }
}

TEST_F(Win32Zoom, CtrlWithTheWheelStepsTheZoom)
{
    Picture("a.bmp", 48, 30);
    TestWindow &w = Start();
    RECT box {};
    GetWindowRect(w.img->Handle(), &box);
    // One after another: the wheel's turn, Ctrl held, sent through the window (as the control
    // with the focus hands it on), the zoom then.
    const std::tuple<int, bool, bool, PictureZoom> turns[] = {
        {WHEEL_DELTA, true, false, PictureZoom::X1},
        {2 * WHEEL_DELTA, true, false, PictureZoom::X4},
        {-WHEEL_DELTA, true, true, PictureZoom::X2},
        {-WHEEL_DELTA, false, false, PictureZoom::X2},
        {-WHEEL_DELTA / 2, true, false, PictureZoom::X2},
        {-WHEEL_DELTA / 2, true, false, PictureZoom::X1},
    };
    for (const auto &[delta, ctrl, throughTheWindow, zoom] : turns) {
        SCOPED_TRACE(delta);
        SendMessageW(throughTheWindow ? w.Handle() : w.img->Handle(),
            WM_MOUSEWHEEL,
            MAKEWPARAM(ctrl ? MK_CONTROL : 0, delta),
            MAKELPARAM(box.left + 10, box.top + 10));
        EXPECT_EQ(w.session().GetZoom(), zoom);
        EXPECT_EQ(w.img->Zoom(), zoom == PictureZoom::Fit ? 0 : ZoomFactor(zoom));
    }
    EXPECT_TRUE(SettingsHold("Zoom", "1"));
}

} // namespace
} // namespace qv::win32::test
