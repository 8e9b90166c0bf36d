#include "window/original_picture.h"

#include "common/row_stride.h"
#include "platform/checked.h"

#include <cstring>

namespace qv {
namespace {

int BytesPerPixel(std::int16_t bitCount)
{
    switch (bitCount) {
    case 8:
        return 1;
    case 24:
        return 3;
    case 32:
        return 4;
    default:
        return 0;
    }
}

QList<QRgb> ColorTable(const std::vector<std::uint8_t> &palette)
{
    QList<QRgb> table(256, qRgb(0, 0, 0));
    for (std::size_t i = 0; i < 256 && 4 * i + 2 < palette.size(); ++i) {
        table[static_cast<qsizetype>(i)] =
            qRgb(palette[4 * i + 2], palette[4 * i + 1], palette[4 * i]);
    }
    return table;
}

} // namespace

QImage OriginalPicture(const LoadedImage &image)
{
    const int bytes = BytesPerPixel(image.bitCount);
    if (bytes == 0 || image.width <= 0 || image.height <= 0) {
        return {};
    }
    const std::int32_t stride = RowStride(image.width, image.bitCount);
    if (static_cast<std::int64_t>(image.pixels.size())
        != static_cast<std::int64_t>(stride) * image.height) {
        return {};
    }

    if (bytes == 1) {
        QImage picture(image.width, image.height, QImage::Format_Indexed8);
        picture.setColorTable(ColorTable(image.palette));
        for (std::int32_t y = 0; y < image.height; ++y) {
            std::memcpy(picture.scanLine(y),
                image.pixels.data() + static_cast<std::size_t>(y) * stride,
                static_cast<std::size_t>(image.width));
        }
        return picture;
    }

    QImage picture(image.width, image.height, QImage::Format_RGB32);
    for (std::int32_t y = 0; y < image.height; ++y) {
        const std::uint8_t *row = image.pixels.data() + static_cast<std::size_t>(y) * stride;
        auto *out = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (std::int32_t x = 0; x < image.width; ++x) {
            const std::uint8_t *pixel = row + static_cast<std::size_t>(x) * bytes;
            out[x] = qRgb(pixel[2], pixel[1], pixel[0]);
        }
    }
    return picture;
}

} // namespace qv
