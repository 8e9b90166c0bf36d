#pragma once

#include "palette/palette_host.h"

#include <cstdint>
#include <vector>

namespace qv {

class PaletteStore;

// The output transparent index as the conversion uses it. A value outside 0..255 (only a
// hand-edited settings file gives one; it has no skip checkbox) is taken as 255.
std::uint8_t OutputTransparentIndex(PaletteHost &host);

// The most frequent index of a picture, ties to the lower index. A 24- or 32-bit picture is first
// matched to the target palette without brightness, with the match table as it stands (prepared
// first if nothing has prepared it yet). Row padding is not counted. Throws qv::Failure when the
// pixels are shorter than the size requires.
std::int32_t ScanForTransparentColor(PaletteHost &host,
    PaletteStore &store,
    std::vector<std::uint8_t> pixels,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth);

// The input transparent colour picked by a click at (xTwips, yTwips) on a loaded picture (rows
// top first, stride = width x depth / 8 rounded up to 4) shown at one picture pixel per screen
// pixel: the index under it for an 8-bit picture, the target entry nearest to its colour (palette
// reloaded, no brightness) for a 24- or 32-bit one. Positions and twips per pixel are rounded to
// integers before the integer division, as the screen reports them. Throws qv::Failure when the
// position lies outside the picture or its data, or for another depth.
std::int32_t PickTransparentIndex(PaletteHost &host,
    PaletteStore &store,
    const std::vector<std::uint8_t> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth,
    float xTwips,
    float yTwips,
    float twipsPerPixelX,
    float twipsPerPixelY);

} // namespace qv
