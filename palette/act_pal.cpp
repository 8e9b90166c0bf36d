#include "palette/act_pal.h"

#include "palette/byte_fields.h"
#include "palette/palette_reading.h"

#include <algorithm>

namespace qv {
namespace {

constexpr std::size_t kCountedActSize = 772;
constexpr std::string_view kCountedFormat = "Photoshop ACT palette";

} // namespace

RawPalette ParseActPal(ByteSource &source, std::string_view name)
{
    RawPalette raw {};
    if (source.Length() != raw.size()) {
        throw WrongPaletteLength(name, "ACT palette", raw.size(), source.Length());
    }
    const std::vector<std::uint8_t> bytes =
        ReadPaletteBytes(source, 0, raw.size(), name, "ACT palette");
    std::copy(bytes.begin(), bytes.end(), raw.begin());
    return raw;
}

PaletteFile ParseActPalWithCount(ByteSource &source, std::string_view name)
{
    if (source.Length() != kCountedActSize) {
        throw WrongPaletteLength(name, kCountedFormat, kCountedActSize, source.Length());
    }
    const std::vector<std::uint8_t> bytes =
        ReadPaletteBytes(source, 0, kCountedActSize, name, kCountedFormat);
    const std::size_t count = U16Be(bytes, 768);
    const std::size_t transparent = U16Be(bytes, 770);
    std::vector<PaletteColour> colours;
    for (std::size_t i = 0; i < count && i < 256; ++i) {
        colours.push_back({bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]});
    }
    if (count > 256) {
        throw TooManyColours(name, kCountedFormat, count);
    }
    PaletteFile file = PaletteOfColours(name, std::string(kCountedFormat), colours);
    if (transparent < 256) {
        file.transparentIndex = transparent;
    }
    return file;
}

} // namespace qv
