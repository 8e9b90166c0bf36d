#include "engine/keyed_pixels.h"

#include "common/row_stride.h"
#include "engine/source_colors.h"
#include "platform/checked.h"

#include <optional>

namespace qv {
namespace {

// The alpha of pixel (x, y), 255 for a picture without alpha.
std::uint8_t AlphaAt(const LoadedImage &image, std::int32_t x, std::int32_t y)
{
    if (!image.hasAlpha) {
        return 255;
    }
    const std::int32_t stride = RowStride(image.width, image.bitCount);
    if (image.bitCount == 8) {
        return At(image.alpha, At(image.pixels, CheckedAdd(CheckedMul(y, stride), x)));
    }
    if (image.bitCount == 32) {
        return At(image.pixels, CheckedAdd(CheckedMul(y, stride), CheckedAdd(CheckedMul(x, 4), 3)));
    }
    return 255;
}

} // namespace

bool KeysByColor(const ConversionOptions &options)
{
    return options.applyTransparency
        && (options.inputTransparentRgb.has_value() || options.keyByMostFrequentColor);
}

std::vector<bool> KeyedPixels(const LoadedImage &image, const ConversionOptions &options)
{
    std::optional<Rgb> key;
    if (KeysByColor(options)) {
        key = options.keyByMostFrequentColor ? MostFrequentSourceColor(image)
                                             : *options.inputTransparentRgb;
    }
    const bool byAlpha = options.useAlpha && image.hasAlpha;
    if (!key && !byAlpha) {
        return {};
    }
    const std::int32_t stride = RowStride(image.width, 8);
    std::vector<bool> keyed(static_cast<std::size_t>(CheckedMul(stride, image.height)), false);
    for (std::int32_t y = 0; y < image.height; ++y) {
        for (std::int32_t x = 0; x < image.width; ++x) {
            const bool transparent = (key && SourceColorAt(image, x, y) == *key)
                || (byAlpha && AlphaAt(image, x, y) < options.alphaThreshold);
            keyed[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride)
                + static_cast<std::size_t>(x)] = transparent;
        }
    }
    return keyed;
}

} // namespace qv
