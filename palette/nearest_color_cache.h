#pragma once

#include "palette/color_matching.h"
#include "palette/packed_colour.h"
#include "platform/zeroed_table.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

// Finds exactly the entry FindNearestColorPlain finds, much faster. The colour cube is cut into
// cells, and each cell keeps the few usable entries that can be nearest to some colour inside
// it; a colour is compared only with its cell's candidates. An entry is dropped from a cell when
// even its closest approach to the cell is farther than the farthest approach of the anchor
// (the entry whose farthest approach is least), or when it is farther than the anchor from
// every colour of the cell. The entry that wins, and any entry tying with it, survive both
// tests, so the answer, lowest index on ties included, is that of the plain search.
// Lists are built on first use, each from the list of the twice larger cell around it, and
// kept until Reset. The cell tables (about 300 KiB) are made on the first search, as zero pages
// mapped in one step, and handed back at Reset, so a store that is never searched costs nothing.
class NearestColorCache
{
public:
    // How a cell's candidates are compared with the colour: eight at a time with AVX2 where the
    // processor has it, else one by one; both give the same answer.
    enum class Evaluation { Fastest, OneByOne };

    explicit NearestColorCache(Evaluation evaluation = Evaluation::Fastest);
    // Whether this processor can compare eight candidates at a time.
    static bool WideAvailable();

    // Takes a new table and usable flags and forgets every list.
    void Reset(const std::array<MatchColor, 256> &colors, const std::array<bool, 256> &usable);

    int Find(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
    {
        // Drawn pictures repeat a colour along a row far more often than not.
        const std::uint32_t colour = PackedColour(red, green, blue);
        if (colour != lastColour_) {
            lastColour_ = colour;
            lastAnswer_ = Search(blue, green, red);
        }
        return lastAnswer_;
    }

    // Find's answer for each of count colours, read as blue, green, red from pixels step bytes
    // apart, into out: a row at a time, with the eight-at-a-time comparison set up once per row
    // instead of once per colour.
    void FindRow(
        const std::uint8_t *pixels, std::size_t step, std::size_t count, std::uint8_t *out);

private:
    int Search(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
    {
        const CandidateList list = FineList(red, green, blue);
        if (wide_) {
            return SearchWide(list, red, green, blue);
        }
        // Distance and index in one key: the smallest key is the nearest entry, and among
        // equally near entries the lowest index, with no hard-to-predict branch per candidate.
        int best = kNoCandidate;
        const Candidate *c = pool_.data() + list.start;
        for (const Candidate *end = c + list.Count(); c != end; ++c) {
            const int dr = red - c->red;
            const int dg = green - c->green;
            const int db = blue - c->blue;
            const int key = (dr * dr + dg * dg + db * db) << 8 | c->index;
            best = key < best ? key : best;
        }
        return best == kNoCandidate ? 0 : best & 0xFF;
    }

    // An entry's colour beside its index, so the search reads one small record per candidate.
    struct Candidate {
        std::uint8_t red;
        std::uint8_t green;
        std::uint8_t blue;
        std::uint8_t index;
    };
    // A range of pool_. All zero bytes, as a new cell table holds, mean not built yet.
    struct CandidateList {
        std::uint32_t start = 0;
        std::uint32_t countPlusOne = 0;

        static CandidateList Of(std::uint32_t start, std::size_t count)
        {
            return {start, static_cast<std::uint32_t>(count + 1)};
        }
        bool Built() const { return countPlusOne != 0; }
        std::int32_t Count() const { return static_cast<std::int32_t>(countPlusOne) - 1; }
    };
    // Cell tables come as zero pages: pages not yet touched cost neither time nor memory.
    using Cells = ZeroedTable<CandidateList>;
    // A finest cell's list of at most eight candidates, in one 32-byte block: the rows are
    // searched with one read of it instead of the list's place and then the list. The lanes
    // past the list's end repeat its first candidate, which changes no least key.
    struct alignas(32) Block {
        std::array<Candidate, 8> candidates;
    };
    enum BlockState : std::uint8_t { kNoBlockYet = 0, kBlockMade = 1, kListTooLong = 2 };

    static constexpr int kNoCandidate = 0x7FFFFFFF;
    static constexpr std::uint32_t kNoColour = 0xFFFFFFFF;
    static constexpr std::size_t kPadding = 7;
    // Cell sides from coarse to fine, as shifts: 64, 32, 16 and 8 values. The finest keeps the
    // lists short (one or two entries for most cells of a full palette); building each level
    // from the one above keeps the first use of a cell cheap.
    static constexpr std::array<int, 4> kShifts {6, 5, 4, 3};
    static constexpr std::size_t kFinest = kShifts.size() - 1;

    static std::size_t CellIndex(int red, int green, int blue, int shift)
    {
        const int perAxis = 256 >> shift;
        return static_cast<std::size_t>(
            ((red >> shift) * perAxis + (green >> shift)) * perAxis + (blue >> shift));
    }

    static std::size_t CellCount(std::size_t level)
    {
        return std::size_t {1} << (3 * (8 - kShifts[level]));
    }

    CandidateList FineList(int red, int green, int blue)
    {
        if (const CandidateList *cells = levels_[kFinest].get(); cells != nullptr) {
            const CandidateList list = cells[CellIndex(red, green, blue, kShifts[kFinest])];
            if (list.Built()) {
                return list;
            }
        }
        return LevelList(kFinest, red, green, blue);
    }
    // Makes the cell tables, every list not built yet.
    void MakeTables();
    // FindRow with the candidates compared eight at a time.
    void FindRowWide(
        const std::uint8_t *pixels, std::size_t step, std::size_t count, std::uint8_t *out);
    // FindRowWide's answer for a colour whose finest cell has no block yet, or a list too long
    // for one: makes the block where the list fits.
    int FindWithoutBlock(std::size_t cell, int red, int green, int blue);
    // Search's answer with the candidates compared eight at a time.
    int SearchWide(CandidateList list, int red, int green, int blue) const;
    // The list of the cell at that level holding the colour, built (with its parents) if needed.
    CandidateList LevelList(std::size_t level, int red, int green, int blue);
    // The candidates, among the parent list, of the cell of the given side at (red, green, blue).
    CandidateList BuildList(CandidateList parent, int side, int red, int green, int blue);

    CandidateList usable_; // every usable colour once: the parent of the coarsest cells
    std::array<Cells, kShifts.size()> levels_;
    ZeroedTable<Block> blocks_; // per finest cell
    ZeroedTable<BlockState> blockStates_;
    // Every list, followed by kPadding spare entries, so that eight candidates can always be
    // read from the start of a list's last few.
    std::vector<Candidate> pool_;
    bool wide_;
    // The colour searched last (none at first: no colour has a top byte) and its answer.
    std::uint32_t lastColour_ = kNoColour;
    int lastAnswer_ = 0;
};

} // namespace qv
