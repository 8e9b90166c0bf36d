// What the window does for its session beyond the controls: the layout at each dpi, dropped
// folders and files, the folder's caption and the busy pointer.
#include "platform/files.h"
#include "platform/win32/caption_fonts.h"
#include "platform/win32/twips.h"
#include "tests/window-win32/window_fixture.h"

#include <cstring>
#include <filesystem>
#include <shlobj.h>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::win32::test {
namespace {

// The drop handle Explorer hands over for these paths.
HDROP DropOf(const std::vector<std::string> &paths)
{
    std::wstring names;
    for (const std::string &path : paths) {
        names += Wide(NativePath(path)) + L'\0';
    }
    names += L'\0';
    const std::size_t size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto *drop = static_cast<DROPFILES *>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char *>(drop) + sizeof(DROPFILES),
        names.data(),
        names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class Win32View : public testing::Test, protected WindowFixture
{
};

TEST(Win32Twips, PixelsAreTwipsAtTheMonitorsDpi)
{
    const struct {
        TwipsRect twips;
        unsigned dpi;
        PixelRect pixels;
    } cases[] = {
        {{7080, 4800, 3495, 465}, 96, {472, 320, 233, 31}},
        {{7080, 4800, 3495, 465}, 144, {708, 480, 350, 47}}, // 526.5 rounds to 527
        {{7080, 4800, 3495, 465}, 192, {944, 640, 466, 62}},
        {{6480, 839, 255, 255}, 120, {540, 70, 21, 21}}, // 69.9 rounds to 70; edges, not sizes
        {{0, 0, 10665, 5625}, 96, {0, 0, 711, 375}},
    };
    for (const auto &c : cases) {
        const PixelRect at = ToPixels(c.twips, c.dpi);
        EXPECT_EQ(at.left, c.pixels.left) << c.dpi;
        EXPECT_EQ(at.top, c.pixels.top) << c.dpi;
        EXPECT_EQ(at.width, c.pixels.width) << c.dpi;
        EXPECT_EQ(at.height, c.pixels.height) << c.dpi;
    }
}

// The window moved to a monitor of another dpi, as the system tells it.
void MoveToDpi(TestWindow &w, unsigned dpi, RECT suggested = {40, 30, 1000, 800})
{
    SendMessageW(
        w.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

TEST_F(Win32View, AnotherMonitorsDpiLaysTheWindowOutAgain)
{
    TestWindow &w = Start();
    for (unsigned dpi : {192U, 144U, 120U, 96U}) {
        SCOPED_TRACE(dpi);
        MoveToDpi(w, dpi);
        const PixelRect convert = ToPixels({7080, 4800, 3495, 465}, dpi);
        const RECT at = PlaceOf(w.cmdOK);
        EXPECT_EQ(at.left, convert.left);
        EXPECT_EQ(at.top, convert.top);
        EXPECT_EQ(at.right - at.left, convert.width);
        EXPECT_EQ(at.bottom - at.top, convert.height);
        const PixelRect box = ToPixels({6480, 600, 255, 255}, dpi);
        EXPECT_EQ(PlaceOf(w.chkPal[0]->Handle()).right, box.left + box.width);
        // The text grows with the dpi: 11 pixels at 96.
        LOGFONTW font {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w.lblSize->Handle(), WM_GETFONT, 0, 0)),
            sizeof(font),
            &font);
        EXPECT_EQ(-font.lfHeight, MulDiv(11, static_cast<int>(dpi), 96));
        RECT frame {};
        GetWindowRect(w.Handle(), &frame);
        EXPECT_EQ(frame.left, 40);
        EXPECT_EQ(frame.top, 30);
        // The client area holds the design, unless the screen is too small for the window.
        RECT client {};
        GetClientRect(w.Handle(), &client);
        const int width = TwipsToPixels(10665, dpi);
        if (width + 16 < GetSystemMetrics(SM_CXMAXTRACK)) {
            EXPECT_EQ(client.right, width);
            EXPECT_GE(client.bottom, TwipsToPixels(5625, dpi));
        }
    }
}

TEST_F(Win32View, EveryCaptionFitsItsControl)
{
    TestWindow &w = Start();
    for (unsigned dpi : {96U, 144U}) {
        SCOPED_TRACE(dpi);
        MoveToDpi(w, dpi);
        int checked = 0;
        for (HWND child = GetWindow(w.Handle(), GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const std::wstring text = Wide(WindowText(child));
            wchar_t className[32] {};
            GetClassNameW(child, className, 32);
            const bool button = lstrcmpiW(className, L"Button") == 0;
            if (text.empty() || (!button && lstrcmpiW(className, L"Static") != 0)) {
                continue;
            }
            const int width =
                TextWidth(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), text);
            RECT place {};
            GetClientRect(child, &place);
            const auto kind = GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK;
            // An option button's circle and a push button's edges take room of their own.
            const int room = button && kind == BS_RADIOBUTTON
                ? place.right - MulDiv(15, static_cast<int>(dpi), 96)
                : button && kind != BS_GROUPBOX ? place.right - MulDiv(4, static_cast<int>(dpi), 96)
                                                : place.right;
            EXPECT_LE(width, room) << Narrow(text);
            ++checked;
        }
        EXPECT_GT(checked, 15);
    }
}

TEST_F(Win32View, ADroppedFolderOpensAndDroppedFilesAreSelected)
{
    TempDir other;
    const std::string first = other.Write("x.bmp", qv::test::BuildBmp({}));
    other.Write("y.bmp", qv::test::BuildBmp({}));
    const std::string third = other.Write("z.bmp", qv::test::BuildBmp({}));
    Picture("a.bmp", 8, 6);
    TestWindow &w = Start();

    SendMessageW(w.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({first, third})), 0);
    EXPECT_EQ(w.lblFolder->Tag(), other.Path());
    EXPECT_EQ(w.File->ListCount(), 3);
    EXPECT_EQ(SelectedEntries(*w.File), (std::vector<int> {0, 2}));
    EXPECT_TRUE(SettingsHold("Path", other.Path()));

    SendMessageW(w.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({pictures.Path()})), 0);
    EXPECT_EQ(w.lblFolder->Tag(), pictures.Path());
    EXPECT_EQ(w.File->ListCount(), 1);
    EXPECT_EQ(WindowText(w.fraImage), "a.bmp: 8 x 6");
}

TEST_F(Win32View, ALongFolderIsShortenedInTheMiddleWithTheWholePathInItsTooltip)
{
    std::string deep = pictures.Path();
    for (int i = 0; i < 12; ++i) {
        deep += "/a folder with a rather long name " + std::to_string(i);
    }
    deep += "/last";
    ASSERT_TRUE(std::filesystem::create_directories(Utf8Path(deep)));
    TestWindow &w = Start();
    dialogs.QueueFolder(deep);
    Choose(w, *w.mnuFileOpenFolder);

    const std::string shown = w.lblFolder->Caption();
    EXPECT_NE(shown, NativePath(deep));
    EXPECT_NE(shown.find("..."), std::string::npos) << shown;
    EXPECT_TRUE(shown.ends_with("\\last")) << shown;
    EXPECT_EQ(w.tips->Text(w.lblFolder->Handle()), NativePath(deep));
    EXPECT_EQ(w.lblFolder->Tag(), deep);

    dialogs.QueueFolder(pictures.Path());
    Choose(w, *w.mnuFileOpenFolder);
    EXPECT_EQ(w.lblFolder->Caption(), NativePath(pictures.Path()));
    EXPECT_EQ(w.tips->Text(w.lblFolder->Handle()), "");
}

TEST_F(Win32View, TheBusyPointerHoldsOverTheWholeWindow)
{
    TestWindow &w = Start();
    const auto setCursor = [&w](HWND over) {
        return SendMessageW(w.Handle(),
            WM_SETCURSOR,
            reinterpret_cast<WPARAM>(over),
            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    w.SetBusy(true);
    EXPECT_EQ(setCursor(w.File->Handle()), TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    w.SetBusy(false);
    EXPECT_EQ(setCursor(w.Handle()), FALSE);
}

} // namespace
} // namespace qv::win32::test
