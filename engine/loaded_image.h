#pragma once

#include "common/row_stride.h"

#include <cstdint>
#include <vector>

namespace qv {

// A picture as read from a bitmap file. Rows are top row first; the row stride is
// RowStride(width, bitCount), and pixels holds exactly stride x height bytes. palette is the file's
// colour table, 4 bytes per entry (blue, green, red, reserved); for 8-bit files always 1024 bytes,
// missing entries zero. A PNG picture is held in the same form (see engine/png_file.h).
struct LoadedImage {
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> palette;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int16_t bitCount = 0;
    // The picture carries alpha: for a 32-bit one in the fourth byte of each pixel, for an 8-bit
    // one in alpha, one byte per table entry (256 entries). The table's reserved bytes stay as
    // the file held them.
    bool hasAlpha = false;
    std::vector<std::uint8_t> alpha;
};

} // namespace qv
