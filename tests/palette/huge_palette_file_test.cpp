#include "palette/jasc_pal.h"
#include "palette/load_palette_data.h"
#include "palette/palette_store.h"
#include "platform/failure.h"
#include "platform/file_reader.h"
#include "platform/files.h"
#include "platform/scripted_dialog_service.h"
#include "tests/palette/palette_file_bytes.h"
#include "tests/palette/palette_test_data.h"
#include "tests/support/temp_dir.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

// 4 GiB: more than a 32-bit length can hold, and more memory than a test may take.
constexpr std::uint64_t kHugeLength = std::uint64_t {4} << 30;

// Counts the bytes a format takes from a source, to see how much of a file it read.
class CountingSource : public ByteSource
{
public:
    explicit CountingSource(ByteSource &inner)
        : inner_(inner)
    { }
    std::uint64_t Length() const override { return inner_.Length(); }
    std::vector<std::uint8_t> ReadAt(std::uint64_t offset, std::size_t count) override
    {
        std::vector<std::uint8_t> bytes = inner_.ReadAt(offset, count);
        taken += bytes.size();
        return bytes;
    }
    std::uint64_t taken = 0;

private:
    ByteSource &inner_;
};

// A palette file of 4 GiB whose first bytes are start and whose rest is a hole (no disk used):
// each format reads no more of it than it can need, and the answer comes as for a small file.
TEST(HugePaletteFile, IsAnsweredFromItsFirstBytesAlone)
{
    const RawPalette palette = test::DistinctPalette();
    const std::string jasc = test::JascText(test::EntryLines(palette));
    struct Row {
        const char *name;
        std::vector<std::uint8_t> start;
        std::uint64_t mostTaken;
        std::optional<RawPalette> loads;
        std::string shown; // what LoadPaletteDataFromFile shows, "" for nothing
    };
    const std::string tooLong = "Error in LoadPaletteDataFromFile\r\nError #9999\r\nUnknown file "
                                "format: palette file @: the first 1048576 bytes of this "
                                "4294967296-byte file hold no whole JASC palette";
    std::vector<std::uint8_t> wave = test::RiffBytes(palette);
    std::copy_n("WAVE", 4, wave.begin() + 8);
    const std::string notPalette = "Error in LoadPaletteDataFromFile\r\nError #9999\r\nUnknown "
                                   "file format: palette file @: a RIFF file of the form "
                                   "\"WAVE\" is not a palette";
    const Row rows[] = {
        {"nothing but a hole", {}, 4, std::nullopt, "Unknown palette file format!"},
        {"a whole JASC palette first", test::Bytes(jasc), 4 + kLargestJascRead, palette, ""},
        {"JASC and then a hole",
            test::Bytes("JASC-PAL\r\n"),
            4 + kLargestJascRead,
            std::nullopt,
            tooLong},
        {"RIFF and then a hole", test::RiffBytes(palette), 4 + 12 + 8 + 4 + 1024, palette, ""},
        {"RIFF WAVE and then a hole", wave, 4 + 12, std::nullopt, notPalette},
        {"a WAD and then a hole",
            test::WadBytes(
                "IWAD", {{"PLAYPAL", std::vector<std::uint8_t>(palette.begin(), palette.end())}}),
            4 + 12 + 16 + 768,
            palette,
            ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir dir;
        const std::string path = dir.Write("huge.pal", row.start);
        std::filesystem::resize_file(path, kHugeLength);

        FileReader file(path);
        CountingSource counted(file);
        std::optional<RawPalette> parsed;
        try {
            parsed = ParsePaletteFile(counted, "huge");
        } catch (const Failure &) { }
        ScriptedDialogService dialogs;
        PaletteStore store;
        const bool loaded = LoadPaletteDataFromFile(dialogs, store, path, "");

        EXPECT_LE(counted.taken, row.mostTaken);
        EXPECT_EQ(parsed, row.loads);
        EXPECT_EQ(loaded, row.loads.has_value());
        std::string shown = row.shown;
        if (const std::size_t at = shown.find('@'); at != std::string::npos) {
            shown.replace(at, 1, NativePath(path));
        }
        EXPECT_EQ(dialogs.MessageTexts(),
            shown.empty() ? std::vector<std::string> {} : std::vector<std::string> {shown});
        EXPECT_EQ(std::filesystem::file_size(path), kHugeLength);
        std::uint64_t length = 0;
        EXPECT_EQ(ReadFileStart(path, row.start.size(), length), row.start);
    }
}

} // namespace
} // namespace qv
