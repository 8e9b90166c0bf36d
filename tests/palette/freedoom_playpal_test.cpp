#include "palette/load_palette_data.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

// The 768 bytes of the last PLAYPAL lump of a WAD, found by walking its directory here.
std::vector<std::uint8_t> PlaypalByHand(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    std::array<char, 12> header {};
    file.read(header.data(), header.size());
    std::int32_t lumps = 0;
    std::int32_t directory = 0;
    std::memcpy(&lumps, header.data() + 4, 4);
    std::memcpy(&directory, header.data() + 8, 4);
    std::int32_t offset = -1;
    file.seekg(directory);
    for (std::int32_t i = 0; i < lumps; ++i) {
        std::array<char, 16> entry {};
        file.read(entry.data(), entry.size());
        if (std::string(entry.data() + 8, strnlen(entry.data() + 8, 8)) == "PLAYPAL") {
            std::memcpy(&offset, entry.data(), 4);
        }
    }
    std::vector<std::uint8_t> lump(768);
    file.seekg(offset);
    file.read(reinterpret_cast<char *>(lump.data()), static_cast<std::streamsize>(lump.size()));
    return file ? lump : std::vector<std::uint8_t> {};
}

// Real WADs no one here wrote (Debian's freedoom package): their PLAYPAL loads as a direct read
// of the lump gives it.
TEST(FreedoomPlaypal, LoadsThePaletteTheLumpHolds)
{
    const struct {
        const char *path;
        const char *format;
    } rows[] = {
        {"/usr/share/games/doom/freedoom1.wad", "Doom IWAD, PLAYPAL lump "},
        {"/usr/share/games/doom/freedoom2.wad", "Doom IWAD, PLAYPAL lump "},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.path);
        if (!std::filesystem::exists(row.path)) {
            GTEST_SKIP() << row.path << " is missing: install Debian's freedoom package";
        }
        const std::vector<std::uint8_t> lump = PlaypalByHand(row.path);
        ASSERT_EQ(lump.size(), 768U);

        const std::optional<PaletteFile> file = ReadPaletteFileData(row.path);

        ASSERT_TRUE(file.has_value());
        EXPECT_EQ(std::vector<std::uint8_t>(file->colors.begin(), file->colors.end()), lump);
        EXPECT_EQ(file->format.rfind(row.format, 0), 0U) << file->format;
    }
}

} // namespace
} // namespace qv
