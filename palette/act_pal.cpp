#include "palette/act_pal.h"

#include "palette/palette_reading.h"

#include <algorithm>

namespace qv {

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

} // namespace qv
