#include "palette/riff_pal.h"

#include "platform/failure.h"

namespace qv {
namespace {

constexpr std::size_t kRiffPalSize = 1052;
constexpr std::size_t kFirstEntry = 24;

} // namespace

RawPalette ParseRiffPal(const std::vector<std::uint8_t> &bytes)
{
    if (bytes.size() != kRiffPalSize) {
        Fail(kUnknownFileFormat);
    }
    RawPalette raw {};
    for (std::size_t i = 0; i < 256; ++i) {
        for (std::size_t c = 0; c < 3; ++c) {
            raw[3 * i + c] = bytes[kFirstEntry + 4 * i + c]; // the flags byte is skipped
        }
    }
    return raw;
}

} // namespace qv
