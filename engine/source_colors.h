#pragma once

#include "common/conversion_options.h"
#include "engine/loaded_image.h"

#include <cstdint>

namespace qv {

// The colour of pixel (column, row) of a loaded 8-, 24- or 32-bit picture as the file holds it: an
// 8-bit pixel through the picture's own table. Throws qv::Failure for a position outside the
// picture or its data, or for another depth.
Rgb SourceColorAt(const LoadedImage &image, std::int32_t column, std::int32_t row);

// The colour most pixels of the picture have; a tie goes to the lowest red, then green, then
// blue. Black for a picture without pixels.
Rgb MostFrequentSourceColor(const LoadedImage &image);

} // namespace qv
