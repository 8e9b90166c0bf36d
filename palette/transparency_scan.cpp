#include "palette/transparency_scan.h"

#include "common/row_stride.h"
#include "palette/color_matching.h"
#include "palette/convert_palette.h"
#include "palette/palette_store.h"
#include "platform/checked.h"

#include <array>

namespace qv {

std::int32_t ScanForTransparentColor(DialogService &dialogs,
    PaletteStore &store,
    const ConversionOptions &options,
    std::vector<std::uint8_t> pixels,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth)
{
    if (depth != 8) {
        EnsureMatchingPrepared(dialogs, store, options);
        ConvertTo8BitBMP(dialogs, store, options.skip, pixels, width, height, depth, {0, 0, 0});
    }
    const std::int32_t stride = RowStride(width, 8);
    std::array<std::int32_t, 256> count {};
    for (std::int32_t y = 0; y < height; ++y) {
        const std::int32_t row = CheckedMul(y, stride);
        for (std::int32_t x = 0; x < width; ++x) {
            ++count[At(pixels, CheckedAdd(row, x))];
        }
    }
    std::int32_t best = 0;
    for (std::int32_t j = 1; j < 256; ++j) {
        if (count[j] > count[best]) {
            best = j;
        }
    }
    return best;
}

std::int32_t PickTransparentIndex(DialogService &dialogs,
    PaletteStore &store,
    const ConversionOptions &options,
    const std::vector<std::uint8_t> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth,
    std::int32_t column,
    std::int32_t row)
{
    if (depth != 8 && depth != 24 && depth != 32) {
        Fail(kInvalidArgument);
    }
    // A click beside the picture would otherwise read a neighbouring row or the padding.
    if (column < 0 || column >= width || row < 0 || row >= height) {
        Fail(kSubscriptOutOfRange);
    }
    const std::int32_t bytesPerPixel = depth / 8;
    const std::int32_t rowLength = RowStride(width, depth);
    const std::int32_t at =
        CheckedAdd(CheckedMul(row, rowLength), CheckedMul(column, bytesPerPixel));
    if (depth == 8) {
        return At(pixels, at);
    }
    const std::uint8_t blue = At(pixels, at);
    const std::uint8_t green = At(pixels, at + 1);
    const std::uint8_t red = At(pixels, at + 2);
    store.BuildMatchTable(dialogs, options.palette);
    store.EnsureSnapshot(options.skip);
    store.SetDistanceMeasure(options.distance);
    return store.FindNearestColor(blue, green, red);
}

} // namespace qv
