#include "engine/backup.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

using Files = std::map<std::string, std::string>; // name -> content ("<dir>" for a folder)

// Every entry of folder, hidden ones (temporary files) included.
Files Contents(const std::string &folder)
{
    Files files;
    for (const auto &entry : fs::directory_iterator(folder)) {
        std::string &content = files[entry.path().filename().string()];
        if (entry.is_directory()) {
            content = "<dir>";
        } else {
            const std::vector<std::uint8_t> bytes = test::ReadBytes(entry.path().string());
            content.assign(bytes.begin(), bytes.end());
        }
    }
    return files;
}

void Put(const std::string &folder, const Files &files)
{
    for (const auto &[name, content] : files) {
        if (content == "<dir>") {
            CreateFolder(JoinPath(folder, name));
        } else {
            WriteFileAtomic(JoinPath(folder, name), {content.begin(), content.end()});
        }
    }
}

TEST(Backup, NeverDestroysAnEarlierBackup)
{
    struct Case {
        const char *name;
        std::string input; // file name of the picture, content "new"
        Files before; // backup folder before
        std::string target; // where the backup is found afterwards
        Files after; // backup folder after
    };
    const Case cases[] = {
        {"empty folder", "a.bmp", {}, "a.bmp", {{"a.bmp", "new"}}},
        {"same bytes already there", "a.bmp", {{"a.bmp", "new"}}, "a.bmp", {{"a.bmp", "new"}}},
        {"different bytes",
            "a.bmp",
            {{"a.bmp", "old"}},
            "a (2).bmp",
            {{"a.bmp", "old"}, {"a (2).bmp", "new"}}},
        {"first free number",
            "a.bmp",
            {{"a.bmp", "old"}, {"a (2).bmp", "older"}},
            "a (3).bmp",
            {{"a.bmp", "old"}, {"a (2).bmp", "older"}, {"a (3).bmp", "new"}}},
        {"same bytes in a numbered copy",
            "a.bmp",
            {{"a.bmp", "old"}, {"a (2).bmp", "new"}},
            "a (2).bmp",
            {{"a.bmp", "old"}, {"a (2).bmp", "new"}}},
        // Only the names up to the first free one are compared (a folder scan per file would
        // make a large batch quadratic): past a gap the same bytes are copied once more.
        {"same bytes past a gap",
            "a.bmp",
            {{"a.bmp", "old"}, {"a (3).bmp", "new"}},
            "a (2).bmp",
            {{"a.bmp", "old"}, {"a (2).bmp", "new"}, {"a (3).bmp", "new"}}},
        {"gap filled first",
            "a.bmp",
            {{"a.bmp", "old"}, {"a (3).bmp", "x"}},
            "a (2).bmp",
            {{"a.bmp", "old"}, {"a (2).bmp", "new"}, {"a (3).bmp", "x"}}},
        {"extension kept as written",
            "Sprite.BMP",
            {{"Sprite.BMP", "old"}},
            "Sprite (2).BMP",
            {{"Sprite.BMP", "old"}, {"Sprite (2).BMP", "new"}}},
    // Names that only look like numbered copies of this picture are not its backups...
#ifndef _WIN32
        {"other names",
            "a.bmp",
            {{"a.bmp", "old"}, {"a (02).bmp", "new"}, {"A (2).bmp", "new"}},
            "a (2).bmp",
            {{"a.bmp", "old"}, {"a (02).bmp", "new"}, {"A (2).bmp", "new"}, {"a (2).bmp", "new"}}},
#else
        // ...but on Windows a name that differs only in case is the same file.
        {"other names",
            "a.bmp",
            {{"a.bmp", "old"}, {"a (02).bmp", "new"}, {"A (2).bmp", "new"}},
            "a (2).bmp",
            {{"a.bmp", "old"}, {"a (02).bmp", "new"}, {"A (2).bmp", "new"}}},
        {"a name in other case that holds other bytes",
            "a.bmp",
            {{"a.bmp", "old"}, {"A (2).bmp", "other"}},
            "a (3).bmp",
            {{"a.bmp", "old"}, {"A (2).bmp", "other"}, {"a (3).bmp", "new"}}},
#endif
        {"no extension",
            "sprite",
            {{"sprite", "old"}},
            "sprite (2)",
            {{"sprite", "old"}, {"sprite (2)", "new"}}},
#ifndef _WIN32
        // Only "/" separates folders here: a backslash is part of the name.
        {"backslash in the name",
            "x\\s.bmp",
            {{"s.bmp", "old"}},
            "x\\s.bmp",
            {{"s.bmp", "old"}, {"x\\s.bmp", "new"}}},
#endif
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir pictures;
        test::TempDir backups;
        const std::string input = pictures.Write(c.input, std::string("new"));
        Put(backups.Path(), c.before);
        EXPECT_EQ(MakeBackupCopy(input, backups.Path()), JoinPath(backups.Path(), c.target));
        EXPECT_EQ(Contents(backups.Path()), c.after);
        EXPECT_EQ(Contents(pictures.Path()), (Files {{c.input, "new"}}));
    }
}

TEST(Backup, RefusesWithoutTouchingAnything)
{
    struct Case {
        const char *name;
        Files before;
        bool folderIsFile;
        std::int32_t number;
    };
    const Case cases[] = {
        {"folder at the name", {{"a.bmp", "<dir>"}}, false, kPathFileAccessError},
        {"folder at the next free name",
            {{"a.bmp", "old"}, {"a (2).bmp", "<dir>"}},
            false,
            kPathFileAccessError},
        {"backup folder is a file", {}, true, kPathNotFound},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir pictures;
        test::TempDir parent;
        const std::string input = pictures.Write("a.bmp", std::string("new"));
        std::string folder = parent.File("backup");
        if (c.folderIsFile) {
            parent.Write("backup", std::string("plain"));
        } else {
            CreateFolder(folder);
            Put(folder, c.before);
        }
        const Files before = Contents(parent.Path());
        try {
            MakeBackupCopy(input, folder);
            ADD_FAILURE() << "no failure";
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.Number(), c.number);
        }
        EXPECT_EQ(Contents(parent.Path()), before);
        if (!c.folderIsFile) {
            EXPECT_EQ(Contents(folder), c.before);
        }
        EXPECT_EQ(Contents(pictures.Path()), (Files {{"a.bmp", "new"}}));
    }
}

TEST(Backup, InputInsideTheBackupFolderIsNotItsOwnBackup)
{
    test::TempDir folder;
    const std::string input = folder.Write("a.bmp", std::string("new"));
    EXPECT_EQ(MakeBackupCopy(input, folder.Path()), folder.File("a (2).bmp"));
    EXPECT_EQ(Contents(folder.Path()), (Files {{"a.bmp", "new"}, {"a (2).bmp", "new"}}));
}

} // namespace
} // namespace qv
