#pragma once

#include "engine/picture_offsets.h"

#include <cstdint>
#include <vector>

namespace qv {

// The Doom picture ("patch") of the indexed picture (rows top first, stride RowStride(width,
// 8)): width, height and the offsets as 16-bit little-endian numbers, one 32-bit offset per
// column, then each column as posts (top delta, length, a padding byte, the pixels, a padding
// byte) ended by 0xFF. Pixels of transparentIndex (0..255; -1: none) are left out of the posts,
// so the game draws nothing there. A post holds at most 254 pixels. A post that starts below
// row 254 uses the tall-picture convention of the source ports (GZDoom's
// src/textures/formats/patchtexture.cpp, FPatchTexture::Get8BitPixels; PrBoom+ reads the same):
// a top delta not above the previous post's top row counts from that row, so such a post gets
// the distance from the previous post's top, and where that distance is too large, empty posts
// (length 0) step down 254 rows at a time. Columns whose posts all start by row 254 are written
// as every Doom engine reads them. Sides and offsets beyond 16 bits are failure 6.
std::vector<std::uint8_t> EncodeDoomPicture(const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    std::int32_t transparentIndex,
    PictureOffsets offsets);

} // namespace qv
