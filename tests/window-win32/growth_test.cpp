// The window made larger than its design: where the controls go, the smallest size it takes,
// and its size kept from one start to the next.
#include "platform/win32/twips.h"
#include "tests/window-win32/window_fixture.h"

#include <string>

#include <gtest/gtest.h>

namespace qv::win32::test {
namespace {

// The design's client area at 96 dpi, in pixels.
constexpr SIZE kDesign {711, 375};

SIZE ClientSize(HWND window)
{
    RECT client {};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// Sizes the window so that its client area is width x height pixels; a menu bar that takes
// another line at the new width is made up for by a second try.
void SizeClient(HWND window, int width, int height)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        RECT outer {};
        GetWindowRect(window, &outer);
        const SIZE client = ClientSize(window);
        SetWindowPos(window,
            nullptr,
            0,
            0,
            width + (outer.right - outer.left) - client.cx,
            height + (outer.bottom - outer.top) - client.cy,
            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

ControlPlace PlaceNow(HWND control)
{
    const RECT at = PlaceOf(control);
    return {at.left, at.top, at.right - at.left, at.bottom - at.top};
}

ControlPlace Pixels(const TwipsRect &twips)
{
    const PixelRect at = ToPixels(twips, kDefaultDpi);
    return {at.left, at.top, at.width, at.height};
}

class Win32Growth : public testing::Test, protected WindowFixture
{
};

TEST_F(Win32Growth, ControlsFollowTheFrameWhenTheWindowGrows)
{
    TestWindow &w = Start();
    ASSERT_EQ(w.Dpi(), kDefaultDpi);
    ASSERT_EQ(ClientSize(w.Handle()).cx, kDesign.cx);
    ASSERT_EQ(ClientSize(w.Handle()).cy, kDesign.cy);
    const struct {
        const char *name;
        HWND control;
        TwipsRect design;
        Anchor follow; // the name's anchor, unless the control lies on a frame
    } cases[] = {
        {"cmdOK", w.cmdOK, {7080, 4800, 3495, 465}, AnchorOf("cmdOK")},
        {"File", w.File->Handle(), {120, 480, 2175, 3990}, AnchorOf("File")},
        {"lblReport", w.lblReport->Handle(), {2280, 5340, 8295, 255}, AnchorOf("lblReport")},
        {"chkPal(12)", w.chkPal[12]->Handle(), {9540, 600, 255, 255}, AnchorOf("chkPal(12)")},
        {"img", w.img->Handle(), {2400, 720, 3840, 3840}, {Follow::Stretch, Follow::Stretch}},
        {"vsbBright(0)",
            w.vsbBright[0]->Handle(),
            {3960, 4920, 255, 255},
            {Follow::Stay, Follow::Move}},
    };
    for (const SIZE grow : {SIZE {0, 0}, SIZE {100, 50}, SIZE {0, 0}}) {
        SizeClient(w.Handle(), kDesign.cx + grow.cx, kDesign.cy + grow.cy);
        ASSERT_EQ(ClientSize(w.Handle()).cx, kDesign.cx + grow.cx);
        ASSERT_EQ(ClientSize(w.Handle()).cy, kDesign.cy + grow.cy);
        for (const auto &c : cases) {
            EXPECT_EQ(PlaceNow(c.control), Grown(Pixels(c.design), c.follow, grow.cx, grow.cy))
                << c.name << " grown by " << grow.cx;
        }
    }
    // Never smaller than the design.
    SizeClient(w.Handle(), 300, 200);
    EXPECT_EQ(ClientSize(w.Handle()).cx, kDesign.cx);
    EXPECT_EQ(ClientSize(w.Handle()).cy, kDesign.cy);
}

TEST_F(Win32Growth, TheSizeAtTheCloseOpensTheNextStartNeverBelowTheDesign)
{
    const struct {
        const char *stored;
        SIZE opened;
        SIZE closedAt;
        const char *width; // stored at the close
        const char *height;
    } cases[] = {
        {"", kDesign, {811, 425}, "811", "425"},
        {"WindowWidth=900\r\nWindowHeight=500\r\n", {900, 500}, kDesign, "0", "0"},
        {"WindowWidth=500\r\nWindowHeight=450\r\n", {711, 450}, {711, 450}, "711", "450"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.stored) + std::to_string(c.closedAt.cx));
        TestWindow &w = Start(c.stored);
        EXPECT_EQ(ClientSize(w.Handle()).cx, c.opened.cx);
        EXPECT_EQ(ClientSize(w.Handle()).cy, c.opened.cy);
        SizeClient(w.Handle(), c.closedAt.cx, c.closedAt.cy);
        DestroyWindow(w.Handle());
        EXPECT_TRUE(SettingsHold("WindowWidth", c.width)) << SettingsText();
        EXPECT_TRUE(SettingsHold("WindowHeight", c.height)) << SettingsText();
    }
}

} // namespace
} // namespace qv::win32::test
