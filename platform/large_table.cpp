#include "platform/large_table.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace qv {

void *AllocateLargeTable(std::size_t bytes)
{
#if defined(__linux__)
    constexpr std::size_t kHugePage = std::size_t {2} << 20;
    // Whole huge pages, so the table shares none with other data.
    const std::size_t rounded =
        bytes == 0 ? kHugePage : (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void *memory = std::aligned_alloc(kHugePage, rounded);
    if (memory != nullptr) {
        madvise(memory, rounded, MADV_HUGEPAGE); // only a hint: the table works without it
    }
#else
    void *memory = std::malloc(bytes == 0 ? 1 : bytes);
#endif
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    return memory;
}

void FreeLargeTable(void *memory)
{
    std::free(memory);
}

} // namespace qv
