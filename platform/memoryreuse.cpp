#include "platform/memoryreuse.h"

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace platform {

void KeepFreedMemoryForReuse() {
#ifdef __GLIBC__
    // Blocks up to this size come from the heap, not from a mapping of
    // their own that is unmapped when freed.
    constexpr int kLargestHeapBlock = 512 << 20;
    // Free memory at the top of the heap is given back only beyond this.
    constexpr int kKeptFreeMemory = 512 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
#endif
}

} // namespace platform
