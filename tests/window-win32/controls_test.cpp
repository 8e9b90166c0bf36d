// The option controls as a user meets them: the labels' prompts, the arrows of the scroll bars
// and the palette-entry boxes, each stored as the session stores it.
#include "tests/window-win32/canvas.h"
#include "tests/window-win32/window_fixture.h"

#include <array>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

namespace qv::win32::test {
namespace {

class Win32Controls : public testing::Test, protected WindowFixture
{
};

TEST_F(Win32Controls, LabelsAndArrowsSetTheirValues)
{
    const struct {
        const char *name;
        const char *answer; // typed into the prompt; nullptr: no prompt
        void (*act)(TestWindow &);
        const char *sizeShown;
        const char *redShown;
        const char *stored; // "key=value" written, or ""
    } cases[] = {
        {"size typed, rounded up to 4",
            "61",
            [](TestWindow &w) { Click(*w.lblSize); },
            "64",
            "100",
            ""},
        {"size typed", "100", [](TestWindow &w) { Click(*w.lblSize); }, "100", "100", ""},
        {"size out of range", "513", [](TestWindow &w) { Click(*w.lblSize); }, "64", "100", ""},
        {"upper arrow raises the size",
            nullptr,
            [](TestWindow &w) {
                SendMessageW(w.Handle(),
                    WM_VSCROLL,
                    SB_LINEUP,
                    reinterpret_cast<LPARAM>(w.vsbSize->Handle()));
            },
            "68",
            "100",
            ""},
        {"lower arrow lowers the size",
            nullptr,
            [](TestWindow &w) {
                SendMessageW(w.Handle(),
                    WM_VSCROLL,
                    SB_LINEDOWN,
                    reinterpret_cast<LPARAM>(w.vsbSize->Handle()));
            },
            "60",
            "100",
            ""},
        {"brightness typed",
            "150",
            [](TestWindow &w) { Click(*w.lblBright[0]); },
            "64",
            "150",
            "Bright0=150"},
        {"upper arrow raises the brightness",
            nullptr,
            [](TestWindow &w) {
                SendMessageW(w.Handle(),
                    WM_VSCROLL,
                    SB_LINEUP,
                    reinterpret_cast<LPARAM>(w.vsbBright[0]->Handle()));
            },
            "64",
            "101",
            "Bright0=101"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow &w = Start();
        dialogs.ClearLog();
        if (c.answer != nullptr) {
            dialogs.QueueInput(c.answer);
        }
        c.act(w);
        EXPECT_TRUE(dialogs.AllAnswersUsed());
        EXPECT_EQ(w.lblSize->Caption(), c.sizeShown);
        EXPECT_EQ(w.vsbSize->Value(), std::stoi(c.sizeShown));
        EXPECT_EQ(w.lblBright[0]->Caption(), c.redShown);
        if (*c.stored != '\0') {
            const std::string stored = c.stored;
            const std::size_t equals = stored.find('=');
            EXPECT_TRUE(SettingsHold(stored.substr(0, equals), stored.substr(equals + 1)));
        }
        EXPECT_TRUE(dialogs.MessageTexts().empty());
    }
}

TEST_F(Win32Controls, TheSizePromptNamesTheRangeAndTheCurrentSize)
{
    TestWindow &w = Start();
    dialogs.QueueInput("");
    Click(*w.lblSize);
    ASSERT_EQ(dialogs.Log().size(), 1U);
    EXPECT_EQ(dialogs.Log()[0].text, "New size (multiples of 4 from 32 to 512):");
    EXPECT_EQ(dialogs.Log()[0].title, "Size");
    EXPECT_EQ(dialogs.Log()[0].defaultText, "64");
}

TEST_F(Win32Controls, AClickOnAPaletteBoxTogglesItsMarkAndIsStored)
{
    TestWindow &w = Start();
    ColorCheckbox &box = *w.chkPal[10];
    ASSERT_EQ(box.Value(), 0);
    ClickAt(box.Handle(), {3, 3});
    EXPECT_EQ(box.Value(), 1);
    EXPECT_STREQ(box.MarkText(), L"X");
    EXPECT_EQ(w.session().SkipValue(10), 1);
    EXPECT_TRUE(SettingsHold("Skip10", "1"));

    ClickAt(box.Handle(), {3, 3});
    EXPECT_EQ(box.Value(), 0);
    EXPECT_STREQ(box.MarkText(), L"");
    EXPECT_TRUE(SettingsHold("Skip10", "0"));

    // A press that ends outside the box is no click.
    SendMessageW(box.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(box.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 3));
    EXPECT_EQ(box.Value(), 0);
}

TEST_F(Win32Controls, PaletteBoxesShowTheirEntryAndNameItInTheirTooltip)
{
    TestWindow &w = Start("Palette=6\r\n"); // DOOM
    const std::array<std::uint32_t, 256> &colors = w.session().Palette().PaletteColors();
    for (int n : {0, 10, 175, 255}) {
        const ColorCheckbox &box = *w.chkPal[static_cast<std::size_t>(n)];
        EXPECT_EQ(box.Color(), colors[static_cast<std::size_t>(n)]) << n;
        EXPECT_NE(GetWindowLongPtrW(box.Handle(), GWL_STYLE) & WS_VISIBLE, 0) << n;
    }
    EXPECT_EQ(w.tips->Text(w.chkPal[10]->Handle()), "Color #10 (0xA)");
    EXPECT_EQ(w.tips->Text(w.chkPal[255]->Handle()), "Color #255 (0xFF)");
    EXPECT_EQ(w.tips->Text(w.cmdResetSkips), "Reset the skipped color list");
    // The grid: 16 in a row, rows one box apart but the first two, which overlap.
    EXPECT_EQ(PlaceOf(w.chkPal[1]->Handle()).left, PlaceOf(w.chkPal[0]->Handle()).right);
    EXPECT_EQ(PlaceOf(w.chkPal[16]->Handle()).left, PlaceOf(w.chkPal[0]->Handle()).left);
    EXPECT_EQ(PlaceOf(w.chkPal[32]->Handle()).top - PlaceOf(w.chkPal[16]->Handle()).top, 17);
    // The output transparent entry is skipped from the start, and marked.
    EXPECT_EQ(w.chkPal[255]->Value(), 1);
}

TEST_F(Win32Controls, ThePreviewsEntriesAreMarkedOnTheGrid)
{
    Picture("a.bmp", 16, 16);
    TestWindow &w = Start("Palette=6\r\n"); // DOOM
    ASSERT_FALSE(w.chkPal[0]->Used()); // no preview yet
    ClickAt(w.optShow[1], {2, 2});
    int used = 0;
    for (std::size_t n = 0; n < 256; ++n) {
        EXPECT_EQ(w.chkPal[n]->Used(), w.session().EntryUsed(static_cast<int>(n))) << n;
        used += w.chkPal[n]->Used() ? 1 : 0;
    }
    EXPECT_GT(used, 0);
    EXPECT_LT(used, 256);
}

TEST_F(Win32Controls, TheUsedMarkIsWhiteOnDarkEntriesAndBlackOnLightOnes)
{
    TestWindow &w = Start();
    ColorCheckbox &box = *w.chkPal[20];
    // The fill (0x00BBGGRR), whether the entry is used, the corner's pixel (0x00RRGGBB).
    const std::tuple<std::uint32_t, bool, std::uint32_t> cases[] = {
        {0x000000, true, 0xFFFFFF},
        {0xFF0000, true, 0xFFFFFF}, // blue: luma 29
        {0x7F7F7F, true, 0xFFFFFF}, // luma 127
        {0x808080, true, 0x000000}, // luma 128
        {0x0000FF, false, 0xFF0000}, // not used: the fill
    };
    for (const auto &[fill, used, corner] : cases) {
        SCOPED_TRACE(fill);
        box.SetColor(fill);
        box.SetUsed(used);
        Canvas canvas(17, 17);
        SendMessageW(box.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        EXPECT_EQ(canvas.At(2, 2), corner);
        EXPECT_EQ(canvas.At(5, 2), (fill & 0xFF) << 16 | (fill & 0xFF00) | fill >> 16);
    }
}

TEST_F(Win32Controls, ClearLeavesOnlyTheOutputEntrySkipped)
{
    TestWindow &w = Start("[Colors]\r\nSkip3=1\r\nSkip7=1\r\n");
    ASSERT_EQ(w.chkPal[3]->Value(), 1);
    Click(w.cmdResetSkips);
    for (std::size_t n = 0; n < 256; ++n) {
        EXPECT_EQ(w.chkPal[n]->Value(), n == 255 ? 1 : 0) << n;
    }
    EXPECT_TRUE(SettingsHold("Skip3", "0"));
    EXPECT_TRUE(SettingsHold("Skip7", "0"));
}

} // namespace
} // namespace qv::win32::test
