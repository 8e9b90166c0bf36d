#pragma once

#include <cstdint>

// Sizes of the output square: always a multiple of 4, between the smallest permitted size (32 at
// start, lowered to fit small pictures, never below 16) and the largest (512).
namespace qv {

inline constexpr std::int32_t kLargestSquareSize = 512;
inline constexpr std::int32_t kStartSmallestSquareSize = 32;
inline constexpr std::int32_t kLowestSquareSize = 16;

// value rounded up to a multiple of 4 (61 -> 64, 64 -> 64).
std::int32_t RoundUpToMultipleOf4(std::int32_t value);

// What showing a picture of width x height does to the size range: both sides rounded up to a
// multiple of 4; the smaller (at least 16) may lower the smallest permitted size, the larger may
// raise the current size. Neither is ever moved the other way.
struct SquareAdjustment {
    std::int32_t smallestPermitted; // new smallest permitted size
    std::int32_t size; // new current size
};
SquareAdjustment AdjustSquareForPicture(
    std::int32_t width, std::int32_t height, std::int32_t smallestPermitted, std::int32_t size);

// The smallest permitted square that holds a picture side of largestSide: clamped to
// [smallest, largest], then rounded up to a multiple of 4.
std::int32_t FindMinimumSize(std::int32_t largestSide, std::int32_t smallest, std::int32_t largest);

} // namespace qv
