#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qv {

// The answers of the colours asked for last, 2^20 of them in 2 MiB, which the processor's cache
// can hold where the table of every colour's answer (18 MiB) sits in memory. Error diffusion asks
// for a colour that depends on the answer for the one before, so each read of that table waits
// for memory in turn; the same reads from here do not.
//
// A colour is scrambled one to one (times an odd number, modulo 2^24): the top 18 bits choose a
// bucket of four 16-bit slots, and a slot holds the other 6 bits, a mark that it is in use and
// the answer. A new answer goes first in its bucket, pushing the last one out. The room is
// taken at the first answer kept.
class RecentAnswers
{
public:
    void Clear() { std::fill(buckets_.begin(), buckets_.end(), 0); }

    // The kept answer for the colour, or answer()'s, kept from now on.
    template <typename Answer> std::uint8_t Find(std::uint32_t colour, Answer &&answer)
    {
        if (const int kept = Find(colour); kept >= 0) {
            return static_cast<std::uint8_t>(kept);
        }
        const std::uint8_t found = answer();
        Add(colour, found);
        return found;
    }

    // The kept answer for the colour (0xRRGGBB), or -1.
    int Find(std::uint32_t colour) const
    {
        if (buckets_.empty()) {
            return -1;
        }
        const Place place = PlaceOf(colour);
        const std::uint64_t bucket = buckets_[place.bucket];
        for (int slot = 0; slot < 64; slot += 16) {
            const auto held = static_cast<std::uint32_t>(bucket >> slot & 0xFFFF);
            if (held >> 8 == place.mark) {
                return static_cast<int>(held & 0xFF);
            }
        }
        return -1;
    }

    void Add(std::uint32_t colour, std::uint8_t answer)
    {
        if (buckets_.empty()) {
            buckets_.assign(kBuckets, 0);
        }
        const Place place = PlaceOf(colour);
        std::uint64_t &bucket = buckets_[place.bucket];
        bucket = bucket << 16 | place.mark << 8 | answer;
    }

    void Prefetch(std::uint32_t colour) const
    {
#if defined(__GNUC__)
        if (!buckets_.empty()) {
            __builtin_prefetch(&buckets_[PlaceOf(colour).bucket]);
        }
#else
        (void)colour;
#endif
    }

private:
    static constexpr int kBucketBits = 18;
    static constexpr std::size_t kBuckets = std::size_t {1} << kBucketBits;

    struct Place {
        std::size_t bucket;
        std::uint32_t mark; // in use (0x80) and the scrambled colour's other bits
    };
    static Place PlaceOf(std::uint32_t colour)
    {
        const std::uint32_t scrambled = colour * 0x9E3779u & 0xFFFFFF; // odd: one to one
        return {
            scrambled >> (24 - kBucketBits), 0x80 | (scrambled & ((1u << (24 - kBucketBits)) - 1))};
    }

    std::vector<std::uint64_t> buckets_;
};

} // namespace qv
