#include "palette/gamepal_obj.h"

#include "platform/failure.h"

namespace qv {
namespace {

constexpr std::size_t kGamepalObjSize = 893;
constexpr std::size_t kFirstComponent = 119;

} // namespace

RawPalette ParseGamepalObj(const std::vector<std::uint8_t> &bytes)
{
    if (bytes.size() != kGamepalObjSize) {
        Fail(kUnknownFileFormat);
    }
    RawPalette raw {};
    for (std::size_t k = 0; k < raw.size(); ++k) {
        const std::uint8_t value = bytes[kFirstComponent + k];
        const int sixBits = value >= 64 ? value & 63 : value;
        raw[k] = static_cast<std::uint8_t>(sixBits * 4);
    }
    return raw;
}

} // namespace qv
