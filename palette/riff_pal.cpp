#include "palette/riff_pal.h"

#include "palette/palette_reading.h"

namespace qv {
namespace {

constexpr std::size_t kRiffPalSize = 1052;
constexpr std::size_t kFirstEntry = 24;
constexpr std::size_t kEntries = 256;
constexpr std::string_view kFormat = "RIFF palette";

} // namespace

RawPalette ParseRiffPal(ByteSource &source, std::string_view name)
{
    if (source.Length() != kRiffPalSize) {
        throw WrongPaletteLength(name, kFormat, kRiffPalSize, source.Length());
    }
    const std::vector<std::uint8_t> entries =
        ReadPaletteBytes(source, kFirstEntry, 4 * kEntries, name, kFormat);
    RawPalette raw {};
    for (std::size_t i = 0; i < kEntries; ++i) {
        for (std::size_t c = 0; c < 3; ++c) {
            raw[3 * i + c] = entries[4 * i + c]; // the flags byte is skipped
        }
    }
    return raw;
}

} // namespace qv
