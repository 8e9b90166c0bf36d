#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace qv {

// The answer of a search for each of the 2^24 colours, kept once found: 16 MiB of answers left
// uninitialised and 2 MiB of flags telling which are known, so forgetting everything is cheap.
class ColorAnswerCache
{
public:
    ColorAnswerCache()
        : known_(kColors / 64, 0)
        , answers_(std::make_unique_for_overwrite<std::uint8_t[]>(kColors))
    { }

    void Clear() { std::fill(known_.begin(), known_.end(), 0); }

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
    std::vector<std::uint64_t> known_;
    std::unique_ptr<std::uint8_t[]> answers_;
};

} // namespace qv
