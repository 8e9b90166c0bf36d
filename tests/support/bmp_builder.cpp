#include "tests/support/bmp_builder.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace qv::test {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kMasksInsideFrom = 52;

std::uint8_t Pattern(std::uint32_t seed, std::size_t i)
{
    return static_cast<std::uint8_t>(((i + 1) * 2654435761U + seed * 40503U) >> 13);
}

std::uint32_t TableEntries(const BmpLayout &layout)
{
    if (layout.tableEntries) {
        return *layout.tableEntries;
    }
    if (layout.bitCount < 1 || layout.bitCount > 8) {
        return 0;
    }
    const std::uint32_t full = 1U << layout.bitCount;
    return layout.colorsUsed >= 1 && layout.colorsUsed <= full ? layout.colorsUsed : full;
}

std::uint32_t EntryBytes(const BmpLayout &layout)
{
    return layout.infoHeaderSize == kCoreHeaderSize ? 3 : 4;
}

bool MasksInside(const BmpLayout &layout)
{
    return layout.infoHeaderSize >= kMasksInsideFrom
        && 40 + 4 * layout.masks.size() <= layout.infoHeaderSize;
}

void Append(std::vector<std::uint8_t> &out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::vector<std::uint8_t> InfoHeader(const BmpLayout &layout)
{
    std::vector<std::uint8_t> h;
    Append(h, layout.infoHeaderSize, 4);
    if (layout.infoHeaderSize == kCoreHeaderSize) {
        Append(h, static_cast<std::uint32_t>(layout.width), 2);
        Append(h, static_cast<std::uint32_t>(layout.height), 2);
        Append(h, 1, 2);
        Append(h, static_cast<std::uint32_t>(layout.bitCount), 2);
        return h;
    }
    const auto stride = static_cast<std::uint32_t>(BmpStride(layout.width, layout.bitCount));
    Append(h, static_cast<std::uint32_t>(layout.width), 4);
    Append(h, static_cast<std::uint32_t>(layout.height), 4);
    Append(h, 1, 2);
    Append(h, static_cast<std::uint32_t>(layout.bitCount), 2);
    Append(h, layout.compression, 4);
    Append(h, stride * static_cast<std::uint32_t>(std::abs(layout.height)), 4);
    Append(h, 2835, 4);
    Append(h, 2835, 4);
    Append(h, layout.colorsUsed, 4);
    Append(h, 0, 4);
    if (MasksInside(layout)) {
        for (const std::uint32_t mask : layout.masks) {
            Append(h, mask, 4);
        }
    }
    h.resize(layout.infoHeaderSize, 0); // shorter headers just end early
    return h;
}

} // namespace

std::int32_t BmpStride(std::int32_t width, std::int32_t bitCount)
{
    return static_cast<std::int32_t>((static_cast<std::int64_t>(width) * bitCount + 31) / 32 * 4);
}

std::vector<std::uint8_t> BmpRows(const BmpLayout &layout)
{
    if (!layout.pixels.empty()) {
        return layout.pixels;
    }
    const std::int32_t stride = BmpStride(layout.width, layout.bitCount);
    const std::int32_t rows = std::abs(layout.height);
    const std::int64_t used = (static_cast<std::int64_t>(layout.width) * layout.bitCount + 7) / 8;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * rows);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const bool padding = static_cast<std::int64_t>(i % stride) >= used;
        pixels[i] = padding && layout.paddingByte ? *layout.paddingByte : Pattern(layout.seed, i);
    }
    return pixels;
}

std::vector<std::uint8_t> BmpTable(const BmpLayout &layout)
{
    if (!layout.table.empty()) {
        return layout.table;
    }
    const std::uint32_t entryBytes = EntryBytes(layout);
    std::vector<std::uint8_t> table(TableEntries(layout) * entryBytes);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const bool reserved = entryBytes == 4 && i % 4 == 3;
        table[i] = reserved ? 0 : Pattern(layout.seed + 7, i);
    }
    return table;
}

std::uint32_t BmpRowsOffset(const BmpLayout &layout)
{
    const std::uint32_t masksBehind =
        MasksInside(layout) ? 0 : static_cast<std::uint32_t>(4 * layout.masks.size());
    return 14 + layout.infoHeaderSize + masksBehind
        + static_cast<std::uint32_t>(BmpTable(layout).size()) + layout.gapBytes;
}

std::vector<std::uint8_t> BuildBmp(const BmpLayout &layout)
{
    const std::vector<std::uint8_t> rows = BmpRows(layout);
    const std::int32_t stride = BmpStride(layout.width, layout.bitCount);
    const std::int32_t height = std::abs(layout.height);
    if (rows.size() != static_cast<std::size_t>(stride) * height) {
        throw std::invalid_argument("BmpLayout.pixels must hold stride x height bytes");
    }

    std::vector<std::uint8_t> file {'B', 'M'};
    Append(file, 0, 4); // file size, set below
    Append(file, 0, 4);
    Append(file, layout.pixelDataOffset.value_or(BmpRowsOffset(layout)), 4);
    const std::vector<std::uint8_t> info = InfoHeader(layout);
    file.insert(file.end(), info.begin(), info.end());
    if (!MasksInside(layout)) {
        for (const std::uint32_t mask : layout.masks) {
            Append(file, mask, 4);
        }
    }
    const std::vector<std::uint8_t> table = BmpTable(layout);
    file.insert(file.end(), table.begin(), table.end());
    file.insert(file.end(), layout.gapBytes, 0xEE);
    // Bottom-up files store the last picture row first.
    for (std::int32_t i = 0; i < height; ++i) {
        const std::int32_t r = layout.height > 0 ? height - 1 - i : i;
        const auto from = rows.begin() + static_cast<std::ptrdiff_t>(r) * stride;
        file.insert(file.end(), from, from + stride);
    }
    PutField(file, 2, static_cast<std::uint32_t>(file.size()));
    return file;
}

void PutField(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint32_t value, int size)
{
    if (offset + static_cast<std::size_t>(size) > bytes.size()) {
        throw std::out_of_range("PutField outside the file");
    }
    for (int i = 0; i < size; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

} // namespace qv::test
