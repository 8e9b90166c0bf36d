// The file list: clicks, Ctrl-clicks, Shift-clicks and Ctrl+A select entries as in any list of
// files, and each reaches the session as a click of the list, which shows the current file.
#include "platform/files.h"
#include "tests/window-win32/window_fixture.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::win32::test {
namespace {

class Win32FileList : public testing::Test, protected WindowFixture
{
protected:
    TestWindow &StartOnFourPictures()
    {
        Picture("a.bmp", 8, 6);
        Picture("b.bmp", 10, 12, 8);
        Picture("c.bmp", 30, 20, 32);
        Picture("d.bmp", 4, 4);
        return Start();
    }
};

TEST_F(Win32FileList, ClicksSelectAsInAnyListAndShowTheClickedFile)
{
    const struct {
        const char *name;
        std::vector<std::pair<int, WPARAM>> clicks; // entry, keys held
        std::vector<int> selected;
        const char *frame;
    } cases[] = {
        {"click", {{2, 0}}, {2}, "c.bmp: 30 x 20"},
        {"click another", {{2, 0}, {1, 0}}, {1}, "b.bmp: 10 x 12"},
        {"Ctrl-click adds", {{0, 0}, {2, MK_CONTROL}}, {0, 2}, "c.bmp: 30 x 20"},
        {"Ctrl-click removes", {{0, 0}, {2, MK_CONTROL}, {0, MK_CONTROL}}, {2}, "a.bmp: 8 x 6"},
        {"Shift-click spans", {{1, 0}, {3, MK_SHIFT}}, {1, 2, 3}, "d.bmp: 4 x 4"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow &w = StartOnFourPictures();
        ASSERT_EQ(w.File->ListCount(), 4);
        for (const auto &[entry, keys] : c.clicks) {
            ClickEntry(*w.File, entry, keys);
        }
        EXPECT_EQ(SelectedEntries(*w.File), c.selected);
        // The session holds what the list shows, and showed the clicked entry.
        const FileList &files = w.session().Files();
        for (int i = 0; i < files.ListCount(); ++i) {
            EXPECT_EQ(files.Selected(i), w.File->Selection()[static_cast<std::size_t>(i)]) << i;
        }
        EXPECT_EQ(files.ListIndex(), c.clicks.back().first);
        EXPECT_EQ(WindowText(w.fraImage), c.frame);
        EXPECT_TRUE(w.img->HasPicture());
    }
}

TEST_F(Win32FileList, CtrlASelectsEveryEntry)
{
    TestWindow &w = StartOnFourPictures();
    ClickEntry(*w.File, 1);
    CtrlKey(w.File->Handle(), 'A');
    EXPECT_EQ(SelectedEntries(*w.File), (std::vector<int> {0, 1, 2, 3}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(w.session().Files().Selected(i)) << i;
    }
}

TEST_F(Win32FileList, StartUpShowsTheFolderWithItsFirstEntrySelected)
{
    TestWindow &w = StartOnFourPictures();
    EXPECT_EQ(w.File->List(0), "a.bmp");
    EXPECT_EQ(w.File->List(3), "d.bmp");
    EXPECT_EQ(SelectedEntries(*w.File), std::vector<int> {0});
    EXPECT_EQ(WindowText(w.fraImage), "a.bmp: 8 x 6");
    EXPECT_EQ(w.lblFolder->Tag(), pictures.Path());
    EXPECT_EQ(w.lblFolder->Caption(), NativePath(pictures.Path()));
}

TEST_F(Win32FileList, ConvertConvertsTheSelectionInPlaceWithBackups)
{
    Picture("a.bmp", 8, 6, 8);
    Picture("b.bmp", 10, 12, 24);
    Picture("c.bmp", 30, 20, 32);
    const std::vector<std::string> names = {"a.bmp", "b.bmp", "c.bmp"};
    std::vector<std::vector<std::uint8_t>> originals;
    for (const std::string &name : names) {
        originals.push_back(qv::test::ReadBytes(pictures.File(name)));
    }
    TestWindow &w = Start("ConvertPalette=-1\r\n");
    CtrlKey(w.File->Handle(), 'A');

    Click(w.cmdOK);

    ASSERT_FALSE(dialogs.MessageTexts().empty());
    EXPECT_EQ(dialogs.MessageTexts().back(), "Converted 3 file(s).");
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::vector<std::uint8_t> converted = qv::test::ReadBytes(pictures.File(names[i]));
        EXPECT_NE(converted, originals[i]) << names[i];
        ASSERT_GT(converted.size(), 30U);
        EXPECT_EQ(converted[28], 8) << names[i]; // an 8-bit picture now
        EXPECT_EQ(
            qv::test::ReadBytes(pictures.File("Quorvantile Backup/" + names[i])), originals[i]);
    }
}

TEST_F(Win32FileList, NothingSelectedConvertsNothingAndChangesNoFile)
{
    Picture("a.bmp", 8, 6);
    TestWindow &w = Start();
    const std::vector<std::uint8_t> before = qv::test::ReadBytes(pictures.File("a.bmp"));
    ClickEntry(*w.File, 0, MK_CONTROL); // unselects the one entry

    Click(w.cmdOK);

    ASSERT_FALSE(dialogs.MessageTexts().empty());
    EXPECT_EQ(dialogs.MessageTexts().back(), "Nothing to convert.");
    EXPECT_EQ(qv::test::ReadBytes(pictures.File("a.bmp")), before);
}

} // namespace
} // namespace qv::win32::test
