#pragma once

#include "engine/loaded_image.h"
#include "platform/readable_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The eight bytes every PNG file starts with.
bool IsPngSignature(const std::vector<std::uint8_t> &bytes);

// A name ending in ".png", in any case.
bool HasPngExtension(const std::string &path);

// Reads a PNG file's bytes into image: an indexed PNG (1 to 8 bits) as 8-bit indices with its
// table, a PNG with alpha (grey + alpha, RGBA, or a tRNS chunk) as 32-bit pixels, any other as
// 24-bit ones; 16-bit samples keep their high byte. Width and height are set from the header
// first; when either is above largestSize nothing is decoded and false is returned. A broken
// file throws a Failure whose description carries the reader's reason. The bytes are read in
// order a piece at a time: chunks the reader does not know are passed over, whatever their size,
// so are the bytes after IEND, and the chunks it keeps (text, colour profile) may take 16 MiB
// each and 32 MiB in all (a file that needs more is refused, saying so), so memory stays near
// what the picture needs.
bool DecodePng(
    const std::vector<std::uint8_t> &bytes, std::int32_t largestSize, LoadedImage &image);

// The same for an open file of any size, read a piece at a time. A failing read throws its file
// failure.
bool DecodePng(ReadableFile &file, std::int32_t largestSize, LoadedImage &image);

// An 8-bit indexed PNG of the indices (rows top first, stride RowStride(width, 8)) with a
// 256-entry palette from table (blue, green, red, reserved per entry). When transparentIndex is
// 0..255 that entry alone is marked fully transparent.
std::vector<std::uint8_t> EncodeIndexedPng(const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    const std::vector<std::uint8_t> &table,
    std::int32_t transparentIndex);

// A 24-bit PNG of rgb (red, green, blue per pixel, rows top first, no padding), for pictures
// drawn rather than converted (the difference picture). rgb of another size is failure 5.
std::vector<std::uint8_t> EncodeRgbPng(
    const std::vector<std::uint8_t> &rgb, std::int32_t width, std::int32_t height);

} // namespace qv
