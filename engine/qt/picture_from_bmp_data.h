#pragma once

#include <cstdint>
#include <vector>

#include <QImage>

namespace qv {

// The preview picture of an 8-bit bitmap file as AddBMPHeader builds it: an indexed image coloured
// from the palette byte table (entry i: blue, green, red at 4i..4i+2), rows read from offset 1078,
// bottom row first in the file. Another bit count gives a black picture of the file's size. Throws
// qv::Failure when the file is too short for its header or rows, its size is not positive, or the
// table lacks entries.
QImage PictureFromBMPData(
    const std::vector<std::uint8_t> &fileBytes, const std::vector<std::uint8_t> &paletteTable);

} // namespace qv
