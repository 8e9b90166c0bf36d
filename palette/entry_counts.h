#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

// How many pixels of a result hold each palette entry. Every pixel of the result is counted,
// those of the output transparent index too (the file holds them like any other), so the counts
// add up to width x height.
struct EntryCounts {
    std::array<std::int64_t, 256> pixels {};

    // The number of entries at least one pixel holds.
    int Used() const;

    bool operator==(const EntryCounts &) const = default;
};

// The counts of indexed rows (top row first, stride = width rounded up to 4; the padding is not
// counted).
EntryCounts CountEntries(
    const std::vector<std::uint8_t> &rows, std::int32_t width, std::int32_t height);

} // namespace qv
