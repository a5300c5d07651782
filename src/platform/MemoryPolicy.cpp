#include "platform/MemoryPolicy.h"

#include <cstdlib>  // brings in the C library's own macros, __GLIBC__ among them

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <mutex>

void LimitAllocationArenas() {
#if defined(__GLIBC__)
  static std::once_flag once;
  std::call_once(once, [] { mallopt(M_ARENA_MAX, 2); });
#endif
}

void ReleaseFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}
