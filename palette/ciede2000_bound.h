#pragma once

#include "palette/color_spaces.h"

namespace qv {

// A lower bound of Ciede2000Squared(first, second), the chromas being sqrt(a^2 + b^2) of each,
// for ruling entries out cheaply. Everything but the hue weight S_H and the rotation R_T is
// computed as CIEDE2000 does: the lightness term (S_L rounded up by a table), G, C' and so the
// chroma term c. The square of the hue difference is 2 (C1' C2' - a1' a2' - b1 b2), without any
// angle, and it is divided by S_H at its largest and at its smallest (T at its extremes) to
// bound the hue term h. The rotation adds R_T c h, at least -r |c| |h| with r = sin 60 R_C, so
// the least of h^2 - r |c| |h| over h's range (at r |c| / 2 when it lies inside) bounds the rest.
double Ciede2000LowerBound(
    const ColorPoint &first, double firstChroma, const ColorPoint &second, double secondChroma);

} // namespace qv
