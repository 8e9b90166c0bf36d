#pragma once

#include <cstdint>

namespace qv {

// The picture pixel under a click in the picture box, which shows the picture at one picture pixel
// per screen pixel: twips / twips per pixel, both rounded to integers (halves to even) as the
// screen reports them, then the integer division. Throws qv::Failure 6 when a value does not fit,
// 11 when twips per pixel rounds to 0.
std::int32_t PixelAtTwips(double twips, double twipsPerPixel);

} // namespace qv
