#include "platform/files.h"
#include "tests/window/counting_window.h"
#include "tests/window/window_fixture.h"

#include <filesystem>
#include <string>
#include <vector>

#include <QTest>
#include <gtest/gtest.h>

namespace qv::test {
namespace {

class FrmOptions : public testing::Test, protected WindowFixture
{
protected:
    // A window in Preview mode with a picture selected, so that every refresh that runs
    // reaches the display and is counted.
    CountingWindow &StartPreviewing(const std::string &settings = "")
    {
        Picture("a.bmp", 24, 24, 8);
        CountingWindow &w = StartCounting(*this, settings);
        w.optShow[1]->setChecked(true);
        return w;
    }
};

TEST_F(FrmOptions, TogglingAnEntryStoresEachChangeAndRefreshes)
{
    CountingWindow &w = StartPreviewing();
    const int before = w.Previews();
    w.chkPal[10].SetValue(1);
    EXPECT_TRUE(SettingsHold("Skip10", "1"));
    w.chkPal[10].SetValue(0);
    EXPECT_TRUE(SettingsHold("Skip10", "0"));
    EXPECT_EQ(w.Previews(), before + 2);
    w.chkPal[10].SetValue(0); // no change, nothing raised
    EXPECT_EQ(w.Previews(), before + 2);
}

TEST_F(FrmOptions, ClearLeavesOnlyTheOutputEntryAndRefreshesOnce)
{
    const struct {
        const char *settings;
        std::vector<int> skippedAfter;
        std::vector<std::string> zeroed; // keys that must be written as 0
    } cases[] = {
        {"[Colors]\r\nSkip3=1\r\nSkip7=1\r\n", {255}, {"Skip3", "Skip7"}},
        {"OutputTransparentColor=0\r\n[Colors]\r\nSkip9=1\r\n", {0}, {"Skip9"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.settings);
        CountingWindow &w = StartPreviewing(c.settings);
        w.File->setFocus();
        const int before = w.Previews();

        w.cmdResetSkips->click();

        EXPECT_EQ(SkippedEntries(w), c.skippedAfter);
        EXPECT_EQ(w.Previews(), before + 1);
        EXPECT_FALSE(w.session().SuspendPreview);
        EXPECT_EQ(w.focusWidget(), w.cmdOK);
        for (const std::string &key : c.zeroed) {
            EXPECT_TRUE(SettingsHold(key, "0")) << key;
        }
        EXPECT_TRUE(SettingsHold("Skip" + std::to_string(c.skippedAfter[0]), "1"));
        // Entries that did not change are not written.
        EXPECT_EQ(SettingsText().find("Skip100="), std::string::npos);
    }
}

TEST_F(FrmOptions, BrightnessPromptAcceptsOnlyValuesOfTheBar)
{
    const struct {
        const char *answer;
        int expected; // -1: unchanged
    } cases[] = {{"150", 150},
        {"0", 0},
        {"200", 200},
        {"99.5", 100},
        {"42.5", 42},
        {"250", -1},
        {"-1", -1},
        {"abc", -1},
        {"", -1},
        {"1e9", -1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string("'") + c.answer + "'");
        test::TestWindow &w = Start("Bright2=77\r\n");
        const std::vector<std::uint8_t> settings = ReadBytes(SettingsPath());
        dialogs.ClearLog();
        dialogs.QueueInput(c.answer);

        emit w.lblBright[2]->Click();

        ASSERT_EQ(dialogs.Log().size(), 1u);
        EXPECT_EQ(dialogs.Log()[0].text, "New brightness (0.. 200):");
        EXPECT_EQ(dialogs.Log()[0].title, "Brightness");
        EXPECT_EQ(dialogs.Log()[0].defaultText, "77");
        if (c.expected < 0) {
            EXPECT_EQ(w.vsbBright[2]->Value(), 77);
            EXPECT_EQ(ReadBytes(SettingsPath()), settings);
        } else {
            EXPECT_EQ(w.vsbBright[2]->Value(), c.expected);
            EXPECT_EQ(w.lblBright[2]->Caption(), std::to_string(c.expected));
            EXPECT_TRUE(SettingsHold("Bright2", std::to_string(c.expected)));
        }
        EXPECT_EQ(w.vsbBright[0]->Value(), 100);
    }
}

TEST_F(FrmOptions, SetAllSetsTheThreeChannelsWithOneRefresh)
{
    CountingWindow &w = StartPreviewing("Bright0=20\r\nBright1=30\r\nBright2=40\r\n");
    const int before = w.Previews();
    dialogs.QueueInput("50.4");

    w.cmdSetAllBright->click();

    ASSERT_EQ(dialogs.Log().back().kind, ScriptedDialogService::Kind::Input);
    EXPECT_EQ(dialogs.Log().back().defaultText, "100") << "always 100, not a current value";
    EXPECT_EQ(dialogs.Log().back().title, "Brightness");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(w.vsbBright[i]->Value(), 50);
        EXPECT_EQ(w.lblBright[i]->Caption(), "50");
        EXPECT_TRUE(SettingsHold("Bright" + std::to_string(i), "50"));
    }
    EXPECT_EQ(w.Previews(), before + 1);
    EXPECT_FALSE(w.session().SuspendPreview);

    // The same value again writes nothing but still refreshes once.
    const std::vector<std::uint8_t> settings = ReadBytes(SettingsPath());
    dialogs.QueueInput("50");
    w.session().cmdSetAllBright_Click();
    EXPECT_EQ(w.Previews(), before + 2);
    EXPECT_EQ(ReadBytes(SettingsPath()), settings);
}

TEST_F(FrmOptions, SetAllIgnoresAnswersOutsideTheBar)
{
    CountingWindow &w = StartPreviewing();
    const int before = w.Previews();
    const std::vector<std::uint8_t> settings = ReadBytes(SettingsPath());
    for (const char *answer : {"", "abc", "201", "-0.6", "200.6", "1 0"}) {
        dialogs.QueueInput(answer);
        w.session().cmdSetAllBright_Click();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(w.vsbBright[i]->Value(), 100) << answer;
        }
    }
    EXPECT_EQ(w.Previews(), before);
    EXPECT_EQ(ReadBytes(SettingsPath()), settings);
}

TEST_F(FrmOptions, SizePromptRoundsUpAndIgnoresWhatIsOutOfRange)
{
    const struct {
        const char *answer;
        int expected;
    } cases[] = {{"61", 64},
        {"64", 64},
        {"65", 68},
        {"32", 32},
        {"509", 512},
        {"512", 512},
        {"33.5", 36},
        {"30", 100},
        {"513", 100},
        {"31.4", 100},
        {"abc", 100},
        {"", 100}};
    test::TestWindow &w = Start();
    const std::vector<std::uint8_t> settings = ReadBytes(SettingsPath());
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string("'") + c.answer + "'");
        w.vsbSize->SetValue(100);
        dialogs.ClearLog();
        dialogs.QueueInput(c.answer);
        emit w.lblSize->Click();
        ASSERT_EQ(dialogs.Log().size(), 1u);
        EXPECT_EQ(dialogs.Log()[0].text, "New size (multiples of 4 from 32 to 512):");
        EXPECT_EQ(dialogs.Log()[0].title, "Size");
        EXPECT_EQ(dialogs.Log()[0].defaultText, "100");
        EXPECT_EQ(w.vsbSize->Value(), c.expected);
        EXPECT_EQ(w.lblSize->Caption(), std::to_string(c.expected));
    }
    // The size is not a setting.
    EXPECT_EQ(ReadBytes(SettingsPath()), settings);
}

TEST_F(FrmOptions, SizePromptNamesTheLoweredSmallestSize)
{
    Picture("thin.bmp", 10, 300);
    test::TestWindow &w = Start();
    ASSERT_EQ(w.vsbSize->Max(), 16);
    dialogs.QueueInput("17");
    w.session().lblSize_Click();
    EXPECT_EQ(dialogs.Log().back().text, "New size (multiples of 4 from 16 to 512):");
    EXPECT_EQ(w.vsbSize->Value(), 20);
}

TEST_F(FrmOptions, ArrowsMoveTheValuesAndTheirLabels)
{
    CountingWindow &w = StartPreviewing();
    const int before = w.Previews();
    w.vsbSize->UpArrowClick();
    EXPECT_EQ(w.lblSize->Caption(), "68");
    w.vsbBright[1]->DownArrowClick();
    EXPECT_EQ(w.lblBright[1]->Caption(), "99");
    EXPECT_TRUE(SettingsHold("Bright1", "99"));
    EXPECT_EQ(w.Previews(), before + 2);
}

TEST_F(FrmOptions, OptionMenusCheckOneItemAndStoreItsIndex)
{
    const struct {
        MenuArray test::TestWindow::*menu;
        const char *key;
    } menus[] = {{&test::TestWindow::mnuScalingOption, "ScaleMode"},
        {&test::TestWindow::mnuVerticalAlignmentOption, "VerticalAlignment"},
        {&test::TestWindow::mnuHorizontalAlignmentOption, "HorizontalAlignment"},
        {&test::TestWindow::mnuColorMatchingOption, "ColorMatching"}};
    CountingWindow &w = StartPreviewing();
    for (const auto &m : menus) {
        MenuArray &items = w.*m.menu;
        ASSERT_EQ(items.size(), 4u) << m.key;
        for (int k : {3, 0, 2, 1}) {
            SCOPED_TRACE(std::string(m.key) + " " + std::to_string(k));
            const int before = w.Previews();
            items[static_cast<std::size_t>(k)]->trigger();
            EXPECT_EQ(CheckedIndices(items), std::vector<int> {k});
            EXPECT_TRUE(SettingsHold(m.key, std::to_string(k)));
            EXPECT_EQ(w.Previews(), before + 1);
        }
        // The item already checked: its key is written again (the file comes back) and the
        // preview follows.
        std::filesystem::remove(SettingsPath());
        const int before = w.Previews();
        items[1]->trigger();
        EXPECT_EQ(CheckedIndices(items), std::vector<int> {1});
        EXPECT_TRUE(SettingsHold(m.key, "1")) << m.key;
        EXPECT_EQ(w.Previews(), before + 1);
    }
}

TEST_F(FrmOptions, ScalingChosenIsCheckedAgainAtTheNextStart)
{
    test::TestWindow &w = Start();
    w.mnuScalingOption[3]->trigger();
    EXPECT_TRUE(SettingsHold("ScaleMode", "3"));
    EXPECT_EQ(CheckedIndices(Restart().mnuScalingOption), std::vector<int> {3});
}

} // namespace
} // namespace qv::test
