#pragma once

#include "platform/large_table.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace qv {

// The CIEDE2000 differences measured so far, by pair of colours, kept from one picture to the
// next: the window measures the same picture's pairs again at every click, and a measurement
// costs about 200 ns where reading a kept one costs a memory read. The difference of a pair never
// changes, so nothing is forgotten on purpose; a full bucket gives up one slot in turn. Buckets
// are a 64-byte line of four slots each, 8 MiB in all, taken at the first Find.
class PairDifferences
{
public:
    // Both colours as 0xRRGGBB, the picture's above the entry's. Never 0 for a pair measured:
    // that is black against black, which the report counts as exact without measuring.
    static std::uint64_t PairOf(std::uint32_t colour, std::uint32_t entry)
    {
        return static_cast<std::uint64_t>(colour) << 24 | entry;
    }

    // The kept difference of the pair, or measure()'s, kept for next time.
    template <typename Measure> double Find(std::uint64_t pair, Measure &&measure)
    {
        if (!slots_) {
            slots_ = std::make_unique<LargeTable<Slot>>(kSlots);
            std::fill(slots_->Data(), slots_->Data() + kSlots, Slot {0, 0});
        }
        Slot *const bucket = slots_->Data() + BucketOf(pair);
        for (std::size_t k = 0; k < kWays; ++k) {
            if (bucket[k].pair == pair) {
                return bucket[k].difference;
            }
            if (bucket[k].pair == 0) {
                bucket[k] = {pair, measure()};
                return bucket[k].difference;
            }
        }
        Slot &given = bucket[turn_++ % kWays];
        given = {pair, measure()};
        return given.difference;
    }

    // Starts loading the pair's bucket, so that a run over many new pairs waits for memory once
    // for several of them.
    void Prefetch(std::uint64_t pair) const
    {
#if defined(__GNUC__)
        if (slots_) {
            __builtin_prefetch(slots_->Data() + BucketOf(pair));
        }
#else
        (void)pair;
#endif
    }

private:
    struct Slot {
        std::uint64_t pair;
        double difference;
    };
    static constexpr std::size_t kWays = 4;
    static constexpr std::size_t kSlots = std::size_t {1} << 19;

    // The first slot of the pair's bucket: the pair's bits mixed (SplitMix64's finalizer), the
    // top ones taken. Neighbouring colours must not crowd into a few buckets.
    static std::size_t BucketOf(std::uint64_t pair)
    {
        constexpr int kBucketBits = 17; // kSlots / kWays buckets
        std::uint64_t mixed = (pair ^ pair >> 30) * 0xBF58476D1CE4E5B9u;
        mixed = (mixed ^ mixed >> 27) * 0x94D049BB133111EBu;
        return static_cast<std::size_t>((mixed ^ mixed >> 31) >> (64 - kBucketBits)) * kWays;
    }

    std::unique_ptr<LargeTable<Slot>> slots_; // made at the first Find
    // Counts full buckets met: the slot a full bucket gives up goes round, so that no two pairs
    // can keep pushing each other out of one slot.
    std::size_t turn_ = 0;
};

} // namespace qv
