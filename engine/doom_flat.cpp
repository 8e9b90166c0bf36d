#include "engine/doom_flat.h"

#include "engine/unpadded_rows.h"
#include "platform/failure.h"

#include <algorithm>
#include <array>

namespace qv {

bool IsDoomFlatSize(std::int32_t width, std::int32_t height)
{
    constexpr std::array<std::int32_t, 6> kSides = {8, 16, 32, 64, 128, 256};
    return width == height && std::find(kSides.begin(), kSides.end(), width) != kSides.end();
}

std::vector<std::uint8_t> EncodeDoomFlat(
    const std::vector<std::uint8_t> &indices, std::int32_t width, std::int32_t height)
{
    if (!IsDoomFlatSize(width, height)) {
        Fail(kInvalidArgument);
    }
    std::vector<std::uint8_t> bytes;
    AppendUnpaddedRows(bytes, indices, width, height);
    return bytes;
}

} // namespace qv
