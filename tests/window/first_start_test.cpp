#include "app/first_start.h"
#include "engine/load_bmp_file.h"
#include "platform/files.h"
#include "samples/sample_pictures.h"
#include "tests/window/window_fixture.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::test {
namespace {

namespace fs = std::filesystem;

// Every name in the folder, sorted; none when it does not exist.
std::vector<std::string> NamesIn(const std::string &folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto &entry : fs::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ListedNames(const TestWindow &window)
{
    std::vector<std::string> names;
    for (int i = 0; i < window.File->ListCount(); ++i) {
        names.push_back(window.File->List(i));
    }
    return names;
}

TEST(SamplePictures, OnlyTheMissingOnesAreWrittenAndEachIsAPictureTheWindowAccepts)
{
    struct Row {
        std::vector<std::string> present;
        std::vector<std::string> written;
    };
    const Row rows[] = {
        {{}, {"knight.bmp", "barrel.bmp", "torch.bmp"}},
        {{"barrel.bmp"}, {"knight.bmp", "torch.bmp"}},
        {{"knight.bmp", "barrel.bmp", "torch.bmp"}, {}},
    };
    const std::map<std::string, std::int16_t> depths = {
        {"knight.bmp", 24}, {"barrel.bmp", 8}, {"torch.bmp", 24}};
    for (const Row &row : rows) {
        const TempDir dir;
        for (const std::string &name : row.present) {
            dir.Write(name, std::string("converted by the user"));
        }
        EXPECT_EQ(samples::WriteMissingSamples(dir.Path()), row.written);
        for (const std::string &name : row.present) {
            const std::vector<std::uint8_t> bytes = ReadBytes(dir.File(name));
            EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "converted by the user") << name;
        }
        for (const std::string &name : row.written) {
            ScriptedDialogService dialogs;
            LoadedImage image;
            EXPECT_TRUE(LoadBMPFile(dialogs, 512, dir.File(name), image)) << name;
            EXPECT_EQ(image.bitCount, depths.at(name)) << name;
            EXPECT_TRUE(dialogs.Log().empty()) << name;
        }
    }
}

// A start as the program makes one: the folder chosen for the settings is prepared, then the
// window starts on the settings file in it. Whether the folder is the program's own or the
// user's, the settings file, the pictures listed and the palette dialog's first folder follow it.
TEST(FirstStart, TheSettingsFolderHoldsTheSettingsTheSamplesAndIsWhereDialogsOpen)
{
    const std::string firstSettings = "[Colors]\r\nSkip255=1\r\n";
    const std::vector<std::string> samples = {"barrel.bmp", "knight.bmp", "torch.bmp"};
    struct Row {
        const char *what;
        const char *folder; // inside the temporary folder
        bool besideProgram;
        std::map<std::string, std::string> before; // files in the folder before the start
        std::vector<std::string> listed;
    };
    const Row rows[] = {
        // The build put the samples beside the program; a first start adds none there.
        {"beside the program", "bin", true, {}, {}},
        {"the user's folder, first start", "config/quorvantile", false, {}, samples},
        {"the user's folder, a later start",
            "config/quorvantile",
            false,
            {{"quorvantile.ini", firstSettings}},
            {}},
        {"the user's folder, a sample already converted",
            "config/quorvantile",
            false,
            {{"knight.bmp", "converted"}},
            samples},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const TempDir dir;
        const std::string folder = dir.File(row.folder);
        if (row.besideProgram || !row.before.empty()) {
            fs::create_directories(folder);
        }
        for (const auto &[name, text] : row.before) {
            dir.Write(std::string(row.folder) + "/" + name, text);
        }
        const std::string settingsFile = JoinPath(folder, "quorvantile.ini");

        PrepareSettingsFolder({folder, row.besideProgram}, settingsFile);
        ScriptedDialogService dialogs;
        TestWindow window(dialogs);
        window.Form_Load(settingsFile, folder);

        EXPECT_EQ(ListedNames(window), row.listed);
        std::vector<std::string> expectedFiles = row.listed;
        expectedFiles.push_back("quorvantile.ini");
        std::sort(expectedFiles.begin(), expectedFiles.end());
        EXPECT_EQ(NamesIn(folder), expectedFiles);
        const std::vector<std::uint8_t> settings = ReadBytes(settingsFile);
        EXPECT_EQ(std::string(settings.begin(), settings.end()), firstSettings);
        if (row.before.contains("knight.bmp")) {
            const std::vector<std::uint8_t> knight = ReadBytes(JoinPath(folder, "knight.bmp"));
            EXPECT_EQ(std::string(knight.begin(), knight.end()), "converted");
        }
        EXPECT_EQ(window.File->Path(), folder);

        dialogs.QueueOpenFile({});
        window.session().mnuPaletteOption_Click(7);
        ASSERT_EQ(dialogs.Log().size(), 1U);
        EXPECT_EQ(dialogs.Log()[0].request.initialFolder, folder);
    }
}

TEST(FirstStart, AUserFolderThatCannotBeMadeLeavesAWindowThatSaysSavingFailed)
{
    const TempDir dir;
    const std::string blocker = dir.Write("config", std::string("a file, not a folder"));
    const std::string folder = dir.File("config/quorvantile");
    const std::string settingsFile = JoinPath(folder, "quorvantile.ini");

    PrepareSettingsFolder({folder, false}, settingsFile);
    ScriptedDialogService dialogs;
    TestWindow window(dialogs);
    window.Form_Load(settingsFile, folder);

    EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string> {"config"});
    const std::vector<std::uint8_t> bytes = ReadBytes(blocker);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "a file, not a folder");
    EXPECT_EQ(window.File->ListCount(), 0);
    ASSERT_FALSE(dialogs.MessageTexts().empty());
    for (const ScriptedDialogService::Shown &shown : dialogs.Log()) {
        EXPECT_EQ(shown.kind, ScriptedDialogService::Kind::Message) << shown.text;
    }
}

} // namespace
} // namespace qv::test
