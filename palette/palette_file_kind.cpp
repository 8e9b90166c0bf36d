#include "palette/palette_file_kind.h"

#include "common/paths.h"
#include "palette/aco_palette.h"
#include "palette/act_pal.h"
#include "palette/ase_palette.h"
#include "palette/bmp_palette.h"
#include "palette/build_palette_dat.h"
#include "palette/byte_fields.h"
#include "palette/gamepal_obj.h"
#include "palette/gimp_palette.h"
#include "palette/hex_palette.h"
#include "palette/jasc_pal.h"
#include "palette/paint_net_palette.h"
#include "palette/pak_directory.h"
#include "palette/palette_text.h"
#include "palette/png_palette.h"
#include "palette/riff_pal.h"
#include "palette/wad_directory.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace qv {
namespace {

constexpr std::uint64_t kActSize = 768;
constexpr std::uint64_t kCountedActSize = 772;
constexpr std::uint64_t kPlaypalSize = 14 * 768;

PaletteFile Whole(const RawPalette &colors, std::string format)
{
    PaletteFile file;
    file.colors = colors;
    file.format = std::move(format);
    return file;
}

std::string_view AsText(const std::vector<std::uint8_t> &bytes)
{
    return {reinterpret_cast<const char *>(bytes.data()), bytes.size()};
}

// A Build PALETTE.DAT by content: its length fits its shade count and its colours are 6-bit.
bool LooksLikeBuildPalette(ByteSource &source)
{
    const std::uint64_t length = source.Length();
    // Shade tables of 256 bytes after the colours and count, with or without 64 KiB after them.
    if (length <= kActSize + 2 || (length - kActSize - 2) % 256 != 0) {
        return false;
    }
    const std::vector<std::uint8_t> bytes = source.ReadAt(0, kActSize + 2);
    return bytes.size() == kActSize + 2 && HasBuildPaletteLength(length, U16Le(bytes, kActSize))
        && std::all_of(
            bytes.begin(), bytes.begin() + kActSize, [](std::uint8_t b) { return b < 64; });
}

// The formats told by their first bytes.
std::optional<PaletteFile> BySignature(
    ByteSource &source, std::string_view name, const std::vector<std::uint8_t> &start)
{
    if (BytesSpell(start, 0, "JASC")) {
        return ParseJascPalFile(source, name);
    }
    if (BytesSpell(start, 0, "RIFF")) {
        return ParseRiffPal(source, name);
    }
    if (LooksLikeGimpPalette(AsText(start))) {
        return ParseGimpPalette(source, name);
    }
    if (BytesSpell(start, 0, "ASEF")) {
        return ParseAsePalette(source, name);
    }
    if (LooksLikePng(start)) {
        return ParsePngPalette(source, name);
    }
    if (BytesSpell(start, 0, "IWAD") || BytesSpell(start, 0, "PWAD")) {
        return ParseWadPalette(source, name);
    }
    if (BytesSpell(start, 0, "PACK")) {
        return ParsePakPalette(source, name);
    }
    if (BytesSpell(start, 0, "BM")) {
        return ParseBmpPalette(source, name);
    }
    return std::nullopt;
}

// The formats told by length, by extension, or by every line of a short text.
std::optional<PaletteFile> ByLengthOrName(ByteSource &source,
    std::string_view name,
    const std::vector<std::uint8_t> &start,
    const std::string &extension)
{
    const std::uint64_t length = source.Length();
    if (length == kCountedActSize) {
        return ParseActPalWithCount(source, name);
    }
    if (length == kPlaypalSize || (extension == "lmp" && length % kActSize == 0)) {
        return ParsePlaypalLump(source, name);
    }
    if (extension == "dat" || LooksLikeBuildPalette(source)) {
        return ParseBuildPaletteDat(source, name);
    }
    if (extension == "aco" || LooksLikeAcoPalette(source, start)) {
        return ParseAcoPalette(source, name);
    }
    if (extension == "hex") {
        return ParseHexPalette(source, name);
    }
    if (extension == "txt") {
        return ParsePaintNetPalette(source, name);
    }
    if (length == 0 || length > kLargestPaletteText) {
        return std::nullopt;
    }
    const std::vector<std::uint8_t> text = source.ReadAt(0, static_cast<std::size_t>(length));
    if (LooksLikeHexPalette(AsText(text))) {
        return ParseHexPalette(source, name);
    }
    if (LooksLikePaintNetPalette(AsText(text))) {
        return ParsePaintNetPalette(source, name);
    }
    return std::nullopt;
}

} // namespace

std::optional<PaletteFile> RecognisePaletteFile(
    ByteSource &source, std::string_view name, std::string_view fileName)
{
    const std::string extension = LowerExtension(fileName);
    const std::uint64_t length = source.Length();
    std::vector<std::uint8_t> start = source.ReadAt(0, 4);
    if (BytesSpell(start, 0, "GIMP")) {
        start = source.ReadAt(0, 12);
    } else if (BytesSpell(start, 0, "\x89PNG")) {
        start = source.ReadAt(0, 8);
    }
    if (length == kActSize) {
        const bool ownFormat = LooksLikeGimpPalette(AsText(start)) || BytesSpell(start, 0, "ASEF")
            || extension == "gpl" || extension == "hex" || extension == "txt" || extension == "aco"
            || extension == "ase" || extension == "dat";
        if (!ownFormat) {
            return Whole(ParseActPal(source, name),
                extension == "lmp" ? "Quake palette.lmp" : "ACT palette");
        }
    }
    if (LooksLikeGamepalObj(source)) {
        return Whole(ParseGamepalObj(source, name), "GAMEPAL.OBJ palette");
    }
    if (std::optional<PaletteFile> file = BySignature(source, name, start)) {
        return file;
    }
    if (extension == "gpl") {
        return ParseGimpPalette(source, name);
    }
    if (extension == "ase") {
        return ParseAsePalette(source, name);
    }
    return ByLengthOrName(source, name, start, extension);
}

} // namespace qv
