#pragma once

namespace qv {

// Asks the C library's allocator to keep freed memory for the next allocation instead of giving
// it back to the system at once: a batch allocates the same large picture buffers for every
// file, and memory handed back must be faulted in and zeroed page by page when taken again.
// Buffers of more than 32 MiB still come from and go back to the system. Call once at start;
// does nothing where the allocator has no such settings.
void KeepFreedMemoryForReuse();

} // namespace qv
