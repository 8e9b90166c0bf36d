#include "common/built_in_palettes.h"
#include "palette/color_matching.h"
#include "palette/nearest_color_cache.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using Colors = std::array<MatchColor, 256>;
using Usable = std::array<bool, 256>;

struct Table {
    std::string name;
    Colors colors;
    Usable usable;
};

MatchColor RandomColor(std::mt19937 &random, int low, int high)
{
    std::uniform_int_distribution<int> value(low, high);
    return {value(random), value(random), value(random)};
}

Usable RandomlyUsable(std::mt19937 &random, double share)
{
    std::bernoulli_distribution keep(share);
    Usable usable;
    for (bool &u : usable) {
        u = keep(random);
    }
    return usable;
}

// Tables chosen to break a pruned search: ties, duplicates, crowds, gaps and cell borders.
std::vector<Table> Tables()
{
    std::mt19937 random(7);
    std::vector<Table> tables;
    Colors colors;

    for (MatchColor &c : colors) {
        c = RandomColor(random, 0, 255);
    }
    tables.push_back({"random", colors, RandomlyUsable(random, 1.0)});
    tables.push_back({"random, a third skipped", colors, RandomlyUsable(random, 0.66)});
    tables.push_back({"random, a few usable", colors, RandomlyUsable(random, 0.03)});

    const std::array<int, 4> levels {0, 85, 170, 255};
    for (MatchColor &c : colors) {
        std::uniform_int_distribution<std::size_t> pick(0, levels.size() - 1);
        c = {levels[pick(random)], levels[pick(random)], levels[pick(random)]};
    }
    tables.push_back({"few colours, many duplicates", colors, RandomlyUsable(random, 0.8)});

    Usable everyOther {};
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const int v = static_cast<int>(i);
        colors[i] = {v, v, v};
        everyOther[i] = i % 2 == 0;
    }
    tables.push_back({"grey ramp, every other usable", colors, everyOther});

    for (MatchColor &c : colors) {
        c = RandomColor(random, 100, 110);
    }
    tables.push_back({"crowded in one corner", colors, RandomlyUsable(random, 1.0)});

    for (MatchColor &c : colors) {
        // Only values on the borders of 8- and 32-wide cells.
        std::uniform_int_distribution<int> cell(0, 31);
        std::bernoulli_distribution upper(0.5);
        const auto border = [&] { return cell(random) * 8 + (upper(random) ? 7 : 0); };
        c = {border(), border(), border()};
    }
    tables.push_back({"on cell borders", colors, RandomlyUsable(random, 0.9)});

    Usable one {};
    one[200] = true;
    tables.push_back({"one usable entry", colors, one});
    tables.push_back({"nothing usable", colors, Usable {}});
    return tables;
}

// Random colours, half of them with every channel on a cell border (0, 7, 8, 15, ...), where
// a wrong bound would show first.
std::vector<std::array<std::uint8_t, 3>> Probes()
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> cell(0, 31);
    std::bernoulli_distribution upper(0.5);
    const auto border = [&] {
        return static_cast<std::uint8_t>(cell(random) * 8 + (upper(random) ? 7 : 0));
    };
    std::vector<std::array<std::uint8_t, 3>> probes;
    for (int k = 0; k < 20000; ++k) {
        probes.push_back({border(), border(), border()});
        probes.push_back({static_cast<std::uint8_t>(byte(random)),
            static_cast<std::uint8_t>(byte(random)),
            static_cast<std::uint8_t>(byte(random))});
    }
    return probes;
}

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
