#include "common/built_in_palettes.h"
#include "palette/bounded_cell_matcher.h"
#include "palette/ciede2000_matcher.h"
#include "palette/color_spaces.h"
#include "palette/distance_measure.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"
#include "tests/palette/match_tables.h"

#include <cmath>
#include <memory>

#include <gtest/gtest.h>

namespace qv {
namespace {

// Pairs from Sharma, Wu and Dalal's CIEDE2000 test data: mean and hue wrap-around, the
// rotation term's blue region, grey, and very dark colours.
TEST(Ciede2000, GivesThePublishedDifferences)
{
    struct Pair {
        ColorPoint first;
        ColorPoint second;
        double expected;
    };
    const Pair pairs[] = {
        {{50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2.0425},
        {{50, 3.1571, -77.2803}, {50, 0, -82.7485}, 2.8615},
        {{50, 2.8361, -74.0200}, {50, 0, -82.7485}, 3.4412},
        {{50, -1.3802, -84.2814}, {50, 0, -82.7485}, 1.0000},
        {{50, 0, 0}, {50, -1, 2}, 2.3669},
        {{50, 2.5, 0}, {73, 25, -18}, 27.1492},
        {{50, 2.5, 0}, {50, 0, -2.5}, 4.3065},
        {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
    };
    for (const Pair &p : pairs) {
        EXPECT_NEAR(std::sqrt(Ciede2000Squared(p.first, p.second)), p.expected, 5e-5);
        EXPECT_NEAR(std::sqrt(Ciede2000Squared(p.second, p.first)), p.expected, 5e-5);
    }
}

TEST(ColorSpaces, KnownPointsAndRoundTrips)
{
    const ColorPoint white = OkLabOf(255, 255, 255);
    EXPECT_NEAR(white.x, 1.0, 1e-4);
    EXPECT_NEAR(white.y, 0.0, 1e-4);
    const ColorPoint red = CieLabOf(255, 0, 0);
    EXPECT_NEAR(red.x, 53.24, 0.01);
    EXPECT_NEAR(red.y, 80.09, 0.01);
    EXPECT_NEAR(red.z, 67.20, 0.01);
    for (int v = 0; v < 256; ++v) {
        const auto value = static_cast<std::uint8_t>(v);
        EXPECT_EQ(SrgbFromLinear(LinearFromSrgb(value)), value);
    }
    // Every light level gets the value whose light is nearest.
    int wrong = 0;
    for (int k = 0; k <= 200000; ++k) {
        const double light = k / 200000.0;
        const int v = SrgbFromLinear(light);
        const double miss = std::abs(LinearFromSrgb(static_cast<std::uint8_t>(v)) - light);
        for (const int other : {v - 1, v + 1}) {
            if (other >= 0 && other <= 255) {
                wrong += std::abs(LinearFromSrgb(static_cast<std::uint8_t>(other)) - light) < miss;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(SrgbFromLinear(-1.0), 0);
    EXPECT_EQ(SrgbFromLinear(2.0), 255);
}

// Each measure must really be another measure: on a random palette every one of them picks
// another entry than squared RGB for some colours, and the RGB one is the original search.
TEST(DistanceMeasure, EachMeasureChoosesDifferentlyFromRgb)
{
    const test::Table t = test::Tables()[0];
    const auto probes = test::Probes(300);
    std::array<int, 4> differing {};
    for (const auto &[b, g, r] : probes) {
        const int rgb = FindNearestColorPlain(t.colors, t.usable, b, g, r);
        for (std::size_t m = 0; m < differing.size(); ++m) {
            differing[m] +=
                FindNearestColorPlain(static_cast<DistanceMeasure>(m), t.colors, t.usable, b, g, r)
                != rgb;
        }
    }
    EXPECT_EQ(differing[0], 0);
    EXPECT_GT(differing[1], 0);
    EXPECT_GT(differing[2], 0);
    EXPECT_GT(differing[3], 0);
}

std::unique_ptr<ColorMatcher> MatcherFor(DistanceMeasure measure, const test::Table &t)
{
    auto matcher = std::make_unique<ColorMatcher>();
    matcher->Reset(t.colors, t.usable);
    matcher->SetMeasure(measure);
    return matcher;
}

class MeasureExactness : public ::testing::TestWithParam<DistanceMeasure>
{
};

// Every search against the plain one under its measure, on tables with skips, duplicates,
// crowds and cell borders. CIEDE2000's plain search is slow, so it gets fewer probes.
TEST_P(MeasureExactness, AgreesWithThePlainSearchOnRandomTables)
{
    const DistanceMeasure measure = GetParam();
    const auto probes = test::Probes(measure == DistanceMeasure::Ciede2000 ? 800 : 3000);
    for (const test::Table &t : test::Tables()) {
        SCOPED_TRACE(t.name);
        const std::unique_ptr<ColorMatcher> matcher = MatcherFor(measure, t);
        int mismatches = 0;
        for (int pass = 0; pass < 2; ++pass) { // the second pass reads what the first filled
            for (const auto &[b, g, r] : probes) {
                const int expected = FindNearestColorPlain(measure, t.colors, t.usable, b, g, r);
                const int found = matcher->Find(b, g, r);
                if (found != expected && ++mismatches <= 5) {
                    ADD_FAILURE() << "b" << int {b} << " g" << int {g} << " r" << int {r}
                                  << ": found " << found << ", expected " << expected;
                }
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST_P(MeasureExactness, AgreesWithThePlainSearchOnTheBuiltInPalettes)
{
    const DistanceMeasure measure = GetParam();
    const auto probes = test::Probes(measure == DistanceMeasure::Ciede2000 ? 300 : 1500);
    ScriptedDialogService dialogs;
    PaletteStore store;
    store.SetDistanceMeasure(measure);
    for (const char *name : kBuiltInPalettes) {
        SCOPED_TRACE(name);
        store.BuildMatchTable(dialogs, PaletteChoice::BuiltIn(name));
        store.TakeSnapshot(SkipOnly(255));
        ASSERT_TRUE(dialogs.Log().empty());
        int mismatches = 0;
        for (const auto &[b, g, r] : probes) {
            mismatches += store.FindNearestColor(b, g, r)
                != FindNearestColorPlain(
                    measure, store.MatchColors(), store.UsableColors(), b, g, r);
        }
        EXPECT_EQ(mismatches, 0);
    }
}

std::string MeasureName(const ::testing::TestParamInfo<DistanceMeasure> &param)
{
    const std::array<const char *, 4> names {"Rgb", "WeightedRgb", "OkLab", "Ciede2000"};
    return names[static_cast<std::size_t>(param.param)];
}

INSTANTIATE_TEST_SUITE_P(Measures,
    MeasureExactness,
    ::testing::Values(DistanceMeasure::Rgb,
        DistanceMeasure::WeightedRgb,
        DistanceMeasure::OkLab,
        DistanceMeasure::Ciede2000),
    MeasureName);

class CellMeasureExactness : public ::testing::TestWithParam<DistanceMeasure>
{
};

// A step smaller than the narrowest cell visits every cell of the cell lists, at a different
// spot in each, on a crowded table where the bounds decide most.
TEST_P(CellMeasureExactness, AgreesWithThePlainSearchAcrossTheWholeCube)
{
    const DistanceMeasure measure = GetParam();
    for (const std::size_t which : {1, 5}) {
        const test::Table t = test::Tables()[which];
        SCOPED_TRACE(t.name);
        const std::unique_ptr<ColorMatcher> matcher = MatcherFor(measure, t);
        int mismatches = 0;
        for (int r = 0; r < 256; r += 7) {
            for (int g = 0; g < 256; g += 7) {
                for (int b = 0; b < 256; b += 7) {
                    const auto bb = static_cast<std::uint8_t>(b);
                    const auto gg = static_cast<std::uint8_t>(g);
                    const auto rr = static_cast<std::uint8_t>(r);
                    mismatches += matcher->Find(bb, gg, rr)
                        != FindNearestColorPlain(measure, t.colors, t.usable, bb, gg, rr);
                }
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(CellMeasures,
    CellMeasureExactness,
    ::testing::Values(DistanceMeasure::WeightedRgb, DistanceMeasure::OkLab),
    MeasureName);

// A changed table must reach a search made earlier, whichever measure was in use at the time.
TEST(ColorMatcher, FollowsANewTableInEveryMeasure)
{
    const std::vector<test::Table> tables = test::Tables();
    const auto probes = test::Probes(200);
    ColorMatcher matcher;
    for (int m = 0; m < 4; ++m) {
        const auto measure = static_cast<DistanceMeasure>(m);
        matcher.SetMeasure(measure);
        for (const std::size_t which : {0, 3, 1}) {
            const test::Table &t = tables[which];
            matcher.Reset(t.colors, t.usable);
            int mismatches = 0;
            for (const auto &[b, g, r] : probes) {
                mismatches += matcher.Find(b, g, r)
                    != FindNearestColorPlain(measure, t.colors, t.usable, b, g, r);
            }
            EXPECT_EQ(mismatches, 0) << "measure " << m << ", table " << t.name;
        }
    }
}

} // namespace
} // namespace qv
