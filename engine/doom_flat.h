#pragma once

#include <cstdint>
#include <vector>

namespace qv {

// Whether a picture of these sides can be a Doom flat: a square of 64, as every Doom engine
// reads, or of 8, 16, 32, 128 or 256, which the source ports tell by the lump's size (GZDoom's
// src/textures/flattexture.cpp). Any other size has no flat to be.
bool IsDoomFlatSize(std::int32_t width, std::int32_t height);

// The raw indices of the square picture (rows top first, stride RowStride(width, 8)), row after
// row without padding: side x side bytes, 4096 for 64 x 64. A size IsDoomFlatSize refuses is
// failure 5.
std::vector<std::uint8_t> EncodeDoomFlat(
    const std::vector<std::uint8_t> &indices, std::int32_t width, std::int32_t height);

} // namespace qv
