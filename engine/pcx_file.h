#pragma once

#include <cstdint>
#include <vector>

namespace qv {

// An 8-bit PCX file of the indexed picture (rows top first, stride RowStride(width, 8)): the
// 128-byte header of version 5 (run-length encoded, 8 bits, one plane, an even number of bytes
// per line, 72 dpi), each line run-length encoded on its own (a line of odd width padded with a
// 0), then 0x0C and the 256 colours of table (blue, green, red, reserved per entry) as red,
// green, blue. A run takes two bytes (0xC0 + its length up to 63, the value); a single value
// below 0xC0 goes as itself.
std::vector<std::uint8_t> EncodePcx(const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    const std::vector<std::uint8_t> &table);

} // namespace qv
