#include "palette/gamepal_obj.h"

#include "palette/palette_reading.h"

namespace qv {
namespace {

constexpr std::size_t kGamepalObjSize = 893;
constexpr std::size_t kFirstComponent = 119;
constexpr std::string_view kFormat = "GAMEPAL.OBJ palette";

constexpr std::uint8_t kModuleHeader = 0x80;
constexpr std::uint8_t kDataRecord = 0xA0;
constexpr std::size_t kDataRecordAt = kFirstComponent - 6;

} // namespace

bool LooksLikeGamepalObj(ByteSource &source)
{
    if (source.Length() != kGamepalObjSize) {
        return false;
    }
    const std::vector<std::uint8_t> start = source.ReadAt(0, kFirstComponent);
    return start.size() == kFirstComponent && start[0] == kModuleHeader
        && start[kDataRecordAt] == kDataRecord;
}

RawPalette ParseGamepalObj(ByteSource &source, std::string_view name)
{
    if (source.Length() != kGamepalObjSize) {
        throw WrongPaletteLength(name, kFormat, kGamepalObjSize, source.Length());
    }
    RawPalette raw {};
    const std::vector<std::uint8_t> components =
        ReadPaletteBytes(source, kFirstComponent, raw.size(), name, kFormat);
    for (std::size_t k = 0; k < raw.size(); ++k) {
        const std::uint8_t value = components[k];
        const int sixBits = value >= 64 ? value & 63 : value;
        raw[k] = static_cast<std::uint8_t>(sixBits * 4);
    }
    return raw;
}

} // namespace qv
