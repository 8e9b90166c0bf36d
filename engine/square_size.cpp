#include "engine/square_size.h"

#include "platform/checked.h"

#include <algorithm>

namespace qv {

std::int32_t RoundUpToMultipleOf4(std::int32_t value)
{
    const std::int32_t remainder = value % 4;
    return remainder > 0 ? CheckedAdd(value - remainder, 4) : value;
}

SquareAdjustment AdjustSquareForPicture(
    std::int32_t width, std::int32_t height, std::int32_t smallestPermitted, std::int32_t size)
{
    const std::int32_t w = RoundUpToMultipleOf4(width);
    const std::int32_t h = RoundUpToMultipleOf4(height);
    const std::int32_t small = std::max(std::min(w, h), kLowestSquareSize);
    const std::int32_t large = std::max(w, h);
    return {std::min(smallestPermitted, small), std::max(size, large)};
}

std::int32_t FindMinimumSize(std::int32_t largestSide, std::int32_t smallest, std::int32_t largest)
{
    std::int32_t m = largestSide;
    if (m < smallest) {
        m = smallest;
    } else if (m > largest) {
        m = largest;
    }
    return RoundUpToMultipleOf4(m);
}

} // namespace qv
