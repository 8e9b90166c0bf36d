#include "platform/zeroed_table.h"

#include <cstdlib>
#include <new>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/mman.h>
#define QV_ZEROED_BY_MMAP 1
#endif

namespace qv {

void *AllocateZeroedTable(std::size_t bytes)
{
    const std::size_t size = bytes == 0 ? 1 : bytes;
#if defined(QV_ZEROED_BY_MMAP)
#if defined(MAP_POPULATE)
    // Every page at once: cheaper than a fault for each page, read or written, as the table is
    // first touched here and there.
    constexpr int kFlags = MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE;
#else
    constexpr int kFlags = MAP_PRIVATE | MAP_ANONYMOUS;
#endif
    void *memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, kFlags, -1, 0);
    if (memory == MAP_FAILED) {
        throw std::bad_alloc();
    }
#else
    void *memory = std::calloc(size, 1);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
#endif
    return memory;
}

void FreeZeroedTable(void *memory, std::size_t bytes)
{
#if defined(QV_ZEROED_BY_MMAP)
    munmap(memory, bytes == 0 ? 1 : bytes);
#else
    (void)bytes;
    std::free(memory);
#endif
}

} // namespace qv
