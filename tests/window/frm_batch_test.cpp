#include "platform/files.h"
#include "platform/qt/mouse_pointer.h"
#include "tests/window/window_fixture.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::test {
namespace {

const std::string kBackup = "Quorvantile Backup";

class FrmBatch : public testing::Test, protected WindowFixture
{
protected:
    // Starts on the picture folder with the named entries selected, the first name current.
    test::TestWindow &StartSelecting(
        const std::vector<std::string> &names, const std::string &settings = "")
    {
        test::TestWindow &w = Start(settings);
        if (w.File->ListCount() > 0) {
            w.File->SetSelected(0, false);
        }
        for (auto name = names.rbegin(); name != names.rend(); ++name) {
            w.File->SetSelected(Entry(*name), true);
        }
        dialogs.ClearLog();
        return w;
    }

    std::vector<std::uint8_t> Bytes(const std::string &name) const
    {
        return ReadBytes(pictures.File(name));
    }

    // The bit count field of a bitmap file in the picture folder.
    int BitCount(const std::string &name) const
    {
        const std::vector<std::uint8_t> bytes = Bytes(name);
        return bytes.size() > 29 ? bytes[28] | bytes[29] << 8 : -1;
    }

    void ExpectFinished(const std::string &text) const
    {
        ASSERT_FALSE(dialogs.Log().empty());
        const ScriptedDialogService::Shown &last = dialogs.Log().back();
        EXPECT_EQ(last.text, text);
        EXPECT_EQ(last.title, "Finished");
        EXPECT_EQ(last.icon, MessageIcon::Information);
    }
};

TEST_F(FrmBatch, NothingSelectedConvertsNothingButMakesTheBackupFolder)
{
    for (bool withFiles : {false, true}) {
        SCOPED_TRACE(withFiles ? "files, none selected" : "empty folder");
        std::filesystem::remove_all(pictures.File(kBackup));
        if (withFiles) {
            Picture("a.bmp", 20, 20);
        }
        const std::vector<std::uint8_t> before = Bytes("a.bmp");
        test::TestWindow &w = StartSelecting({});

        w.cmdOK->click();

        ASSERT_EQ(dialogs.Log().size(), 1u);
        ExpectFinished("Nothing to convert.");
        EXPECT_TRUE(FolderExists(pictures.File(kBackup)));
        EXPECT_EQ(w.session().BackupFolder(), pictures.File(kBackup));
        EXPECT_EQ(Bytes("a.bmp"), before);
        EXPECT_FALSE(MousePointer::IsBusy());
    }
}

TEST_F(FrmBatch, EverySelectedFileCountsAlsoWhenItIsRefused)
{
    Picture("a.bmp", 20, 20);
    Picture("b.bmp", 16, 12, 8);
    pictures.Write("c.bmp", std::string("BM broken"));
    Picture("d.bmp", 24, 24);
    const std::vector<std::uint8_t> a = Bytes("a.bmp"), b = Bytes("b.bmp"), d = Bytes("d.bmp");
    test::TestWindow &w = StartSelecting({"a.bmp", "b.bmp", "c.bmp"}, "ScaleMode=1\r\n");

    w.session().cmdOK_Click();

    ExpectFinished("Converted 3 file(s).");
    EXPECT_EQ(dialogs.Log().front().title, "LoadBMPFile Error") << "c.bmp's own report";
    EXPECT_EQ(BitCount("a.bmp"), 8);
    EXPECT_EQ(BitCount("b.bmp"), 8);
    EXPECT_NE(Bytes("b.bmp"), b);
    EXPECT_EQ(ReadBytes(pictures.File(kBackup + "/a.bmp")), a);
    EXPECT_EQ(ReadBytes(pictures.File(kBackup + "/b.bmp")), b);
    EXPECT_FALSE(PathExists(pictures.File(kBackup + "/c.bmp")));
    EXPECT_EQ(Bytes("d.bmp"), d) << "not selected";
    // The current file is shown again as it now is: rescaled to 64 x 64.
    EXPECT_EQ(w.fraImage->title().toStdString(), "a.bmp: 64 x 64");
    EXPECT_EQ(w.session().CurrentPicture.bitCount, 8);
    EXPECT_FALSE(MousePointer::IsBusy());
}

TEST_F(FrmBatch, AnExistingBackupFolderIsReusedWithItsContents)
{
    Picture("a.bmp", 20, 20);
    const std::vector<std::uint8_t> a = Bytes("a.bmp");
    CreateFolder(pictures.File(kBackup));
    pictures.Write(kBackup + "/keep.txt", std::string("mine"));
    test::TestWindow &w = StartSelecting({"a.bmp"});

    w.session().cmdOK_Click();

    ExpectFinished("Converted 1 file(s).");
    EXPECT_EQ(ReadBytes(pictures.File(kBackup + "/keep.txt")),
        (std::vector<std::uint8_t> {'m', 'i', 'n', 'e'}));
    EXPECT_EQ(ReadBytes(pictures.File(kBackup + "/a.bmp")), a);
    // The backup folder is not a file: the list does not show it.
    w.session().cmdRefreshFileList_Click();
    EXPECT_EQ(w.File->ListCount(), 1);
}

TEST_F(FrmBatch, AFileWhereTheBackupFolderShouldBeStopsBeforeAnythingIsConverted)
{
    Picture("a.bmp", 20, 20);
    Picture("b.bmp", 20, 20);
    const std::vector<std::uint8_t> a = Bytes("a.bmp"), b = Bytes("b.bmp");
    const std::string blockerText = "not a folder";
    const std::string blocker = pictures.Write(kBackup, blockerText);
    test::TestWindow &w = StartSelecting({"a.bmp", "b.bmp"});

    w.session().cmdOK_Click();

    ASSERT_EQ(dialogs.Log().size(), 1u);
    const ScriptedDialogService::Shown &report = dialogs.Log()[0];
    EXPECT_EQ(report.title, "cmdOK_Click Error");
    EXPECT_EQ(report.icon, MessageIcon::Error);
    EXPECT_EQ(report.text,
        "Error in cmdOK_Click\r\nError #75\r\nA file named Quorvantile Backup stands where the "
        "backup folder should be: "
            + NativePath(blocker) + ". Nothing was converted.");
    EXPECT_EQ(Bytes("a.bmp"), a);
    EXPECT_EQ(Bytes("b.bmp"), b);
    EXPECT_EQ(
        ReadBytes(blocker), std::vector<std::uint8_t>(blockerText.begin(), blockerText.end()));
    EXPECT_FALSE(MousePointer::IsBusy());
}

TEST_F(FrmBatch, FindMinimumFitsTheLargestSelectedSide)
{
    struct Pic {
        const char *name;
        int width, height;
    };
    const struct {
        const char *what;
        std::vector<Pic> selected;
        std::vector<Pic> others;
        int smallest; // the smallest permitted size when Find Minimum runs; 0: as shown
        int expected;
    } cases[] = {
        {"61", {{"a.bmp", 61, 20}}, {}, 0, 64},
        {"64", {{"a.bmp", 64, 64}}, {}, 0, 64},
        {"65", {{"a.bmp", 30, 65}}, {}, 0, 68},
        {"10, lowered", {{"a.bmp", 10, 10}}, {}, 0, 16},
        {"10", {{"a.bmp", 10, 10}}, {}, 32, 32},
        {"several", {{"a.bmp", 30, 50}, {"b.bmp", 61, 8}}, {}, 0, 64},
        {"refused left out", {{"a.bmp", 40, 40}, {"b.bmp", 600, 8}}, {}, 0, 40},
        {"unselected left out", {{"a.bmp", 20, 24}}, {{"b.bmp", 100, 100}}, 32, 32},
        {"nothing selected", {}, {{"a.bmp", 100, 100}}, 32, 32},
        {"empty folder", {}, {}, 0, 32},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto &entry : std::filesystem::directory_iterator(pictures.Path())) {
            std::filesystem::remove_all(entry.path());
        }
        std::vector<std::string> names;
        for (const Pic &p : c.selected) {
            Picture(p.name, p.width, p.height);
            names.push_back(p.name);
        }
        for (const Pic &p : c.others) {
            Picture(p.name, p.width, p.height);
        }
        test::TestWindow &w = StartSelecting(names);
        if (c.smallest > 0) {
            w.session().SetSizeMax(c.smallest);
        }
        w.vsbSize->SetValue(200);
        w.File->setFocus();

        w.cmdAnalyze->click();

        EXPECT_EQ(w.vsbSize->Value(), c.expected);
        EXPECT_EQ(w.lblSize->Caption(), std::to_string(c.expected));
        EXPECT_EQ(w.focusWidget(), w.cmdOK);
    }
}

TEST_F(FrmBatch, FindMinimumShowsTheRefusalOfAnOverlargePicture)
{
    const std::string path = Picture("big.bmp", 8, 700);
    test::TestWindow &w = StartSelecting({"big.bmp"});
    w.session().cmdAnalyze_Click();
    EXPECT_EQ(dialogs.MessageTexts(), std::vector<std::string> {"BMP too large: " + path});
    EXPECT_EQ(w.vsbSize->Value(), w.vsbSize->Max());
}

} // namespace
} // namespace qv::test
