#include "platform/failure.h"
#include "platform/files.h"
#include "platform/open_file.h"
#include "platform/utf8_path.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Bytes(const std::string &text)
{
    return {text.begin(), text.end()};
}

// Every name in the folder, hidden ones (a temporary file left behind) included.
std::vector<std::string> AllNames(const std::string &folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry &entry : fs::directory_iterator(Utf8Path(folder))) {
        names.push_back(Utf8Text(entry.path().filename()));
    }
    return names;
}

// Names outside ASCII, in folders outside ASCII: Latin with accents, Cyrillic, CJK, and a
// character beyond 16 bits (two UTF-16 units on Windows).
TEST(FileNames, NamesOutsideAsciiAreWrittenListedReadAndReplaced)
{
    struct Case {
        const char *folder;
        const char *name;
    };
    for (const Case &c : {Case {"plain", "Ünïcödé.bmp"},
             Case {"спрайты", "спрайт.BMP"},
             Case {"日本", "日本語 file.bmp"},
             Case {"🎮 games", "🎮.bmp"}}) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string folder = JoinPath(dir.Path(), c.folder);
        CreateFolder(folder);
        ASSERT_TRUE(FolderExists(folder));
        const std::string path = JoinPath(folder, c.name);

        WriteFileAtomic(path, Bytes("first"));
        EXPECT_TRUE(FileExists(path));
        EXPECT_EQ(FileLength(path), 5U);
        EXPECT_EQ(ListFiles(folder, "*.bmp"), std::vector<std::string> {c.name});
        EXPECT_EQ(ReadWholeFile(path), Bytes("first"));

        WriteFileAtomic(path, Bytes("second, longer"));
        EXPECT_EQ(ReadWholeFile(path), Bytes("second, longer"));
        EXPECT_EQ(AllNames(folder), std::vector<std::string> {c.name});

        const std::string copy = JoinPath(folder, std::string("copy of ") + c.name);
        CopyFileAtomic(path, copy);
        EXPECT_EQ(ReadWholeFile(copy), Bytes("second, longer"));
        DeleteFile(path);
        EXPECT_FALSE(PathExists(path));
        EXPECT_EQ(ListFiles(folder, "*.bmp"),
            std::vector<std::string> {"copy of " + std::string(c.name)});
    }
}

// A file another program has open: POSIX renames over it at once; Windows refuses while it is
// open, so the replace waits a little for it and otherwise fails naming the file, keeping the
// old bytes and leaving no temporary file.
TEST(FileNames, ReplacingAFileThatIsOpenElsewhere)
{
    struct Case {
        const char *name;
        int closedAfterMs; // -1: kept open until the write has given up
        bool replaced;
    };
#ifdef _WIN32
    constexpr bool kReplacesOpenFiles = false;
#else
    constexpr bool kReplacesOpenFiles = true;
#endif
    for (const Case &c : {Case {"closed at once", 0, true},
             Case {"closed a moment later", 150, true},
             Case {"kept open", -1, kReplacesOpenFiles}}) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string path = JoinPath(dir.Path(), "Ünï held.bmp");
        WriteFileAtomic(path, Bytes("old"));
        std::FILE *holder = OpenFile(path, "rb");
        ASSERT_NE(holder, nullptr);
        std::thread closer;
        if (c.closedAfterMs == 0) {
            std::fclose(holder);
        } else if (c.closedAfterMs > 0) {
            closer = std::thread([holder, ms = c.closedAfterMs] {
                std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                std::fclose(holder);
            });
        }

        std::string problem;
        std::int32_t number = 0;
        try {
            WriteFileAtomic(path, Bytes("new"));
        } catch (const Failure &failure) {
            number = failure.Number();
            problem = failure.Description();
        }
        if (closer.joinable()) {
            closer.join();
        } else if (c.closedAfterMs < 0) {
            std::fclose(holder);
        }

        if (c.replaced) {
            EXPECT_EQ(number, 0) << problem;
            EXPECT_EQ(ReadWholeFile(path), Bytes("new"));
        } else {
            EXPECT_EQ(number, kPermissionDenied);
            EXPECT_NE(problem.find(NativePath(path)), std::string::npos) << problem;
            EXPECT_EQ(ReadWholeFile(path), Bytes("old"));
        }
        EXPECT_EQ(AllNames(dir.Path()), std::vector<std::string> {"Ünï held.bmp"});
    }
}

} // namespace
} // namespace qv
