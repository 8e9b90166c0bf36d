// The menu bar as Windows shows it: every caption and access key, the radio items of the option
// menus, the Ctrl+O shortcut and E&xit.
#include "tests/window-win32/window_fixture.h"

#include <cwctype>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::win32::test {
namespace {

// The captions of a menu's items as shown, separators as "-".
std::vector<std::string> Captions(HMENU menu)
{
    std::vector<std::string> captions;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if ((info.fType & MFT_SEPARATOR) != 0) {
            captions.emplace_back("-");
        } else if (info.hSubMenu != nullptr) {
            wchar_t text[64] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            captions.push_back(Narrow(text));
        } else {
            captions.push_back(MenuText(menu, info.wID));
        }
    }
    return captions;
}

std::string TopCaption(HMENU bar, int i)
{
    std::wstring text(64, L'\0');
    const int length = GetMenuStringW(bar, static_cast<UINT>(i), text.data(), 64, MF_BYPOSITION);
    text.resize(static_cast<std::size_t>(length));
    return Narrow(text);
}

class Win32Menus : public testing::Test, protected WindowFixture
{
};

TEST_F(Win32Menus, EveryMenuHoldsItsItemsInOrder)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
        {"&File", {"&Open Folder\tCtrl+O", "&Restore Originals…", "-", "E&xit"}},
        {"&Scaling", {"&None", "&64x64", "&128x128", "&32x32"}},
        {"&Vertical Alignment", {"&Top", "&Center", "&Bottom", "&Weighted"}},
        {"&Horizontal Alignment", {"&Left", "&Center", "&Right", "&Weighted"}},
        {"&Color Matching", {"&Pixel", "Average &Row", "Average &Column", "Average &Square"}},
        {"&Quality",
            {"&RGB Distance",
                "&Weighted RGB",
                "&OKLab",
                "&CIEDE2000",
                "-",
                "&No Dithering",
                "&Floyd-Steinberg",
                "Or&dered (Bayer 8x8)",
                "&Atkinson",
                "&Jarvis-Judice-Ninke",
                "St&ucki",
                "&Burkes",
                "&Sierra",
                "Sierra &Two-Row",
                "Sierra &Lite",
                "&Pattern (Knoll)",
                "Pattern (Blue No&ise)",
                "-",
                "&Keep Exact Colors",
                "Dither Stren&gth: 100 %",
                "-",
                "&View"}},
        {"&Palette",
            {"&Convert Palette",
                "-",
                "WOLF3D",
                "SPEAR",
                "BLAKESTONE",
                "BODYCOUNT",
                "CORRIDOR7",
                "NOAH3D",
                "DOOM",
                "&Use External"}},
        {"&Transparency",
            {"&Apply Transparency",
                "&Input Transparent Color: 255",
                "&Output Transparent Color: 255",
                "&Make Left and Right Columns Transparent",
                "Input Transparent &RGB…",
                "&Use Alpha Channel",
                "Alpha &Threshold: 128",
                "-",
                "&Scan Input Image For Transparent Color"}},
        {"&Output",
            {"&BMP",
                "&PNG",
                "&Doom Picture (.lmp)",
                "Doom &Flat (.lmp)",
                "&Quake Picture (.lmp)",
                "P&CX",
                "-",
                "&No Offsets",
                "&Sprite Offsets (Centre, Bottom)",
                "C&entre Offsets",
                "C&ustom Offsets (0,0)…"}},
    };
    TestWindow &w = Start();
    ASSERT_EQ(GetMenuItemCount(w.menuBar), static_cast<int>(expected.size()));
    for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
        const auto &[caption, items] = expected[static_cast<std::size_t>(i)];
        EXPECT_EQ(TopCaption(w.menuBar, i), caption);
        EXPECT_EQ(Captions(GetSubMenu(w.menuBar, i)), items) << caption;
    }
    // The Quality menu's last item is the View menu.
    HMENU quality = GetSubMenu(w.menuBar, 5);
    EXPECT_EQ(Captions(GetSubMenu(quality, GetMenuItemCount(quality) - 1)),
        (std::vector<std::string> {"&Original",
            "&Preview",
            "&Side by Side",
            "&Difference",
            "-",
            "Color &Map: None…",
            "&Light Level: 0",
            "&No Color Map",
            "-",
            "&Fit",
            "&1x",
            "&2x",
            "&4x",
            "&8x"}));
}

TEST_F(Win32Menus, NoTwoItemsOfAMenuShareAnAccessKey)
{
    TestWindow &w = Start();
    for (int i = 0; i < GetMenuItemCount(w.menuBar); ++i) {
        std::map<wchar_t, std::string> taken;
        for (const std::string &caption : Captions(GetSubMenu(w.menuBar, i))) {
            const std::wstring text = Wide(caption);
            const std::size_t amp = text.find(L'&');
            if (amp == std::wstring::npos || amp + 1 >= text.size()) {
                continue;
            }
            const wchar_t key = static_cast<wchar_t>(std::towupper(text[amp + 1]));
            EXPECT_TRUE(taken.emplace(key, caption).second)
                << caption << " and " << taken[key] << " share Alt+" << static_cast<char>(key);
        }
    }
}

TEST_F(Win32Menus, AnOptionItemChosenIsTheOneRadioDotAndIsStored)
{
    TestWindow &w = Start();
    const struct {
        const MenuArray &items;
        const char *key;
    } menus[] = {
        {w.mnuScalingOption, "ScaleMode"},
        {w.mnuVerticalAlignmentOption, "VerticalAlignment"},
        {w.mnuHorizontalAlignmentOption, "HorizontalAlignment"},
        {w.mnuColorMatchingOption, "ColorMatching"},
        {w.mnuQualityDistance, "ColorDistance"},
        {w.mnuQualityDithering, "Dithering"},
        {w.mnuOutputFormat, "OutputFormat"},
        {w.mnuViewZoom, "Zoom"},
    };
    for (const auto &menu : menus) {
        for (std::size_t chosen = 0; chosen < menu.items.size(); ++chosen) {
            SCOPED_TRACE(std::string(menu.key) + " " + std::to_string(chosen));
            Choose(w, *menu.items[chosen]);
            for (std::size_t i = 0; i < menu.items.size(); ++i) {
                MENUITEMINFOW info {};
                info.cbSize = sizeof(info);
                info.fMask = MIIM_FTYPE | MIIM_STATE;
                GetMenuItemInfoW(menu.items[i]->Menu(), menu.items[i]->Id(), FALSE, &info);
                EXPECT_NE(info.fType & MFT_RADIOCHECK, 0U);
                EXPECT_EQ((info.fState & MFS_CHECKED) != 0, i == chosen) << "item " << i;
            }
            EXPECT_TRUE(SettingsHold(menu.key, std::to_string(chosen)));
        }
    }
    EXPECT_TRUE(dialogs.MessageTexts().empty());
}

TEST_F(Win32Menus, CtrlOAndTheFolderLabelOpenTheFolderChoice)
{
    TestWindow &w = Start();
    dialogs.QueueFolder(""); // cancelled
    Click(*w.lblFolder);
    for (HWND focus : {w.cmdOK, w.File->Handle(), w.vsbSize->Handle()}) {
        dialogs.QueueFolder(""); // cancelled
        const HeldKey ctrl(VK_CONTROL);
        MSG message {focus, WM_KEYDOWN, 'O', 1, 0, {0, 0}};
        EXPECT_TRUE(w.PreTranslate(message));
    }
    ASSERT_EQ(dialogs.Log().size(), 4U);
    for (const auto &shown : dialogs.Log()) {
        EXPECT_EQ(shown.kind, ScriptedDialogService::Kind::Folder);
        EXPECT_EQ(shown.text, "Select a folder");
        EXPECT_EQ(shown.defaultText, pictures.Path()); // opened on the current folder
    }
}

TEST_F(Win32Menus, ExitClosesTheWindowAndWritesNothing)
{
    TestWindow &w = Start();
    const std::string before = SettingsText();
    const HWND handle = w.Handle();
    ASSERT_TRUE(IsWindow(handle));
    Choose(w, *w.mnuFileExit);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(SettingsText(), before);
}

} // namespace
} // namespace qv::win32::test
