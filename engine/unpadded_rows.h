#pragma once

#include "common/row_stride.h"

#include <cstdint>
#include <vector>

namespace qv {

// Appends the indexed rows (top first, stride RowStride(width, 8)) without their padding: the
// pixel data of a Doom flat and of a Quake picture. Rows the indices do not hold are failure 9.
inline void AppendUnpaddedRows(std::vector<std::uint8_t> &bytes,
    const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height)
{
    const std::int32_t stride = RowStride(width, 8);
    if (CheckedMul(stride, height) > static_cast<std::int64_t>(indices.size())) {
        Fail(kSubscriptOutOfRange);
    }
    for (std::int32_t y = 0; y < height; ++y) {
        const auto row = indices.begin() + static_cast<std::ptrdiff_t>(y) * stride;
        bytes.insert(bytes.end(), row, row + width);
    }
}

} // namespace qv
