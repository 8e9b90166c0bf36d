#include "palette/difference_picture.h"

#include "palette/color_spaces.h"
#include "platform/checked.h"

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

std::uint8_t Between(std::uint8_t from, std::uint8_t to, double share)
{
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * share));
}

} // namespace

double PixelDifference(const DitherPixel &pixel, const MatchColor &entry)
{
    if (entry.red == pixel.red && entry.green == pixel.green && entry.blue == pixel.blue) {
        return 0.0;
    }
    const ColorPoint entryLab = CieLabOf(static_cast<std::uint8_t>(entry.red),
        static_cast<std::uint8_t>(entry.green),
        static_cast<std::uint8_t>(entry.blue));
    return std::sqrt(
        std::max(0.0, Ciede2000Squared(CieLabOf(pixel.red, pixel.green, pixel.blue), entryLab)));
}

std::array<std::uint8_t, 3> DifferenceColor(double deltaE)
{
    const DifferenceStop &last = kDifferenceScale.back();
    for (std::size_t s = 1; s < kDifferenceScale.size(); ++s) {
        const DifferenceStop &to = kDifferenceScale[s];
        if (deltaE < to.deltaE) {
            const DifferenceStop &from = kDifferenceScale[s - 1];
            const double share =
                std::clamp((deltaE - from.deltaE) / (to.deltaE - from.deltaE), 0.0, 1.0);
            return {Between(from.red, to.red, share),
                Between(from.green, to.green, share),
                Between(from.blue, to.blue, share)};
        }
    }
    return {last.red, last.green, last.blue};
}

DifferencePicture MakeDifferencePicture(const MappedPixels &mapped)
{
    DifferencePicture picture;
    picture.width = mapped.width;
    picture.height = mapped.height;
    const auto count = CheckedCast<std::size_t>(CheckedMul(mapped.width, mapped.height));
    CheckRange(mapped.colors.size(), std::size_t {0}, count);
    CheckRange(mapped.indices.size(), std::size_t {0}, count);
    picture.deltaE.resize(count);
    picture.rgb.resize(CheckedMul(count, std::size_t {3}));
    for (std::size_t p = 0; p < count; ++p) {
        const DitherPixel &pixel = mapped.colors[p];
        std::array<std::uint8_t, 3> color {};
        if (pixel.transparent) {
            picture.deltaE[p] = -1.0;
            const auto x = static_cast<std::int32_t>(p % static_cast<std::size_t>(mapped.width));
            const auto y = static_cast<std::int32_t>(p / static_cast<std::size_t>(mapped.width));
            const bool dark = (x / kTransparentChecker + y / kTransparentChecker) % 2 == 0;
            const std::uint8_t grey = dark ? kTransparentDark : kTransparentLight;
            color = {grey, grey, grey};
        } else {
            picture.deltaE[p] = PixelDifference(pixel, mapped.entries[mapped.indices[p]]);
            color = DifferenceColor(picture.deltaE[p]);
        }
        std::copy(
            color.begin(), color.end(), picture.rgb.begin() + static_cast<std::ptrdiff_t>(3 * p));
    }
    return picture;
}

} // namespace qv
