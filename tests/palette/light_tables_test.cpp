#include "palette/light_tables.h"
#include "palette/light_view.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "tests/palette/palette_file_bytes.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

// count generated light tables, every one different: table t maps i to (i * 7 + t * 13) % 256.
std::vector<std::uint8_t> TableBytes(std::size_t count)
{
    std::vector<std::uint8_t> bytes(count * 256);
    for (std::size_t b = 0; b < bytes.size(); ++b) {
        bytes[b] = static_cast<std::uint8_t>((b % 256 * 7 + b / 256 * 13) % 256);
    }
    return bytes;
}

// A Build PALETTE.DAT: 6-bit colours, the shade count, the tables stored, maybe translucency.
std::vector<std::uint8_t> PaletteDat(std::uint16_t shades, std::size_t stored, bool translucency)
{
    std::vector<std::uint8_t> bytes(768, 21);
    test::PutLe(bytes, shades, 2);
    const std::vector<std::uint8_t> tables = TableBytes(stored);
    bytes.insert(bytes.end(), tables.begin(), tables.end());
    bytes.resize(bytes.size() + (translucency ? 65536 : 0));
    return bytes;
}

TEST(LightTables, ReadsEachKindOfColourMapFile)
{
    const struct {
        const char *file;
        std::vector<std::uint8_t> bytes;
        std::size_t tables;
        const char *format;
    } rows[] = {
        {"doom.wad", // the last COLORMAP wins, its tables past 34 not read
            test::WadBytes("PWAD",
                {{"COLORMAP", std::vector<std::uint8_t>(34 * 256, 9)},
                    {"PLAYPAL", {1}},
                    {"colormap", TableBytes(40)}}),
            34,
            "Doom PWAD, COLORMAP lump 3 of 3, 34 tables"},
        {"COLORMAP.lmp", TableBytes(32), 32, "Doom COLORMAP lump, 32 tables"},
        {"PALETTE.DAT", PaletteDat(32, 32, true), 32, "Build engine PALETTE.DAT, 32 shade tables"},
        {"palette.dat", PaletteDat(3, 3, false), 3, "Build engine PALETTE.DAT, 3 shade tables"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.format);
        test::TempDir dir;

        const LightTables tables = ReadLightTables(dir.Write(row.file, row.bytes));

        EXPECT_EQ(tables.format, row.format);
        std::vector<std::uint8_t> read;
        for (const LightTable &table : tables.levels) {
            read.insert(read.end(), table.begin(), table.end());
        }
        EXPECT_EQ(read, TableBytes(row.tables));
    }
}

TEST(LightTables, RefusesWhatHoldsNoColourMapSayingWhy)
{
    std::vector<std::uint8_t> pastEnd = test::WadBytes("PWAD", {{"COLORMAP", TableBytes(32)}});
    test::PutField(pastEnd, 12 + 32 * 256 + 4, 34 * 256); // the size in its directory entry
    const struct {
        const char *file; // empty: the folder itself
        std::vector<std::uint8_t> bytes;
        std::int32_t number;
        const char *reason;
    } rows[] = {
        {"a.wad",
            test::WadBytes("PWAD", {{"PLAYPAL", TableBytes(3)}}),
            kUnknownFileFormat,
            "Doom PWAD: it has no COLORMAP lump"},
        {"a.wad", pastEnd, kUnknownFileFormat, "its COLORMAP lump runs past the end of the file"},
        {"PALETTE.DAT",
            PaletteDat(32, 10, false),
            kInputPastEnd,
            "the Build engine PALETTE.DAT ends after 3330 of 8962 bytes"},
        {"COLORMAP.lmp", TableBytes(20), kUnknownFileFormat, "this file is 5120 bytes long"},
        {"", {}, kPathFileAccessError, "is a folder"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.reason);
        test::TempDir dir;
        const bool folder = std::string(row.file).empty();
        const std::string path = folder ? dir.Path() : dir.Write(row.file, row.bytes);
        std::int32_t number = 0;
        std::string why;
        try {
            ReadLightTables(path);
        } catch (const Failure &failure) {
            number = failure.Number();
            why = failure.Description();
        }
        EXPECT_EQ(number, row.number);
        EXPECT_TRUE(why.find("colour map file " + NativePath(path)) != std::string::npos
            && why.find(row.reason) != std::string::npos)
            << why;
        EXPECT_TRUE(folder ? std::filesystem::is_empty(path) : test::ReadBytes(path) == row.bytes);
    }
}

// The last COLORMAP lump of a WAD, found by walking its directory here.
std::vector<std::uint8_t> ColormapByHand(const std::vector<std::uint8_t> &wad)
{
    const auto at = [&wad](std::size_t p) {
        return std::size_t {wad.at(p)} | std::size_t {wad.at(p + 1)} << 8
            | std::size_t {wad.at(p + 2)} << 16 | std::size_t {wad.at(p + 3)} << 24;
    };
    std::vector<std::uint8_t> lump;
    for (std::size_t entry = at(8); entry < at(8) + 16 * at(4); entry += 16) {
        if (std::string(wad.begin() + entry + 8, wad.begin() + entry + 16) == "COLORMAP") {
            lump.assign(wad.begin() + at(entry), wad.begin() + at(entry) + at(entry + 4));
        }
    }
    return lump;
}

// Each index becomes its entry in the level's table, the transparent index stays: on tables made
// here, then on Debian's freedoom WADs, which no one here wrote, against their lump read here.
TEST(LightView, EachIndexIsItsTableEntryAtTheLevel)
{
    LightTables made;
    made.levels.resize(2);
    std::iota(made.levels[1].rbegin(), made.levels[1].rend(), std::uint8_t {0}); // 255 - i
    EXPECT_EQ(
        LightView(made, 1, {0, 7, 3}, std::uint8_t {7}), (std::vector<std::uint8_t> {255, 7, 252}));
    EXPECT_THROW(LightView(made, 2, {0}, std::nullopt), Failure);

    std::vector<std::uint8_t> every(256);
    std::iota(every.begin(), every.end(), std::uint8_t {0});
    for (const char *path :
        {"/usr/share/games/doom/freedoom1.wad", "/usr/share/games/doom/freedoom2.wad"}) {
        SCOPED_TRACE(path);
        if (!std::filesystem::exists(path)) {
            GTEST_SKIP() << path << " is missing: install Debian's freedoom package";
        }
        const std::vector<std::uint8_t> lump = ColormapByHand(test::ReadBytes(path));
        ASSERT_GE(lump.size(), 34U * 256U);

        const LightTables tables = ReadLightTables(path);

        ASSERT_EQ(tables.Count(), 34U);
        for (std::size_t level = 0; level < 34; ++level) {
            std::vector<std::uint8_t> expected(
                lump.begin() + level * 256, lump.begin() + level * 256 + 256);
            expected[247] = 247;
            EXPECT_EQ(LightView(tables, level, every, std::uint8_t {247}), expected) << level;
        }
    }
}

} // namespace
} // namespace qv
