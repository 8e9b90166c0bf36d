#include "palette/png_palette.h"

#include "palette/byte_fields.h"
#include "palette/palette_reading.h"
#include "platform/checked.h"
#include "platform/failure.h"

namespace qv {
namespace {

constexpr std::string_view kFormat = "PNG picture";
constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
constexpr std::uint64_t kFirstChunk = 8;
constexpr std::uint8_t kIndexed = 3;
// Chunks a writer may put before PLTE (gAMA, sRGB, iCCP, text, ...): a few, never this many.
constexpr int kMostChunksBeforePalette = 1000;

Failure NotIndexed(std::string_view name, std::string_view why)
{
    return PaletteFailure(
        kUnknownFileFormat, name, "a " + std::string(kFormat) + " " + std::string(why));
}

std::string ColourTypeName(std::uint8_t type)
{
    switch (type) {
    case 0:
        return "greyscale";
    case 2:
        return "true-colour";
    case 4:
        return "greyscale with alpha";
    case 6:
        return "true-colour with alpha";
    default:
        return "colour type " + std::to_string(type);
    }
}

} // namespace

bool LooksLikePng(const std::vector<std::uint8_t> &start)
{
    return BytesSpell(start, 0, kSignature);
}

PaletteFile ParsePngPalette(ByteSource &source, std::string_view name)
{
    const std::vector<std::uint8_t> head = ReadPaletteBytes(source, 0, 33, name, kFormat);
    if (!LooksLikePng(head) || !BytesSpell(head, 12, "IHDR")) {
        throw NotIndexed(name, "begins with its signature and IHDR chunk");
    }
    if (head[25] != kIndexed) {
        throw NotIndexed(name, "in " + ColourTypeName(head[25]) + " has no palette");
    }
    std::uint64_t at = CheckedAdd<std::uint64_t>(kFirstChunk, 12 + std::uint64_t {U32Be(head, 8)});
    for (int chunk = 0; chunk < kMostChunksBeforePalette; ++chunk) {
        const std::vector<std::uint8_t> chunkHead = ReadPaletteBytes(source, at, 8, name, kFormat);
        const std::uint32_t length = U32Be(chunkHead, 0);
        if (BytesSpell(chunkHead, 4, "PLTE")) {
            if (length % 3 != 0 || length == 0) {
                throw NotIndexed(name, "with a PLTE chunk of " + std::to_string(length) + " bytes");
            }
            if (length / 3 > 256) {
                throw TooManyColours(name, kFormat, length / 3);
            }
            const std::vector<std::uint8_t> bytes =
                ReadPaletteBytes(source, at + 8, length, name, kFormat);
            std::vector<PaletteColour> colours;
            for (std::size_t i = 0; i < length / 3; ++i) {
                colours.push_back({bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]});
            }
            return PaletteOfColours(name, std::string(kFormat), colours);
        }
        if (BytesSpell(chunkHead, 4, "IDAT") || BytesSpell(chunkHead, 4, "IEND")) {
            break;
        }
        // Length, type, data and CRC.
        at = CheckedAdd<std::uint64_t>(at, 12 + std::uint64_t {length});
    }
    throw NotIndexed(name, "without a PLTE chunk before its pixel data");
}

} // namespace qv
