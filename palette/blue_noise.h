#pragma once

#include <array>
#include <cstdint>

namespace qv {

inline constexpr int kBlueNoiseSide = 32;

// A 32 x 32 blue-noise threshold matrix: each rank 0..1023 once, neighbouring ranks far apart,
// made by Ulichney's void-and-cluster method ("The void-and-cluster method for dither array
// generation", 1993) from a fixed start, so it is the same on every run and machine. Made once,
// on first use, and never changed.
const std::array<std::uint16_t, kBlueNoiseSide * kBlueNoiseSide> &BlueNoiseRanks();

} // namespace qv
