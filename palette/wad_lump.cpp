#include "palette/wad_lump.h"

#include "palette/byte_fields.h"
#include "palette/palette_reading.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace qv {
namespace {

constexpr std::size_t kEntry = 16; // offset, size, 8-byte name
constexpr std::size_t kEntriesPerRead = 4096;

bool NameIs(const std::vector<std::uint8_t> &directory, std::size_t entry, std::string_view name)
{
    for (std::size_t i = 0; i < 8; ++i) {
        const char wanted = i < name.size() ? name[i] : '\0';
        const auto have = static_cast<char>(std::toupper(directory[entry + 8 + i]));
        if (have != wanted) {
            return false;
        }
        if (wanted == '\0') {
            return true;
        }
    }
    return true;
}

} // namespace

WadLump FindLastWadLump(ByteSource &source, std::string_view name, std::string_view lumpName)
{
    const std::vector<std::uint8_t> header = ReadPaletteBytes(source, 0, 12, name, "WAD file");
    if (!BytesSpell(header, 0, "IWAD") && !BytesSpell(header, 0, "PWAD")) {
        throw PaletteFailure(
            kUnknownFileFormat, name, "WAD file: it begins with neither \"IWAD\" nor \"PWAD\"");
    }
    WadLump found;
    found.format = "Doom " + std::string(header.begin(), header.begin() + 4);
    found.lumps = U32Le(header, 4);
    const std::uint32_t directory = U32Le(header, 8);
    const std::uint64_t end =
        CheckedAdd<std::uint64_t>(directory, CheckedMul<std::uint64_t>(found.lumps, kEntry));
    if (found.lumps > 0x7FFFFFFFU || directory > 0x7FFFFFFFU || end > source.Length()) {
        throw PaletteFailure(kUnknownFileFormat,
            name,
            found.format + ": its directory of " + std::to_string(found.lumps) + " lumps at "
                + std::to_string(directory) + " does not lie within the file's "
                + std::to_string(source.Length()) + " bytes");
    }
    for (std::uint64_t first = 0; first < found.lumps; first += kEntriesPerRead) {
        const std::size_t count =
            static_cast<std::size_t>(std::min<std::uint64_t>(kEntriesPerRead, found.lumps - first));
        const std::vector<std::uint8_t> part = ReadPaletteBytes(
            source, directory + first * kEntry, count * kEntry, name, found.format);
        for (std::size_t i = 0; i < count; ++i) {
            if (NameIs(part, i * kEntry, lumpName)) {
                found.number = static_cast<std::size_t>(first) + i + 1;
                found.offset = U32Le(part, i * kEntry);
                found.size = U32Le(part, i * kEntry + 4);
            }
        }
    }
    return found;
}

} // namespace qv
