// The file services on a real disk: what a replace keeps, links, long names, races, full disks
// and the temporary files a killed run leaves behind.
#include "platform/file_failure.h"
#include "platform/files.h"
#include "platform/new_file_by_link.h"
#include "platform/temporary_files.h"
#include "tests/support/child_process.h"
#include "tests/support/failure_number.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace qv {
namespace {

using test::FailureNumberOf;
using test::ReadBytes;
using test::TempDir;

const std::vector<std::uint8_t> kOld {1, 2, 3};
const std::vector<std::uint8_t> kNew {4, 5, 6, 7};

std::vector<std::string> Entries(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileFailure, NamesTheReasonTheOperationAndTheFile)
{
    const struct {
        int error;
        std::int32_t number;
        std::string description;
    } rows[] = {
        {ENOENT, kFileNotFound, "File not found (reading /p/a.bmp)"},
        {ENOSPC, kDiskFull, "Disk full (reading /p/a.bmp)"},
        {EDQUOT, kDiskFull, "Disk full (reading /p/a.bmp)"},
        {EACCES, kPermissionDenied, "Permission denied (reading /p/a.bmp)"},
        {EROFS, kPermissionDenied, "Read-only file system (reading /p/a.bmp)"},
        {ENAMETOOLONG, kPathFileAccessError, "Name too long (reading /p/a.bmp)"},
        {EISDIR, kPathFileAccessError, "Path/File access error (reading /p/a.bmp, Is a directory)"},
        {ENOTDIR, kPathNotFound, "Path not found (reading /p/a.bmp, Not a directory)"},
        {EIO,
            kPathFileAccessError,
            "Path/File access error (reading /p/a.bmp, Input/output error)"},
    };
    for (const auto &row : rows) {
        const Failure failure =
            FileFailure(std::error_code(row.error, std::generic_category()), "reading", "/p/a.bmp");
        EXPECT_EQ(failure.Number(), row.number) << row.description;
        EXPECT_EQ(failure.Description(), row.description);
    }
}

// The start of a file and its length, for files shorter, as long as and longer than the count,
// and the failure of each kind of file that cannot be read.
TEST(Reading, StartAndLengthWhateverTheCount)
{
    TempDir dir;
    for (const std::size_t size :
        {std::size_t {0}, std::size_t {5}, std::size_t {12342}, std::size_t {300000}}) {
        std::vector<std::uint8_t> content(size);
        for (std::size_t i = 0; i < size; ++i) {
            content[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
        }
        const std::string path = dir.File("f" + std::to_string(size));
        WriteFileAtomic(path, content);
        EXPECT_EQ(ReadWholeFile(path), content) << size;
        for (const std::uint64_t count : {std::uint64_t {0},
                 std::uint64_t {5},
                 std::uint64_t {4096},
                 std::uint64_t {UINT64_MAX}}) {
            std::uint64_t length = 1;
            const std::vector<std::uint8_t> start = ReadFileStart(path, count, length);
            EXPECT_EQ(length, size) << size << " " << count;
            const std::size_t expected =
                static_cast<std::size_t>(std::min<std::uint64_t>(count, size));
            EXPECT_EQ(start,
                std::vector<std::uint8_t>(
                    content.begin(), content.begin() + static_cast<std::ptrdiff_t>(expected)))
                << size << " " << count;
        }
    }
    CreateFolder(dir.File("folder"));
    const struct {
        std::string path;
        std::error_code error;
    } failures[] = {
        {dir.File("missing.bmp"), std::make_error_code(std::errc::no_such_file_or_directory)},
        {dir.File("folder"), std::make_error_code(std::errc::is_a_directory)},
        {dir.File("f5/below"), std::make_error_code(std::errc::not_a_directory)},
        {dir.File(std::string(256, 'n')), std::make_error_code(std::errc::filename_too_long)},
    };
    for (const auto &row : failures) {
        const Failure expected = FileFailure(row.error, "reading", row.path);
        for (const bool whole : {true, false}) {
            try {
                std::uint64_t length = 0;
                whole ? ReadWholeFile(row.path) : ReadFileStart(row.path, 10, length);
                ADD_FAILURE() << row.path << " was read";
            } catch (const Failure &failure) {
                EXPECT_EQ(failure.Number(), expected.Number()) << row.path;
                EXPECT_EQ(failure.Description(), expected.Description());
            }
        }
    }
}

// A replace keeps the permission bits of the file it replaces; a backup copy also keeps its
// original's modification time.
TEST(AtomicWrite, KeepsPermissionsAndTheCopysDate)
{
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 25);
    for (const fs::perms mode :
        {fs::perms(0600), fs::perms(0640), fs::perms(0755), fs::perms(0444)}) {
        TempDir dir;
        const std::string picture = dir.Write("a.bmp", kOld);
        fs::permissions(picture, mode);
        fs::last_write_time(picture, old);

        const std::string backup = dir.File("backup.bmp");
        WriteCopyAtomic(backup, kOld, picture);
        WriteFileAtomic(picture, kNew);

        EXPECT_EQ(ReadBytes(picture), kNew);
        EXPECT_EQ(fs::status(picture).permissions(), mode);
        EXPECT_EQ(fs::status(backup).permissions(), mode);
        EXPECT_EQ(fs::last_write_time(backup), old);
        EXPECT_NE(fs::last_write_time(picture), old);
        EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string> {"a.bmp", "backup.bmp"}));
    }
}

TEST(AtomicWrite, ReplacesWhatALinkPointsToAndKeepsTheLink)
{
    TempDir dir;
    fs::create_directory(dir.File("art"));
    const std::string target = dir.Write("art/real.bmp", kOld);
    const std::string link = dir.File("link.bmp");
    fs::create_symlink("art/real.bmp", link);

    WriteFileAtomic(link, kNew);

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "art/real.bmp");
    EXPECT_EQ(ReadBytes(target), kNew);
    EXPECT_EQ(Entries(dir.File("art")), std::vector<std::string> {"real.bmp"});

    const std::string dangling = dir.File("dangling.bmp");
    fs::create_symlink("art/gone.bmp", dangling);
    EXPECT_EQ(FailureNumberOf([&] { WriteFileAtomic(dangling, kNew); }), kFileNotFound);
    EXPECT_TRUE(fs::is_symlink(dangling));
}

// Through a link the file replaced keeps its own permission bits, not the link's.
TEST(AtomicWrite, ThroughALinkTheTargetKeepsItsPermissions)
{
    for (const fs::perms mode : {fs::perms(0600), fs::perms(0751)}) {
        TempDir dir;
        const std::string target = dir.Write("real.bmp", kOld);
        fs::permissions(target, mode);
        const std::string link = dir.File("link.bmp");
        fs::create_symlink("real.bmp", link);

        WriteFileAtomic(link, kNew);

        EXPECT_EQ(ReadBytes(target), kNew);
        EXPECT_EQ(fs::status(target).permissions(), mode);
    }
}

// Contents of any length arrive whole, replacing or new.
TEST(AtomicWrite, ContentsOfAnyLengthArriveWhole)
{
    for (const std::size_t size : {0UL, 1UL, 4095UL, 4096UL, 5174UL, 300001UL}) {
        SCOPED_TRACE(size);
        TempDir dir;
        std::vector<std::uint8_t> bytes(size);
        for (std::size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
        }
        const std::string replaced = dir.Write("old.bmp", kOld);
        WriteFileAtomic(replaced, bytes);
        WriteFileAtomic(dir.File("new.bmp"), bytes);
        EXPECT_EQ(ReadBytes(replaced), bytes);
        EXPECT_EQ(ReadBytes(dir.File("new.bmp")), bytes);
        EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string> {"new.bmp", "old.bmp"}));
    }
}

TEST(AtomicWrite, NameOfTheLongestLengthWorks)
{
    TempDir dir;
    const std::string name = std::string(251, 'n') + ".bmp"; // 255 bytes, the file system's limit
    const std::string path = dir.Write(name, kOld);
    WriteFileAtomic(path, kNew);
    CopyFileAtomic(path, dir.File(std::string(251, 'c') + ".bmp"));
    EXPECT_EQ(ReadBytes(path), kNew);
    EXPECT_EQ(Entries(dir.Path()).size(), 2U);
    EXPECT_LT(fs::path(TemporaryPathIn(dir.Path())).filename().string().size(), 64U);
}

TEST(TemporaryFiles, OnlyOurNamesAreOurs)
{
    const std::string ours = fs::path(TemporaryPathIn("/x")).filename().string();
    EXPECT_TRUE(IsTemporaryName(ours)) << ours;
    EXPECT_EQ(fs::path(TemporaryPathIn("/x")).parent_path(), "/x");
    for (const std::string name :
        {".quorvantile-12-0123456789abcdef.tmp", ".quorvantile-1-ffffffffffffffff.tmp"}) {
        EXPECT_TRUE(IsTemporaryName(name)) << name;
    }
    for (const std::string name : {".a.bmp.1f2e.tmp",
             "quorvantile-12-0123456789abcdef.tmp",
             ".quorvantile--0123456789abcdef.tmp",
             ".quorvantile-12-0123456789abcdeg.tmp",
             ".quorvantile-12-0123456789abcde.tmp",
             ".quorvantile-x2-0123456789abcdef.tmp",
             ".quorvantile-12-0123456789abcdef.bmp",
             "a.bmp"}) {
        EXPECT_FALSE(IsTemporaryName(name)) << name;
    }
}

// A process number that was in use a moment ago and is free now.
std::int64_t EndedProcess()
{
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    return child;
}

std::string TemporaryName(std::int64_t writer)
{
    return ".quorvantile-" + std::to_string(writer) + "-00000000deadbeef.tmp";
}

TEST(TemporaryFiles, OnlyLeftOnesOfEndedRunsAreRemoved)
{
    const auto runStart = fs::file_time_type::clock::now();
    const auto before = runStart - std::chrono::minutes(5);
    const auto after = runStart + std::chrono::minutes(5);
    const struct {
        std::string name;
        fs::file_time_type written;
        bool removed;
    } rows[] = {
        {TemporaryName(EndedProcess()), before, true},
        {TemporaryName(getpid()), before, true},
        {TemporaryName(EndedProcess()), after, false}, // written during this run
        {TemporaryName(1), before, false}, // a run still going on
        {".a.bmp.1f2e.tmp", before, false}, // not ours
        {"picture.bmp", before, false},
    };
    TempDir dir;
    for (const auto &row : rows) {
        fs::last_write_time(dir.Write(row.name, kOld), row.written);
    }
    EXPECT_EQ(RemoveLeftTemporaryFiles(dir.Path(), runStart), 2);
    for (const auto &row : rows) {
        EXPECT_EQ(fs::exists(dir.File(row.name)), !row.removed) << row.name;
    }
    EXPECT_EQ(RemoveLeftTemporaryFiles(dir.File("missing"), runStart), 0);
}

TEST(Folders, RaceToCreateOneIsWonByBoth)
{
    for (int round = 0; round < 20; ++round) {
        TempDir dir;
        const std::string folder = dir.File("Quorvantile Backup");
        std::vector<std::int32_t> numbers(4, -1);
        {
            std::vector<std::jthread> runs;
            for (std::int32_t &number : numbers) {
                runs.emplace_back([&] { number = FailureNumberOf([&] { EnsureFolder(folder); }); });
            }
        }
        EXPECT_EQ(numbers, std::vector<std::int32_t>(4, 0));
        EXPECT_TRUE(FolderExists(folder));
    }
    TempDir dir;
    const std::string file = dir.Write("Quorvantile Backup", kOld);
    EXPECT_EQ(FailureNumberOf([&] { EnsureFolder(file); }), kPathFileAccessError);
    EXPECT_EQ(FailureNumberOf([&] { EnsureFolder(dir.File("no/such")); }), kPathNotFound);
}

// A new file is written without a name and then named: the bytes whole, nothing else in the
// folder, the usual permission bits, or a copy's original's bits and time. A name that exists,
// a folder or an original that does not, is left to the write by a temporary name.
TEST(AtomicWrite, NewFilesAreNamedWhenWhole)
{
    const mode_t mask = umask(0);
    umask(mask);
    for (const std::size_t size : {std::size_t {0}, std::size_t {5}, std::size_t {1} << 20}) {
        SCOPED_TRACE(size);
        TempDir dir;
        const std::vector<std::uint8_t> bytes(size, 0x5A);
        const std::string file = dir.File("new.bmp");
        if (!WriteNewFileByLink(file, bytes.data(), bytes.size())) {
            GTEST_SKIP() << "no unnamed files on this file system";
        }
        EXPECT_EQ(ReadBytes(file), bytes);
        EXPECT_EQ(Entries(dir.Path()), std::vector<std::string> {"new.bmp"});
        struct stat info {
        };
        ASSERT_EQ(stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);

        EXPECT_FALSE(WriteNewFileByLink(file, kNew.data(), kNew.size()));
        EXPECT_EQ(ReadBytes(file), bytes);
        EXPECT_FALSE(WriteNewFileByLink(dir.File("no/such.bmp"), kNew.data(), kNew.size()));
        EXPECT_EQ(Entries(dir.Path()).size(), 1U);

        // A copy takes its original's bits and time; a missing original is left to the other way.
        const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
        fs::permissions(file, fs::perms(0640));
        fs::last_write_time(file, old);
        const std::string copy = dir.File("copy.bmp");
        ASSERT_TRUE(WriteNewFileByLink(copy, bytes.data(), bytes.size(), file));
        EXPECT_EQ(ReadBytes(copy), bytes);
        EXPECT_EQ(fs::status(copy).permissions(), fs::perms(0640));
        EXPECT_EQ(fs::last_write_time(copy), old);
        EXPECT_FALSE(
            WriteNewFileByLink(dir.File("c2.bmp"), kNew.data(), kNew.size(), dir.File("gone")));
        EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string> {"copy.bmp", "new.bmp"}));
    }
}

// A write that fills the disk says so, leaves the file as it was and no temporary file. The disk
// is a small memory file system mounted where only a child process sees it.
TEST(Folders, FullDiskIsReportedAndLeavesNothing)
{
    TempDir dir;
    const std::string disk = dir.File("disk");
    fs::create_directory(disk);
    const int result = test::RunInChild([&] {
        if (unshare(CLONE_NEWNS) != 0
            || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
            return test::kChildCannotRun;
        }
        const std::string picture = JoinPath(disk, "a.bmp");
        WriteFileAtomic(picture, kOld);
        try {
            WriteFileAtomic(picture, std::vector<std::uint8_t>(1 << 20, 9));
            return 1; // wrote a megabyte onto 64 KiB
        } catch (const Failure &failure) {
            const bool named = failure.Number() == kDiskFull
                && failure.Description() == "Disk full (writing " + picture + ")";
            const bool kept = ReadBytes(picture) == kOld && Entries(disk).size() == 1;
            if (!named || !kept) {
                return 2;
            }
        }
        // A new file too, written without a name first.
        const std::string other = JoinPath(disk, "b.bmp");
        try {
            WriteFileAtomic(other, std::vector<std::uint8_t>(1 << 20, 9));
            return 1;
        } catch (const Failure &failure) {
            const bool named = failure.Number() == kDiskFull
                && failure.Description() == "Disk full (writing " + other + ")";
            return named && Entries(disk).size() == 1 ? 0 : 2;
        }
    });
    if (result == test::kChildCannotRun) {
        GTEST_SKIP() << "no private mount namespace here";
    }
    EXPECT_EQ(result, 0) << "1: no failure, 2: wrong failure or something left";
}

} // namespace
} // namespace qv
