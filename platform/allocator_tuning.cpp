#include "platform/allocator_tuning.h"

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace qv {

void KeepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    // Up to 32 MiB (the largest threshold the allocator takes) from the heap, not from mmap, and
    // the heap's top trimmed only beyond 256 MiB of free memory.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

} // namespace qv
