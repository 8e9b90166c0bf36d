// The Output menu's games' formats and offsets: chosen, stored and restored; custom offsets
// asked for; and the window's Convert writing the files the command line writes.
#include "platform/files.h"
#include "tests/support/reference_decode.h"
#include "tests/window/counting_window.h"

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::WindowFixture;

TEST(FrmGameFormats, OffsetsAreChosenStoredAndRestored)
{
    WindowFixture fixture;
    test::CountingWindow &window = test::StartWithPicture(fixture);
    EXPECT_TRUE(window.mnuOutputOffsets[0]->Checked());
    EXPECT_EQ(window.mnuOutputOffsets[3]->Caption(), "C&ustom Offsets (0,0)…");
    window.mnuOutputFormat[2]->trigger();
    window.mnuOutputOffsets[1]->trigger();
    fixture.dialogs.QueueInput(" -12, 40 ");
    window.mnuOutputOffsets[3]->trigger();
    EXPECT_EQ(window.Previews(), 3);
    const ScriptedDialogService::Shown &prompt = fixture.dialogs.Log().at(0);
    EXPECT_EQ(prompt.title, "Custom Offsets");
    EXPECT_EQ(prompt.text, "Offsets X,Y (each -32768 to 32767):");
    EXPECT_EQ(prompt.defaultText, "0,0");
    for (const auto &[key, value] : {std::pair {"OutputFormat", "2"},
             {"Offsets", "3"},
             {"OffsetX", "-12"},
             {"OffsetY", "40"}}) {
        EXPECT_TRUE(fixture.SettingsHold(key, value)) << key;
    }
    EXPECT_EQ(window.mnuOutputOffsets[3]->Caption(), "C&ustom Offsets (-12,40)…");

    test::TestWindow &again = fixture.Restart();
    const ConversionOptions options = again.session().CurrentOptions();
    EXPECT_EQ(options.outputFormat, OutputFormat::DoomPicture);
    EXPECT_EQ(options.offsets, OffsetMode::Custom);
    EXPECT_EQ(std::make_pair(options.offsetX, options.offsetY), std::make_pair(-12, 40));
    EXPECT_TRUE(again.mnuOutputOffsets[3]->Checked());
    EXPECT_TRUE(again.mnuOutputFormat[2]->Checked());
}

TEST(FrmGameFormats, ACancelledOrUnreadableCustomAnswerChangesNothing)
{
    for (const char *answer : {"", "12", "1,2,3", "40000,0", "a,b"}) {
        SCOPED_TRACE(answer);
        WindowFixture fixture;
        test::CountingWindow &window = test::StartWithPicture(fixture);
        window.mnuOutputOffsets[1]->trigger();
        const std::string settings = fixture.SettingsText();
        const int previews = window.Previews();
        fixture.dialogs.QueueInput(answer);
        window.mnuOutputOffsets[3]->trigger();
        EXPECT_EQ(fixture.SettingsText(), settings);
        EXPECT_EQ(window.Previews(), previews);
        EXPECT_TRUE(window.mnuOutputOffsets[1]->Checked());
        EXPECT_FALSE(window.mnuOutputOffsets[3]->Checked());
        EXPECT_EQ(window.session().CurrentOptions().offsets, OffsetMode::Sprite);
    }
}

// RGBA sprites converted by the window and by quorvantile-convert with one settings file.
TEST(FrmGameFormats, WindowAndCommandLineWriteTheSameGameFiles)
{
    const struct {
        const char *name;
        const char *settings;
        const char *extension;
    } cases[] = {
        {"doom pictures, sprite offsets", "OutputFormat=2\r\nOffsets=1\r\nUseAlpha=-1\r\n", ".lmp"},
        {"doom flats", "OutputFormat=3\r\nScaleMode=1\r\n", ".lmp"},
        {"quake pictures, output colour 0",
            "OutputFormat=4\r\nOutputTransparentColor=0\r\n",
            ".lmp"},
        {"pcx", "OutputFormat=5\r\nUseAlpha=-1\r\n", ".pcx"},
        {"png, custom offsets",
            "OutputFormat=1\r\nOffsets=3\r\nOffsetX=-4\r\nOffsetY=9\r\n",
            ".png"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture fixture;
        test::TempDir cliPictures;
        for (const std::string &folder : {fixture.pictures.Path(), cliPictures.Path()}) {
            ASSERT_EQ(
                test::CommandOutput("/usr/bin/python3 -c \"import sys\nfrom PIL import Image\n"
                                    "for n, (w, h) in enumerate([(20, 30), (9, 64)]):\n"
                                    "    im = Image.new('RGBA', (w, h), (0, 0, 0, 0))\n"
                                    "    for y in range(2, h - 1):\n"
                                    "        for x in range(y % 3, w - 2):\n"
                                    "            im.putpixel((x, y), (x * 9, y * 4, 200, 255))\n"
                                    "    im.save(sys.argv[1] + '/s%d.png' % n)\" "
                    + test::ShellQuote(folder) + " 2>&1"),
                "");
        }
        test::TestWindow &window = fixture.Start(c.settings);
        const std::string settings = cliPictures.File("settings.ini");
        CopyFileAtomic(fixture.SettingsPath(), settings);
        ASSERT_EQ(window.File->ListCount(), 2);
        window.File->selectAll();
        window.session().cmdOK_Click();
        ASSERT_EQ(fixture.dialogs.MessageTexts().back(), "Converted 2 file(s).");
        const std::string command = std::string(QV_CONVERT_EXE) + " --quiet --size 64 --settings "
            + test::ShellQuote(settings) + " " + test::ShellQuote(cliPictures.Path())
            + " 2>/dev/null";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        for (const char *name : {"s0", "s1"}) {
            const std::string result = std::string(name) + c.extension;
            const std::vector<std::uint8_t> fromWindow =
                test::ReadBytes(fixture.pictures.File(result));
            ASSERT_FALSE(fromWindow.empty()) << result;
            EXPECT_EQ(test::ReadBytes(cliPictures.File(result)), fromWindow) << result;
        }
    }
}

} // namespace
} // namespace qv
