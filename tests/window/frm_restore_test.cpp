// File > Restore Originals, through the scripted dialogs.
#include "platform/files.h"
#include "tests/window/window_fixture.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// a.bmp converted twice (the second time brighter, so the two results differ), b.bmp never.
struct TwiceConverted {
    test::WindowFixture fixture;
    Bytes original;
    Bytes first;
    Bytes second;
    test::TestWindow *window = nullptr;

    TwiceConverted()
    {
        original = test::ReadBytes(fixture.Picture("a.bmp", 20, 20));
        fixture.Picture("b.bmp", 10, 10);
        window = &fixture.Start();
        Convert();
        first = test::ReadBytes(fixture.pictures.File("a.bmp"));
        window->vsbBright[0]->SetValue(150);
        Convert();
        second = test::ReadBytes(fixture.pictures.File("a.bmp"));
        fixture.dialogs.ClearLog();
    }

    void Convert()
    {
        window->File->SetSelected(fixture.Entry("a.bmp"), true);
        window->File->SetSelected(fixture.Entry("b.bmp"), false);
        window->session().cmdOK_Click();
    }

    Bytes Backup(const std::string &name) const
    {
        return test::ReadBytes(fixture.pictures.File("Quorvantile Backup/" + name));
    }
};

TEST(FrmRestore, TheTrueOriginalComesBackAndBothConvertedVersionsStay)
{
    TwiceConverted scene;
    ASSERT_NE(scene.first, scene.original);
    ASSERT_NE(scene.second, scene.first);
    scene.window->File->selectAll();
    scene.fixture.dialogs.QueueConfirm(true);

    scene.window->mnuFileRestore->trigger();

    EXPECT_EQ(test::ReadBytes(scene.fixture.pictures.File("a.bmp")), scene.original);
    EXPECT_EQ(scene.Backup("a.bmp"), scene.original);
    EXPECT_EQ(scene.Backup("a (2).bmp"), scene.first);
    EXPECT_EQ(scene.Backup("a (3).bmp"), scene.second);
    const auto &question = scene.fixture.dialogs.Log().at(0);
    EXPECT_EQ(question.kind, ScriptedDialogService::Kind::Confirm);
    EXPECT_EQ(question.text,
        "Restore the originals of 1 file(s)? Each gets back its oldest backup; the file as it is "
        "now is kept in the backup folder.");
    EXPECT_EQ(scene.fixture.dialogs.MessageTexts(),
        (std::vector<std::string> {
            "No backup was found for these file(s), left as they are:\nb.bmp",
            "Restored 1 file(s)."}));

    // The restore is undone by restoring the kept version by hand, and a second restore changes
    // nothing: the original is already back and already kept.
    scene.fixture.dialogs.ClearLog();
    scene.fixture.dialogs.QueueConfirm(true);
    scene.window->session().mnuFileRestore_Click();
    EXPECT_EQ(test::ReadBytes(scene.fixture.pictures.File("a.bmp")), scene.original);
    EXPECT_FALSE(FileExists(scene.fixture.pictures.File("Quorvantile Backup/a (4).bmp")));
}

TEST(FrmRestore, NoChangesNothingAndWithoutBackupsNothingIsAsked)
{
    TwiceConverted scene;
    scene.window->File->selectAll();
    scene.fixture.dialogs.QueueConfirm(false);
    scene.window->session().mnuFileRestore_Click();
    EXPECT_EQ(test::ReadBytes(scene.fixture.pictures.File("a.bmp")), scene.second);
    EXPECT_TRUE(scene.fixture.dialogs.MessageTexts().empty());

    scene.fixture.dialogs.ClearLog();
    scene.window->File->SetSelected(scene.fixture.Entry("a.bmp"), false);
    scene.window->session().mnuFileRestore_Click();
    EXPECT_EQ(scene.fixture.dialogs.MessageTexts(),
        std::vector<std::string> {"No backup was found for the selected file(s):\nb.bmp"});
    EXPECT_TRUE(scene.fixture.dialogs.AllAnswersUsed());
}

} // namespace
} // namespace qv
