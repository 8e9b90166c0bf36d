#include "engine/keyed_pixels.h"

#include "common/row_stride.h"
#include "engine/source_colors.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <optional>

namespace qv {
namespace {

// The alpha of each pixel of a picture with alpha, row by row into keyed: below the threshold
// sets the pixel's flag. The rows were checked to be complete.
void KeyByAlpha(const LoadedImage &image, std::int32_t threshold, std::vector<bool> &keyed)
{
    const auto width = static_cast<std::size_t>(image.width);
    const auto stride = static_cast<std::size_t>(RowStride(image.width, image.bitCount));
    const auto outStride = static_cast<std::size_t>(RowStride(image.width, 8));
    const bool indexed = image.bitCount == 8;
    for (std::size_t y = 0; y < static_cast<std::size_t>(image.height); ++y) {
        const std::uint8_t *row = image.pixels.data() + y * stride;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint8_t alpha = indexed ? image.alpha[row[x]] : row[4 * x + 3];
            if (alpha < threshold) {
                keyed[y * outStride + x] = true;
            }
        }
    }
}

void KeyByColor(const LoadedImage &image, const Rgb &key, std::vector<bool> &keyed)
{
    const auto outStride = static_cast<std::size_t>(RowStride(image.width, 8));
    for (std::int32_t y = 0; y < image.height; ++y) {
        for (std::int32_t x = 0; x < image.width; ++x) {
            if (SourceColorAt(image, x, y) == key) {
                keyed[static_cast<std::size_t>(y) * outStride + static_cast<std::size_t>(x)] = true;
            }
        }
    }
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
    if (key) {
        KeyByColor(image, *key, keyed);
    }
    if (byAlpha) {
        const bool complete = image.pixels.size()
                == static_cast<std::size_t>(
                    CheckedMul(RowStride(image.width, image.bitCount), image.height))
            && (image.bitCount == 32 || (image.bitCount == 8 && image.alpha.size() == 256));
        if (!complete) {
            Fail(kSubscriptOutOfRange);
        }
        KeyByAlpha(image, options.alphaThreshold, keyed);
    }
    return keyed;
}

} // namespace qv
