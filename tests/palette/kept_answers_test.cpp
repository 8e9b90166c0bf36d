#include "palette/pair_differences.h"
#include "palette/recent_answers.h"

#include <cstdint>

#include <gtest/gtest.h>

namespace qv {
namespace {

// Kept differences are each pair's own, before and after the buckets fill: a picture's worth
// of pairs is all kept, a flood of four times the room is all new, and after it the first pairs
// come back kept or measured again, but right.
TEST(PairDifferences, KeepsWhatFitsAndAnswersEveryPairWithItsOwnDifference)
{
    PairDifferences known;
    const auto pairOf = [](std::uint32_t i) { // colours all over the cube; never the pair 0
        return PairDifferences::PairOf(i * 2654435761u & 0xFFFFFF, 0x010101 * (i % 256) + 1);
    };
    constexpr std::uint32_t kFew = 1 << 14;
    const struct {
        std::uint32_t first;
        std::uint32_t count;
        int measured; // -1: any number
    } kPasses[] = {{0, kFew, kFew}, {0, kFew, 0}, {kFew, 1 << 21, 1 << 21}, {0, kFew, -1}};
    for (const auto &step : kPasses) {
        int measured = 0;
        int wrong = 0;
        for (std::uint32_t i = step.first; i < step.first + step.count; ++i) {
            const auto own = static_cast<double>(pairOf(i)) * 0.25;
            wrong += known.Find(pairOf(i), [&] {
                ++measured;
                return own;
            }) != own;
        }
        EXPECT_EQ(wrong, 0) << step.first << " + " << step.count;
        if (step.measured >= 0) {
            EXPECT_EQ(measured, step.measured) << step.first << " + " << step.count;
        }
    }
}

// Whatever has been pushed out, an answer found is the colour's own: after a flood of four
// times the room, and right after a few colours, which are all still there.
TEST(RecentAnswers, FindsOnlyEachColoursOwnAnswer)
{
    RecentAnswers recent;
    const auto colourOf = [](std::uint32_t i) { return i * 2654435761u & 0xFFFFFF; };
    const auto answerOf = [](std::uint32_t colour) {
        return static_cast<std::uint8_t>(colour ^ colour >> 8 ^ colour >> 16);
    };
    const struct {
        std::uint32_t count;
        bool allKept;
    } kRuns[] = {{1 << 22, false}, {1 << 12, true}};
    for (const auto &run : kRuns) {
        for (std::uint32_t i = 0; i < run.count; ++i) {
            recent.Add(colourOf(i), answerOf(colourOf(i)));
        }
        std::uint32_t wrong = 0;
        std::uint32_t missing = 0;
        for (std::uint32_t i = 0; i < run.count; ++i) {
            const int found = recent.Find(colourOf(i));
            missing += found < 0;
            wrong += found >= 0 && found != answerOf(colourOf(i));
        }
        EXPECT_EQ(wrong, 0u) << run.count;
        EXPECT_EQ(missing == 0, run.allKept) << run.count << ": " << missing << " missing";
    }
}

} // namespace
} // namespace qv
