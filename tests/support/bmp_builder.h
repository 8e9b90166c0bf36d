#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace qv::test {

// What BuildBmp writes. The defaults give a small bottom-up 8-bit file with a 40-byte header, a
// full 256-entry table and the true pixel-data offset; change only what a test is about.
struct BmpLayout {
    std::int32_t width = 5;
    std::int32_t height = 3; // negative: rows stored top row first
    std::int16_t bitCount = 8; // written as given; rows are laid out for any value
    std::uint32_t infoHeaderSize =
        40; // 12 writes the old core layout (16-bit sizes, 3-byte entries)
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0; // written at offset 46 when the header reaches it
    // Table entries written; by default colorsUsed when it is 1..2^bitCount, else 2^bitCount for
    // depths up to 8 and none above.
    std::optional<std::uint32_t> tableEntries {};
    // Colour masks: inside headers of 52 bytes and more (info-header offset 40), else behind the
    // header, before the table.
    std::vector<std::uint32_t> masks {};
    std::uint32_t gapBytes = 0; // filler (0xEE) between the table and the rows
    std::optional<std::uint32_t> pixelDataOffset {}; // written at offset 10 instead of the true one
    std::optional<std::uint8_t>
        paddingByte {}; // value of the bytes that pad rows; default: pattern
    // Rows top row first, each padded to the stride, as a reader hands them on. Empty: BmpRows().
    std::vector<std::uint8_t> pixels {};
    // Table bytes as stored. Empty: a generated table of tableEntries entries.
    std::vector<std::uint8_t> table {};
    std::uint32_t seed = 1; // varies the generated pixels and table
};

// Bytes per stored row: width x bitCount bits rounded up to a multiple of 4 bytes.
std::int32_t BmpStride(std::int32_t width, std::int32_t bitCount);

// The rows BuildBmp stores, top row first, stride-padded: layout.pixels or a seeded pattern.
std::vector<std::uint8_t> BmpRows(const BmpLayout &layout);

// The colour table bytes BuildBmp stores: layout.table or a seeded one (reserved bytes 0).
std::vector<std::uint8_t> BmpTable(const BmpLayout &layout);

// Offset of the first row when layout.pixelDataOffset does not move it.
std::uint32_t BmpRowsOffset(const BmpLayout &layout);

// The bytes of the whole file.
std::vector<std::uint8_t> BuildBmp(const BmpLayout &layout);

// Overwrites a little-endian field of size bytes (2 or 4) at offset, to spoil a built file.
void PutField(
    std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint32_t value, int size = 4);

} // namespace qv::test
