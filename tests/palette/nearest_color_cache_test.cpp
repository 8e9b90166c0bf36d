#include "common/built_in_palettes.h"
#include "palette/color_matching.h"
#include "palette/nearest_color_cache.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"
#include "tests/palette/match_tables.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::Probes;
using test::Table;
using test::Tables;

TEST(NearestColorCache, AgreesWithThePlainSearchForEveryProbe)
{
    const std::vector<std::array<std::uint8_t, 3>> probes = Probes();
    ASSERT_EQ(probes.size(), 40000U);
    NearestColorCache cache;
    for (const Table &t : Tables()) {
        SCOPED_TRACE(t.name);
        cache.Reset(t.colors, t.usable);
        int mismatches = 0;
        for (const auto &[b, g, r] : probes) {
            const int expected = FindNearestColorPlain(t.colors, t.usable, b, g, r);
            const int found = cache.Find(b, g, r);
            if (found != expected && ++mismatches <= 5) {
                ADD_FAILURE() << "colour b" << int {b} << " g" << int {g} << " r" << int {r}
                              << ": found " << found << ", expected " << expected;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

// Both ways of comparing a cell's candidates give the plain search's answer on every table,
// from lists of one entry to lists of hundreds with ties.
TEST(NearestColorCache, EveryEvaluationAgreesWithThePlainSearch)
{
    using Evaluation = NearestColorCache::Evaluation;
    const std::vector<std::array<std::uint8_t, 3>> probes = Probes(5000);
    for (const Evaluation evaluation : {Evaluation::OneByOne, Evaluation::Fastest}) {
        NearestColorCache cache(evaluation);
        for (const Table &t : Tables()) {
            SCOPED_TRACE(t.name + (evaluation == Evaluation::OneByOne ? ", one by one" : ""));
            cache.Reset(t.colors, t.usable);
            int mismatches = 0;
            for (const auto &[b, g, r] : probes) {
                mismatches +=
                    cache.Find(b, g, r) != FindNearestColorPlain(t.colors, t.usable, b, g, r);
            }
            EXPECT_EQ(mismatches, 0);
        }
    }
}

// A row at a time gives the plain search's answer for every colour: rows of three and of four
// bytes a pixel, colours repeated along the row (the answer kept from the pixel before) and
// colours from every cell, on every table, single candidates to lists too long for a block;
// a row that follows single colours and a new table starts afresh.
TEST(NearestColorCache, ARowAtATimeAgreesWithThePlainSearch)
{
    using Evaluation = NearestColorCache::Evaluation;
    std::vector<std::array<std::uint8_t, 3>> colours = Probes(3000);
    for (int k = 0; k < 2000; ++k) {
        const auto v = static_cast<std::uint8_t>(k * 37 % 256);
        colours.push_back({v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(k)});
        colours.push_back(colours.back()); // the same colour twice in a row
    }
    for (const Evaluation evaluation : {Evaluation::OneByOne, Evaluation::Fastest}) {
        NearestColorCache cache(evaluation);
        for (const Table &t : Tables()) {
            for (const std::size_t step : {std::size_t {3}, std::size_t {4}}) {
                SCOPED_TRACE(t.name + ", " + std::to_string(step) + " bytes a pixel"
                    + (evaluation == Evaluation::OneByOne ? ", one by one" : ""));
                cache.Reset(t.colors, t.usable);
                (void)cache.Find(colours[0][0], colours[0][1], colours[0][2]);
                std::vector<std::uint8_t> row(colours.size() * step, 0xEE);
                for (std::size_t i = 0; i < colours.size(); ++i) {
                    std::copy(colours[i].begin(), colours[i].end(), row.begin() + i * step);
                }
                std::vector<std::uint8_t> found(colours.size() + 1, 0xEE);
                cache.FindRow(row.data(), step, colours.size(), found.data());
                int mismatches = 0;
                for (std::size_t i = 0; i < colours.size(); ++i) {
                    const auto &[b, g, r] = colours[i];
                    mismatches += found[i] != FindNearestColorPlain(t.colors, t.usable, b, g, r);
                }
                EXPECT_EQ(mismatches, 0);
                EXPECT_EQ(found.back(), 0xEE) << "written past the row";
                const auto &[b, g, r] = colours.back();
                EXPECT_EQ(cache.Find(b, g, r), found[colours.size() - 1]);
            }
        }
    }
}

// The same colour asked for again, right after a new table, gets the new table's answer.
TEST(NearestColorCache, AColourAskedAgainAfterResetIsSearchedInTheNewTable)
{
    const Table first = Tables()[0];
    const Table second = Tables()[1];
    int differing = 0;
    NearestColorCache cache;
    for (const auto &[b, g, r] : Probes()) {
        const int before = FindNearestColorPlain(first.colors, first.usable, b, g, r);
        const int after = FindNearestColorPlain(second.colors, second.usable, b, g, r);
        cache.Reset(first.colors, first.usable);
        ASSERT_EQ(cache.Find(b, g, r), before);
        ASSERT_EQ(cache.Find(b, g, r), before);
        cache.Reset(second.colors, second.usable);
        ASSERT_EQ(cache.Find(b, g, r), after);
        if (before != after && ++differing == 50) {
            break;
        }
    }
    EXPECT_EQ(differing, 50);
}

TEST(NearestColorCache, AgreesWithThePlainSearchAcrossTheWholeCube)
{
    const Table t = Tables()[1]; // random with skipped entries
    NearestColorCache cache;
    cache.Reset(t.colors, t.usable);
    int mismatches = 0;
    // A step smaller than the narrowest cell visits every cell, at a different spot in each.
    for (int r = 0; r < 256; r += 5) {
        for (int g = 0; g < 256; g += 5) {
            for (int b = 0; b < 256; b += 5) {
                const auto bb = static_cast<std::uint8_t>(b);
                const auto gg = static_cast<std::uint8_t>(g);
                const auto rr = static_cast<std::uint8_t>(r);
                mismatches +=
                    cache.Find(bb, gg, rr) != FindNearestColorPlain(t.colors, t.usable, bb, gg, rr);
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// The store's search must follow a new palette or a new snapshot at once, and keep being right
// when the same palette is rebuilt.
TEST(PaletteStoreMatching, FollowsEveryChangeOfTableOrSnapshot)
{
    struct Step {
        const char *name;
        int palette;
        std::vector<int> skipped;
    };
    const Step steps[] = {
        {"WOLF3D, 255 skipped", 0, {255}},
        {"same again", 0, {255}},
        {"DOOM", 6, {255}},
        {"DOOM, black entries skipped", 6, {0, 255, 247}},
        {"BLAKESTONE, all skipped but two", 2, {}},
        {"WOLF3D, nothing skipped", 0, {}},
    };
    const std::vector<std::array<std::uint8_t, 3>> probes = Probes();
    ScriptedDialogService dialogs;
    PaletteStore store;
    for (const Step &s : steps) {
        SCOPED_TRACE(s.name);
        SkipSet skip {};
        for (int j : s.skipped) {
            skip[static_cast<std::size_t>(j)] = true;
        }
        if (s.palette == 2) {
            skip.fill(true);
            skip[17] = false;
            skip[100] = false;
        }
        store.BuildMatchTable(dialogs,
            PaletteChoice::BuiltIn(kBuiltInPalettes.at(static_cast<std::size_t>(s.palette))));
        store.TakeSnapshot(skip);
        ASSERT_TRUE(dialogs.Log().empty());
        int mismatches = 0;
        for (const auto &[b, g, r] : probes) {
            mismatches += store.FindNearestColor(b, g, r)
                != FindNearestColorPlain(store.MatchColors(), store.UsableColors(), b, g, r);
        }
        EXPECT_EQ(mismatches, 0);
    }
}

} // namespace
} // namespace qv
