#include "palette/nearest_color_cache.h"

#include <algorithm>
#include <limits>
#include <new>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QV_WIDE_SEARCH 1
#include <immintrin.h>
#endif

namespace qv {
namespace {

// Closest and farthest distance along one axis between a value and the range [low, high].
struct Reach {
    int nearest;
    int farthest;
};

Reach AxisReach(int value, int low, int high)
{
    return {std::max({0, low - value, value - high}), std::max(value - low, high - value)};
}

// The least, over the range [low, high] of c, of (c - value)^2 - (c - anchor)^2: how much
// farther the entry is than the anchor along one axis at worst. Linear in c, so found at an end.
int AxisAdvantage(int value, int anchor, int low, int high)
{
    const int c = anchor > value ? low : high;
    return (anchor - value) * (2 * c - value - anchor);
}

} // namespace

NearestColorCache::NearestColorCache(Evaluation evaluation)
    : wide_(evaluation == Evaluation::Fastest && WideAvailable())
{
    Reset({}, {});
}

bool NearestColorCache::WideAvailable()
{
#ifdef QV_WIDE_SEARCH
    static const bool available = __builtin_cpu_supports("avx2") != 0;
    return available;
#else
    return false;
#endif
}

#ifdef QV_WIDE_SEARCH
// Each candidate is read as one 32-bit lane: red in the low byte, then green, blue and the
// index. Red and blue become a pair of 16-bit differences whose squares one multiply-add sums;
// green is a pair with zero. Lanes past the list's end hold kNoCandidate.
namespace {

// The keys, distance << 8 | index, of eight candidates against the colour: red | blue << 16 and
// green in every lane.
__attribute__((target("avx2"))) inline __m256i CandidateKeys(
    __m256i candidates, __m256i redBlue, __m256i green)
{
    const __m256i dRedBlue =
        _mm256_sub_epi16(redBlue, _mm256_and_si256(candidates, _mm256_set1_epi32(0x00FF00FF)));
    const __m256i dGreen = _mm256_sub_epi16(
        green, _mm256_and_si256(_mm256_srli_epi32(candidates, 8), _mm256_set1_epi32(0xFF)));
    const __m256i distance =
        _mm256_add_epi32(_mm256_madd_epi16(dRedBlue, dRedBlue), _mm256_madd_epi16(dGreen, dGreen));
    return _mm256_or_si256(_mm256_slli_epi32(distance, 8), _mm256_srli_epi32(candidates, 24));
}

// The least of eight keys.
__attribute__((target("avx2"))) inline int LeastKey(__m256i keys)
{
    __m128i least = _mm_min_epi32(_mm256_castsi256_si128(keys), _mm256_extracti128_si256(keys, 1));
    least = _mm_min_epi32(least, _mm_shuffle_epi32(least, 0x4E));
    least = _mm_min_epi32(least, _mm_shuffle_epi32(least, 0xB1));
    return _mm_cvtsi128_si32(least);
}

} // namespace

__attribute__((target("avx2"))) int NearestColorCache::SearchWide(
    CandidateList list, int red, int green, int blue) const
{
    static_assert(sizeof(Candidate) == 4);
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i redBlue = _mm256_set1_epi32(red | blue << 16);
    const __m256i greenOnly = _mm256_set1_epi32(green);
    const __m256i none = _mm256_set1_epi32(kNoCandidate);
    __m256i best = none;
    const Candidate *c = pool_.data() + list.start;
    const std::int32_t count = list.Count();
    for (std::int32_t k = 0; k < count; k += 8) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(c + k));
        const __m256i inList = _mm256_cmpgt_epi32(_mm256_set1_epi32(count - k), lanes);
        best = _mm256_min_epi32(
            best, _mm256_blendv_epi8(none, CandidateKeys(v, redBlue, greenOnly), inList));
    }
    const int key = LeastKey(best);
    return key == kNoCandidate ? 0 : key & 0xFF;
}

__attribute__((target("avx2"))) void NearestColorCache::FindRowWide(
    const std::uint8_t *pixels, std::size_t step, std::size_t count, std::uint8_t *out)
{
    if (!blocks_) {
        MakeTables();
    }
    // As SearchWide, on a block of eight candidates.
    const Block *blocks = blocks_.get();
    const BlockState *states = blockStates_.get();
    std::uint32_t lastColour = lastColour_;
    int lastAnswer = lastAnswer_;
    for (std::size_t i = 0; i < count; ++i, pixels += step) {
        const int blue = pixels[0];
        const int green = pixels[1];
        const int red = pixels[2];
        const std::uint32_t colour = static_cast<std::uint32_t>(red) << 16
            | static_cast<std::uint32_t>(green) << 8 | static_cast<std::uint32_t>(blue);
        if (colour != lastColour) {
            lastColour = colour;
            const std::size_t cell = CellIndex(red, green, blue, kShifts[kFinest]);
            if (states[cell] == kBlockMade) {
                const __m256i v = _mm256_loadu_si256(
                    reinterpret_cast<const __m256i *>(blocks[cell].candidates.data()));
                lastAnswer = LeastKey(CandidateKeys(
                                 v, _mm256_set1_epi32(red | blue << 16), _mm256_set1_epi32(green)))
                    & 0xFF;
            } else {
                lastAnswer = FindWithoutBlock(cell, red, green, blue);
            }
        }
        out[i] = static_cast<std::uint8_t>(lastAnswer);
    }
    lastColour_ = lastColour;
    lastAnswer_ = lastAnswer;
}
#else
int NearestColorCache::SearchWide(CandidateList, int, int, int) const
{
    return 0; // never called: wide_ is false where the processor cannot
}

void NearestColorCache::FindRowWide(const std::uint8_t *, std::size_t, std::size_t, std::uint8_t *)
{
    // never called: wide_ is false where the processor cannot
}

int NearestColorCache::FindWithoutBlock(std::size_t, int, int, int)
{
    return 0; // never called, as FindRowWide
}
#endif

int NearestColorCache::FindWithoutBlock(std::size_t cell, int red, int green, int blue)
{
    const CandidateList list = FineList(red, green, blue);
    const std::int32_t count = list.Count();
    if (count < 1 || count > 8) {
        blockStates_[cell] = kListTooLong;
    } else if (blockStates_[cell] == kNoBlockYet) {
        const Candidate *c = pool_.data() + list.start;
        Block &block = blocks_[cell];
        for (std::size_t k = 0; k < block.candidates.size(); ++k) {
            block.candidates[k] = c[static_cast<std::int32_t>(k) < count ? k : 0];
        }
        blockStates_[cell] = kBlockMade;
    }
    return SearchWide(list, red, green, blue);
}

void NearestColorCache::FindRow(
    const std::uint8_t *pixels, std::size_t step, std::size_t count, std::uint8_t *out)
{
    if (wide_) {
        FindRowWide(pixels, step, count, out);
        return;
    }
    for (std::size_t i = 0; i < count; ++i, pixels += step) {
        out[i] = static_cast<std::uint8_t>(Find(pixels[0], pixels[1], pixels[2]));
    }
}

void NearestColorCache::MakeTables()
{
    for (std::size_t level = 0; level < kShifts.size(); ++level) {
        levels_[level] = Cells(CellCount(level));
    }
    // A block is read only once made: a small picture writes a few of its pages.
    blocks_ = ZeroedTable<Block>(CellCount(kFinest), TablePages::OnFirstTouch);
    blockStates_ = ZeroedTable<BlockState>(CellCount(kFinest));
    pool_.reserve(std::size_t {1} << 16);
}

void NearestColorCache::Reset(
    const std::array<MatchColor, 256> &colors, const std::array<bool, 256> &usable)
{
    pool_.clear();
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (!usable[i]) {
            continue;
        }
        // The match table holds bytes; anything else would not be a palette colour.
        const Candidate entry {static_cast<std::uint8_t>(colors[i].red),
            static_cast<std::uint8_t>(colors[i].green),
            static_cast<std::uint8_t>(colors[i].blue),
            static_cast<std::uint8_t>(i)};
        // A later usable entry of the same colour always loses the tie, so it is left out: a
        // palette padded with 200 blacks then costs no more than one with a single black.
        const bool repeated = std::any_of(pool_.begin(), pool_.end(), [&](const Candidate &c) {
            return c.red == entry.red && c.green == entry.green && c.blue == entry.blue;
        });
        if (!repeated) {
            pool_.push_back(entry);
        }
    }
    usable_ = CandidateList::Of(0, pool_.size());
    pool_.resize(pool_.size() + kPadding);
    lastColour_ = kNoColour;
    for (Cells &cells : levels_) {
        cells = Cells();
    }
    blocks_ = ZeroedTable<Block>();
    blockStates_ = ZeroedTable<BlockState>();
}

NearestColorCache::CandidateList NearestColorCache::LevelList(
    std::size_t level, int red, int green, int blue)
{
    if (!levels_[level]) {
        MakeTables();
    }
    const int shift = kShifts[level];
    CandidateList &list = levels_[level][CellIndex(red, green, blue, shift)];
    if (!list.Built()) {
        const CandidateList parent = level == 0 ? usable_ : LevelList(level - 1, red, green, blue);
        const int mask = ~((1 << shift) - 1);
        list = BuildList(parent, 1 << shift, red & mask, green & mask, blue & mask);
    }
    return list;
}

NearestColorCache::CandidateList NearestColorCache::BuildList(
    CandidateList parent, int side, int red, int green, int blue)
{
    const auto entry = [&](std::int32_t k) {
        return pool_[parent.start + static_cast<std::uint32_t>(k)];
    };
    // Every colour of the cell lies within `limit` of the anchor entry. The scratch arrays are
    // left unset: only the entries written below are read, and clearing them cost a fifth of
    // building a list.
    std::array<int, 256> nearest;
    int limit = std::numeric_limits<int>::max();
    Candidate anchor {};
    for (std::int32_t k = 0; k < parent.Count(); ++k) {
        const Candidate c = entry(k);
        const Reach r = AxisReach(c.red, red, red + side - 1);
        const Reach g = AxisReach(c.green, green, green + side - 1);
        const Reach b = AxisReach(c.blue, blue, blue + side - 1);
        nearest[static_cast<std::size_t>(k)] =
            r.nearest * r.nearest + g.nearest * g.nearest + b.nearest * b.nearest;
        const int farthest =
            r.farthest * r.farthest + g.farthest * g.farthest + b.farthest * b.farthest;
        if (farthest < limit) {
            limit = farthest;
            anchor = c;
        }
    }
    // An entry can win somewhere in the cell only if it comes within `limit` of the cell and is
    // not farther than the anchor from every colour of it. An entry tying with the winner is as
    // close as the winner, so it passes both tests and the lowest index still wins.
    const auto keep = [&](std::int32_t k) {
        const Candidate c = entry(k);
        const int advantage = AxisAdvantage(c.red, anchor.red, red, red + side - 1)
            + AxisAdvantage(c.green, anchor.green, green, green + side - 1)
            + AxisAdvantage(c.blue, anchor.blue, blue, blue + side - 1);
        return nearest[static_cast<std::size_t>(k)] <= limit && advantage <= 0;
    };
    std::array<Candidate, 256> kept;
    std::size_t count = 0;
    for (std::int32_t k = 0; k < parent.Count(); ++k) {
        if (keep(k)) {
            kept[count++] = entry(k);
        }
    }
    if (count == static_cast<std::size_t>(parent.Count())) {
        return parent; // nothing to drop: share the parent's list rather than copy it
    }
    pool_.resize(pool_.size() - kPadding);
    const auto start = static_cast<std::uint32_t>(pool_.size());
    pool_.insert(pool_.end(), kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(count));
    pool_.resize(pool_.size() + kPadding);
    return CandidateList::Of(start, count);
}

} // namespace qv
