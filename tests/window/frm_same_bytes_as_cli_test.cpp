// The window's Convert and the command-line converter run the same engine: with the same
// settings file and pictures they must write the same bytes.
#include "platform/files.h"
#include "tests/window/window_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Case {
    const char *name;
    std::string settings; // lines after Path in [General]; may open further sections
};

const Case kCases[] = {
    {"first-start defaults", ""},
    {"square scaling, weighted, average square",
        "ScaleMode=1\r\nColorMatching=3\r\nVerticalAlignment=3\r\nHorizontalAlignment=3\r\n"},
    {"DOOM, brightness, no transparency, 32x32 row average, skips",
        "Palette=6\r\nBright0=130\r\nBright1=80\r\nApplyTransparency=0\r\nScaleMode=3\r\n"
        "ColorMatching=1\r\n[Colors]\r\nSkip3=1\r\nSkip200=1\r\n"},
    {"convert palette off, 128x128, no edges, output colour 0",
        "ConvertPalette=0\r\nScaleMode=2\r\nTransparentEdges=0\r\nOutputTransparentColor=0\r\n"
        "InputTransparentColor=7\r\nColorMatching=2\r\n"},
};

const char *const kNames[] = {"a.bmp", "b.bmp", "c.bmp", "d.bmp"};

class SameBytes : public testing::TestWithParam<Case>
{
};

TEST_P(SameBytes, WindowAndCommandLineWriteTheSameFiles)
{
    test::WindowFixture fixture;
    fixture.Picture("a.bmp", 40, 30, 24);
    fixture.Picture("b.bmp", 64, 64, 8);
    fixture.Picture("c.bmp", 17, 50, 32);
    fixture.Picture("d.bmp", 10, 10, 8);
    test::TempDir cliPictures;
    for (const char *name : kNames) {
        CopyFileAtomic(fixture.pictures.File(name), cliPictures.File(name));
    }

    test::TestWindow &window = fixture.Start(GetParam().settings);
    // The settings as the window holds them before converting (Convert may switch Convert
    // Palette on and store it).
    const std::string settings = cliPictures.File("settings.ini");
    CopyFileAtomic(fixture.SettingsPath(), settings);
    ASSERT_EQ(window.File->ListCount(), 4);
    ASSERT_EQ(window.session().CurrentOptions().squareSize, 64);
    window.File->selectAll();
    window.session().cmdOK_Click();
    ASSERT_EQ(fixture.dialogs.MessageTexts().back(), "Converted 4 file(s).");

    const std::string command = std::string(QV_CONVERT_EXE) + " --quiet --size 64 --settings '"
        + settings + "' '" + cliPictures.Path() + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0); // every file converted

    for (const char *name : kNames) {
        const std::vector<std::uint8_t> fromWindow = test::ReadBytes(fixture.pictures.File(name));
        const std::vector<std::uint8_t> original =
            test::ReadBytes(fixture.pictures.File(std::string("Quorvantile Backup/") + name));
        ASSERT_FALSE(original.empty()) << name;
        EXPECT_NE(fromWindow, original) << name << " was not converted by the window";
        EXPECT_EQ(test::ReadBytes(cliPictures.File(name)), fromWindow) << name;
    }
}

std::string CaseName(const testing::TestParamInfo<Case> &param)
{
    return "case" + std::to_string(param.index);
}

INSTANTIATE_TEST_SUITE_P(Settings, SameBytes, testing::ValuesIn(kCases), CaseName);

} // namespace
} // namespace qv
