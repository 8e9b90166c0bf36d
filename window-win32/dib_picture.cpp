#include "window-win32/dib_picture.h"

#include "platform/checked.h"

#include <algorithm>

namespace qv::win32 {

DibPicture DibPictureOf(const DisplayImage &image)
{
    DibPicture picture;
    picture.width = image.width;
    picture.height = image.height;
    if (!image.indexed) {
        picture.bitCount = 32;
        picture.bits.resize(image.pixels.size() * sizeof(std::uint32_t));
        std::copy_n(reinterpret_cast<const std::uint8_t *>(image.pixels.data()),
            picture.bits.size(),
            picture.bits.begin());
        return picture;
    }
    picture.bitCount = 8;
    picture.colors.assign(image.colors.begin(), image.colors.end());
    const auto width = static_cast<std::size_t>(std::max(image.width, 0));
    const auto height = static_cast<std::size_t>(std::max(image.height, 0));
    const std::size_t stride = (width + 3) & ~std::size_t {3};
    if (image.indices.size() != CheckedMul(width, height)) {
        return picture; // incomplete: the box shows nothing
    }
    picture.bits.assign(CheckedMul(stride, height), 0);
    for (std::size_t y = 0; y < height; ++y) {
        std::copy_n(image.indices.begin() + static_cast<std::ptrdiff_t>(y * width),
            width,
            picture.bits.begin() + static_cast<std::ptrdiff_t>(y * stride));
    }
    return picture;
}

} // namespace qv::win32
