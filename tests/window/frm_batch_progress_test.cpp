// A long Convert runs on several threads with a progress window: the same bytes and the same
// messages in the same order as a batch that converts one file after the other, and Cancel
// leaves exactly the files before it converted.
#include "platform/files.h"
#include "tests/window/window_fixture.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using Kind = ScriptedDialogService::Kind;

// Twelve pictures of every depth; one larger than the square and one broken, so that messages
// come from the middle of the list. Convert Palette is off, so the first deep picture switches it
// on for every later one.
std::vector<std::string> WritePictures(test::WindowFixture &fixture)
{
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "p%02d.bmp", i);
        names.emplace_back(name);
        if (i == 5) {
            fixture.pictures.Write(name, std::string("BM broken"));
        } else {
            fixture.Picture(name,
                i == 8 ? 90 : 20 + 3 * i,
                12 + i,
                i % 3 == 0       ? 8
                    : i % 3 == 1 ? 24
                                 : 32);
        }
    }
    return names;
}

const char *const kSettings = "ConvertPalette=0\r\nScaleMode=1\r\nColorMatching=3\r\n";

std::vector<std::string> Messages(const ScriptedDialogService &dialogs)
{
    return dialogs.MessageTexts();
}

TEST(FrmBatchProgress, ThreadsWriteTheBytesAndMessagesOfAOneByOneBatch)
{
    test::WindowFixture fixture;
    const std::vector<std::string> names = WritePictures(fixture);
    test::TempDir cliPictures;
    for (const std::string &name : names) {
        CopyFileAtomic(fixture.pictures.File(name), cliPictures.File(name));
    }
    test::TestWindow &window = fixture.Start(kSettings);
    const std::string settings = cliPictures.File("settings.ini");
    CopyFileAtomic(fixture.SettingsPath(), settings);
    window.session().SetBatchWorkers(3);
    window.File->selectAll();
    window.session().cmdOK_Click();

    // The command line, one file after the other, is the reference.
    const std::string command = std::string(QV_CONVERT_EXE)
        + " --quiet --jobs 1 --size 64 --settings '" + settings + "' '" + cliPictures.Path()
        + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    for (const std::string &name : names) {
        EXPECT_EQ(
            test::ReadBytes(fixture.pictures.File(name)), test::ReadBytes(cliPictures.File(name)))
            << name;
    }
    const std::vector<std::string> expected = {
        "p01.bmp is 24-bit and needs to have its palette converted.",
        "Error in LoadBMPFile\r\nError #62\r\nInput past end of file: the file holds 9 bytes, its "
        "headers declare 18 ("
            + NativePath(fixture.pictures.File("p05.bmp")) + ")",
        "p08.bmp is larger than the output square.",
        "Converted 12 file(s).",
    };
    EXPECT_EQ(Messages(fixture.dialogs), expected);
    EXPECT_TRUE(fixture.SettingsHold("ConvertPalette", "-1"));

    // The progress window counted every file in order.
    std::vector<std::string> progress;
    for (const auto &shown : fixture.dialogs.Log()) {
        if (shown.kind == Kind::Progress) {
            progress.push_back(shown.text);
        }
    }
    ASSERT_EQ(progress.size(), 13U);
    EXPECT_EQ(progress.front(), "Converting the selected files…");
    EXPECT_EQ(progress[1], "1/12 p00.bmp");
    EXPECT_EQ(progress.back(), "12/12 p11.bmp");
}

TEST(FrmBatchProgress, CancelLeavesExactlyTheFilesBeforeItConverted)
{
    for (const int workers : {1, 3}) {
        SCOPED_TRACE(workers);
        test::WindowFixture fixture;
        const std::vector<std::string> names = WritePictures(fixture);
        std::vector<std::vector<std::uint8_t>> before;
        for (const std::string &name : names) {
            before.push_back(test::ReadBytes(fixture.pictures.File(name)));
        }
        test::TestWindow &window = fixture.Start("ScaleMode=1\r\n");
        window.session().SetBatchWorkers(workers);
        window.File->selectAll();
        fixture.dialogs.QueueCancelAt(4);
        window.session().cmdOK_Click();

        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string backup = fixture.pictures.File("Quorvantile Backup/" + names[i]);
            const bool converted = i < 4;
            EXPECT_EQ(test::ReadBytes(fixture.pictures.File(names[i])) != before[i], converted)
                << names[i];
            EXPECT_EQ(FileExists(backup), converted) << names[i];
        }
        ASSERT_FALSE(fixture.dialogs.Log().empty());
        const auto &last = fixture.dialogs.Log().back();
        EXPECT_EQ(last.text, "Stopped after 4 of 12 file(s).");
        EXPECT_EQ(last.title, "Stopped");
    }
}

TEST(FrmBatchProgress, AFewFilesShowNoProgressWindow)
{
    test::WindowFixture fixture;
    for (const char *name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"}) {
        fixture.Picture(name, 10, 10);
    }
    test::TestWindow &window = fixture.Start();
    window.File->selectAll();
    window.session().cmdOK_Click();
    for (const auto &shown : fixture.dialogs.Log()) {
        EXPECT_NE(shown.kind, Kind::Progress);
    }
    EXPECT_EQ(Messages(fixture.dialogs), std::vector<std::string> {"Converted 5 file(s)."});
}

} // namespace
} // namespace qv
