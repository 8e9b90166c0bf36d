#pragma once

#include "palette/color_matching.h"
#include "palette/color_spaces.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace qv {

// Finds exactly the entry the plain search finds under CIEDE2000. The measure is not a metric
// (no triangle inequality), so the cell lists of the other measures have no safe bound to stand
// on. Instead every colour is searched once and its answer kept in a table of all 2^24 colours:
// exact by construction, and fast on real pictures, which repeat their colours. The one search
// visits the usable entries outward from the colour's lightness and stops when the lightness
// difference alone, divided by the largest lightness weight, exceeds the best difference found
// (the other terms of CIEDE2000 add a non-negative amount, the rotation term being at most the
// sum of the chroma and hue squares); entries are compared with the plain search's very numbers,
// lower index first on a tie.
class Ciede2000Matcher
{
public:
    Ciede2000Matcher();

    void Reset(const std::array<MatchColor, 256> &colors, const std::array<bool, 256> &usable);

    int Find(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
    {
        const std::uint32_t key =
            static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue;
        std::uint64_t &word = known_[key >> 6];
        const std::uint64_t bit = std::uint64_t {1} << (key & 63);
        if ((word & bit) == 0) {
            answers_[key] = Search(red, green, blue);
            word |= bit;
        }
        return answers_[key];
    }

private:
    struct Entry {
        ColorPoint lab;
        std::uint8_t index = 0;
    };

    std::uint8_t Search(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;

    std::vector<Entry> byLightness_; // usable entries, distinct colours, by ascending L
    std::vector<std::uint64_t> known_;
    std::unique_ptr<std::uint8_t[]> answers_;
};

} // namespace qv
