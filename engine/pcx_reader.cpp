#include "engine/pcx_reader.h"

#include "common/row_stride.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace qv {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 769; // 0x0C and 256 x red, green, blue
constexpr std::uint8_t kRunMark = 0xC0;
constexpr std::int32_t kMostLinePadding = 32;

std::uint32_t Short(const std::vector<std::uint8_t> &bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

[[noreturn]] void EndsEarly()
{
    throw Failure(kInputPastEnd, "The PCX picture ends before its last row");
}

struct Header {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bits = 0;
    int planes = 0;
    bool encoded = true;
    std::int32_t lineBytes = 0;
};

Header ParseHeader(const std::vector<std::uint8_t> &bytes)
{
    if (bytes.size() < kHeaderSize) {
        throw Failure(kInputPastEnd, "The PCX header is cut short");
    }
    if (bytes[0] != 0x0A || bytes[2] > 1) {
        throw Failure(kUnknownFileFormat, "Not a PCX picture");
    }
    const std::uint32_t left = Short(bytes, 4);
    const std::uint32_t top = Short(bytes, 6);
    const std::uint32_t right = Short(bytes, 8);
    const std::uint32_t bottom = Short(bytes, 10);
    if (right < left || bottom < top) {
        throw Failure(kUnknownFileFormat, "The PCX header gives no rows or columns");
    }
    Header header;
    header.width = static_cast<std::int32_t>(right - left + 1);
    header.height = static_cast<std::int32_t>(bottom - top + 1);
    header.bits = bytes[3];
    header.planes = bytes[65];
    header.encoded = bytes[2] == 1;
    header.lineBytes = static_cast<std::int32_t>(Short(bytes, 66));
    return header;
}

// The decoded bytes of every line of every plane, count in all.
std::vector<std::uint8_t> DecodeRows(
    ReadableFile &file, const Header &header, std::uint64_t end, std::size_t count)
{
    // A run of one byte takes at most two.
    const std::uint64_t available = end - kHeaderSize;
    const std::size_t read =
        static_cast<std::size_t>(std::min<std::uint64_t>(available, 2 * std::uint64_t {count}));
    std::vector<std::uint8_t> data(read);
    data.resize(file.ReadAt(kHeaderSize, data.data(), read));
    if (!header.encoded) {
        if (data.size() < count) {
            EndsEarly();
        }
        data.resize(count);
        return data;
    }
    std::vector<std::uint8_t> rows;
    rows.reserve(count);
    std::size_t at = 0;
    while (rows.size() < count) {
        if (at >= data.size()) {
            EndsEarly();
        }
        std::size_t run = 1;
        std::uint8_t value = data[at++];
        if ((value & kRunMark) == kRunMark) {
            run = value & 0x3F;
            if (at >= data.size()) {
                EndsEarly();
            }
            value = data[at++];
        }
        rows.insert(rows.end(), std::min(run, count - rows.size()), value);
    }
    return rows;
}

} // namespace

bool HasPcxExtension(const std::string &path)
{
    constexpr std::string_view kExtension = ".pcx";
    return path.size() >= kExtension.size()
        && std::equal(kExtension.begin(),
            kExtension.end(),
            path.end() - static_cast<std::ptrdiff_t>(kExtension.size()),
            [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

std::string DecodePcx(ReadableFile &file, std::int32_t largestSize, LoadedImage &image)
{
    std::vector<std::uint8_t> headerBytes(kHeaderSize);
    headerBytes.resize(file.ReadAt(0, headerBytes.data(), kHeaderSize));
    const Header header = ParseHeader(headerBytes);
    image.width = header.width;
    image.height = header.height;
    image.bitCount = static_cast<std::int16_t>(header.bits * header.planes);
    if (header.width > largestSize || header.height > largestSize) {
        return "PCX too large";
    }
    const bool indexed = header.bits == 8 && header.planes == 1;
    if (!indexed && !(header.bits == 8 && header.planes == 3)) {
        return "PCX of " + std::to_string(header.bits)
            + (header.bits == 1 ? " bit in " : " bits in ") + std::to_string(header.planes)
            + (header.planes == 1 ? " plane" : " planes") + " not supported";
    }
    if (header.lineBytes < header.width) {
        throw Failure(kUnknownFileFormat, "The PCX lines are shorter than the picture is wide");
    }
    // Writers pad a line to an even or a 4-byte length; far more would only make the reader read
    // (and hold) what no picture needs.
    if (header.lineBytes > header.width + kMostLinePadding) {
        throw Failure(kUnknownFileFormat, "The PCX lines are far longer than the picture is wide");
    }
    std::uint64_t end = file.Length();
    std::vector<std::uint8_t> table(kPaletteSize);
    if (indexed) {
        if (end < kHeaderSize + kPaletteSize
            || file.ReadAt(end - kPaletteSize, table.data(), kPaletteSize) != kPaletteSize
            || table[0] != 0x0C) {
            return "PCX 8-bit picture without its 256-colour palette";
        }
        end -= kPaletteSize;
    }
    const std::size_t lineBytes = static_cast<std::size_t>(header.lineBytes);
    const std::size_t planes = static_cast<std::size_t>(header.planes);
    const std::size_t count = lineBytes * planes * static_cast<std::size_t>(header.height);
    const std::vector<std::uint8_t> rows = DecodeRows(file, header, end, count);

    image.bitCount = indexed ? 8 : 24;
    const std::size_t bytesPerPixel = indexed ? 1 : 3;
    const auto stride = static_cast<std::size_t>(RowStride(image.width, image.bitCount));
    image.pixels.assign(stride * static_cast<std::size_t>(image.height), 0);
    for (std::size_t y = 0; y < static_cast<std::size_t>(image.height); ++y) {
        const std::size_t line = y * lineBytes * planes;
        for (std::size_t x = 0; x < static_cast<std::size_t>(image.width); ++x) {
            for (std::size_t p = 0; p < planes; ++p) {
                // Planes are red, green, blue; a 24-bit pixel is blue, green, red.
                const std::size_t to = y * stride + x * bytesPerPixel + (planes - 1 - p);
                image.pixels[to] = rows[line + p * lineBytes + x];
            }
        }
    }
    image.palette.clear();
    if (indexed) {
        image.palette.assign(1024, 0);
        for (std::size_t i = 0; i < 256; ++i) {
            image.palette[4 * i] = table[1 + 3 * i + 2];
            image.palette[4 * i + 1] = table[1 + 3 * i + 1];
            image.palette[4 * i + 2] = table[1 + 3 * i];
        }
    }
    return {};
}

} // namespace qv
