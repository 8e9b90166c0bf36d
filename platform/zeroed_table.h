#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

namespace qv {

// When the system maps a new table's pages: all at once, cheaper than a fault for each page when
// the table is touched all over; or at each page's first touch, for a table of which a run may
// use only a few pages.
enum class TablePages { AtOnce, OnFirstTouch };

// A table of `count` elements of a plain type, all zero bytes, for a sparse table filled on
// demand. On POSIX systems the room comes straight from the system as untouched zero pages,
// whatever the allocator's settings: making the table costs neither a clearing pass nor memory
// for pages never written. Elsewhere it is a calloc. Throws std::bad_alloc.
void *AllocateZeroedTable(std::size_t bytes, TablePages pages);
void FreeZeroedTable(void *memory, std::size_t bytes);

template <typename T> class ZeroedTable
{
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    ZeroedTable() = default;
    explicit ZeroedTable(std::size_t count, TablePages pages = TablePages::AtOnce)
        : data_(static_cast<T *>(AllocateZeroedTable(count * sizeof(T), pages)))
        , bytes_(count * sizeof(T))
    { }
    ZeroedTable(ZeroedTable &&other) noexcept
        : data_(std::exchange(other.data_, nullptr))
        , bytes_(std::exchange(other.bytes_, 0))
    { }
    ZeroedTable &operator=(ZeroedTable &&other) noexcept
    {
        if (this != &other) {
            Release();
            data_ = std::exchange(other.data_, nullptr);
            bytes_ = std::exchange(other.bytes_, 0);
        }
        return *this;
    }
    ZeroedTable(const ZeroedTable &) = delete;
    ZeroedTable &operator=(const ZeroedTable &) = delete;
    ~ZeroedTable() { Release(); }

    T *get() const { return data_; }
    explicit operator bool() const { return data_ != nullptr; }
    T &operator[](std::size_t i) const { return data_[i]; }

private:
    void Release()
    {
        if (data_ != nullptr) {
            FreeZeroedTable(data_, bytes_);
            data_ = nullptr;
            bytes_ = 0;
        }
    }

    T *data_ = nullptr;
    std::size_t bytes_ = 0;
};

} // namespace qv
