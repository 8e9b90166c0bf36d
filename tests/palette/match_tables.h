#pragma once

#include "palette/color_matching.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

// Match tables and probe colours that the exactness tests of every search share.
namespace qv::test {

using Colors = std::array<MatchColor, 256>;
using Usable = std::array<bool, 256>;

struct Table {
    std::string name;
    Colors colors;
    Usable usable;
};

inline MatchColor RandomColor(std::mt19937 &random, int low, int high)
{
    std::uniform_int_distribution<int> value(low, high);
    return {value(random), value(random), value(random)};
}

inline Usable RandomlyUsable(std::mt19937 &random, double share)
{
    std::bernoulli_distribution keep(share);
    Usable usable;
    for (bool &u : usable) {
        u = keep(random);
    }
    return usable;
}

// Tables chosen to break a pruned search: ties, duplicates, crowds, gaps and cell borders.
inline std::vector<Table> Tables()
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
inline std::vector<std::array<std::uint8_t, 3>> Probes(int pairs = 20000)
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> cell(0, 31);
    std::bernoulli_distribution upper(0.5);
    const auto border = [&] {
        return static_cast<std::uint8_t>(cell(random) * 8 + (upper(random) ? 7 : 0));
    };
    std::vector<std::array<std::uint8_t, 3>> probes;
    for (int k = 0; k < pairs; ++k) {
        probes.push_back({border(), border(), border()});
        probes.push_back({static_cast<std::uint8_t>(byte(random)),
            static_cast<std::uint8_t>(byte(random)),
            static_cast<std::uint8_t>(byte(random))});
    }
    return probes;
}

} // namespace qv::test
