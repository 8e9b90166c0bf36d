#include "engine/qt/picture_from_bmp_data.h"

#include "engine/display_image.h"

#include <algorithm>
#include <cstddef>

namespace qv {

QImage ToQImage(const DisplayImage &image)
{
    if (image.indexed) {
        QImage picture(image.width, image.height, QImage::Format_Indexed8);
        QList<QRgb> table(256);
        for (int i = 0; i < 256; ++i) {
            table[i] = 0xFF000000U | image.colors[static_cast<std::size_t>(i)];
        }
        picture.setColorTable(table);
        for (std::int32_t y = 0; y < image.height; ++y) {
            std::copy_n(image.indices.begin() + static_cast<std::ptrdiff_t>(y) * image.width,
                image.width,
                picture.scanLine(y));
        }
        return picture;
    }
    QImage picture(image.width, image.height, QImage::Format_RGB32);
    for (std::int32_t y = 0; y < image.height; ++y) {
        auto *out = reinterpret_cast<QRgb *>(picture.scanLine(y));
        const std::uint32_t *row = image.pixels.data()
            + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
        for (std::int32_t x = 0; x < image.width; ++x) {
            out[x] = 0xFF000000U | row[x];
        }
    }
    return picture;
}

QImage PictureFromBMPData(
    const std::vector<std::uint8_t> &fileBytes, const std::vector<std::uint8_t> &paletteTable)
{
    return ToQImage(DisplayImageFromBMPData(fileBytes, paletteTable));
}

} // namespace qv
