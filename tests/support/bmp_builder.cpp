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

std::uint32_t TableEntries(const BmpSpec &spec)
{
    if (spec.tableEntries) {
        return *spec.tableEntries;
    }
    if (spec.bitCount < 1 || spec.bitCount > 8) {
        return 0;
    }
    const std::uint32_t full = 1U << spec.bitCount;
    return spec.colorsUsed >= 1 && spec.colorsUsed <= full ? spec.colorsUsed : full;
}

std::uint32_t EntryBytes(const BmpSpec &spec)
{
    return spec.infoHeaderSize == kCoreHeaderSize ? 3 : 4;
}

bool MasksInside(const BmpSpec &spec)
{
    return spec.infoHeaderSize >= kMasksInsideFrom
        && 40 + 4 * spec.masks.size() <= spec.infoHeaderSize;
}

void Append(std::vector<std::uint8_t> &out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::vector<std::uint8_t> InfoHeader(const BmpSpec &spec)
{
    std::vector<std::uint8_t> h;
    Append(h, spec.infoHeaderSize, 4);
    if (spec.infoHeaderSize == kCoreHeaderSize) {
        Append(h, static_cast<std::uint32_t>(spec.width), 2);
        Append(h, static_cast<std::uint32_t>(spec.height), 2);
        Append(h, 1, 2);
        Append(h, static_cast<std::uint32_t>(spec.bitCount), 2);
        return h;
    }
    const auto stride = static_cast<std::uint32_t>(BmpStride(spec.width, spec.bitCount));
    Append(h, static_cast<std::uint32_t>(spec.width), 4);
    Append(h, static_cast<std::uint32_t>(spec.height), 4);
    Append(h, 1, 2);
    Append(h, static_cast<std::uint32_t>(spec.bitCount), 2);
    Append(h, spec.compression, 4);
    Append(h, stride * static_cast<std::uint32_t>(std::abs(spec.height)), 4);
    Append(h, 2835, 4);
    Append(h, 2835, 4);
    Append(h, spec.colorsUsed, 4);
    Append(h, 0, 4);
    if (MasksInside(spec)) {
        for (const std::uint32_t mask : spec.masks) {
            Append(h, mask, 4);
        }
    }
    h.resize(spec.infoHeaderSize, 0); // shorter headers just end early
    return h;
}

} // namespace

std::int32_t BmpStride(std::int32_t width, std::int32_t bitCount)
{
    return static_cast<std::int32_t>((static_cast<std::int64_t>(width) * bitCount + 31) / 32 * 4);
}

std::vector<std::uint8_t> BmpRows(const BmpSpec &spec)
{
    if (!spec.pixels.empty()) {
        return spec.pixels;
    }
    const std::int32_t stride = BmpStride(spec.width, spec.bitCount);
    const std::int32_t rows = std::abs(spec.height);
    const std::int64_t used = (static_cast<std::int64_t>(spec.width) * spec.bitCount + 7) / 8;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * rows);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const bool padding = static_cast<std::int64_t>(i % stride) >= used;
        pixels[i] = padding && spec.paddingByte ? *spec.paddingByte : Pattern(spec.seed, i);
    }
    return pixels;
}

std::vector<std::uint8_t> BmpTable(const BmpSpec &spec)
{
    if (!spec.table.empty()) {
        return spec.table;
    }
    const std::uint32_t entryBytes = EntryBytes(spec);
    std::vector<std::uint8_t> table(TableEntries(spec) * entryBytes);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const bool reserved = entryBytes == 4 && i % 4 == 3;
        table[i] = reserved ? 0 : Pattern(spec.seed + 7, i);
    }
    return table;
}

std::uint32_t BmpRowsOffset(const BmpSpec &spec)
{
    const std::uint32_t masksBehind =
        MasksInside(spec) ? 0 : static_cast<std::uint32_t>(4 * spec.masks.size());
    return 14 + spec.infoHeaderSize + masksBehind
        + static_cast<std::uint32_t>(BmpTable(spec).size()) + spec.gapBytes;
}

std::vector<std::uint8_t> BuildBmp(const BmpSpec &spec)
{
    const std::vector<std::uint8_t> rows = BmpRows(spec);
    const std::int32_t stride = BmpStride(spec.width, spec.bitCount);
    const std::int32_t height = std::abs(spec.height);
    if (rows.size() != static_cast<std::size_t>(stride) * height) {
        throw std::invalid_argument("BmpSpec.pixels must hold stride x height bytes");
    }

    std::vector<std::uint8_t> file {'B', 'M'};
    Append(file, 0, 4); // file size, set below
    Append(file, 0, 4);
    Append(file, spec.pixelDataOffset.value_or(BmpRowsOffset(spec)), 4);
    const std::vector<std::uint8_t> info = InfoHeader(spec);
    file.insert(file.end(), info.begin(), info.end());
    if (!MasksInside(spec)) {
        for (const std::uint32_t mask : spec.masks) {
            Append(file, mask, 4);
        }
    }
    const std::vector<std::uint8_t> table = BmpTable(spec);
    file.insert(file.end(), table.begin(), table.end());
    file.insert(file.end(), spec.gapBytes, 0xEE);
    // Bottom-up files store the last picture row first.
    for (std::int32_t i = 0; i < height; ++i) {
        const std::int32_t r = spec.height > 0 ? height - 1 - i : i;
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
