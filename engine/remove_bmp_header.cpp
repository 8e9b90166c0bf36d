#include "engine/remove_bmp_header.h"

#include "common/row_stride.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {
namespace {

constexpr std::int64_t kInfoHeaderStart = 14;
// The smallest info header ever written; anything shorter would put the table over the fields.
constexpr std::int64_t kSmallestInfoHeader = 12;
// Headers shorter than these do not reach the compression and colours-used fields.
constexpr std::int64_t kHeaderWithCompression = 20;
constexpr std::int64_t kHeaderWithColorsUsed = 36;
constexpr std::uint32_t kBitFields = 3;

// count bytes from offset must lie inside a file of size bytes: one that ends early is "input
// past end".
void RequireInside(std::int64_t size, std::int64_t offset, std::int64_t count)
{
    if (offset < 0 || count < 0) {
        Fail(kInputPastEnd);
    }
    if (offset > size || count > size - offset) {
        const std::string declared =
            count > INT64_MAX - offset ? "more than that" : std::to_string(offset + count);
        throw Failure(kInputPastEnd,
            FailureDescription(kInputPastEnd) + ": the file holds " + std::to_string(size)
                + " bytes, its headers declare " + declared);
    }
}

// Little-endian unsigned field of 2 or 4 bytes.
std::uint32_t ReadField(const std::vector<std::uint8_t> &bytes, std::int64_t offset, int size)
{
    RequireInside(static_cast<std::int64_t>(bytes.size()), offset, size);
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

// The old OS/2 core header: 16-bit width, height, planes and bit count, 3-byte table entries.
constexpr std::int64_t kCoreHeader = 12;

// Where everything lies in a bitmap file, as its headers declare it.
struct Layout {
    std::int64_t headerSize = 0;
    std::int64_t tableStart = 0;
    std::int64_t tableEntries = 0; // entries stored in the file
    std::int64_t entryBytes = 4;
    std::int32_t stride = 0;
    std::int32_t rowBytes = 0;
    bool compressed = false;
    std::int64_t dataStart = 0; // meaningful only for plain rows

    std::int64_t TableBytes() const { return tableEntries * entryBytes; }
    std::int64_t End() const
    {
        return compressed ? tableStart + TableBytes() : dataStart + std::int64_t {rowBytes};
    }
};

// Width, height and bit count, stored into image first so they survive a later failure.
void ReadSize(const std::vector<std::uint8_t> &bytes, std::int64_t headerSize, LoadedImage &image)
{
    if (headerSize == kCoreHeader) {
        image.width = static_cast<std::int32_t>(ReadField(bytes, 18, 2));
        image.height = static_cast<std::int32_t>(ReadField(bytes, 20, 2));
        image.bitCount = static_cast<std::int16_t>(ReadField(bytes, 24, 2));
        return;
    }
    image.width = static_cast<std::int32_t>(ReadField(bytes, 18, 4));
    image.height = static_cast<std::int32_t>(ReadField(bytes, 22, 4));
    image.bitCount = static_cast<std::int16_t>(ReadField(bytes, 28, 2));
}

// The entries the colour table of a 1-, 4- or 8-bit file holds: as many as "colours used" says
// when that is fewer than 2^bitCount (writers then put the rows right behind them), else all.
std::int64_t TableEntries(
    const std::vector<std::uint8_t> &bytes, std::int64_t headerSize, std::int16_t bitCount)
{
    if (bitCount != 1 && bitCount != 4 && bitCount != 8) {
        return 0;
    }
    const std::int64_t fullEntries = std::int64_t {1} << bitCount;
    if (headerSize >= kHeaderWithColorsUsed) {
        const std::uint32_t used = ReadField(bytes, 46, 4);
        if (used >= 1 && used < fullEntries) {
            return used;
        }
    }
    return fullEntries;
}

// Where the rows begin: the file's own pixel-data offset when it is believable (not inside the
// header or table, rows wholly inside the file), else right behind the table.
std::int64_t RowsStart(const std::vector<std::uint8_t> &bytes,
    std::int64_t fileLength,
    std::int64_t afterTable,
    std::int64_t rowBytes)
{
    const std::int64_t offset = ReadField(bytes, 10, 4);
    if (offset >= afterTable && CheckedAdd(offset, rowBytes) <= fileLength) {
        return offset;
    }
    RequireInside(fileLength, afterTable, rowBytes);
    return afterTable;
}

// Reads the headers from bytes, the first bytes of a file of fileLength bytes, and checks that
// the table and rows they declare lie inside the file.
Layout ReadLayout(
    const std::vector<std::uint8_t> &bytes, std::int64_t fileLength, LoadedImage &image)
{
    Layout layout;
    layout.headerSize = ReadField(bytes, 14, 4);
    ReadSize(bytes, layout.headerSize, image);
    if (image.height < 0) {
        throw Failure(kSubscriptOutOfRange,
            "Stored top row first (negative height " + std::to_string(image.height)
                + "): only bitmaps stored bottom row first are read");
    }
    if (image.width <= 0 || image.height <= 0) {
        throw Failure(kSubscriptOutOfRange,
            FailureDescription(kSubscriptOutOfRange) + ": a picture of no pixels ("
                + std::to_string(image.width) + " x " + std::to_string(image.height) + ")");
    }
    layout.stride = RowStride(image.width, image.bitCount);
    if (layout.stride < 0) {
        Fail(kSubscriptOutOfRange);
    }
    layout.rowBytes = CheckedMul(layout.stride, image.height);
    if (layout.headerSize < kSmallestInfoHeader) {
        Fail(kSubscriptOutOfRange);
    }
    layout.tableStart = CheckedAdd(kInfoHeaderStart, layout.headerSize);
    layout.tableEntries = TableEntries(bytes, layout.headerSize, image.bitCount);
    layout.entryBytes = layout.headerSize == kCoreHeader ? 3 : 4;
    RequireInside(fileLength, layout.tableStart, layout.TableBytes());
    layout.compressed = BMPCompression(bytes) != 0;
    if (!layout.compressed) {
        const std::int64_t afterTable = CheckedAdd(layout.tableStart, layout.TableBytes());
        layout.dataStart = RowsStart(bytes, fileLength, afterTable, layout.rowBytes);
    }
    return layout;
}

// The file's colour table as 2^bitCount entries of blue, green, red and the reserved byte as
// stored (0 for the 3-byte entries of the core header); missing entries zero.
std::vector<std::uint8_t> ColorTable(
    const std::vector<std::uint8_t> &bytes, const Layout &layout, std::int16_t bitCount)
{
    std::vector<std::uint8_t> palette(std::size_t {4} << bitCount, 0);
    for (std::int64_t e = 0; e < layout.tableEntries; ++e) {
        const auto from = static_cast<std::size_t>(layout.tableStart + e * layout.entryBytes);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(from),
            layout.entryBytes,
            palette.begin() + static_cast<std::ptrdiff_t>(4 * e));
    }
    return palette;
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

std::int64_t BMPBytesNeeded(
    const std::vector<std::uint8_t> &fileStart, std::int64_t fileLength, LoadedImage &image)
{
    return ReadLayout(fileStart, fileLength, image).End();
}

void RemoveBMPHeader(const std::vector<std::uint8_t> &fileBytes, LoadedImage &image)
{
    const Layout layout = ReadLayout(fileBytes, static_cast<std::int64_t>(fileBytes.size()), image);
    if (layout.tableEntries > 0) {
        image.palette = ColorTable(fileBytes, layout, image.bitCount);
    }
    if (layout.compressed) {
        image.pixels.clear();
        return;
    }
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(layout.rowBytes));
    // A depth of 0 bits or below makes rows of no bytes, however many the header claims (up to
    // two billion): there is nothing to copy, and walking them would hang the reader.
    const std::int32_t rows = layout.stride > 0 ? image.height : 0;
    for (std::int32_t r = 0; r < rows; ++r) {
        const std::int64_t from =
            layout.dataStart + std::int64_t {image.height - 1 - r} * layout.stride;
        std::copy_n(fileBytes.begin() + from,
            layout.stride,
            pixels.begin() + std::int64_t {r} * layout.stride);
    }
    image.pixels = std::move(pixels);
}

} // namespace qv
