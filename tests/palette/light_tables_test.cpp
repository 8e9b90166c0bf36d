#include "palette/light_tables.h"
#include "palette/light_view.h"
#include "platform/failure.h"
#include "tests/support/temp_dir.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

// count generated light tables, every one different: table t maps index i to (i * 7 + t * 13) %
// 256.
std::vector<std::uint8_t> TableBytes(std::size_t count)
{
    std::vector<std::uint8_t> bytes(count * 256);
    for (std::size_t t = 0; t < count; ++t) {
        for (std::size_t i = 0; i < 256; ++i) {
            bytes[t * 256 + i] = static_cast<std::uint8_t>((i * 7 + t * 13) % 256);
        }
    }
    return bytes;
}

void PutLe(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint32_t value, int size)
{
    for (int k = 0; k < size; ++k) {
        bytes[at + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(value >> (8 * k));
    }
}

// A WAD holding the lumps given in order (name, bytes); sizeOverride changes one entry's size.
std::vector<std::uint8_t> Wad(
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> &lumps,
    std::optional<std::uint32_t> lastSize = std::nullopt)
{
    std::vector<std::uint8_t> bytes(12);
    std::memcpy(bytes.data(), "PWAD", 4);
    std::vector<std::uint32_t> offsets;
    for (const auto &lump : lumps) {
        offsets.push_back(static_cast<std::uint32_t>(bytes.size()));
        bytes.insert(bytes.end(), lump.second.begin(), lump.second.end());
    }
    PutLe(bytes, 4, static_cast<std::uint32_t>(lumps.size()), 4);
    PutLe(bytes, 8, static_cast<std::uint32_t>(bytes.size()), 4);
    for (std::size_t k = 0; k < lumps.size(); ++k) {
        std::vector<std::uint8_t> entry(16, 0);
        PutLe(entry, 0, offsets[k], 4);
        const bool last = k + 1 == lumps.size();
        PutLe(entry,
            4,
            last && lastSize ? *lastSize : static_cast<std::uint32_t>(lumps[k].second.size()),
            4);
        std::memcpy(entry.data() + 8, lumps[k].first.data(), lumps[k].first.size());
        bytes.insert(bytes.end(), entry.begin(), entry.end());
    }
    return bytes;
}

// A Build PALETTE.DAT: 6-bit colours, the shade count, the shade tables, then translucency.
std::vector<std::uint8_t> PaletteDat(
    std::uint16_t shades, std::size_t tablesStored, bool translucency)
{
    std::vector<std::uint8_t> bytes(768, 21);
    bytes.push_back(static_cast<std::uint8_t>(shades & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(shades >> 8));
    const std::vector<std::uint8_t> tables = TableBytes(tablesStored);
    bytes.insert(bytes.end(), tables.begin(), tables.end());
    if (translucency) {
        bytes.insert(bytes.end(), 65536, 0);
    }
    return bytes;
}

std::vector<std::uint8_t> Flattened(const LightTables &tables)
{
    std::vector<std::uint8_t> bytes;
    for (const LightTable &table : tables.levels) {
        bytes.insert(bytes.end(), table.begin(), table.end());
    }
    return bytes;
}

TEST(LightTables, ReadsEachKindOfColourMapFile)
{
    const std::vector<std::uint8_t> filler(100, 0xAB);
    const struct {
        const char *name;
        const char *file;
        std::vector<std::uint8_t> bytes;
        std::size_t tables;
        const char *format;
    } rows[] = {
        {"COLORMAP in a WAD, the last one wins",
            "doom.wad",
            Wad({{"COLORMAP", std::vector<std::uint8_t>(34 * 256, 9)},
                {"PLAYPAL", filler},
                {"colormap", TableBytes(34)}}),
            34,
            "Doom PWAD, COLORMAP lump 3 of 3, 34 tables"},
        {"a lump of 32 tables",
            "COLORMAP.lmp",
            TableBytes(32),
            32,
            "Doom COLORMAP lump, 32 tables"},
        {"tables past 34 are not read",
            "COLORMAP.lmp",
            TableBytes(40),
            34,
            "Doom COLORMAP lump, 34 tables"},
        {"PALETTE.DAT with translucency",
            "PALETTE.DAT",
            PaletteDat(32, 32, true),
            32,
            "Build engine PALETTE.DAT, 32 shade tables"},
        {"PALETTE.DAT by its name alone",
            "palette.dat",
            PaletteDat(3, 3, false),
            3,
            "Build engine PALETTE.DAT, 3 shade tables"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir dir;
        const std::string path = dir.Write(row.file, row.bytes);

        const LightTables tables = ReadLightTables(path);

        EXPECT_EQ(tables.Count(), row.tables);
        EXPECT_EQ(tables.format, row.format);
        EXPECT_EQ(Flattened(tables), TableBytes(row.tables));
    }
}

TEST(LightTables, RefusesWhatHoldsNoColourMapSayingWhy)
{
    const struct {
        const char *name;
        const char *file; // empty: the folder itself
        std::vector<std::uint8_t> bytes;
        std::int32_t number;
        const char *reason;
    } rows[] = {
        {"WAD without COLORMAP",
            "a.wad",
            Wad({{"PLAYPAL", TableBytes(3)}}),
            kUnknownFileFormat,
            "Doom PWAD: it has no COLORMAP lump"},
        {"COLORMAP lump too short",
            "a.wad",
            Wad({{"COLORMAP", TableBytes(31)}}),
            kUnknownFileFormat,
            "its COLORMAP is 7936 bytes long, less than the 32 light tables"},
        {"COLORMAP lump past the end",
            "a.wad",
            Wad({{"COLORMAP", TableBytes(32)}}, 34 * 256),
            kUnknownFileFormat,
            "its COLORMAP lump runs past the end of the file"},
        {"PALETTE.DAT without shade tables",
            "PALETTE.DAT",
            PaletteDat(0, 0, false),
            kUnknownFileFormat,
            "it has no shade tables"},
        {"PALETTE.DAT of colours alone",
            "PALETTE.DAT",
            std::vector<std::uint8_t>(768, 1),
            kUnknownFileFormat,
            "it ends after 768 bytes, before the count of its shade tables"},
        {"PALETTE.DAT ending inside its tables",
            "PALETTE.DAT",
            PaletteDat(32, 10, false),
            kInputPastEnd,
            "the Build engine PALETTE.DAT ends after 3330 of 8962 bytes"},
        {"a file too short for a lump",
            "COLORMAP.lmp",
            TableBytes(20),
            kUnknownFileFormat,
            "this file is 5120 bytes long"},
        {"a folder", "", {}, kPathFileAccessError, "is a folder"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir dir;
        const std::string path =
            std::string(row.file).empty() ? dir.Path() : dir.Write(row.file, row.bytes);
        const bool folder = std::string(row.file).empty();
        const auto before = folder ? std::vector<std::uint8_t> {} : test::ReadBytes(path);
        try {
            ReadLightTables(path);
            ADD_FAILURE() << "taken";
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.Number(), row.number);
            EXPECT_NE(failure.Description().find("colour map file " + path), std::string::npos)
                << failure.Description();
            EXPECT_NE(failure.Description().find(row.reason), std::string::npos)
                << failure.Description();
        }
        if (!folder) {
            EXPECT_EQ(test::ReadBytes(path), before);
        } else {
            EXPECT_TRUE(std::filesystem::is_empty(path));
        }
    }
}

// A picture of every index, then a few of them again, with row padding of index 0.
std::vector<std::uint8_t> Indices()
{
    std::vector<std::uint8_t> indices(260);
    for (std::size_t p = 0; p < indices.size(); ++p) {
        indices[p] = static_cast<std::uint8_t>((p * 37) % 256);
    }
    return indices;
}

TEST(LightView, EachPixelIsTheTableEntryOfItsIndexAtThatLevel)
{
    LightTables tables;
    const std::vector<std::uint8_t> bytes = TableBytes(34);
    tables.levels.resize(34);
    for (std::size_t t = 0; t < 34; ++t) {
        std::memcpy(tables.levels[t].data(), bytes.data() + t * 256, 256);
    }
    const std::vector<std::uint8_t> in = Indices();
    const struct {
        std::size_t level;
        std::optional<std::uint8_t> transparent;
    } rows[] = {{0, std::nullopt}, {17, std::nullopt}, {33, std::nullopt}, {5, 255}, {31, 0}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.level);
        const std::vector<std::uint8_t> out = LightView(tables, row.level, in, row.transparent);
        ASSERT_EQ(out.size(), in.size());
        for (std::size_t p = 0; p < in.size(); ++p) {
            const std::size_t i = in[p];
            const auto expected = row.transparent && i == *row.transparent
                ? static_cast<std::uint8_t>(i)
                : static_cast<std::uint8_t>((i * 7 + row.level * 13) % 256);
            ASSERT_EQ(out[p], expected) << "pixel " << p;
        }
    }
    EXPECT_THROW(LightView(tables, 34, in, std::nullopt), Failure);
}

// The last COLORMAP lump of a WAD, found by walking its directory here.
std::vector<std::uint8_t> ColormapByHand(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    char header[12] = {};
    file.read(header, 12);
    std::int32_t lumps = 0;
    std::int32_t directory = 0;
    std::memcpy(&lumps, header + 4, 4);
    std::memcpy(&directory, header + 8, 4);
    std::int32_t offset = -1;
    std::int32_t size = 0;
    file.seekg(directory);
    for (std::int32_t i = 0; i < lumps; ++i) {
        char entry[16] = {};
        file.read(entry, 16);
        if (std::string(entry + 8, strnlen(entry + 8, 8)) == "COLORMAP") {
            std::memcpy(&offset, entry, 4);
            std::memcpy(&size, entry + 4, 4);
        }
    }
    std::vector<std::uint8_t> lump(static_cast<std::size_t>(size));
    file.seekg(offset);
    file.read(reinterpret_cast<char *>(lump.data()), size);
    return file ? lump : std::vector<std::uint8_t> {};
}

// Debian's freedoom WADs, which no one here wrote: each light level of the view is the lump's
// table, looked up byte by byte here.
TEST(LightView, FreedoomColormapLightsAsTheLumpSays)
{
    for (const char *path :
        {"/usr/share/games/doom/freedoom1.wad", "/usr/share/games/doom/freedoom2.wad"}) {
        SCOPED_TRACE(path);
        if (!std::filesystem::exists(path)) {
            GTEST_SKIP() << path << " is missing: install Debian's freedoom package";
        }
        const std::vector<std::uint8_t> lump = ColormapByHand(path);
        ASSERT_GE(lump.size(), 34U * 256U);

        const LightTables tables = ReadLightTables(path);

        ASSERT_EQ(tables.Count(), 34U);
        const std::vector<std::uint8_t> in = Indices();
        for (const std::size_t level : {0U, 8U, 16U, 31U, 32U}) {
            const std::vector<std::uint8_t> out = LightView(tables, level, in, std::uint8_t {247});
            for (std::size_t p = 0; p < in.size(); ++p) {
                const std::uint8_t expected = in[p] == 247 ? 247 : lump[level * 256 + in[p]];
                ASSERT_EQ(out[p], expected) << "level " << level << ", pixel " << p;
            }
        }
    }
}

} // namespace
} // namespace qv
