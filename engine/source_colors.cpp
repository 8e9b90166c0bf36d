#include "engine/source_colors.h"

#include "common/row_stride.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <vector>

namespace qv {
namespace {

std::uint32_t Packed(const Rgb &c)
{
    return static_cast<std::uint32_t>(c.red) << 16 | static_cast<std::uint32_t>(c.green) << 8
        | c.blue;
}

Rgb Unpacked(std::uint32_t packed)
{
    return {static_cast<std::uint8_t>(packed >> 16),
        static_cast<std::uint8_t>(packed >> 8),
        static_cast<std::uint8_t>(packed)};
}

// The colour at byte offset at of the rows: an index into the table, or blue, green, red.
Rgb ColorAt(const LoadedImage &image, std::size_t at)
{
    if (image.bitCount == 8) {
        const std::size_t entry = 4 * static_cast<std::size_t>(At(image.pixels, at));
        return {
            At(image.palette, entry + 2), At(image.palette, entry + 1), At(image.palette, entry)};
    }
    return {At(image.pixels, at + 2), At(image.pixels, at + 1), At(image.pixels, at)};
}

void CheckDepth(const LoadedImage &image)
{
    if (image.bitCount != 8 && image.bitCount != 24 && image.bitCount != 32) {
        Fail(kInvalidArgument);
    }
}

std::size_t Offset(const LoadedImage &image, std::int32_t column, std::int32_t row)
{
    const std::int32_t stride = RowStride(image.width, image.bitCount);
    return static_cast<std::size_t>(
        CheckedAdd(CheckedMul(row, stride), CheckedMul(column, image.bitCount / 8)));
}

} // namespace

Rgb SourceColorAt(const LoadedImage &image, std::int32_t column, std::int32_t row)
{
    CheckDepth(image);
    if (column < 0 || column >= image.width || row < 0 || row >= image.height) {
        Fail(kSubscriptOutOfRange);
    }
    return ColorAt(image, Offset(image, column, row));
}

Rgb MostFrequentSourceColor(const LoadedImage &image)
{
    CheckDepth(image);
    std::vector<std::uint32_t> colors;
    colors.reserve(static_cast<std::size_t>(CheckedMul(image.width, image.height)));
    for (std::int32_t y = 0; y < image.height; ++y) {
        for (std::int32_t x = 0; x < image.width; ++x) {
            colors.push_back(Packed(ColorAt(image, Offset(image, x, y))));
        }
    }
    std::sort(colors.begin(), colors.end());
    std::uint32_t best = 0;
    std::size_t bestCount = 0;
    for (std::size_t i = 0; i < colors.size();) {
        std::size_t j = i;
        while (j < colors.size() && colors[j] == colors[i]) {
            ++j;
        }
        if (j - i > bestCount) {
            best = colors[i];
            bestCount = j - i;
        }
        i = j;
    }
    return Unpacked(best);
}

} // namespace qv
