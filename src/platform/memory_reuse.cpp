#include "platform/memory_reuse.h"

// Any C library header says which C library this is; without one __GLIBC__ is never
// defined below and the setting is silently skipped.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  // Blocks up to a whole odds file come from the heap, and a heap keeps up to this much
  // free memory at its top.
  constexpr int kLargestHeapBlock = 32 << 20;
  constexpr int kKeptAtTop = 256 << 20;
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, kKeptAtTop);
#endif
}

}  // namespace platform
