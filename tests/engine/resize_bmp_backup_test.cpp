#include "engine/backup.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "platform/utf8_path.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <map>
#include <set>

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

std::string Repeat(const std::string &piece, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// The bytes of a picture's round-th version.
std::vector<std::uint8_t> Version(const std::string &name, int round)
{
    const std::string text = name.substr(name.size() - 5) + " v" + std::to_string(round);
    return {text.begin(), text.end()};
}

// Pictures whose names are as long as a file system allows (255 bytes), converted three times
// with other bytes each time: every backup gets a name of its own within the limit (in bytes, on
// every system), its stem cut between characters, also beside another long name that starts
// alike; the oldest is found and restored.
TEST(Backup, LongestNamesGetNumberedCopiesWithinTheLimit)
{
    const struct {
        const char *name;
        std::vector<std::string> pictures; // backed up into one folder
        bool cut; // the numbered copies' stems are cut
    } rows[] = {
        {"ASCII", {std::string(251, 'a') + ".png"}, true},
        {"two-byte characters", {Repeat("\xC3\xA9", 125) + "x.png"}, true},
        {"three-byte characters", {Repeat("\xE2\x82\xAC", 83) + "xy.bmp"}, true},
        {"no extension", {std::string(255, 'n')}, true},
        {"two names that differ at their end",
            {std::string(250, 's') + "1.bmp", std::string(250, 's') + "2.bmp"},
            true},
        {"short enough for a number", {std::string(200, 'k') + ".bmp"}, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir pictures;
        const std::string folder = pictures.File("Quorvantile Backup");
        CreateFolder(folder);
        std::set<std::string> backups;
        for (int round = 1; round <= 3; ++round) {
            for (const std::string &name : row.pictures) {
                const std::string input = pictures.Write(name, Version(name, round));
                const std::string backup = MakeBackupCopy(input, folder);
                EXPECT_TRUE(backups.insert(backup).second);
                EXPECT_EQ(test::ReadBytes(backup), Version(name, round));
                const std::string backupName = Utf8Text(Utf8Path(backup).filename());
                EXPECT_LE(backupName.size(), 255U);
                const std::string number = " (" + std::to_string(round) + ")";
                const std::string extension = Utf8Text(Utf8Path(name).extension());
                const std::size_t mark = backupName.find('~');
                if (round == 1) {
                    EXPECT_EQ(backupName, name);
                } else if (!row.cut) {
                    EXPECT_EQ(backupName, Utf8Text(Utf8Path(name).stem()) + number + extension);
                } else {
                    // The name's own start, ending between two characters, a mark, the number.
                    ASSERT_NE(mark, std::string::npos);
                    EXPECT_EQ(name.compare(0, mark, backupName, 0, mark), 0);
                    EXPECT_NE(static_cast<unsigned char>(name[mark]) & 0xC0, 0x80);
                    EXPECT_EQ(backupName.substr(mark + 9), number + extension);
                }
            }
        }
        EXPECT_EQ(backups.size(), 3 * row.pictures.size());
        for (const std::string &name : row.pictures) {
            const std::string picture = pictures.File(name);
            EXPECT_EQ(OldestBackup(picture, folder), JoinPath(folder, name));
            ASSERT_TRUE(RestoreOriginal(picture, folder));
            EXPECT_EQ(test::ReadBytes(picture), Version(name, 1));
            // With the first copy taken away by hand, the numbered one is the oldest.
            fs::remove(Utf8Path(JoinPath(folder, name)));
            EXPECT_EQ(test::ReadBytes(OldestBackup(picture, folder)), Version(name, 2));
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(Utf8Path(folder)), fs::directory_iterator()),
            static_cast<std::ptrdiff_t>(2 * row.pictures.size()));
    }
}

} // namespace
} // namespace qv
