#include "engine/picture_offsets.h"

#include "common/row_stride.h"
#include "platform/checked.h"

#include <algorithm>

namespace qv {
namespace {

// The drawn pixels' box: first and one-past-last column and row.
struct Box {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

Box DrawnBox(const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    std::int32_t transparentIndex)
{
    const std::int32_t stride = RowStride(width, 8);
    Box box {width, height, 0, 0};
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            if (At(indices, CheckedAdd(CheckedMul(y, stride), x)) == transparentIndex) {
                continue;
            }
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    }
    if (box.right == 0) {
        return {0, 0, width, height};
    }
    return box;
}

} // namespace

PictureOffsets OffsetsOf(const ConversionOptions &options,
    const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    std::int32_t transparentIndex)
{
    switch (options.offsets) {
    case OffsetMode::None:
        return {};
    case OffsetMode::Custom:
        return {options.offsetX, options.offsetY};
    case OffsetMode::Sprite:
    case OffsetMode::Centre:
        break;
    }
    const Box box = DrawnBox(indices, width, height, transparentIndex);
    const std::int32_t x = box.left + (box.right - box.left) / 2;
    if (options.offsets == OffsetMode::Sprite) {
        return {x, box.bottom};
    }
    return {x, box.top + (box.bottom - box.top) / 2};
}

} // namespace qv
