#include "palette/transparency_scan.h"

#include "common/numbers.h"
#include "palette/color_matching.h"
#include "palette/convert_palette.h"
#include "palette/palette_store.h"
#include "platform/checked.h"

#include <array>
#include <optional>

namespace qv {
namespace {

// The classic run-time number of an integer division by zero.
constexpr std::int32_t kDivisionByZero = 11;

std::int32_t RoundedTwips(float value)
{
    const std::optional<std::int32_t> rounded = RoundToInt32(value);
    if (!rounded) {
        Fail(kOverflow);
    }
    return *rounded;
}

// Picture pixel under a screen position: twips / twips per pixel, both rounded, truncating.
std::int32_t PixelAt(float twips, float twipsPerPixel)
{
    const std::int32_t position = RoundedTwips(twips);
    const std::int32_t perPixel = RoundedTwips(twipsPerPixel);
    if (perPixel == 0) {
        throw Failure(kDivisionByZero, "Division by zero");
    }
    return position / perPixel;
}

} // namespace

std::uint8_t OutputTransparentIndex(PaletteHost &host)
{
    const int value = host.GetOutputTransparencyColor();
    return value < 0 || value > 255 ? 255 : static_cast<std::uint8_t>(value);
}

std::int32_t ScanForTransparentColor(PaletteHost &host,
    PaletteStore &store,
    std::vector<std::uint8_t> pixels,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth)
{
    if (depth != 8) {
        EnsureMatchingPrepared(host, store);
        ConvertTo8BitBMP(host, store, pixels, width, height, depth, {0, 0, 0});
    }
    const std::int32_t stride = CheckedAdd(width, 3) / 4 * 4;
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

std::int32_t PickTransparentIndex(PaletteHost &host,
    PaletteStore &store,
    const std::vector<std::uint8_t> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth,
    float xTwips,
    float yTwips,
    float twipsPerPixelX,
    float twipsPerPixelY)
{
    if (depth != 8 && depth != 24 && depth != 32) {
        Fail(kInvalidArgument);
    }
    const std::int32_t column = PixelAt(xTwips, twipsPerPixelX);
    const std::int32_t row = PixelAt(yTwips, twipsPerPixelY);
    // A click beside the picture would otherwise read a neighbouring row or the padding.
    if (column < 0 || column >= width || row < 0 || row >= height) {
        Fail(kSubscriptOutOfRange);
    }
    const std::int32_t bytesPerPixel = depth / 8;
    const std::int32_t rowLength = CheckedAdd(CheckedMul(width, bytesPerPixel), 3) / 4 * 4;
    const std::int32_t at =
        CheckedAdd(CheckedMul(row, rowLength), CheckedMul(column, bytesPerPixel));
    if (depth == 8) {
        return At(pixels, at);
    }
    const std::uint8_t blue = At(pixels, at);
    const std::uint8_t green = At(pixels, at + 1);
    const std::uint8_t red = At(pixels, at + 2);
    store.BuildMatchTable(host);
    store.EnsureSnapshot(host);
    return store.FindNearestColor(blue, green, red);
}

} // namespace qv
