#pragma once

#include "palette/color_spaces.h"

#include <cstdint>

namespace qv {

// A CIE L*a*b* colour with what the bound below needs of it computed once: its chroma
// sqrt(a^2 + b^2), and the quarter of the a, b plane its hue lies in (0: a > 0, b >= 0, from 0
// degrees up to 90; then 90..180, 180..270, 270..360), or 4 for a grey or a hue within a
// millionth of a radian of an axis, where rounding could move it to the next quarter.
struct BoundPoint {
    ColorPoint lab;
    double chroma = 0;
    std::uint8_t quarter = 4;
};

BoundPoint BoundPointOf(const ColorPoint &lab);

// A lower bound of Ciede2000Squared(first.lab, second.lab), for ruling entries out cheaply.
// Everything but the hue weight S_H and the rotation R_T is computed as CIEDE2000 does: the
// lightness term (S_L rounded up by a table), G, C' and so the chroma term c. The square of the
// hue difference is 2 (C1' C2' - a1' a2' - b1 b2), without any angle. G scales a alone, so each
// hue stays in its quarter, and the mean hue of two hues in one quarter or in neighbouring ones
// lies between them; that range bounds T, so S_H, and the hue turn of the rotation (which is
// strong only near 275 degrees). The hue term h is bounded by S_H at its largest and smallest,
// the rotation's R_T c h is at least -r |c| |h| with r the largest sin(2 turn) R_C, and the least
// of h^2 - r |c| |h| over h's range (at r |c| / 2 when it lies inside) bounds the rest.
double Ciede2000LowerBound(const BoundPoint &first, const BoundPoint &second);

// A looser lower bound at a fraction of the cost, to try first: the lightness term as above,
// and the chroma and hue terms together at least the a, b distance (G only stretches a) over
// S_C at its largest, 1 + 0.03375 (C1 + C2) (C' is at most 1.5 C, and S_H never exceeds S_C),
// the rotation taking at most the largest sin(2 turn) of their sum.
double Ciede2000QuickBound(const BoundPoint &first, const BoundPoint &second);

} // namespace qv
