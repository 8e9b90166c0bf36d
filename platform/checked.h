#pragma once

#include "platform/failure.h"

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <utility>
#include <vector>

// Checked arithmetic on sizes, offsets and counts, and bounds-checked access to bytes: an
// overflow or an index outside the data becomes a failure (6 or 9), never undefined behaviour.
namespace qv {

template <std::integral T> T CheckedAdd(T a, T b)
{
    T result;
    if (__builtin_add_overflow(a, b, &result)) {
        Fail(kOverflow);
    }
    return result;
}

template <std::integral T> T CheckedSub(T a, T b)
{
    T result;
    if (__builtin_sub_overflow(a, b, &result)) {
        Fail(kOverflow);
    }
    return result;
}

template <std::integral T> T CheckedMul(T a, T b)
{
    T result;
    if (__builtin_mul_overflow(a, b, &result)) {
        Fail(kOverflow);
    }
    return result;
}

// Converts between integer types; a value the target cannot hold is an overflow.
template <std::integral To, std::integral From> To CheckedCast(From value)
{
    if (!std::in_range<To>(value)) {
        Fail(kOverflow);
    }
    return static_cast<To>(value);
}

// Element i of the data; an index outside it (negative included) is failure 9.
template <typename T, std::integral I> T &At(std::vector<T> &data, I index)
{
    if (index < 0 || !std::in_range<std::size_t>(index)
        || static_cast<std::size_t>(index) >= data.size()) {
        Fail(kSubscriptOutOfRange);
    }
    return data[static_cast<std::size_t>(index)];
}

template <typename T, std::integral I> const T &At(const std::vector<T> &data, I index)
{
    if (index < 0 || !std::in_range<std::size_t>(index)
        || static_cast<std::size_t>(index) >= data.size()) {
        Fail(kSubscriptOutOfRange);
    }
    return data[static_cast<std::size_t>(index)];
}

template <typename T, std::integral I> T &At(std::span<T> data, I index)
{
    if (index < 0 || !std::in_range<std::size_t>(index)
        || static_cast<std::size_t>(index) >= data.size()) {
        Fail(kSubscriptOutOfRange);
    }
    return data[static_cast<std::size_t>(index)];
}

template <typename T, std::size_t N, std::integral I> T &At(std::array<T, N> &data, I index)
{
    return At(std::span<T>(data), index);
}

template <typename T, std::size_t N, std::integral I>
const T &At(const std::array<T, N> &data, I index)
{
    return At(std::span<const T>(data), index);
}

// Checks that count elements from offset lie wholly inside data of the given size.
template <std::integral I> void CheckRange(std::size_t size, I offset, I count)
{
    if (offset < 0 || count < 0 || !std::in_range<std::size_t>(offset)
        || !std::in_range<std::size_t>(count)) {
        Fail(kSubscriptOutOfRange);
    }
    const auto o = static_cast<std::size_t>(offset);
    const auto c = static_cast<std::size_t>(count);
    if (o > size || c > size - o) {
        Fail(kSubscriptOutOfRange);
    }
}

} // namespace qv
