#pragma once

#include "palette/packed_colour.h"
#include "palette/recent_answers.h"
#include "platform/large_table.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace qv {

// The answer of a search for each of the 2^24 colours, kept once found: 16 MiB of answers left
// uninitialised and 2 MiB of flags telling which are known, so forgetting everything is cheap.
// Both sit in large pages where the system has them. Colours are kept in the order of their
// interleaved bits (red, green, blue, from the top bit down), so each 4 x 4 x 4 block of similar
// colours shares one flag word and one 64-byte line of answers: a smooth or dithered picture
// reads few lines, where red, green, blue order would jump 64 KiB for each step of red. The
// answers asked for last are also kept in a table the processor's cache holds, read first.
class ColorAnswerCache
{
public:
    ColorAnswerCache()
        : known_(kWords)
        , answers_(kColors)
    {
        Clear();
    }

    void Clear()
    {
        std::fill(known_.Data(), known_.Data() + kWords, 0);
        recent_.Clear();
    }

    // The kept answer, or search(): called only the first time a colour is asked for.
    template <typename Search>
    std::uint8_t Find(std::uint8_t red, std::uint8_t green, std::uint8_t blue, Search &&search)
    {
        return recent_.Find(PackedColour(red, green, blue), [&] {
            const std::uint32_t key = kSpread[red] << 2 | kSpread[green] << 1 | kSpread[blue];
            std::uint64_t &word = known_[key >> 6];
            const std::uint64_t bit = std::uint64_t {1} << (key & 63);
            if ((word & bit) == 0) {
                answers_[key] = search();
                word |= bit;
            }
            return answers_[key];
        });
    }

    // Starts loading what Find will read for the colour, so a search of many colours waits for
    // memory once for several of them instead of once each.
    void Prefetch(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const
    {
#if defined(__GNUC__)
        recent_.Prefetch(PackedColour(red, green, blue));
#else
        (void)red;
        (void)green;
        (void)blue;
#endif
    }

private:
    // A value's bits 3 apart: bit i moves to bit 3 i.
    static constexpr std::array<std::uint32_t, 256> kSpread = [] {
        std::array<std::uint32_t, 256> spread {};
        for (std::uint32_t v = 0; v < 256; ++v) {
            for (std::uint32_t bit = 0; bit < 8; ++bit) {
                spread[v] |= (v >> bit & 1) << (3 * bit);
            }
        }
        return spread;
    }();
    static constexpr std::size_t kColors = std::size_t {1} << 24;
    static constexpr std::size_t kWords = kColors / 64;
    LargeTable<std::uint64_t> known_;
    LargeTable<std::uint8_t> answers_;
    RecentAnswers recent_;
};

} // namespace qv
