#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>

namespace qv {

// Room for `bytes` bytes, uninitialised, for a table read at random all over: on Linux aligned
// to and backed by 2 MiB pages where the system allows it, so random reads do not miss the
// address translation cache at every step; elsewhere a plain allocation. Throws std::bad_alloc.
void *AllocateLargeTable(std::size_t bytes);
void FreeLargeTable(void *memory);

// A table of `count` elements of a trivial type, uninitialised, in such room.
template <typename T> class LargeTable
{
    static_assert(std::is_trivial_v<T>);

public:
    explicit LargeTable(std::size_t count)
        : data_(static_cast<T *>(AllocateLargeTable(count * sizeof(T))))
    { }

    T &operator[](std::size_t i) { return data_.get()[i]; }
    const T &operator[](std::size_t i) const { return data_.get()[i]; }
    T *Data() { return data_.get(); }

private:
    struct Release {
        void operator()(T *data) const { FreeLargeTable(data); }
    };
    std::unique_ptr<T, Release> data_;
};

} // namespace qv
