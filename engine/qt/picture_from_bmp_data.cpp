#include "engine/qt/picture_from_bmp_data.h"

#include "common/row_stride.h"
#include "platform/checked.h"

#include <cstring>

#include <QColor>

namespace qv {
namespace {

constexpr std::int32_t kPixelDataOffset = 1078;

std::int32_t ReadInt32(const std::vector<std::uint8_t> &bytes, std::int32_t offset)
{
    CheckRange(bytes.size(), offset, 4);
    const auto at = static_cast<std::size_t>(offset);
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[at])
        | static_cast<std::uint32_t>(bytes[at + 1]) << 8
        | static_cast<std::uint32_t>(bytes[at + 2]) << 16
        | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
    return static_cast<std::int32_t>(value);
}

std::int16_t ReadInt16(const std::vector<std::uint8_t> &bytes, std::int32_t offset)
{
    CheckRange(bytes.size(), offset, 2);
    const auto at = static_cast<std::size_t>(offset);
    return static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8);
}

} // namespace

QImage PictureFromBMPData(
    const std::vector<std::uint8_t> &fileBytes, const std::vector<std::uint8_t> &paletteTable)
{
    const std::int32_t width = ReadInt32(fileBytes, 18);
    const std::int32_t height = ReadInt32(fileBytes, 22);
    const std::int16_t bitCount = ReadInt16(fileBytes, 28);
    if (width < 1 || height < 1) {
        Fail(kInvalidArgument);
    }
    if (bitCount != 8) {
        // Nothing is drawn into it; cap the size by what the file could hold, so a bogus header
        // cannot ask for a huge picture.
        CheckRange<std::int64_t>(fileBytes.size(), 0, std::int64_t {width} * height / 8);
        QImage blank(width, height, QImage::Format_RGB32);
        blank.fill(Qt::black);
        return blank;
    }
    const std::int32_t stride = RowStride(width, 8);
    CheckRange(fileBytes.size(), kPixelDataOffset, CheckedMul(stride, height));
    CheckRange<std::size_t>(paletteTable.size(), 0, 1024);

    QImage picture(width, height, QImage::Format_Indexed8);
    QList<QRgb> colors(256);
    for (int i = 0; i < 256; ++i) {
        const std::size_t at = static_cast<std::size_t>(4 * i);
        colors[i] = qRgb(paletteTable[at + 2], paletteTable[at + 1], paletteTable[at]);
    }
    picture.setColorTable(colors);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::size_t fileRow = static_cast<std::size_t>(kPixelDataOffset)
            + static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(stride);
        std::memcpy(
            picture.scanLine(y), fileBytes.data() + fileRow, static_cast<std::size_t>(width));
    }
    return picture;
}

} // namespace qv
