#include "engine/quake_picture.h"

#include "engine/little_endian.h"
#include "engine/unpadded_rows.h"

#include <algorithm>

namespace qv {

std::vector<std::uint8_t> EncodeQuakePicture(const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    std::int32_t transparentIndex)
{
    std::vector<std::uint8_t> bytes;
    PutLittleEndian(bytes, CheckedCast<std::uint32_t>(width), 4);
    PutLittleEndian(bytes, CheckedCast<std::uint32_t>(height), 4);
    AppendUnpaddedRows(bytes, indices, width, height);
    if (transparentIndex >= 0 && transparentIndex <= 255) {
        std::replace(bytes.begin() + 8,
            bytes.end(),
            static_cast<std::uint8_t>(transparentIndex),
            kQuakeSeeThrough);
    }
    return bytes;
}

} // namespace qv
