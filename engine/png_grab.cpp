#include "engine/png_grab.h"

#include "engine/png_file.h"
#include "platform/failure.h"

#include <zlib.h>

namespace qv {
namespace {

// Signature (8) + IHDR's length, type, 13 bytes of data and CRC.
constexpr std::size_t kAfterHeaderChunk = 8 + 4 + 4 + 13 + 4;

void PutBigEndian(std::vector<std::uint8_t> &bytes, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

} // namespace

std::vector<std::uint8_t> WithGrabChunk(
    const std::vector<std::uint8_t> &png, PictureOffsets offsets)
{
    if (!IsPngSignature(png) || png.size() < kAfterHeaderChunk || png[12] != 'I' || png[13] != 'H'
        || png[14] != 'D' || png[15] != 'R') {
        Fail(kInvalidArgument);
    }
    std::vector<std::uint8_t> chunk;
    PutBigEndian(chunk, 8);
    chunk.insert(chunk.end(), {'g', 'r', 'A', 'b'});
    PutBigEndian(chunk, static_cast<std::uint32_t>(offsets.x));
    PutBigEndian(chunk, static_cast<std::uint32_t>(offsets.y));
    const uLong crc = crc32(0L, chunk.data() + 4, static_cast<uInt>(chunk.size() - 4));
    PutBigEndian(chunk, static_cast<std::uint32_t>(crc));

    std::vector<std::uint8_t> result = png;
    result.insert(result.begin() + kAfterHeaderChunk, chunk.begin(), chunk.end());
    return result;
}

} // namespace qv
