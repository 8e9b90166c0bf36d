#include "platform/file_reader.h"
#include "platform/memory_source.h"
#include "tests/support/temp_dir.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

// count bytes counting up from first.
std::vector<std::uint8_t> Counting(std::uint8_t first, std::size_t count)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < count; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(first + i));
    }
    return bytes;
}

// A file and the same bytes in memory give the same parts: as many as asked for where the bytes
// reach, fewer where they end, none beyond.
TEST(ByteSources, GiveThePartAskedForAndNothingBeyondTheEnd)
{
    const std::vector<std::uint8_t> bytes = Counting(10, 100);
    struct Row {
        std::uint64_t offset;
        std::size_t count;
        std::vector<std::uint8_t> expected;
    };
    const Row rows[] = {
        {0, 4, Counting(10, 4)},
        {96, 4, Counting(106, 4)},
        {98, 4, Counting(108, 2)},
        {100, 4, {}},
        {1000, 4, {}},
        {UINT64_MAX, 4, {}},
        {5, 0, {}},
        {0, SIZE_MAX, bytes}, // the count asked for never sizes the answer
    };
    const test::TempDir dir;
    const std::string path = dir.Write("bytes", bytes);
    FileReader file(path);
    MemorySource memory(bytes);
    for (ByteSource *source :
        {static_cast<ByteSource *>(&file), static_cast<ByteSource *>(&memory)}) {
        EXPECT_EQ(source->Length(), 100U);
        for (const Row &row : rows) {
            SCOPED_TRACE(std::to_string(row.offset) + " " + std::to_string(row.count));
            EXPECT_EQ(source->ReadAt(row.offset, row.count), row.expected);
        }
    }
}

// What a path is, as a reader finds it when it opens it.
TEST(FileReader, TellsWhatThePathIsAndWhyItDidNotOpen)
{
    struct Row {
        const char *name;
        OpenedKind kind;
        bool missing;
        std::uint64_t length;
    };
    const Row rows[] = {
        {"file", OpenedKind::OrdinaryFile, false, 3},
        {"empty", OpenedKind::OrdinaryFile, false, 0},
        {"folder", OpenedKind::Folder, false, 0},
        {"gone", OpenedKind::NotOpened, true, 0},
    };
    const test::TempDir dir;
    dir.Write("file", std::string("abc"));
    dir.Write("empty", std::string());
    std::filesystem::create_directory(dir.File("folder"));
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        FileReader reader(dir.File(row.name));
        EXPECT_EQ(reader.Kind(), row.kind);
        EXPECT_EQ(reader.OpenError() == std::errc::no_such_file_or_directory, row.missing);
        EXPECT_EQ(static_cast<bool>(reader.OpenError()), row.missing);
        EXPECT_EQ(reader.Length(), row.length);
        EXPECT_EQ(reader.ReadAt(0, 10).size(), row.length);
    }
}

} // namespace
} // namespace qv
