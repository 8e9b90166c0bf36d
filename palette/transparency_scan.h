#pragma once

#include "common/conversion_options.h"
#include "platform/dialog_service.h"

#include <cstdint>
#include <vector>

namespace qv {

class PaletteStore;

// The most frequent index of a picture, ties to the lower index. A 24- or 32-bit picture is first
// matched to the target palette without brightness, with the match table as it stands (prepared
// from the options first if nothing has prepared it yet). Row padding is not counted. Throws
// qv::Failure when the pixels are shorter than the size requires.
std::int32_t ScanForTransparentColor(DialogService &dialogs,
    PaletteStore &store,
    const ConversionOptions &options,
    std::vector<std::uint8_t> pixels,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth);

// The input transparent colour picked at pixel (column, row) of a loaded picture (rows top first,
// stride = width x depth / 8 rounded up to 4): the index there for an 8-bit picture, the target
// entry nearest to its colour (the options' palette reloaded, no brightness) for a 24- or 32-bit
// one. Throws qv::Failure when the position lies outside the picture or its data, or for another
// depth.
std::int32_t PickTransparentIndex(DialogService &dialogs,
    PaletteStore &store,
    const ConversionOptions &options,
    const std::vector<std::uint8_t> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth,
    std::int32_t column,
    std::int32_t row);

} // namespace qv
