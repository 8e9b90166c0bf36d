#pragma once

#include "common/conversion_options.h"
#include "palette/color_answer_cache.h"
#include "palette/color_matching.h"
#include "palette/distance_measure.h"
#include "palette/packed_colour.h"
#include "palette/recent_answers.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace qv {

// Finds exactly the entry the plain search finds under weighted RGB or OKLab. Like the RGB cache
// it cuts the colour cube into cells, from 64 values a side down to 8, and keeps per cell the
// usable entries that can be nearest to some colour inside it. For each entry a cell gives a
// lower and an upper bound of the distance to any colour in it: weighted RGB bounds its weights
// (red 2..3, blue 3..2, moving with the cell's red range) around the per-axis reach of the cell,
// and OKLab bounds the cell's image in OKLab by interval arithmetic (sRGB to linear light, to LMS
// with positive weights and the cube root are all increasing, so the cell's corners bound each
// step; the last matrix is taken interval by interval), padded for rounding. An entry whose lower
// bound exceeds the least upper bound of all entries is farther than that entry from every colour
// of the cell and is dropped; the winner and any entry tying with it stay. Candidates are then
// compared with MeasuredDistance in index order, strict <, as the plain search does, and a cell
// with a single candidate answers without measuring the colour at all. Under OKLab, where
// measuring a colour costs three cube roots, every answer is kept per colour and read first.
class BoundedCellMatcher
{
public:
    explicit BoundedCellMatcher(DistanceMeasure measure);

    void Reset(const std::array<MatchColor, 256> &colors, const std::array<bool, 256> &usable);

    int Find(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
    {
        // Under OKLab a known colour is one read of the answer table, before any cell list.
        if (answers_) {
            return answers_->Find(red, green, blue, [&] {
                return static_cast<std::uint8_t>(Search(blue, green, red));
            });
        }
        // Under weighted RGB the answers asked for last, read faster than a search.
        return recent_.Find(PackedColour(red, green, blue),
            [&] { return static_cast<std::uint8_t>(Search(blue, green, red)); });
    }

private:
    struct Candidate {
        MeasuredColor color;
        std::uint8_t index = 0;
    };
    struct CandidateList {
        std::uint32_t start = 0;
        std::int32_t count = -1;
    };
    static constexpr std::array<int, 4> kShifts {6, 5, 4, 3};
    static constexpr std::size_t kFinest = kShifts.size() - 1;

    // The answer from the cell lists, without the answer table.
    int Search(std::uint8_t blue, std::uint8_t green, std::uint8_t red);
    CandidateList LevelList(std::size_t level, int red, int green, int blue);
    CandidateList BuildList(CandidateList parent, int side, int red, int green, int blue);

    int Nearest(CandidateList list, std::uint8_t blue, std::uint8_t green, std::uint8_t red) const;

    DistanceMeasure measure_;
    std::unique_ptr<ColorAnswerCache> answers_; // OKLab only
    RecentAnswers recent_; // weighted RGB only
    CandidateList usable_;
    std::array<std::vector<CandidateList>, kShifts.size()> levels_;
    std::vector<Candidate> pool_;
};

} // namespace qv
