#include "engine/mod_add_bmp_header.h"

#include "common/row_stride.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <cstddef>

namespace qv {
namespace {

constexpr std::int32_t kHeaderBytes = 54;
constexpr std::int32_t kTableBytes = 1024;
constexpr std::int32_t kDataOffset = kHeaderBytes + kTableBytes;

// The 54 bytes in front of every file the program writes, fields in file order. Only the fields
// AddBMPHeader sets differ from 0.
struct HeaderRecord {
    std::uint16_t signature = 0;
    std::uint32_t fileSize = 0;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t dataOffset = 0;
    std::uint32_t infoHeaderSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPixelsPerMeter = 0;
    std::int32_t yPixelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;
};

class LittleEndianWriter
{
public:
    explicit LittleEndianWriter(std::vector<std::uint8_t> &out)
        : out_(out)
    { }

    template <typename T> void Put(T value)
    {
        auto bits = static_cast<std::uint32_t>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            At(out_, at_++) = static_cast<std::uint8_t>(bits & 0xFFU);
            bits >>= 8;
        }
    }

private:
    std::vector<std::uint8_t> &out_;
    std::size_t at_ = 0;
};

void WriteHeader(const HeaderRecord &h, std::vector<std::uint8_t> &file)
{
    LittleEndianWriter w(file);
    w.Put(h.signature);
    w.Put(h.fileSize);
    w.Put(h.reserved1);
    w.Put(h.reserved2);
    w.Put(h.dataOffset);
    w.Put(h.infoHeaderSize);
    w.Put(h.width);
    w.Put(h.height);
    w.Put(h.planes);
    w.Put(h.bitCount);
    w.Put(h.compression);
    w.Put(h.imageSize);
    w.Put(h.xPixelsPerMeter);
    w.Put(h.yPixelsPerMeter);
    w.Put(h.colorsUsed);
    w.Put(h.colorsImportant);
}

} // namespace

void AddBMPHeader(std::int32_t width,
    std::int32_t height,
    std::vector<std::uint8_t> &pixels,
    const std::vector<std::uint8_t> &palette)
{
    if (width < 1 || height < 1) {
        Fail(kInvalidArgument);
    }
    const std::int32_t stride = RowStride(width, 8);
    const std::int32_t imageBytes = CheckedMul(stride, height);
    if (pixels.size() != static_cast<std::size_t>(imageBytes) || palette.size() != kTableBytes) {
        Fail(kSubscriptOutOfRange);
    }
    const std::int32_t fileSize = CheckedAdd(kDataOffset, imageBytes);

    HeaderRecord header;
    header.signature = 0x4D42; // "BM"
    header.fileSize = static_cast<std::uint32_t>(fileSize);
    header.dataOffset = kDataOffset;
    header.infoHeaderSize = 40;
    header.width = width;
    header.height = height; // positive: rows stored bottom row first
    header.planes = 1;
    header.bitCount = 8;

    std::vector<std::uint8_t> file(static_cast<std::size_t>(fileSize), 0);
    WriteHeader(header, file);
    std::copy(palette.begin(), palette.end(), file.begin() + kHeaderBytes);
    // Image row r becomes file row height - 1 - r; the padding behind each row stays 0.
    for (std::int32_t r = 0; r < height; ++r) {
        const std::int64_t from = std::int64_t {r} * stride;
        const std::int64_t to = fileSize - (std::int64_t {r} + 1) * stride;
        std::copy_n(pixels.begin() + from, width, file.begin() + to);
    }
    pixels = std::move(file);
}

} // namespace qv
