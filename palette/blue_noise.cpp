#include "palette/blue_noise.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace qv {
namespace {

constexpr int kSide = kBlueNoiseSide;
constexpr int kCells = kSide * kSide;
constexpr double kSigma = 1.5;

// How much a point at each offset (wrapped around the tile) adds to the energy of a cell.
std::vector<double> GaussianTable()
{
    std::vector<double> table(kCells);
    for (int dy = 0; dy < kSide; ++dy) {
        for (int dx = 0; dx < kSide; ++dx) {
            const int wx = std::min(dx, kSide - dx);
            const int wy = std::min(dy, kSide - dy);
            table[static_cast<std::size_t>(dy * kSide + dx)] =
                std::exp(-(wx * wx + wy * wy) / (2 * kSigma * kSigma));
        }
    }
    return table;
}

// The energy of every cell from the set points: the sum of the Gaussian of each point.
class Energy
{
public:
    Energy()
        : gauss_(GaussianTable())
        , energy_(kCells, 0.0)
    { }

    void Add(int cell, double sign)
    {
        const int cx = cell % kSide;
        const int cy = cell / kSide;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const int dx = (x - cx + kSide) % kSide;
                const int dy = (y - cy + kSide) % kSide;
                energy_[static_cast<std::size_t>(y * kSide + x)] +=
                    sign * gauss_[static_cast<std::size_t>(dy * kSide + dx)];
            }
        }
    }

    // The set point with the most energy (the tightest cluster) or the empty cell with the
    // least (the largest void); the first such cell on ties.
    int Extreme(const std::vector<bool> &set, bool tightestCluster) const
    {
        int best = -1;
        for (int cell = 0; cell < kCells; ++cell) {
            if (set[static_cast<std::size_t>(cell)] != tightestCluster) {
                continue;
            }
            const double e = energy_[static_cast<std::size_t>(cell)];
            const double b = best < 0 ? 0 : energy_[static_cast<std::size_t>(best)];
            if (best < 0 || (tightestCluster ? e > b : e < b)) {
                best = cell;
            }
        }
        return best;
    }

private:
    std::vector<double> gauss_;
    std::vector<double> energy_;
};

std::array<std::uint16_t, kCells> MakeRanks()
{
    // The start: a tenth of the cells, spread by a fixed linear congruential sequence, then
    // relaxed until the tightest cluster's point is the largest void.
    std::vector<bool> set(kCells, false);
    Energy energy;
    std::uint32_t state = 12345;
    int ones = 0;
    while (ones < kCells / 10) {
        state = state * 1664525U + 1013904223U;
        const int cell = static_cast<int>((state >> 8) % kCells);
        if (!set[static_cast<std::size_t>(cell)]) {
            set[static_cast<std::size_t>(cell)] = true;
            energy.Add(cell, 1);
            ++ones;
        }
    }
    // Each swap lowers the energy's spread; the bound only guards against a cycle.
    for (int swaps = 0; swaps < kCells; ++swaps) {
        const int cluster = energy.Extreme(set, true);
        set[static_cast<std::size_t>(cluster)] = false;
        energy.Add(cluster, -1);
        const int voidCell = energy.Extreme(set, false);
        set[static_cast<std::size_t>(voidCell)] = true;
        energy.Add(voidCell, 1);
        if (voidCell == cluster) {
            break;
        }
    }

    std::array<std::uint16_t, kCells> ranks {};
    // Ranks below the start: take away the tightest cluster's point, from a copy.
    {
        std::vector<bool> fewer = set;
        Energy e = energy;
        for (int rank = ones - 1; rank >= 0; --rank) {
            const int cluster = e.Extreme(fewer, true);
            fewer[static_cast<std::size_t>(cluster)] = false;
            e.Add(cluster, -1);
            ranks[static_cast<std::size_t>(cluster)] = static_cast<std::uint16_t>(rank);
        }
    }
    // Ranks above: fill the largest void each time (the method's second and third phases in one:
    // past half the cells, the largest void of the points is the same cell as the tightest
    // cluster of the empty cells, up to ties).
    for (int rank = ones; rank < kCells; ++rank) {
        const int voidCell = energy.Extreme(set, false);
        set[static_cast<std::size_t>(voidCell)] = true;
        energy.Add(voidCell, 1);
        ranks[static_cast<std::size_t>(voidCell)] = static_cast<std::uint16_t>(rank);
    }
    return ranks;
}

} // namespace

const std::array<std::uint16_t, kBlueNoiseSide * kBlueNoiseSide> &BlueNoiseRanks()
{
    static const std::array<std::uint16_t, kCells> ranks = MakeRanks();
    return ranks;
}

} // namespace qv
