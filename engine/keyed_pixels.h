#pragma once

#include "common/conversion_options.h"
#include "engine/loaded_image.h"

#include <vector>

namespace qv {

// Whether the options key pixels by their source colour (the RGB key or each picture's most
// frequent colour, with Apply Transparency on); the input transparent index is then not used.
bool KeysByColor(const ConversionOptions &options);

// The pixels of a loaded picture that become the output transparent index whatever they are
// matched to: those of the key colour (KeysByColor) and, with Use Alpha on, those whose alpha is
// below the threshold. One flag per byte of the indexed rows (stride RowStride(width, 8)),
// padding never set; empty when nothing is keyed.
std::vector<bool> KeyedPixels(const LoadedImage &image, const ConversionOptions &options);

} // namespace qv
