#pragma once

#include <cstdint>
#include <vector>

namespace qv {

// Quake's see-through index: the engine leaves pixels of it undrawn.
inline constexpr std::uint8_t kQuakeSeeThrough = 255;

// The Quake picture ("qpic", a .lmp in gfx/) of the indexed picture (rows top first, stride
// RowStride(width, 8)): width and height as 32-bit little-endian numbers, then the indices row
// after row. The format has no transparent entry of its own: Quake draws index 255 see-through.
// So pixels of transparentIndex (0..255; -1 when nothing is transparent) are written as 255,
// and with the usual output transparent colour 255 the indices go out as they are.
std::vector<std::uint8_t> EncodeQuakePicture(const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    std::int32_t transparentIndex);

} // namespace qv
