#include "palette/light_tables.h"

#include "common/paths.h"
#include "palette/build_palette_dat.h"
#include "palette/byte_fields.h"
#include "palette/palette_reading.h"
#include "palette/wad_lump.h"
#include "platform/checked.h"
#include "platform/failure.h"
#include "platform/file_failure.h"
#include "platform/file_reader.h"
#include "platform/files.h"

#include <algorithm>
#include <cctype>

namespace qv {
namespace {

constexpr std::size_t kTable = 256;
constexpr std::size_t kBuildColours = 768;

Failure Refused(std::string_view name, const std::string &why)
{
    return PaletteFailure(kUnknownFileFormat, name, why);
}

// count tables of 256 bytes from offset.
std::vector<LightTable> ReadTables(ByteSource &source,
    std::uint64_t offset,
    std::size_t count,
    std::string_view name,
    std::string_view format)
{
    const std::vector<std::uint8_t> bytes =
        ReadPaletteBytes(source, offset, CheckedMul(count, kTable), name, format);
    std::vector<LightTable> tables(count);
    for (std::size_t t = 0; t < count; ++t) {
        std::copy_n(
            bytes.begin() + static_cast<std::ptrdiff_t>(t * kTable), kTable, tables[t].begin());
    }
    return tables;
}

// A COLORMAP lump of size bytes at offset: at least 32 whole tables, at most 34 read.
LightTables ColormapAt(ByteSource &source,
    std::uint64_t offset,
    std::uint64_t size,
    std::string_view name,
    const std::string &format)
{
    if (size < kLeastColormapTables * kTable) {
        throw Refused(name,
            format + ": its COLORMAP is " + std::to_string(size) + " bytes long, less than the "
                + std::to_string(kLeastColormapTables) + " light tables of 256 bytes a colour map "
                + "holds");
    }
    if (CheckedAdd(offset, size) > source.Length()) {
        throw Refused(name, format + ": its COLORMAP lump runs past the end of the file");
    }
    const auto count =
        static_cast<std::size_t>(std::min<std::uint64_t>(size / kTable, kMostColormapTables));
    LightTables tables;
    tables.levels = ReadTables(source, offset, count, name, format);
    tables.format = format + ", " + std::to_string(count) + " tables";
    return tables;
}

LightTables BuildShades(ByteSource &source, std::string_view name)
{
    const std::string format = "Build engine PALETTE.DAT";
    const std::uint64_t length = source.Length();
    if (length < kBuildColours + 2) {
        throw Refused(name,
            format + ": it ends after " + std::to_string(length)
                + " bytes, before the count of its shade tables");
    }
    const std::uint16_t shades = U16Le(ReadPaletteBytes(source, kBuildColours, 2, name, format), 0);
    if (shades == 0) {
        throw Refused(name, format + ": it has no shade tables (its count of shades is 0)");
    }
    LightTables tables;
    tables.levels = ReadTables(source, kBuildColours + 2, shades, name, format);
    tables.format = format + ", " + std::to_string(shades) + " shade tables";
    return tables;
}

bool LooksLikeBuildPaletteDat(ByteSource &source, std::string_view fileName)
{
    if (LowerExtension(fileName) == "dat") {
        return true;
    }
    const std::vector<std::uint8_t> count = source.ReadAt(kBuildColours, 2);
    return count.size() == 2 && HasBuildPaletteLength(source.Length(), U16Le(count, 0));
}

// Why the file could not be opened: "no such file", or the system's words.
Failure OpenFailure(const std::error_code &error, const std::string &path, std::string_view name)
{
    if (error == std::errc::no_such_file_or_directory) {
        return PaletteFailure(kFileNotFound, name, "no such file");
    }
    std::string reason = error.message();
    if (!reason.empty()) {
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    }
    return PaletteFailure(FileFailure(error, "reading", path).Number(), name, reason);
}

} // namespace

LightTables ParseLightTables(ByteSource &source, std::string_view name, std::string_view fileName)
{
    const std::vector<std::uint8_t> start = source.ReadAt(0, 4);
    if (BytesSpell(start, 0, "IWAD") || BytesSpell(start, 0, "PWAD")) {
        const WadLump lump = FindLastWadLump(source, name, "COLORMAP");
        if (!lump.number) {
            throw Refused(name, lump.format + ": it has no COLORMAP lump");
        }
        return ColormapAt(source,
            lump.offset,
            lump.size,
            name,
            lump.format + ", COLORMAP lump " + std::to_string(*lump.number) + " of "
                + std::to_string(lump.lumps));
    }
    if (LooksLikeBuildPaletteDat(source, fileName)) {
        return BuildShades(source, name);
    }
    if (source.Length() < kLeastColormapTables * kTable) {
        throw Refused(name,
            "neither a WAD, a PALETTE.DAT nor a COLORMAP lump: a COLORMAP lump holds at least "
                + std::to_string(kLeastColormapTables) + " light tables of 256 bytes, this file is "
                + std::to_string(source.Length()) + " bytes long");
    }
    return ColormapAt(source, 0, source.Length(), name, "Doom COLORMAP lump");
}

LightTables ReadLightTables(const std::string &path)
{
    const std::string name = "colour map file " + NativePath(path);
    FileReader file(path);
    switch (file.Kind()) {
    case OpenedKind::NotOpened:
        throw OpenFailure(file.OpenError(), path, name);
    case OpenedKind::Folder:
        throw PaletteFailure(kPathFileAccessError, name, "is a folder");
    case OpenedKind::Other:
        throw PaletteFailure(kPathFileAccessError, name, "not an ordinary file");
    case OpenedKind::OrdinaryFile:
        break;
    }
    return ParseLightTables(file, name, FileNameFromPath(path));
}

} // namespace qv
