#include "common/settings_schema.h"
#include "platform/app_info.h"
#include "platform/files.h"
#include "platform/qt/twips.h"
#include "tests/window/window_fixture.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::test {
namespace {

class FrmLoad : public testing::Test, protected WindowFixture
{
};

// The checked item of each option menu and the check items, as one comparable record.
struct Options {
    std::vector<int> palette, vertical, horizontal, scaling, matching;
    bool convertPalette, applyTransparency, transparentEdges;
    int inputColor, outputColor;
    std::vector<int> bright;
    std::vector<std::string> brightCaptions;

    bool operator==(const Options &) const = default;
};

Options Read(test::TestWindow &w)
{
    return {CheckedIndices(w.mnuPaletteOption),
        CheckedIndices(w.mnuVerticalAlignmentOption),
        CheckedIndices(w.mnuHorizontalAlignmentOption),
        CheckedIndices(w.mnuScalingOption),
        CheckedIndices(w.mnuColorMatchingOption),
        w.mnuPaletteConvertPalette->Checked(),
        w.mnuTransparencyApply->Checked(),
        w.mnuTransparencyLeftRightCols->Checked(),
        w.session().GetInputTransparencyColor(),
        w.session().GetOutputTransparencyColor(),
        {w.vsbBright[0]->Value(), w.vsbBright[1]->Value(), w.vsbBright[2]->Value()},
        {w.lblBright[0]->Caption(), w.lblBright[1]->Caption(), w.lblBright[2]->Caption()}};
}

const Options kDefaults = {
    {0}, {2}, {1}, {0}, {0}, true, true, true, 255, 255, {100, 100, 100}, {"100", "100", "100"}};

TEST_F(FrmLoad, FirstStartUsesEveryDefaultAndWritesOnlyTheReservedEntry)
{
    ASSERT_FALSE(FileExists(SettingsPath()));
    test::TestWindow &w = Start("", false);

    EXPECT_EQ(Read(w), kDefaults);
    EXPECT_EQ(SkippedEntries(w), std::vector<int> {255});
    EXPECT_EQ(w.File->Path(), program.Path());
    EXPECT_EQ(w.mnuFileOpenFolder->Tag(), program.Path());
    EXPECT_EQ(w.lblFolder->Tag(), program.Path());
    EXPECT_EQ(w.windowTitle().toStdString(), "Quorvantile v" + VersionText());
    EXPECT_EQ(w.vsbSize->Value(), 64);
    EXPECT_EQ(w.vsbSize->Max(), 32);
    EXPECT_TRUE(dialogs.Log().empty());
    // Ticking entry 255 writes its key back, so the file exists from the first start on.
    EXPECT_EQ(SettingsText(), "[Colors]\r\nSkip255=1\r\n");
}

TEST_F(FrmLoad, SecondStartRestoresWhatTheFirstChanged)
{
    test::TestWindow &first = Start("", false);
    first.session().mnuScalingOption_Click(3);
    first.session().mnuVerticalAlignmentOption_Click(0);
    first.session().mnuHorizontalAlignmentOption_Click(2);
    first.session().mnuColorMatchingOption_Click(3);
    first.session().mnuPaletteOption_Click(6);
    first.session().mnuPaletteConvertPalette_Click();
    first.session().mnuTransparencyApply_Click();
    first.session().mnuTransparencyLeftRightCols_Click();
    dialogs.QueueInput("17");
    first.session().mnuTransparencyInputColor_Click();
    dialogs.QueueInput("0");
    first.session().mnuTransparencyOutputColor_Click();
    first.vsbBright[0]->SetValue(0);
    first.vsbBright[2]->SetValue(200);
    first.chkPal[10].SetValue(1);
    first.vsbSize->SetValue(128);
    const Options changed = Read(first);
    ASSERT_NE(changed, kDefaults);

    test::TestWindow &second = Restart();
    EXPECT_EQ(Read(second), changed);
    EXPECT_EQ(SkippedEntries(second), (std::vector<int> {0, 10}));
    EXPECT_EQ(second.lblBright[0]->Caption(), "0");
    // The size of the square is not kept between runs.
    EXPECT_EQ(second.vsbSize->Value(), 64);
}

TEST_F(FrmLoad, StoredValuesOutsideTheirRangeFallBack)
{
    const struct {
        const char *key;
        const char *value;
        MenuArray test::TestWindow::*menu;
        int expected;
    } cases[] = {
        {"ScaleMode", "9", &test::TestWindow::mnuScalingOption, 0},
        {"ScaleMode", "-1", &test::TestWindow::mnuScalingOption, 0},
        {"ScaleMode", "3", &test::TestWindow::mnuScalingOption, 3},
        {"VerticalAlignment", "4", &test::TestWindow::mnuVerticalAlignmentOption, 2},
        {"VerticalAlignment", "0", &test::TestWindow::mnuVerticalAlignmentOption, 0},
        {"HorizontalAlignment", "-3", &test::TestWindow::mnuHorizontalAlignmentOption, 1},
        {"HorizontalAlignment", "3", &test::TestWindow::mnuHorizontalAlignmentOption, 3},
        {"ColorMatching", "99999999999", &test::TestWindow::mnuColorMatchingOption, 0},
        {"ColorMatching", "2.5", &test::TestWindow::mnuColorMatchingOption, 2},
        {"Palette", "8", &test::TestWindow::mnuPaletteOption, 0},
        {"Palette", "6", &test::TestWindow::mnuPaletteOption, 6},
        // The external item without a stored file gives way to WOLF3D for this run.
        {"Palette", "7", &test::TestWindow::mnuPaletteOption, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        test::TestWindow &w = Start(std::string(c.key) + "=" + c.value + "\r\n");
        EXPECT_EQ(CheckedIndices(w.*c.menu), std::vector<int> {c.expected});
    }
}

TEST_F(FrmLoad, StoredExternalPaletteIsOfferedAndChosen)
{
    std::string text = "JASC-PAL\r\n0100\r\n256\r\n";
    for (int i = 0; i < 256; ++i) {
        text += std::to_string(i) + " 0 0\r\n";
    }
    const std::string path = pictures.Write("reds.pal", text);
    test::TestWindow &w = Start("Palette=7\r\nExternalPalette=" + path + "\r\n");
    EXPECT_EQ(CheckedIndices(w.mnuPaletteOption), std::vector<int> {7});
    EXPECT_EQ(w.mnuPaletteOption[7]->Tag(), path);
    // The grid is painted with the loaded palette: entry i is red i.
    EXPECT_EQ(w.chkPal[200].Color(), 200u);
    EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(FrmLoad, StoredBrightnessOutsideTheBarIsTakenAsNeutral)
{
    const struct {
        const char *stored;
        int expected;
    } cases[] = {{"250", 100}, {"-1", 100}, {"201", 100}, {"200", 200}, {"0", 0}, {"57", 57}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        test::TestWindow &w = Start(std::string("Bright1=") + c.stored + "\r\n");
        EXPECT_EQ(w.vsbBright[1]->Value(), c.expected);
        EXPECT_EQ(w.lblBright[1]->Caption(), std::to_string(c.expected));
        EXPECT_EQ(w.vsbBright[0]->Value(), 100);
    }
}

TEST_F(FrmLoad, StoredFlagsAreTrueWhenNotZero)
{
    const struct {
        const char *stored;
        bool expected;
    } cases[] = {{"0", false}, {"-1", true}, {"1", true}, {"7", true}, {"abc", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        const std::string v = c.stored;
        test::TestWindow &w = Start("ConvertPalette=" + v + "\r\nApplyTransparency=" + v
            + "\r\nTransparentEdges=" + v + "\r\n");
        EXPECT_EQ(w.mnuPaletteConvertPalette->Checked(), c.expected);
        EXPECT_EQ(w.mnuTransparencyApply->Checked(), c.expected);
        EXPECT_EQ(w.mnuTransparencyLeftRightCols->Checked(), c.expected);
    }
}

TEST_F(FrmLoad, AFolderThatIsGoneGivesTheProgramFolder)
{
    const std::string gone = pictures.Path() + "/gone";
    const std::string plainFile = pictures.Write("not-a-folder", std::string("x"));
    for (const std::string &stored : {gone, plainFile, std::string()}) {
        SCOPED_TRACE(stored);
        test::TestWindow &w = Start("[General]\r\nPath=" + stored + "\r\n", false);
        EXPECT_EQ(w.File->Path(), program.Path());
        EXPECT_EQ(w.mnuFileOpenFolder->Tag(), program.Path());
        EXPECT_EQ(w.lblFolder->Tag(), program.Path());
        // The stored folder stays until the user picks another.
        EXPECT_TRUE(SettingsHold("Path", stored));
    }
}

TEST_F(FrmLoad, StoredSkipsAreAppliedAndTheOutputEntryIsTickedAgain)
{
    test::TestWindow &w = Start("[Colors]\r\nSkip5=1\r\nSkip9=0\r\nSkip255=0\r\n");
    EXPECT_EQ(SkippedEntries(w), (std::vector<int> {5, 255}));
    EXPECT_TRUE(SettingsHold("Skip255", "1"));
    // Any integer is kept as the checkbox's value.
    test::TestWindow &other = Start("[Colors]\r\nSkip3=2\r\n");
    EXPECT_EQ(other.chkPal[3].Value(), 2);
}

TEST_F(FrmLoad, PaletteGridHasSixteenColumnsAndTheOverlappingSecondRow)
{
    test::TestWindow &w = Start();
    ASSERT_EQ(w.chkPal.Count(), 256);
    const QSize size = w.chkPal[0].size();
    for (int k = 0; k < 256; ++k) {
        SCOPED_TRACE(k);
        const int row = k / 16;
        // Rows 1..15 lie at T0 + 255 r - 16 twips: the second row overlaps the first.
        const int top = 600 + (row == 0 ? 0 : 255 * row - 16);
        const int left = 6480 + 255 * (k % 16);
        EXPECT_EQ(w.chkPal[k].pos(), QPoint(TwipsToPixels(left), TwipsToPixels(top)));
        EXPECT_EQ(w.chkPal[k].size(), size);
        EXPECT_TRUE(w.chkPal[k].isVisibleTo(&w));
        EXPECT_EQ(w.chkPal[k].parentWidget(), w.centralWidget());
    }
    // Spot checks in pixels: T0 + 239, T0 + 494 and T0 + 3809 twips.
    EXPECT_EQ(w.chkPal[16].y(), 55);
    EXPECT_EQ(w.chkPal[47].y(), 72);
    EXPECT_EQ(w.chkPal[255].y(), 293);
}

TEST_F(FrmLoad, EveryEntryNamesItsNumberInItsTooltip)
{
    test::TestWindow &w = Start();
    const struct {
        int entry;
        const char *tip;
    } cases[] = {{0, "Color #0 (0x0)"},
        {10, "Color #10 (0xA)"},
        {16, "Color #16 (0x10)"},
        {171, "Color #171 (0xAB)"},
        {255, "Color #255 (0xFF)"}};
    for (const auto &c : cases) {
        EXPECT_EQ(w.chkPal[c.entry].toolTip().toStdString(), c.tip);
    }
}

TEST_F(FrmLoad, TheFirstFileIsShownAndAnEmptyFolderShowsNothing)
{
    Picture("b.bmp", 20, 30);
    Picture("A.bmp", 40, 24);
    test::TestWindow &w = Start();
    ASSERT_EQ(w.File->ListCount(), 2);
    EXPECT_EQ(w.File->ListIndex(), 0);
    EXPECT_TRUE(w.File->Selected(0));
    EXPECT_FALSE(w.File->Selected(1));
    EXPECT_EQ(w.fraImage->title().toStdString(), "A.bmp: 40 x 24");
    EXPECT_TRUE(w.img->HasPicture());

    std::filesystem::remove(pictures.File("A.bmp"));
    std::filesystem::remove(pictures.File("b.bmp"));
    test::TestWindow &empty = Restart();
    EXPECT_EQ(empty.File->ListCount(), 0);
    EXPECT_EQ(empty.File->ListIndex(), -1);
    EXPECT_FALSE(empty.img->HasPicture());
    EXPECT_EQ(empty.fraImage->title().toStdString(), "No Image");
}

TEST_F(FrmLoad, ReadLongInRangeKeepsOnlyValuesInsideTheBounds)
{
    test::TestWindow &w =
        Start("[S]\r\nthree=3\r\nminus=-1\r\nhalf=2.5\r\ntext=abc\r\nbig=1E12\r\n", false);
    const struct {
        const char *key;
        int min, max, fallback, expected;
    } cases[] = {
        {"missing", 0, 3, 2, 2},
        {"three", 0, 3, 1, 3},
        {"three", 0, 2, 1, 1},
        {"three", 4, 9, 7, 7},
        {"minus", 0, 3, 1, 1},
        {"minus", -1, 3, 1, -1},
        {"half", 0, 3, 1, 2},
        {"text", 0, 3, 1, 0},
        {"text", 1, 3, 2, 2},
        {"big", 0, 3, 1, 1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ReadLongInRange(w.session().Settings(), "S", c.key, c.min, c.max, c.fallback),
            c.expected)
            << c.key << " in " << c.min << ".." << c.max;
    }
}

} // namespace
} // namespace qv::test
