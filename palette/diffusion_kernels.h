#pragma once

#include "common/conversion_options.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace qv {

// One share of a pixel's error: the neighbour dx columns ahead (in the row's walking direction)
// and dy rows below, given weight / divisor of the error.
struct DiffusionShare {
    std::int8_t dx = 0;
    std::int8_t dy = 0;
    std::int8_t weight = 0;
};

// An error-diffusion kernel as published: its shares and their common divisor. Every kernel
// reaches at most two columns to either side and two rows below.
struct DiffusionKernel {
    std::array<DiffusionShare, 12> shares {};
    std::size_t count = 0;
    std::int32_t divisor = 1;
};

inline constexpr std::int32_t kKernelReach = 2;

// The kernel of an error-diffusion method; none for the other methods. Atkinson passes on only
// 6/8 of the error, as published: the rest is dropped, which keeps highlights and shadows clean.
// Floyd-Steinberg: Floyd and Steinberg, "An adaptive algorithm for spatial greyscale" (1976);
// Jarvis, Judice and Ninke (1976); Stucki (1981); Burkes (1988); Sierra's three kernels (1989-90).
std::optional<DiffusionKernel> KernelOf(Dithering method);

} // namespace qv
