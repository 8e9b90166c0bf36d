#pragma once

#include "engine/loaded_image.h"

#include <cstdint>
#include <vector>

// The bitmap module's reader: the bytes of a bitmap file into the loaded-image form (the writer is
// engine/mod_add_bmp_header.h). Failures are thrown as qv::Failure and belong to the caller's
// failure path.
namespace qv {

// Parses the bytes of a bitmap file into image. width, height and bitCount are stored first, so
// they survive a failure later in the parse. The old 12-byte OS/2 header is read with its own
// 16-bit fields and 3-byte table entries. Rows start at the file's pixel-data offset when it
// lies at or after the colour table and the rows fit behind it; otherwise right after the table.
// A 1-, 4- or 8-bit table holds "colours used" entries when that is 1..2^bitCount - 1, else
// 2^bitCount; image.palette then always has 2^bitCount entries (1024 bytes for 8-bit), missing
// entries zero. Other depths leave image.palette as it was. Every field, the table and the rows are
// checked against the file length before anything is allocated: a read outside the file is failure
// 62, a width, height or header size out of range failure 9, a size product beyond 32 bits
// failure 6. Compressed rows (BMPCompression() != 0) are not rows at all: they are not read and
// image.pixels is left empty, so the caller can refuse the file by its compression.
void RemoveBMPHeader(const std::vector<std::uint8_t> &fileBytes, LoadedImage &image);

// How many bytes from the start of a file of fileLength bytes RemoveBMPHeader reads, known from
// its first bytes (the headers; 64 KiB are always enough for a picture this program reads).
// Stores width, height and bitCount into image as RemoveBMPHeader does, and fails as it would
// when the headers are broken or declare more than the file holds.
std::int64_t BMPBytesNeeded(
    const std::vector<std::uint8_t> &fileStart, std::int64_t fileLength, LoadedImage &image);

// The compression the rows of a bitmap file are stored with, 0 for plain rows. Bit fields (3) on
// a 32-bit file with the standard masks (red 0x00FF0000, green 0x0000FF00, blue 0x000000FF) are
// plain 32-bit rows and give 0. A header too short to have the field (the old 12- and 16-byte
// ones) means plain rows.
std::uint32_t BMPCompression(const std::vector<std::uint8_t> &fileBytes);

} // namespace qv
