#include "palette/bmp_palette.h"

#include "palette/byte_fields.h"
#include "palette/palette_reading.h"
#include "platform/checked.h"
#include "platform/failure.h"

namespace qv {
namespace {

constexpr std::string_view kFormat = "BMP picture";
constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kInfoHeader = 40;

} // namespace

PaletteFile ParseBmpPalette(ByteSource &source, std::string_view name)
{
    const std::vector<std::uint8_t> start =
        ReadPaletteBytes(source, 0, kFileHeader + 4, name, kFormat);
    const std::uint32_t headerSize = U32Le(start, kFileHeader);
    if (!BytesSpell(start, 0, "BM") || (headerSize != kCoreHeader && headerSize < kInfoHeader)) {
        throw PaletteFailure(kUnknownFileFormat,
            name,
            "a " + std::string(kFormat) + " with a header of " + std::to_string(headerSize)
                + " bytes");
    }
    const bool core = headerSize == kCoreHeader;
    const std::vector<std::uint8_t> header = ReadPaletteBytes(
        source, 0, kFileHeader + (core ? kCoreHeader : kInfoHeader), name, kFormat);
    const std::uint16_t depth = U16Le(header, core ? 24 : 28);
    if (depth != 1 && depth != 4 && depth != 8) {
        throw PaletteFailure(kUnknownFileFormat,
            name,
            "a " + std::to_string(depth) + "-bit " + std::string(kFormat)
                + " has no colour table to use as a palette");
    }
    const std::uint32_t used = core ? 0 : U32Le(header, 46);
    const std::uint32_t count = used != 0 ? used : 1U << depth;
    if (count > 256) {
        throw TooManyColours(name, kFormat, count);
    }
    const std::size_t entry = core ? 3 : 4;
    const std::vector<std::uint8_t> table = ReadPaletteBytes(
        source, CheckedAdd<std::uint64_t>(kFileHeader, headerSize), count * entry, name, kFormat);
    std::vector<PaletteColour> colours;
    for (std::size_t i = 0; i < count; ++i) {
        colours.push_back({table[entry * i + 2], table[entry * i + 1], table[entry * i]});
    }
    return PaletteOfColours(name, std::string(kFormat), colours);
}

} // namespace qv
