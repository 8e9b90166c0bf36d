#include "common/row_stride.h"
#include "engine/mod_add_bmp_header.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <cstddef>

namespace qv {
namespace {

constexpr std::int64_t kInfoHeaderStart = 14;
// The smallest info header ever written; anything shorter would put the table over the fields.
constexpr std::int64_t kSmallestInfoHeader = 12;
// Headers shorter than these do not reach the compression and colours-used fields.
constexpr std::int64_t kHeaderWithCompression = 20;
constexpr std::int64_t kHeaderWithColorsUsed = 36;
constexpr std::uint32_t kBitFields = 3;

// count bytes from offset must lie inside the file: a file that ends early is "input past end".
void RequireInside(const std::vector<std::uint8_t> &bytes, std::int64_t offset, std::int64_t count)
{
    const auto size = static_cast<std::int64_t>(bytes.size());
    if (offset < 0 || count < 0 || offset > size || count > size - offset) {
        Fail(kInputPastEnd);
    }
}

// Little-endian unsigned field of 2 or 4 bytes.
std::uint32_t ReadField(const std::vector<std::uint8_t> &bytes, std::int64_t offset, int size)
{
    RequireInside(bytes, offset, size);
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | bytes[static_cast<std::size_t>(offset + i)];
    }
    return value;
}

bool HasStandardMasks(const std::vector<std::uint8_t> &bytes)
{
    // The three masks sit at file offset 54 both behind a 40-byte header and inside the longer
    // headers (info-header offsets 40..51).
    constexpr std::int64_t masks = 54;
    if (static_cast<std::int64_t>(bytes.size()) < masks + 12) {
        return false;
    }
    return ReadField(bytes, masks, 4) == 0x00FF0000U
        && ReadField(bytes, masks + 4, 4) == 0x0000FF00U
        && ReadField(bytes, masks + 8, 4) == 0x000000FFU;
}

// Reads the colour table of a 1-, 4- or 8-bit file into image.palette; returns the bytes the
// table takes in the file (0 for other depths).
std::int64_t ReadColorTable(
    const std::vector<std::uint8_t> &bytes, std::int64_t headerSize, LoadedImage &image)
{
    if (image.bitCount != 1 && image.bitCount != 4 && image.bitCount != 8) {
        return 0;
    }
    const std::int64_t fullEntries = std::int64_t {1} << image.bitCount;
    std::int64_t entries = fullEntries;
    if (image.bitCount == 8 && headerSize >= kHeaderWithColorsUsed) {
        // Writers that store fewer colours say so here and put the rows right behind them.
        const std::uint32_t used = ReadField(bytes, 46, 4);
        if (used >= 1 && used <= 255) {
            entries = used;
        }
    }
    const std::int64_t start = CheckedAdd(kInfoHeaderStart, headerSize);
    const std::int64_t size = CheckedMul<std::int64_t>(entries, 4);
    RequireInside(bytes, start, size);
    std::vector<std::uint8_t> palette(static_cast<std::size_t>(fullEntries * 4), 0);
    std::copy_n(bytes.begin() + start, size, palette.begin());
    image.palette = std::move(palette);
    return size;
}

// Where the rows begin: the file's own pixel-data offset when it is believable (not inside the
// header or table, rows wholly inside the file), else right behind the table.
std::int64_t RowsStart(
    const std::vector<std::uint8_t> &bytes, std::int64_t afterTable, std::int64_t rowBytes)
{
    const std::int64_t offset = ReadField(bytes, 10, 4);
    const auto fileSize = static_cast<std::int64_t>(bytes.size());
    if (offset >= afterTable && CheckedAdd(offset, rowBytes) <= fileSize) {
        return offset;
    }
    RequireInside(bytes, afterTable, rowBytes);
    return afterTable;
}

} // namespace

std::uint32_t BMPCompression(const std::vector<std::uint8_t> &fileBytes)
{
    const std::int64_t headerSize = ReadField(fileBytes, 14, 4);
    if (headerSize < kHeaderWithCompression) {
        return 0;
    }
    const std::uint32_t compression = ReadField(fileBytes, 30, 4);
    const auto bitCount = static_cast<std::int16_t>(ReadField(fileBytes, 28, 2));
    if (compression == kBitFields && bitCount == 32 && HasStandardMasks(fileBytes)) {
        return 0;
    }
    return compression;
}

void RemoveBMPHeader(const std::vector<std::uint8_t> &fileBytes, LoadedImage &image)
{
    image.width = static_cast<std::int32_t>(ReadField(fileBytes, 18, 4));
    image.height = static_cast<std::int32_t>(ReadField(fileBytes, 22, 4));
    image.bitCount = static_cast<std::int16_t>(ReadField(fileBytes, 28, 2));
    // A top-down file (negative height) and an empty picture have no bottom-up rows to take.
    if (image.width <= 0 || image.height <= 0) {
        Fail(kSubscriptOutOfRange);
    }
    const std::int32_t stride = RowStride(image.width, image.bitCount);
    if (stride < 0) {
        Fail(kSubscriptOutOfRange);
    }
    const std::int32_t rowBytes = CheckedMul(stride, image.height);

    const std::int64_t headerSize = ReadField(fileBytes, 14, 4);
    if (headerSize < kSmallestInfoHeader) {
        Fail(kSubscriptOutOfRange);
    }
    const std::int64_t tableBytes = ReadColorTable(fileBytes, headerSize, image);
    if (BMPCompression(fileBytes) != 0) {
        image.pixels.clear();
        return;
    }
    const std::int64_t afterTable =
        CheckedAdd(CheckedAdd(kInfoHeaderStart, headerSize), tableBytes);
    // Checked against the file length before the allocation, so a bogus header cannot ask for
    // more memory than the file itself takes.
    const std::int64_t dataStart = RowsStart(fileBytes, afterTable, rowBytes);

    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(rowBytes));
    // A depth of 0 bits or below makes rows of no bytes, however many the header claims (up to
    // two billion): there is nothing to copy, and walking them would hang the reader.
    const std::int32_t rows = stride > 0 ? image.height : 0;
    for (std::int32_t r = 0; r < rows; ++r) {
        const std::int64_t from = dataStart + std::int64_t {image.height - 1 - r} * stride;
        std::copy_n(fileBytes.begin() + from, stride, pixels.begin() + std::int64_t {r} * stride);
    }
    image.pixels = std::move(pixels);
}

} // namespace qv
