#include "palette/wad_directory.h"

#include "palette/byte_fields.h"
#include "palette/palette_reading.h"
#include "palette/wad_lump.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>

namespace qv {
namespace {

constexpr std::size_t kPaletteBytes = 768;

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
    const WadLump lump = FindLastWadLump(source, name, "PLAYPAL");
    const std::string &format = lump.format;
    if (!lump.number) {
        throw Broken(name, format, "it has no PLAYPAL lump");
    }
    if (lump.size < kPaletteBytes) {
        throw Broken(name,
            format,
            "its PLAYPAL lump is " + std::to_string(lump.size) + " bytes long, a palette is "
                + std::to_string(kPaletteBytes));
    }
    if (CheckedAdd<std::uint64_t>(lump.offset, lump.size) > source.Length()) {
        throw Broken(name, format, "its PLAYPAL lump runs past the end of the file");
    }
    return FirstPalette(ReadPaletteBytes(source, lump.offset, kPaletteBytes, name, format),
        format + ", PLAYPAL lump " + std::to_string(*lump.number) + " of "
            + std::to_string(lump.lumps));
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
