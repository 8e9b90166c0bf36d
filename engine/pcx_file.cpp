#include "engine/pcx_file.h"

#include "common/row_stride.h"
#include "engine/little_endian.h"
#include "platform/checked.h"

namespace qv {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::int32_t kLongestRun = 63;
constexpr std::uint8_t kRunMark = 0xC0;
constexpr std::uint8_t kPaletteMark = 0x0C;
constexpr std::uint32_t kDotsPerInch = 72;

std::vector<std::uint8_t> Header(std::int32_t width, std::int32_t height, std::int32_t lineBytes)
{
    std::vector<std::uint8_t> header = {0x0A, 5, 1, 8}; // maker, version, RLE, bits per pixel
    PutLittleEndian(header, 0, 2); // left
    PutLittleEndian(header, 0, 2); // top
    PutLittleEndian(header, CheckedCast<std::uint16_t>(width - 1), 2);
    PutLittleEndian(header, CheckedCast<std::uint16_t>(height - 1), 2);
    PutLittleEndian(header, kDotsPerInch, 2);
    PutLittleEndian(header, kDotsPerInch, 2);
    header.resize(64, 0); // the 16-colour palette, unused at 8 bits
    header.push_back(0); // reserved
    header.push_back(1); // planes
    PutLittleEndian(header, CheckedCast<std::uint16_t>(lineBytes), 2);
    PutLittleEndian(header, 1, 2); // palette kind: colour
    header.resize(kHeaderSize, 0);
    return header;
}

void EncodeLine(std::vector<std::uint8_t> &bytes, const std::vector<std::uint8_t> &line)
{
    std::size_t x = 0;
    while (x < line.size()) {
        const std::uint8_t value = line[x];
        std::size_t run = 1;
        while (x + run < line.size() && line[x + run] == value
            && run < static_cast<std::size_t>(kLongestRun)) {
            ++run;
        }
        if (run > 1 || value >= kRunMark) {
            bytes.push_back(static_cast<std::uint8_t>(kRunMark | run));
        }
        bytes.push_back(value);
        x += run;
    }
}

} // namespace

std::vector<std::uint8_t> EncodePcx(const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    const std::vector<std::uint8_t> &table)
{
    const std::int32_t stride = RowStride(width, 8);
    const std::int32_t lineBytes = CheckedAdd(width, width % 2);
    std::vector<std::uint8_t> bytes = Header(width, height, lineBytes);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes), 0);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            line[static_cast<std::size_t>(x)] = At(indices, CheckedAdd(CheckedMul(y, stride), x));
        }
        EncodeLine(bytes, line);
    }
    bytes.push_back(kPaletteMark);
    for (std::size_t i = 0; i < 256; ++i) {
        bytes.push_back(At(table, 4 * i + 2));
        bytes.push_back(At(table, 4 * i + 1));
        bytes.push_back(At(table, 4 * i));
    }
    return bytes;
}

} // namespace qv
