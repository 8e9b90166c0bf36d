#include "platform/failure.h"
#include "platform/qt/file_list_box.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <string>
#include <vector>

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace qv {
namespace {

// The entries of a folder as the program lists them.
class FileListBoxTest : public testing::Test
{
protected:
    void SetUp() override
    {
        list.resize(160, 200);
        list.SetEntries(dir.Path(), {"a.Bmp", "b.bmp", "C.bmp", "SPRITE.BMP"});
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < list.ListCount(); ++i) {
            names.push_back(list.List(i));
        }
        return names;
    }

    std::vector<int> SelectedRows() const
    {
        std::vector<int> rows;
        for (int i = 0; i < list.ListCount(); ++i) {
            if (list.Selected(i)) {
                rows.push_back(i);
            }
        }
        return rows;
    }

    void ClickRow(int row, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        const QRect place = list.visualItemRect(list.item(row));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, keys, place.center());
    }

    test::TempDir dir;
    FileListBox list;
};

TEST_F(FileListBoxTest, ShowsTheEntriesWithoutACurrentOne)
{
    EXPECT_EQ(list.Path(), dir.Path());
    EXPECT_EQ(Names(), (std::vector<std::string> {"a.Bmp", "b.bmp", "C.bmp", "SPRITE.BMP"}));
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.FileName(), "");
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(FileListBoxTest, SettingSelectedRaisesClickAfterTheEntryIsCurrent)
{
    QSignalSpy clicks(&list, &FileListBox::Click);
    std::string seenInHandler;
    QObject::connect(&list, &FileListBox::Click, [&] { seenInHandler = list.FileName(); });

    list.SetSelected(2, true);

    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(seenInHandler, "C.bmp");
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(SelectedRows(), std::vector<int> {2});

    list.SetSelected(0, true);
    EXPECT_EQ(SelectedRows(), (std::vector<int> {0, 2}));
    EXPECT_EQ(list.ListIndex(), 0);

    list.SetSelected(2, false);
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(SelectedRows(), std::vector<int> {0});
    EXPECT_EQ(list.ListIndex(), 0);
}

TEST_F(FileListBoxTest, NewEntriesLoseTheSelectionAndRaiseNothing)
{
    list.SetSelected(1, true);
    list.SetSelected(3, true);
    QSignalSpy clicks(&list, &FileListBox::Click);

    list.SetEntries(dir.Path(), {"a.Bmp", "aa.bmp", "C.bmp", "SPRITE.BMP"});

    EXPECT_EQ(Names(), (std::vector<std::string> {"a.Bmp", "aa.bmp", "C.bmp", "SPRITE.BMP"}));
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.FileName(), "");
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(FileListBoxTest, AnIndexOutsideTheListIsFailureNine)
{
    for (int index : {-1, 4}) {
        try {
            list.SetSelected(index, true);
            ADD_FAILURE() << "index " << index << " accepted";
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.Number(), kSubscriptOutOfRange);
        }
        EXPECT_THROW(list.List(index), Failure);
        EXPECT_THROW(list.Selected(index), Failure);
    }
}

struct UserClick {
    int row;
    Qt::KeyboardModifiers keys;
    std::vector<int> selected; // after the click
};

TEST_F(FileListBoxTest, UserClicksSelectAsAnExtendedListAndRaiseClickEachTime)
{
    list.show();
    const std::vector<UserClick> clicks = {
        {1, Qt::NoModifier, {1}},
        {3, Qt::ShiftModifier, {1, 2, 3}},
        {2, Qt::ControlModifier, {1, 3}},
        {0, Qt::ControlModifier, {0, 1, 3}},
        {2, Qt::NoModifier, {2}},
        {2, Qt::NoModifier, {2}},
    };
    QSignalSpy raised(&list, &FileListBox::Click);
    int current = -2;
    QObject::connect(&list, &FileListBox::Click, [&] { current = list.ListIndex(); });

    int expectedClicks = 0;
    for (const UserClick &click : clicks) {
        ClickRow(click.row, click.keys);
        ++expectedClicks;
        EXPECT_EQ(SelectedRows(), click.selected) << "after a click on row " << click.row;
        EXPECT_EQ(current, click.row);
        EXPECT_EQ(raised.count(), expectedClicks);
    }
}

TEST_F(FileListBoxTest, MovingWithTheKeyboardRaisesClickOnce)
{
    list.show();
    list.SetSelected(0, true);
    QSignalSpy raised(&list, &FileListBox::Click);

    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(raised.count(), 1);
    EXPECT_EQ(list.FileName(), "b.bmp");
    EXPECT_EQ(SelectedRows(), std::vector<int> {1});

    QTest::keyClick(&list, Qt::Key_Shift);
    EXPECT_EQ(raised.count(), 1);
}

} // namespace
} // namespace qv
