#include "platform/files.h"
#include "tests/window/counting_window.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::WindowFixture;

// The indices of the first row of an 8-bit bitmap file of width pixels.
std::vector<std::uint8_t> FirstRow(const std::vector<std::uint8_t> &file, int width)
{
    if (file.size() < 1078U + static_cast<std::size_t>(width)) {
        return {};
    }
    return {file.begin() + 1078, file.begin() + 1078 + width};
}

// A hand-edited input colour outside 0..255 keys no pixel: not in the preview, not in Convert,
// not in the command-line converter run on the same settings file. As a byte, 300, 556 and -212
// would all be entry 44; 44 itself is the control. The target palette is the grey ramp, so grey
// g matches entry g, and entry 255 (the output transparent colour) is skipped.
TEST(FrmTransparency, AnInputColourOutsideTheEntriesKeysNoPixelAnywhere)
{
    const std::vector<std::uint8_t> greys = {44, 10, 44, 200};
    const struct {
        int input;
        int dithering;
        std::vector<std::uint8_t> expected;
    } cases[] = {
        {300, 0, {44, 10, 44, 200}},
        {556, 0, {44, 10, 44, 200}},
        {-212, 0, {44, 10, 44, 200}},
        {300, 1, {44, 10, 44, 200}},
        {44, 0, {255, 10, 255, 200}},
        {44, 1, {255, 10, 255, 200}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.input) + ", dithering " + std::to_string(c.dithering));
        WindowFixture fixture;
        test::BmpLayout layout {.width = 4, .height = 1, .bitCount = 24};
        for (const std::uint8_t grey : greys) {
            layout.pixels.insert(layout.pixels.end(), 3, grey);
        }
        const std::vector<std::uint8_t> picture = test::BuildBmp(layout);
        fixture.pictures.Write("a.bmp", picture);
        test::TempDir cliPictures;
        const std::string cliPicture = cliPictures.Write("a.bmp", picture);
        std::vector<std::uint8_t> grey;
        for (int i = 0; i < 256; ++i) {
            grey.insert(grey.end(), 3, static_cast<std::uint8_t>(i));
        }
        const std::string palette = fixture.program.Write("grey.act", grey);
        fixture.program.Write("quorvantile.ini",
            "[General]\r\nPath=" + fixture.pictures.Path()
                + "\r\nPalette=7\r\nExternalPalette=" + palette
                + "\r\nApplyTransparency=-1\r\nInputTransparentColor=" + std::to_string(c.input)
                + "\r\nDithering=" + std::to_string(c.dithering) + "\r\n");
        fixture.window = std::make_unique<test::TestWindow>(fixture.dialogs);
        test::TestWindow &window = *fixture.window;
        window.Form_Load(fixture.SettingsPath(), fixture.program.Path());
        ASSERT_EQ(window.session().GetInputTransparencyColor(), c.input);
        const std::string settings = cliPictures.File("settings.ini");
        CopyFileAtomic(fixture.SettingsPath(), settings);

        window.optShow[1]->setChecked(true);
        window.session().RefreshPreview();
        EXPECT_EQ(window.session().Picture().image.indices, c.expected); // its one row
        // Every pixel counted is matched exactly: none counted as the transparent entry.
        EXPECT_TRUE(window.lblReport->Caption().starts_with("exact 100.0 %"))
            << window.lblReport->Caption();

        window.File->selectAll();
        window.session().cmdOK_Click();
        ASSERT_EQ(fixture.dialogs.MessageTexts().back(), "Converted 1 file(s).");
        EXPECT_EQ(FirstRow(test::ReadBytes(fixture.pictures.File("a.bmp")), 4), c.expected);

        const std::string command = std::string(QV_CONVERT_EXE) + " --quiet --settings '" + settings
            + "' '" + cliPictures.Path() + "' 2>/dev/null";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(FirstRow(test::ReadBytes(cliPicture), 4), c.expected);
    }
}

TEST(FrmTransparency, OutputColourMovesTheReservedEntryWithOneRefresh)
{
    WindowFixture fixture;
    test::CountingWindow &window = test::StartWithPicture(fixture);
    fixture.dialogs.QueueInput("0");

    window.session().mnuTransparencyOutputColor_Click();

    EXPECT_EQ(window.chkPal[255].Value(), 0);
    EXPECT_EQ(window.chkPal[0].Value(), 1);
    EXPECT_EQ(window.mnuTransparencyOutputColor->Caption(), "&Output Transparent Color: 0");
    EXPECT_TRUE(fixture.SettingsHold("OutputTransparentColor", "0"));
    EXPECT_TRUE(fixture.SettingsHold("Skip255", "0"));
    EXPECT_TRUE(fixture.SettingsHold("Skip0", "1"));
    EXPECT_EQ(window.Previews(), 1);
    const auto &prompt = fixture.dialogs.Log().at(0);
    EXPECT_EQ(prompt.text, "Enter a color value (0..255):");
    EXPECT_EQ(prompt.title, "Output Transparency Color");
    EXPECT_EQ(prompt.defaultText, "255");
}

TEST(FrmTransparency, KeepingTheOutputColourKeepsItsEntryTicked)
{
    for (const char *answer : {"255", "", "300"}) {
        WindowFixture fixture;
        test::CountingWindow &window = test::StartWithPicture(fixture);
        fixture.dialogs.QueueInput(answer);
        window.session().mnuTransparencyOutputColor_Click();
        EXPECT_EQ(window.chkPal[255].Value(), 1) << answer;
        EXPECT_TRUE(fixture.SettingsHold("OutputTransparentColor", "255")) << answer;
        EXPECT_EQ(window.Previews(), 1) << answer;
    }
}

TEST(FrmTransparency, InputPromptAcceptsOnlyAColourIndex)
{
    // The previous value is 17.
    const std::vector<std::pair<std::string, int>> cases = {
        {"300", 17}, {"-1", 17}, {"letters", 17}, {"", 17}, {"42", 42}, {"0", 0}, {"2.5", 2}};
    for (const auto &[answer, expected] : cases) {
        WindowFixture fixture;
        test::CountingWindow &window =
            test::StartWithPicture(fixture, "InputTransparentColor=17\r\n");
        fixture.dialogs.QueueInput(answer);
        window.session().mnuTransparencyInputColor_Click();
        EXPECT_EQ(window.mnuTransparencyInputColor->Caption(),
            "&Input Transparent Color: " + std::to_string(expected));
        EXPECT_EQ(window.session().GetInputTransparencyColor(), expected);
        EXPECT_TRUE(fixture.SettingsHold("InputTransparentColor", std::to_string(expected)))
            << answer;
        EXPECT_EQ(fixture.dialogs.Log().at(0).title, "Input Transparency Color");
        EXPECT_EQ(window.Previews(), 1);
    }
}

TEST(FrmTransparency, ClickingTheOriginalPicturePicksTheIndexUnderIt)
{
    struct Case {
        const char *name;
        bool preview;
        bool emptyBox; // no picture shown (no file selected)
        double x, y;
        int expected; // 5: unchanged
        const char *title;
    };
    // a.bmp is 8 x 8 with index 1 everywhere but 17 at (3, 2), which spans twips 45..59, 30..44.
    const std::vector<Case> cases = {
        {"index 17", false, false, 59, 30, 17, "Input Transparency Color"},
        {"index 1", false, false, 44, 30, 1, "Input Transparency Color"},
        {"in the Preview view", true, false, 59, 30, 5, nullptr},
        {"beside the picture", false, false, 8 * 15, 0, 5, "img_MouseDown Error"},
        {"on the empty box", false, true, 59, 30, 5, nullptr},
    };
    for (const Case &c : cases) {
        WindowFixture fixture;
        test::CountingWindow &window =
            test::StartWithPicture(fixture, "InputTransparentColor=5\r\n", false);
        fixture.pictures.Write("a.bmp", test::EightBitPicture(8, 8, 1, {{3, 2, 17}}));
        window.session().File_Click(); // shows the new content in the Original view
        window.optShow[c.preview ? 1 : 0]->setChecked(true);
        if (c.emptyBox) {
            window.File->setCurrentRow(-1);
            window.session().File_Click();
        }
        fixture.dialogs.ClearLog();
        const std::string settingsBefore = fixture.SettingsText();

        window.session().img_MouseDown(1, 0, c.x, c.y);

        EXPECT_EQ(window.session().GetInputTransparencyColor(), c.expected) << c.name;
        EXPECT_EQ(fixture.SettingsText() == settingsBefore, c.expected == 5) << c.name;
        EXPECT_EQ(fixture.SettingsHold("InputTransparentColor", "17"), c.expected == 17) << c.name;
        if (c.title == nullptr) {
            EXPECT_TRUE(fixture.dialogs.Log().empty()) << c.name;
            continue;
        }
        ASSERT_EQ(fixture.dialogs.Log().size(), 1U) << c.name;
        EXPECT_EQ(fixture.dialogs.Log()[0].title, c.title);
        if (c.expected != 5) {
            EXPECT_EQ(fixture.dialogs.Log()[0].text,
                "The input transparency color is now " + std::to_string(c.expected) + ".");
            EXPECT_EQ(fixture.dialogs.Log()[0].icon, MessageIcon::Information);
        }
    }
}

TEST(FrmTransparency, ScanPicksTheMostFrequentIndexForThisRunOnly)
{
    WindowFixture fixture;
    test::CountingWindow &window = test::StartWithPicture(fixture, "InputTransparentColor=40\r\n");
    // Index 9 covers most of the picture, 3 a few pixels.
    fixture.pictures.Write("a.bmp", test::EightBitPicture(10, 6, 9, {{0, 0, 3}, {5, 5, 3}}));
    const std::string settingsBefore = fixture.SettingsText();

    window.session().mnuTransparencyScanForInputColor_Click();

    EXPECT_EQ(window.mnuTransparencyInputColor->Caption(), "&Input Transparent Color: 9");
    EXPECT_EQ(fixture.SettingsText(), settingsBefore);
    EXPECT_EQ(window.Previews(), 1);
    EXPECT_EQ(fixture.dialogs.MessageTexts(),
        std::vector<std::string> {"The input transparency color is now 9."});
}

} // namespace
} // namespace qv
