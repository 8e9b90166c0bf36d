#pragma once

#include "platform/large_table.h"

#include <algorithm>
#include <cstdint>

namespace qv {

// The answer of a search for each of the 2^24 colours, kept once found: 16 MiB of answers left
// uninitialised and 2 MiB of flags telling which are known, so forgetting everything is cheap.
// Both are read at random, so both sit in large pages where the system has them.
class ColorAnswerCache
{
public:
    ColorAnswerCache()
        : known_(kWords)
        , answers_(kColors)
    {
        Clear();
    }

    void Clear() { std::fill(known_.Data(), known_.Data() + kWords, 0); }

    // The kept answer, or search(): called only the first time a colour is asked for.
    template <typename Search>
    std::uint8_t Find(std::uint8_t red, std::uint8_t green, std::uint8_t blue, Search &&search)
    {
        const std::uint32_t key =
            static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue;
        std::uint64_t &word = known_[key >> 6];
        const std::uint64_t bit = std::uint64_t {1} << (key & 63);
        if ((word & bit) == 0) {
            answers_[key] = search();
            word |= bit;
        }
        return answers_[key];
    }

private:
    static constexpr std::size_t kColors = std::size_t {1} << 24;
    static constexpr std::size_t kWords = kColors / 64;
    LargeTable<std::uint64_t> known_;
    LargeTable<std::uint8_t> answers_;
};

} // namespace qv
