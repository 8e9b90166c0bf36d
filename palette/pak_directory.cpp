#include "palette/pak_directory.h"

#include "palette/byte_fields.h"
#include "palette/palette_reading.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <cctype>

namespace qv {
namespace {

constexpr std::string_view kFormat = "Quake PAK";
constexpr std::string_view kPaletteName = "gfx/palette.lmp";
constexpr std::size_t kEntry = 64; // 56-byte name, offset, length
constexpr std::size_t kEntriesPerRead = 1024;
constexpr std::size_t kPaletteBytes = 768;

bool IsPalette(const std::vector<std::uint8_t> &directory, std::size_t entry)
{
    for (std::size_t i = 0; i < 56; ++i) {
        const char wanted = i < kPaletteName.size() ? kPaletteName[i] : '\0';
        const auto have = static_cast<char>(std::tolower(directory[entry + i]));
        if (have != wanted) {
            return false;
        }
        if (wanted == '\0') {
            return true;
        }
    }
    return false;
}

Failure Broken(std::string_view name, const std::string &why)
{
    return PaletteFailure(kUnknownFileFormat, name, std::string(kFormat) + ": " + why);
}

} // namespace

PaletteFile ParsePakPalette(ByteSource &source, std::string_view name)
{
    const std::vector<std::uint8_t> header = ReadPaletteBytes(source, 0, 12, name, kFormat);
    if (!BytesSpell(header, 0, "PACK")) {
        throw Broken(name, "it does not begin with \"PACK\"");
    }
    const std::uint32_t directory = U32Le(header, 4);
    const std::uint32_t length = U32Le(header, 8);
    if (directory > 0x7FFFFFFFU || length > 0x7FFFFFFFU || length % kEntry != 0
        || CheckedAdd<std::uint64_t>(directory, length) > source.Length()) {
        throw Broken(name,
            "its directory of " + std::to_string(length) + " bytes at " + std::to_string(directory)
                + " is not whole 64-byte entries within the file's "
                + std::to_string(source.Length()) + " bytes");
    }
    const std::size_t entries = length / kEntry;
    for (std::size_t first = 0; first < entries; first += kEntriesPerRead) {
        const std::size_t count = std::min(kEntriesPerRead, entries - first);
        const std::vector<std::uint8_t> part =
            ReadPaletteBytes(source, directory + first * kEntry, count * kEntry, name, kFormat);
        for (std::size_t i = 0; i < count; ++i) {
            if (!IsPalette(part, i * kEntry)) {
                continue;
            }
            const std::uint32_t offset = U32Le(part, i * kEntry + 56);
            const std::uint32_t size = U32Le(part, i * kEntry + 60);
            if (size < kPaletteBytes || CheckedAdd<std::uint64_t>(offset, size) > source.Length()) {
                throw Broken(name,
                    "its gfx/palette.lmp of " + std::to_string(size) + " bytes at "
                        + std::to_string(offset) + " is no 768-byte palette within the file");
            }
            const std::vector<std::uint8_t> bytes =
                ReadPaletteBytes(source, offset, kPaletteBytes, name, kFormat);
            PaletteFile file;
            std::copy_n(bytes.begin(), kPaletteBytes, file.colors.begin());
            file.format = std::string(kFormat) + ", gfx/palette.lmp";
            return file;
        }
    }
    throw Broken(name, "it has no gfx/palette.lmp");
}

} // namespace qv
