#include "palette/wad_directory.h"

#include "palette/byte_fields.h"
#include "palette/palette_reading.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace qv {
namespace {

constexpr std::size_t kEntry = 16; // offset, size, 8-byte name
constexpr std::size_t kEntriesPerRead = 4096;
constexpr std::size_t kPaletteBytes = 768;

// A lump name as the games compare them: up to its first NUL, upper case.
bool IsPlaypal(const std::vector<std::uint8_t> &directory, std::size_t entry)
{
    constexpr std::string_view kName = "PLAYPAL";
    for (std::size_t i = 0; i < 8; ++i) {
        const char wanted = i < kName.size() ? kName[i] : '\0';
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

Failure Broken(std::string_view name, const std::string &format, const std::string &why)
{
    return PaletteFailure(kUnknownFileFormat, name, format + ": " + why);
}

PaletteFile FirstPalette(const std::vector<std::uint8_t> &bytes, std::string format)
{
    PaletteFile file;
    std::copy_n(bytes.begin(), kPaletteBytes, file.colors.begin());
    file.format = std::move(format);
    return file;
}

} // namespace

PaletteFile ParseWadPalette(ByteSource &source, std::string_view name)
{
    const std::vector<std::uint8_t> header = ReadPaletteBytes(source, 0, 12, name, "WAD file");
    if (!BytesSpell(header, 0, "IWAD") && !BytesSpell(header, 0, "PWAD")) {
        throw Broken(name, "WAD file", "it begins with neither \"IWAD\" nor \"PWAD\"");
    }
    const std::string format = "Doom " + std::string(header.begin(), header.begin() + 4);
    const std::uint32_t lumps = U32Le(header, 4);
    const std::uint32_t directory = U32Le(header, 8);
    const std::uint64_t end =
        CheckedAdd<std::uint64_t>(directory, CheckedMul<std::uint64_t>(lumps, kEntry));
    if (lumps > 0x7FFFFFFFU || directory > 0x7FFFFFFFU || end > source.Length()) {
        throw Broken(name,
            format,
            "its directory of " + std::to_string(lumps) + " lumps at " + std::to_string(directory)
                + " does not lie within the file's " + std::to_string(source.Length()) + " bytes");
    }
    std::optional<std::size_t> last; // the entry bytes of the last PLAYPAL
    std::vector<std::uint8_t> lastEntry;
    for (std::uint64_t first = 0; first < lumps; first += kEntriesPerRead) {
        const std::size_t count =
            static_cast<std::size_t>(std::min<std::uint64_t>(kEntriesPerRead, lumps - first));
        const std::vector<std::uint8_t> part =
            ReadPaletteBytes(source, directory + first * kEntry, count * kEntry, name, format);
        for (std::size_t i = 0; i < count; ++i) {
            if (IsPlaypal(part, i * kEntry)) {
                last = static_cast<std::size_t>(first) + i;
                lastEntry.assign(part.begin() + static_cast<std::ptrdiff_t>(i * kEntry),
                    part.begin() + static_cast<std::ptrdiff_t>((i + 1) * kEntry));
            }
        }
    }
    if (!last) {
        throw Broken(name, format, "it has no PLAYPAL lump");
    }
    const std::uint32_t offset = U32Le(lastEntry, 0);
    const std::uint32_t size = U32Le(lastEntry, 4);
    if (size < kPaletteBytes) {
        throw Broken(name,
            format,
            "its PLAYPAL lump is " + std::to_string(size) + " bytes long, a palette is "
                + std::to_string(kPaletteBytes));
    }
    if (CheckedAdd<std::uint64_t>(offset, size) > source.Length()) {
        throw Broken(name, format, "its PLAYPAL lump runs past the end of the file");
    }
    return FirstPalette(ReadPaletteBytes(source, offset, kPaletteBytes, name, format),
        format + ", PLAYPAL lump " + std::to_string(*last + 1) + " of " + std::to_string(lumps));
}

PaletteFile ParsePlaypalLump(ByteSource &source, std::string_view name)
{
    const std::uint64_t length = source.Length();
    if (length < kPaletteBytes || length % kPaletteBytes != 0) {
        throw Broken(name,
            "Doom PLAYPAL lump",
            "a " + std::to_string(length) + "-byte file is no whole number of 768-byte palettes");
    }
    return FirstPalette(ReadPaletteBytes(source, 0, kPaletteBytes, name, "PLAYPAL lump"),
        "Doom PLAYPAL lump, first of " + std::to_string(length / kPaletteBytes) + " palettes");
}

} // namespace qv
