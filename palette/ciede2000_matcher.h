#pragma once

#include "palette/ciede2000_bound.h"
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
// measures the RGB answer first, then walks the entries outward from the colour's lightness
// until the lightness term alone exceeds the best difference found; an entry on the way is
// measured only when Ciede2000LowerBound does not rule it out. Entries are compared with the
// plain search's very numbers, the lower index first on a tie.
class Ciede2000Matcher
{
public:
    Ciede2000Matcher();

    void Reset(const std::array<MatchColor, 256> &colors, const std::array<bool, 256> &usable);

    int Find(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
    {
        return answers_.Find(red, green, blue, [&] { return Search(red, green, blue); });
    }

    void Prefetch(std::uint8_t blue, std::uint8_t green, std::uint8_t red) const
    {
        answers_.Prefetch(red, green, blue);
    }

private:
    struct Entry {
        BoundPoint point;
        std::uint8_t index = 0;
    };

    std::uint8_t Search(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

    std::vector<Entry> byLightness_; // usable entries, distinct colours, by ascending L
    ColorAnswerCache answers_;
    NearestColorCache rgb_;
    std::array<std::size_t, 256> position_ {}; // in byLightness_, of each entry kept there
};

} // namespace qv
