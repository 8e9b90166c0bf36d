#include "palette/diffusion_kernels.h"

#include <initializer_list>

namespace qv {
namespace {

DiffusionKernel Kernel(std::int32_t divisor, std::initializer_list<DiffusionShare> shares)
{
    DiffusionKernel kernel;
    kernel.divisor = divisor;
    for (const DiffusionShare &share : shares) {
        kernel.shares.at(kernel.count++) = share;
    }
    return kernel;
}

} // namespace

std::optional<DiffusionKernel> KernelOf(Dithering method)
{
    switch (method) {
    case Dithering::FloydSteinberg:
        // In this order: the order in which a pixel's shares are added to its neighbours.
        return Kernel(16, {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}});
    case Dithering::Atkinson:
        return Kernel(8, {{1, 0, 1}, {2, 0, 1}, {-1, 1, 1}, {0, 1, 1}, {1, 1, 1}, {0, 2, 1}});
    case Dithering::JarvisJudiceNinke:
        return Kernel(48,
            {{1, 0, 7},
                {2, 0, 5},
                {-2, 1, 3},
                {-1, 1, 5},
                {0, 1, 7},
                {1, 1, 5},
                {2, 1, 3},
                {-2, 2, 1},
                {-1, 2, 3},
                {0, 2, 5},
                {1, 2, 3},
                {2, 2, 1}});
    case Dithering::Stucki:
        return Kernel(42,
            {{1, 0, 8},
                {2, 0, 4},
                {-2, 1, 2},
                {-1, 1, 4},
                {0, 1, 8},
                {1, 1, 4},
                {2, 1, 2},
                {-2, 2, 1},
                {-1, 2, 2},
                {0, 2, 4},
                {1, 2, 2},
                {2, 2, 1}});
    case Dithering::Burkes:
        return Kernel(
            32, {{1, 0, 8}, {2, 0, 4}, {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2}});
    case Dithering::Sierra3:
        return Kernel(32,
            {{1, 0, 5},
                {2, 0, 3},
                {-2, 1, 2},
                {-1, 1, 4},
                {0, 1, 5},
                {1, 1, 4},
                {2, 1, 2},
                {-1, 2, 2},
                {0, 2, 3},
                {1, 2, 2}});
    case Dithering::Sierra2:
        return Kernel(
            16, {{1, 0, 4}, {2, 0, 3}, {-2, 1, 1}, {-1, 1, 2}, {0, 1, 3}, {1, 1, 2}, {2, 1, 1}});
    case Dithering::SierraLite:
        return Kernel(4, {{1, 0, 2}, {-1, 1, 1}, {0, 1, 1}});
    case Dithering::None:
    case Dithering::Ordered:
    case Dithering::Pattern:
    case Dithering::PatternBlueNoise:
        break;
    }
    return std::nullopt;
}

} // namespace qv
