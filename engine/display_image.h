#pragma once

#include "engine/loaded_image.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace qv {

// A picture as the screen shows it, whatever window draws it: width x height pixels, top row
// first. An indexed picture holds one index a pixel and the 256 colours they name; any other
// holds each pixel's colour. Colours are 0x00RRGGBB.
struct DisplayImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool indexed = false;
    std::vector<std::uint8_t> indices;
    std::array<std::uint32_t, 256> colors {};
    std::vector<std::uint32_t> pixels;

    bool operator==(const DisplayImage &) const = default;
};

// The preview of an 8-bit bitmap file as AddBMPHeader builds it: its indices, coloured from the
// palette byte table (entry i: blue, green, red at 4i..4i+2), rows read from offset 1078, bottom
// row first in the file. Another bit count gives a black picture of the file's size. Throws
// qv::Failure when the file is too short for its header or rows, its size is not positive, or the
// table lacks entries.
DisplayImage DisplayImageFromBMPData(
    const std::vector<std::uint8_t> &fileBytes, const std::vector<std::uint8_t> &paletteTable);

// A loaded picture as it is on disk: an 8-bit one as its indices and its own table, a deeper one
// as its colours (the fourth byte is ignored). Nothing when it holds no picture of 8, 24 or 32 bits
// whose pixels fill its size.
std::optional<DisplayImage> DisplayImageOf(const LoadedImage &image);

} // namespace qv
