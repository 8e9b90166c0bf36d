#pragma once

#include "engine/picture_offsets.h"

#include <cstdint>
#include <vector>

namespace qv {

// The PNG file with a grAb chunk right after its header chunk (so before IDAT, where the source
// ports look for it): the offsets as two big-endian signed 32-bit numbers, x then y. Bytes that
// do not begin with a PNG signature and header chunk are failure 5.
std::vector<std::uint8_t> WithGrabChunk(
    const std::vector<std::uint8_t> &png, PictureOffsets offsets);

} // namespace qv
