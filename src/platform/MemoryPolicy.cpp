#include "platform/MemoryPolicy.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

void MemoryPolicy::mapLargeBlocks() {
#if defined(M_MMAP_THRESHOLD)
    // The C library's own initial threshold; setting it explicitly switches off its growth.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}
