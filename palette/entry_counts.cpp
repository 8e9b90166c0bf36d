#include "palette/entry_counts.h"

#include "common/row_stride.h"
#include "platform/checked.h"

#include <algorithm>

namespace qv {

int EntryCounts::Used() const
{
    return static_cast<int>(
        std::count_if(pixels.begin(), pixels.end(), [](std::int64_t n) { return n > 0; }));
}

EntryCounts CountEntries(
    const std::vector<std::uint8_t> &rows, std::int32_t width, std::int32_t height)
{
    EntryCounts counts;
    const std::int32_t stride = RowStride(width, 8);
    CheckRange(rows.size(), std::size_t {0}, CheckedCast<std::size_t>(CheckedMul(stride, height)));
    for (std::int32_t y = 0; y < height; ++y) {
        const auto row = rows.begin() + static_cast<std::ptrdiff_t>(y) * stride;
        std::for_each(row, row + width, [&](std::uint8_t index) { ++counts.pixels[index]; });
    }
    return counts;
}

} // namespace qv
