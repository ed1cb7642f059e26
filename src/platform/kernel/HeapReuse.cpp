#include "platform/kernel/HeapReuse.h"

#include <cstdlib>  // says whether the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace win {

void KeepFreedBlocksForReuse() {
#if defined(__GLIBC__)
  constexpr int mapped = int(MappedBlockSize);
  ::mallopt(M_MMAP_THRESHOLD, mapped);
  ::mallopt(M_TRIM_THRESHOLD, 2 * mapped);
#endif
}

}  // namespace win
