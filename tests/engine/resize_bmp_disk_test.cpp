// Conversions of pictures as real disks hold them: behind links, and inside huge files.
#include "engine/load_bmp_file.h"
#include "engine/resize_bmp.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/child_process.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <cstdio>
#include <filesystem>
#include <sys/resource.h>
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

} // namespace
} // namespace qv
