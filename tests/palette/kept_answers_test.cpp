#include "palette/pair_differences.h"
#include "palette/recent_answers.h"

#include <cstdint>

#include <gtest/gtest.h>

namespace qv {
namespace {

// A stand-in measure: any answer other than the pair's own would show.
double MeasureOf(std::uint64_t pair)
{
    return static_cast<double>(pair) * 0.25;
}

// Reads `count` pairs starting at the first, counting the measurements made, and whether every
// answer was the pair's own.
struct Pass {
    int measured = 0;
    bool allOwn = true;
};

Pass Read(PairDifferences &known, std::uint32_t first, std::uint32_t count)
{
    Pass pass;
    for (std::uint32_t i = first; i < first + count; ++i) {
        // Colours spread over the cube, the entry one of 256; never the pair 0.
        const std::uint64_t pair =
            PairDifferences::PairOf(i * 2654435761u & 0xFFFFFF, 0x010101 * (i % 256) + 1);
        const double got = known.Find(pair, [&] {
            ++pass.measured;
            return MeasureOf(pair);
        });
        pass.allOwn = pass.allOwn && got == MeasureOf(pair);
    }
    return pass;
}

TEST(PairDifferences, KeepsWhatFitsAndAnswersEveryPairWithItsOwnDifference)
{
    PairDifferences known;
    constexpr std::uint32_t kFew = 1 << 14; // a 128 x 128 picture of new colours: fits
    constexpr std::uint32_t kMany = 1 << 21; // four times the room: buckets fill and give up
    const struct {
        std::uint32_t first;
        std::uint32_t count;
        int measured;
    } kPasses[] = {
        {0, kFew, kFew}, // all new
        {0, kFew, 0}, // all kept
        {kFew, kMany, kMany}, // all new, most of the kept ones given up
    };
    for (const auto &step : kPasses) {
        const Pass pass = Read(known, step.first, step.count);
        EXPECT_EQ(pass.measured, step.measured) << step.first << " + " << step.count;
        EXPECT_TRUE(pass.allOwn) << step.first << " + " << step.count;
    }
    // After the flood, the first pairs come back measured or kept, but always right.
    EXPECT_TRUE(Read(known, 0, kFew).allOwn);
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
