#pragma once

#include "engine/display_image.h"

#include <cstdint>
#include <vector>

#include <QImage>

namespace qv {

// A picture for the screen as a Qt image of the same size and colours.
QImage ToQImage(const DisplayImage &image);

// DisplayImageFromBMPData as a Qt image; throws as it does.
QImage PictureFromBMPData(
    const std::vector<std::uint8_t> &fileBytes, const std::vector<std::uint8_t> &paletteTable);

} // namespace qv
