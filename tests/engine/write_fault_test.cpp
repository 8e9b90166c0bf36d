// A batch in which writing fails part-way must lose nothing: every input is either untouched or
// fully converted, and every converted input has its original in the backup folder. The failure is
// a real one: the batch runs in a child process whose file size limit (RLIMIT_FSIZE) makes every
// write of more than a few kilobytes fail, as a full disk would.
#include "engine/mod_add_bmp_header.h"
#include "engine/resize_bmp.h"
#include "platform/files.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <csignal>
#include <filesystem>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr rlim_t kWriteLimit = 2000; // bytes one file may grow to in the child

struct Picture {
    std::string name;
    test::BmpLayout layout;
    bool convertible; // its backup and its output both fit under the limit
};

std::vector<Picture> Pictures()
{
    return {
        // 1334-byte input and output: converted.
        {"a.bmp", {.width = 16, .height = 16, .bitCount = 8}, true},
        // A 16-colour table keeps the input at 1718 bytes (backup fits), but the output with its
        // full table is 2678 bytes: the write fails after the backup was made.
        {"b.bmp", {.width = 40, .height = 40, .bitCount = 8, .colorsUsed = 16, .seed = 2}, false},
        // 2814 bytes: the backup itself cannot be written, so the input must not be touched.
        {"c.bmp", {.width = 30, .height = 30, .bitCount = 24, .seed = 3}, false},
        // 374-byte input, 1198-byte output: converted.
        {"d.bmp", {.width = 10, .height = 10, .bitCount = 24, .seed = 4}, true},
    };
}

void ConvertAll(const std::string &folder, const std::string &backup, const std::string &outputDir)
{
    test::FakeSink host;
    for (const Picture &p : Pictures()) {
        std::int32_t w = 64;
        std::int32_t h = 64;
        host.Resize(JoinPath(folder, p.name),
            w,
            h,
            outputDir.empty() ? ResizeDestination::ReplaceInput(backup)
                              : ResizeDestination::OutputFile(JoinPath(outputDir, p.name)));
    }
}

TEST(WriteFault, BatchThatFailsPartWayLosesNothing)
{
    test::TempDir folder;
    test::TempDir expected; // what an unhindered conversion writes
    const std::string backup = folder.File("Quorvantile Backup");
    CreateFolder(backup);
    std::map<std::string, std::vector<std::uint8_t>> originals;
    for (const Picture &p : Pictures()) {
        originals[p.name] = test::BuildBmp(p.layout);
        folder.Write(p.name, originals[p.name]);
    }
    ConvertAll(folder.Path(), "", expected.Path());
    for (const Picture &p : Pictures()) {
        const std::size_t output = test::ReadBytes(expected.File(p.name)).size();
        ASSERT_GT(output, 0U) << p.name;
        const bool fits = originals[p.name].size() <= kWriteLimit && output <= kWriteLimit;
        ASSERT_EQ(p.convertible, fits) << p.name;
    }

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
        const rlimit limit {kWriteLimit, kWriteLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        ConvertAll(folder.Path(), backup, "");
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    for (const Picture &p : Pictures()) {
        const std::vector<std::uint8_t> now = test::ReadBytes(folder.File(p.name));
        const std::vector<std::uint8_t> converted = test::ReadBytes(expected.File(p.name));
        if (p.convertible) {
            EXPECT_EQ(now, converted) << p.name << " should be fully converted";
            EXPECT_EQ(test::ReadBytes(JoinPath(backup, p.name)), originals[p.name]) << p.name;
        } else {
            EXPECT_EQ(now, originals[p.name]) << p.name << " should be untouched";
            // Where the backup fitted, it was made before the write failed.
            const bool backupFits = originals[p.name].size() <= kWriteLimit;
            EXPECT_EQ(FileExists(JoinPath(backup, p.name)), backupFits) << p.name;
        }
    }
    // Nothing half-written is left behind: every file in the folders is a whole picture.
    for (const std::string &dir : {folder.Path(), backup}) {
        for (const auto &entry : std::filesystem::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            EXPECT_NE(name.front(), '.') << "temporary file left: " << name;
            if (entry.is_regular_file()) {
                const std::vector<std::uint8_t> bytes = test::ReadBytes(entry.path().string());
                const bool original = bytes == originals[name];
                const bool result = bytes == test::ReadBytes(expected.File(name));
                EXPECT_TRUE(original || result) << dir << "/" << name;
            }
        }
    }
}

} // namespace
} // namespace qv
