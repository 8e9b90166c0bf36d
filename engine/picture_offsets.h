#pragma once

#include "common/conversion_options.h"

#include <cstdint>
#include <vector>

namespace qv {

// Where a game anchors a picture, from its top-left corner: x to the right, y down. A Doom
// picture's left and top offsets and a PNG grAb chunk hold exactly these two numbers.
struct PictureOffsets {
    std::int32_t x = 0;
    std::int32_t y = 0;

    bool operator==(const PictureOffsets &) const = default;
};

// The offsets of the indexed picture as it is written (rows top first, stride RowStride(width,
// 8)). Sprite and Centre measure the pixels the game draws: rows and columns at the border that
// hold only the transparent index (0..255; -1 when nothing is transparent) are left out, since
// the square's fitting and the transparent edges add them, and a sprite anchored on them would
// float above the floor or stand beside its place. Sprite: the centre column (halves rounded
// down) and one past the bottom drawn row, so the feet stand on the floor; Centre: the centre of
// the drawn box. A picture with nothing drawn is measured whole. Custom gives options' numbers;
// None gives 0, 0.
PictureOffsets OffsetsOf(const ConversionOptions &options,
    const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    std::int32_t transparentIndex);

} // namespace qv
