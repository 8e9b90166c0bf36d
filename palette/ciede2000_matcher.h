#pragma once

#include "palette/color_answer_cache.h"
#include "palette/color_matching.h"
#include "palette/color_spaces.h"
#include "palette/nearest_color_cache.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

// Finds exactly the entry the plain search finds under CIEDE2000. The measure is not a metric
// (no triangle inequality), so the cell lists of the other measures have no safe bound to stand
// on. Instead every colour is searched once and its answer kept in a table of all 2^24 colours:
// exact by construction, and fast on real pictures, which repeat their colours. The one search
// visits the usable entries outward from the colour's lightness and stops when the lightness
// difference alone, divided by the largest lightness weight, exceeds the best difference found
// (the other terms of CIEDE2000 add a non-negative amount, the rotation term being at most the
// sum of the chroma and hue squares). An entry is also passed over when a second bound says it
// cannot beat the best: (dL / 1.747)^2 + s (da^2 + db^2) / (1 + 0.03375 (C1 + C2))^2, since the
// chroma and hue squares add up to the a'b' distance (at least the ab distance) over S_C^2 or
// more, and the rotation term takes at most 1 - s of them, s = 1 - 0.8661 R_C / 2 with R_C taken
// at the largest mean C' the pair can have, 0.75 (C1 + C2). Entries are compared with the plain
// search's very numbers, lower index first on a tie.
class Ciede2000Matcher
{
public:
    Ciede2000Matcher();

    void Reset(const std::array<MatchColor, 256> &colors, const std::array<bool, 256> &usable);

    int Find(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
    {
        return answers_.Find(red, green, blue, [&] { return Search(red, green, blue); });
    }

private:
    struct Entry {
        ColorPoint lab;
        std::uint8_t index = 0;
        double chroma = 0;
    };

    std::uint8_t Search(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

    std::vector<Entry> byLightness_; // usable entries, distinct colours, by ascending L
    ColorAnswerCache answers_;
    // The RGB answer, nearly always near the CIEDE2000 one, is measured first: the bounds then
    // rule out most entries from the start.
    NearestColorCache rgb_;
    std::array<std::size_t, 256> position_ {}; // in byLightness_, of each entry kept there
};

} // namespace qv
