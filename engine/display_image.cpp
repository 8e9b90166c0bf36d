#include "engine/display_image.h"

#include "common/row_stride.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <array>
#include <cstddef>

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

// Blue, green, red at bytes[at..at+2] as 0x00RRGGBB.
std::uint32_t Color(const std::uint8_t *bgr)
{
    return static_cast<std::uint32_t>(bgr[2]) << 16 | static_cast<std::uint32_t>(bgr[1]) << 8
        | bgr[0];
}

std::size_t PixelCount(std::int32_t width, std::int32_t height)
{
    return CheckedCast<std::size_t>(CheckedMul(width, height));
}

DisplayImage Colours(std::int32_t width, std::int32_t height)
{
    DisplayImage picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(PixelCount(width, height));
    return picture;
}

DisplayImage Indexed(
    std::int32_t width, std::int32_t height, const std::vector<std::uint8_t> &table)
{
    DisplayImage picture;
    picture.width = width;
    picture.height = height;
    picture.indexed = true;
    picture.indices.resize(PixelCount(width, height));
    for (std::size_t i = 0; i < picture.colors.size() && 4 * i + 2 < table.size(); ++i) {
        picture.colors[i] = Color(&table[4 * i]);
    }
    return picture;
}

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

} // namespace

DisplayImage DisplayImageFromBMPData(
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
        return Colours(width, height);
    }
    const std::int32_t stride = RowStride(width, 8);
    CheckRange(fileBytes.size(), kPixelDataOffset, CheckedMul(stride, height));
    CheckRange<std::size_t>(paletteTable.size(), 0, 1024);

    DisplayImage picture = Indexed(width, height, paletteTable);
    auto out = picture.indices.begin();
    for (std::int32_t y = 0; y < height; ++y) {
        const auto fileRow = fileBytes.begin() + kPixelDataOffset
            + static_cast<std::ptrdiff_t>(height - 1 - y) * stride;
        out = std::copy_n(fileRow, width, out);
    }
    return picture;
}

std::optional<DisplayImage> DisplayImageOf(const LoadedImage &image)
{
    const int bytes = BytesPerPixel(image.bitCount);
    if (bytes == 0 || image.width <= 0 || image.height <= 0) {
        return std::nullopt;
    }
    const std::int32_t stride = RowStride(image.width, image.bitCount);
    if (static_cast<std::int64_t>(image.pixels.size())
        != static_cast<std::int64_t>(stride) * image.height) {
        return std::nullopt;
    }
    if (bytes == 1) {
        DisplayImage picture = Indexed(image.width, image.height, image.palette);
        auto out = picture.indices.begin();
        for (std::int32_t y = 0; y < image.height; ++y) {
            out = std::copy_n(
                image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * stride, image.width, out);
        }
        return picture;
    }
    DisplayImage picture = Colours(image.width, image.height);
    auto out = picture.pixels.begin();
    for (std::int32_t y = 0; y < image.height; ++y) {
        const std::uint8_t *row = image.pixels.data() + static_cast<std::size_t>(y) * stride;
        for (std::int32_t x = 0; x < image.width; ++x) {
            *out++ = Color(row + static_cast<std::size_t>(x) * bytes);
        }
    }
    return picture;
}

} // namespace qv
