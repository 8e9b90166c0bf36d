#include "app/file_list.h"
#include "platform/failure.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

std::vector<std::string> Names(const FileList &list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.ListCount(); ++i) {
        names.push_back(list.List(i));
    }
    return names;
}

// A folder with pictures in mixed case, a text file, a hidden picture and a folder whose name
// matches the pattern: the list holds the matching files only, sorted without regard to case;
// reading it again loses the selection; a missing folder lists nothing.
TEST(FileList, ListsMatchingFilesSortedAndRereadsWithoutTheSelection)
{
    test::TempDir dir;
    for (const char *name : {"b.bmp", "SPRITE.BMP", "a.Bmp", "C.bmp", "notes.txt", ".hidden.bmp"}) {
        dir.Write(name, std::string("x"));
    }
    std::filesystem::create_directory(dir.File("folder.bmp"));
    FileList list("*.bmp");
    list.SetPath(dir.Path());
    EXPECT_EQ(Names(list), (std::vector<std::string> {"a.Bmp", "b.bmp", "C.bmp", "SPRITE.BMP"}));
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.FileName(), "");

    list.SetSelected(1, true);
    list.SetSelected(3, true);
    EXPECT_EQ(list.FileName(), "SPRITE.BMP");
    dir.Write("aa.bmp", std::string("x"));
    std::filesystem::remove(dir.File("b.bmp"));
    list.Refresh();
    EXPECT_EQ(Names(list), (std::vector<std::string> {"a.Bmp", "aa.bmp", "C.bmp", "SPRITE.BMP"}));
    EXPECT_FALSE(list.Selected(1) || list.Selected(3));
    EXPECT_EQ(list.ListIndex(), -1);

    list.SetSelected(0, true);
    list.SetPath(dir.File("gone"));
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_THROW(list.List(0), Failure);
    EXPECT_THROW(list.SetSelected(0, true), Failure);
}

} // namespace
} // namespace qv
