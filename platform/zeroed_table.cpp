#include "platform/zeroed_table.h"

#include <cstdlib>
#include <new>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/mman.h>
#define QV_ZEROED_BY_MMAP 1
#endif

namespace qv {

void *AllocateZeroedTable(std::size_t bytes, TablePages pages)
{
    const std::size_t size = bytes == 0 ? 1 : bytes;
#if defined(QV_ZEROED_BY_MMAP)
    int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#if defined(MAP_POPULATE)
    if (pages == TablePages::AtOnce) {
        flags |= MAP_POPULATE;
    }
#endif
    void *memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, flags, -1, 0);
    if (memory == MAP_FAILED) {
        throw std::bad_alloc();
    }
#else
    (void)pages;
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
