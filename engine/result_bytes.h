#pragma once

#include "common/conversion_options.h"
#include "engine/picture_offsets.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// A result file as bytes, or why the chosen format cannot hold the picture.
struct ResultFile {
    std::vector<std::uint8_t> bytes;
    // Not empty: nothing to write, for this reason (a Doom flat of a size no engine reads), to
    // follow the file's name: "comes out 50 x 30, which no Doom flat can be: ...".
    std::string refusal;
    // The offsets the file carries (Doom picture; PNG with offsets chosen).
    std::optional<PictureOffsets> offsets;
};

// The output transparent index while transparency is in use (Apply Transparency or Use Alpha),
// -1 otherwise: what a PNG marks transparent, a Doom picture leaves out of its posts and a Quake
// picture writes as 255.
std::int32_t TransparentIndexInUse(const ConversionOptions &options);

// The result file of the indexed rows (top first, stride RowStride(width, 8)) in the chosen
// format (anything but BMP, which AddBMPHeader writes) with the palette byte table.
ResultFile EncodeResult(const ConversionOptions &options,
    const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    const std::vector<std::uint8_t> &table);

} // namespace qv
