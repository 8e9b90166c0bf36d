// The Output menu, Use Alpha Channel, its threshold and the colour key, through the scripted
// dialogs.
#include "tests/window/counting_window.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::WindowFixture;

TEST(FrmColorKey, NewOptionsAtTheirDefaultsWriteNothingAndReadAsBefore)
{
    WindowFixture fixture;
    test::CountingWindow &window = test::StartWithPicture(fixture);
    const ConversionOptions options = window.session().CurrentOptions();
    EXPECT_EQ(options.outputFormat, OutputFormat::Bmp);
    EXPECT_FALSE(options.useAlpha);
    EXPECT_EQ(options.alphaThreshold, 128);
    EXPECT_FALSE(options.inputTransparentRgb);
    EXPECT_EQ(window.mnuTransparencyAlphaThreshold->Caption(), "Alpha &Threshold: 128");
    for (const char *key : {"OutputFormat", "UseAlpha", "AlphaThreshold", "InputTransparentRGB"}) {
        EXPECT_EQ(fixture.SettingsText().find(key), std::string::npos) << key;
    }
}

TEST(FrmColorKey, EachChangeIsStoredRestoredAndPreviewed)
{
    WindowFixture fixture;
    test::CountingWindow &window = test::StartWithPicture(fixture);
    window.mnuOutputFormat[1]->trigger();
    window.mnuTransparencyUseAlpha->trigger();
    fixture.dialogs.QueueInput("200");
    window.session().mnuTransparencyAlphaThreshold_Click();
    fixture.dialogs.QueueInput("#FF00ff");
    window.session().mnuTransparencyInputRGB_Click();
    EXPECT_EQ(window.Previews(), 4);
    EXPECT_TRUE(fixture.SettingsHold("OutputFormat", "1"));
    EXPECT_TRUE(fixture.SettingsHold("UseAlpha", "-1"));
    EXPECT_TRUE(fixture.SettingsHold("AlphaThreshold", "200"));
    EXPECT_TRUE(fixture.SettingsHold("InputTransparentRGB", "255,0,255"));
    EXPECT_EQ(fixture.dialogs.Log().at(0).title, "Alpha Threshold");
    EXPECT_EQ(fixture.dialogs.Log().at(1).defaultText, "none");

    test::TestWindow &again = fixture.Restart();
    const ConversionOptions options = again.session().CurrentOptions();
    EXPECT_EQ(options.outputFormat, OutputFormat::Png);
    EXPECT_TRUE(options.useAlpha);
    EXPECT_EQ(options.alphaThreshold, 200);
    EXPECT_EQ(options.inputTransparentRgb, (Rgb {255, 0, 255}));
    EXPECT_TRUE(again.mnuOutputFormat[1]->Checked());
    EXPECT_FALSE(again.mnuOutputFormat[0]->Checked());
}

TEST(FrmColorKey, PromptsKeepTheValueOnCancelOrNonsense)
{
    const struct {
        const char *answer;
        std::optional<Rgb> key; // the start is 1,2,3
        std::vector<std::string> messages;
    } cases[] = {
        {"", Rgb {1, 2, 3}, {}},
        {"none", std::nullopt, {}},
        {" 4 , 5,6 ", Rgb {4, 5, 6}, {}},
        {"256,0,0",
            Rgb {1, 2, 3},
            {"256,0,0 is not a color: type R,G,B (each 0 to 255), #RRGGBB or none."}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        WindowFixture fixture;
        test::CountingWindow &window =
            test::StartWithPicture(fixture, "InputTransparentRGB=1,2,3\r\nAlphaThreshold=9\r\n");
        fixture.dialogs.QueueInput(c.answer);
        window.session().mnuTransparencyInputRGB_Click();
        EXPECT_EQ(window.session().GetInputTransparentRgb(), c.key);
        EXPECT_EQ(fixture.dialogs.MessageTexts(), c.messages);
        EXPECT_EQ(fixture.dialogs.Log().at(0).defaultText, "1,2,3");
        // The threshold prompt keeps 9 for anything outside 1..255.
        fixture.dialogs.QueueInput("0");
        window.session().mnuTransparencyAlphaThreshold_Click();
        EXPECT_EQ(window.session().CurrentOptions().alphaThreshold, 9);
    }
}

// While a colour key is set, the scan and the click answer with a colour, not an index.
TEST(FrmColorKey, ScanAndClickSetTheColorKey)
{
    WindowFixture fixture;
    test::CountingWindow &window =
        test::StartWithPicture(fixture, "InputTransparentRGB=0,0,0\r\n", false);
    // Index 9 covers most of the picture, 17 sits at (3, 2); the table is the builder's.
    const std::vector<std::uint8_t> file = test::EightBitPicture(8, 8, 9, {{3, 2, 17}, {0, 0, 17}});
    fixture.pictures.Write("a.bmp", file);
    const auto entry = [&](int index) {
        const std::size_t at = 54 + 4 * static_cast<std::size_t>(index);
        return Rgb {file[at + 2], file[at + 1], file[at]};
    };
    window.session().File_Click();
    fixture.dialogs.ClearLog();

    window.session().mnuTransparencyScanForInputColor_Click();
    EXPECT_EQ(window.session().GetInputTransparentRgb(), entry(9));
    EXPECT_TRUE(fixture.SettingsHold("InputTransparentRGB", "0,0,0")) << "a scan is for this run";

    window.session().img_MouseDown(1, 0, 59, 30); // the pixel at (3, 2)
    EXPECT_EQ(window.session().GetInputTransparentRgb(), entry(17));
    const std::string stored = std::to_string(entry(17).red) + "," + std::to_string(entry(17).green)
        + "," + std::to_string(entry(17).blue);
    EXPECT_TRUE(fixture.SettingsHold("InputTransparentRGB", stored));
    EXPECT_EQ(fixture.dialogs.MessageTexts().back(),
        "The input transparency color is now " + stored + ".");
}

TEST(FrmColorKey, PngPicturesAreListedWithTheBitmaps)
{
    WindowFixture fixture;
    fixture.pictures.Write(
        "B.PNG", qv::test::ReadBytes(qv::test::TestDataDir() + "/png/rgba8.png"));
    fixture.pictures.Write("c.txt", std::string("x"));
    fixture.Picture("a.bmp", 4, 4);
    fixture.Picture("d.Bmp", 4, 4);
    test::TestWindow &window = fixture.Start();
    ASSERT_EQ(window.File->ListCount(), 3);
    EXPECT_EQ(window.File->List(0), "a.bmp");
    EXPECT_EQ(window.File->List(1), "B.PNG");
    EXPECT_EQ(window.File->List(2), "d.Bmp");
}

// Results of another format are new files beside their inputs: the list shows them after the
// batch, and what was selected stays selected.
TEST(FrmColorKey, ConvertedPngsAreListedWithTheirResults)
{
    WindowFixture fixture;
    const std::vector<std::uint8_t> png =
        qv::test::ReadBytes(qv::test::TestDataDir() + "/png/rgba8.png");
    fixture.pictures.Write("a.png", png);
    fixture.pictures.Write("b.png", png);
    fixture.Picture("c.bmp", 4, 4);
    test::TestWindow &window = fixture.Start();
    window.File->SetSelected(fixture.Entry("b.png"), true);
    window.File->SetSelected(fixture.Entry("a.png"), true);
    window.session().cmdOK_Click();
    ASSERT_EQ(fixture.dialogs.MessageTexts(), std::vector<std::string> {"Converted 2 file(s)."});
    std::vector<std::string> listed;
    std::vector<std::string> selected;
    for (int i = 0; i < window.File->ListCount(); ++i) {
        listed.push_back(window.File->List(i));
        if (window.File->Selected(i)) {
            selected.push_back(window.File->List(i));
        }
    }
    EXPECT_EQ(listed, (std::vector<std::string> {"a.bmp", "a.png", "b.bmp", "b.png", "c.bmp"}));
    EXPECT_EQ(selected, (std::vector<std::string> {"a.png", "b.png"}));
    EXPECT_EQ(window.File->FileName(), "a.png");
}

} // namespace
} // namespace qv
