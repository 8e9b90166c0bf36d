// Conversions of pictures as real disks hold them: behind links, and inside huge files.
#include "engine/backup.h"
#include "engine/load_bmp_file.h"
#include "engine/resize_bmp.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/child_process.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace qv {
namespace {

TEST(ResizeBMPOnDisk, LinkedPictureConvertsItsTargetAndKeepsTheLink)
{
    test::GreyPalette grey;
    test::FakeSink sink;
    sink.options = grey.options;
    const test::TempDir &dir = grey.dir;
    fs::create_directory(dir.File("art"));
    fs::create_directory(dir.File("sprites"));
    fs::create_directory(dir.File("sprites/Quorvantile Backup"));
    const std::vector<std::uint8_t> original =
        test::BuildBmp({.width = 8, .height = 8, .bitCount = 24});
    const std::string target = dir.Write("art/torch-final.bmp", original);
    const std::string link = dir.File("sprites/torch.bmp");
    fs::create_symlink("../art/torch-final.bmp", link);

    std::int32_t w = 64;
    std::int32_t h = 64;
    const ResizeResult result = sink.Resize(
        link, w, h, ResizeDestination::ReplaceInput(dir.File("sprites/Quorvantile Backup")));

    EXPECT_EQ(result, ResizeResult::Converted) << sink.dialogs.MessageTexts().front();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "../art/torch-final.bmp");
    const std::vector<std::uint8_t> converted = test::ReadBytes(target);
    ASSERT_EQ(converted.size(), 1078U + 8 * 8);
    EXPECT_EQ(converted[28], 8) << "an 8-bit picture now";
    EXPECT_EQ(test::ReadBytes(dir.File("sprites/Quorvantile Backup/torch.bmp")), original);
    EXPECT_FALSE(fs::exists(dir.File("art/Quorvantile Backup")));
}

// A 2 GiB file (sparse: it takes no disk) read by a process that cannot hold it in memory.
// Only what the header declares is read: a small picture at its start loads, a header that
// claims a huge picture is refused without reading further.
TEST(ResizeBMPOnDisk, HugeFileIsReadOnlyAsFarAsItsHeaderDeclares)
{
    if (test::UnderAddressSanitizer()) {
        GTEST_SKIP() << "an address space limit cannot hold the sanitizer's shadow memory";
    }
    constexpr long long kFileSize = 2LL << 30;
    const struct {
        const char *name;
        std::int32_t width;
        std::int32_t height;
        bool loads;
        std::string message;
    } rows[] = {
        {"small picture", 64, 32, true, ""},
        {"largest picture", 512, 512, true, ""},
        {"huge claim", 40000, 40000, false, "BMP too large: "},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir dir;
        std::vector<std::uint8_t> bytes = test::BuildBmp(
            {.width = std::min(row.width, 512), .height = std::min(row.height, 512)});
        test::PutField(bytes, 18, static_cast<std::uint32_t>(row.width));
        test::PutField(bytes, 22, static_cast<std::uint32_t>(row.height));
        const std::string path = dir.Write("huge.bmp", bytes);
        fs::resize_file(path, kFileSize);
        const int result = test::RunInChild([&] {
            const rlimit memory {512L << 20, 512L << 20};
            if (setrlimit(RLIMIT_AS, &memory) != 0) {
                return test::kChildCannotRun;
            }
            ScriptedDialogService dialogs;
            LoadedImage image;
            const bool loaded = LoadBMPFile(dialogs, 512, path, image);
            const std::vector<std::string> expected = row.loads
                ? std::vector<std::string> {}
                : std::vector<std::string> {row.message + path};
            return loaded == row.loads && dialogs.MessageTexts() == expected ? 0 : 1;
        });
        ASSERT_NE(result, test::kChildCannotRun);
        EXPECT_EQ(result, 0);
    }
}

// Whether two files hold the same bytes, read a piece at a time.
bool SameContent(const std::string &a, const std::string &b)
{
    const int first = open(a.c_str(), O_RDONLY);
    const int second = open(b.c_str(), O_RDONLY);
    std::vector<char> x(1 << 20);
    std::vector<char> y(1 << 20);
    bool same = first >= 0 && second >= 0;
    for (off_t at = 0; same; at += static_cast<off_t>(x.size())) {
        const ssize_t got = pread(first, x.data(), x.size(), at);
        same = got >= 0 && pread(second, y.data(), y.size(), at) == got
            && std::equal(x.begin(), x.begin() + got, y.begin());
        if (got <= 0) {
            break;
        }
    }
    close(first);
    close(second);
    return same;
}

// Bytes written at an offset of a file, the rest of it left a hole.
void WriteAt(const std::string &path, off_t offset, const std::string &bytes)
{
    const int file = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(file, 0);
    ASSERT_EQ(pwrite(file, bytes.data(), bytes.size(), offset), static_cast<ssize_t>(bytes.size()));
    close(file);
}

std::uint64_t DiskBytes(const std::string &path)
{
    struct stat info {
    };
    return stat(path.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_blocks) * 512 : 0;
}

// The backup of a file of any size is a copy of its bytes with its permission bits and date, made
// a piece at a time; the holes of a sparse file stay holes. Backing up the same bytes again makes
// no copy, and a file that differs in one byte deep inside gets a numbered copy.
TEST(ResizeBMPOnDisk, BackupOfALargeFileIsAByteEqualCopy)
{
    constexpr off_t kLarge = off_t {256} << 20;
    const std::string kPattern(3 << 20, 'p');
    const struct {
        const char *name;
        off_t size;
        std::vector<std::pair<off_t, std::string>> data;
        fs::perms mode;
    } rows[] = {
        {"empty", 0, {}, fs::perms(0644)},
        {"3 MiB of bytes", off_t {3} << 20, {{0, kPattern}}, fs::perms(0600)},
        {"256 MiB, data at its start, middle and end",
            kLarge,
            {{0, "BM start"}, {kLarge / 2 + 7, "middle"}, {kLarge - 3, "end"}},
            fs::perms(0640)},
        {"256 MiB, a hole at its end", kLarge, {{0, kPattern}, {kLarge / 4, "x"}}, fs::perms(0755)},
    };
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 3);
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir pictures;
        const std::string input = pictures.File("large.bmp");
        WriteAt(input, 0, "");
        for (const auto &[offset, bytes] : row.data) {
            WriteAt(input, offset, bytes);
        }
        fs::resize_file(input, static_cast<std::uintmax_t>(row.size));
        fs::permissions(input, row.mode);
        fs::last_write_time(input, old);
        const std::string folder = pictures.File("Quorvantile Backup");
        fs::create_directory(folder);

        const std::string backup = MakeBackupCopy(input, folder);

        EXPECT_EQ(backup, folder + "/large.bmp");
        EXPECT_EQ(fs::file_size(backup), static_cast<std::uintmax_t>(row.size));
        EXPECT_TRUE(SameContent(input, backup));
        EXPECT_EQ(fs::status(backup).permissions(), row.mode);
        EXPECT_EQ(fs::last_write_time(backup), old);
        EXPECT_LE(DiskBytes(backup), DiskBytes(input) + (1 << 20)) << "holes stay holes";

        EXPECT_EQ(MakeBackupCopy(input, folder), backup);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
        if (row.size > 0) {
            WriteAt(input, row.size / 2, "!");
            EXPECT_EQ(MakeBackupCopy(input, folder), folder + "/large (2).bmp");
            EXPECT_TRUE(SameContent(input, folder + "/large (2).bmp"));
            EXPECT_FALSE(SameContent(backup, folder + "/large (2).bmp"));
        }
    }
}

} // namespace
} // namespace qv
