#pragma once

#include "platform/checked.h"

#include <cstdint>

namespace qv {

// Bytes of one stored row of a bitmap: width pixels of bitCount bits, padded to a multiple of 4
// bytes (a 10-pixel 8-bit row takes 12, a 10-pixel 24-bit row 32). Every row of the program's
// pixel buffers, loaded pictures, indexed pictures and file rows alike, is laid out so. Throws
// qv::Failure 6 when the size does not fit 32 bits.
inline std::int32_t RowStride(std::int32_t width, std::int32_t bitCount)
{
    return CheckedMul(CheckedAdd(CheckedMul(width, bitCount), 31) / 32, 4);
}

} // namespace qv
