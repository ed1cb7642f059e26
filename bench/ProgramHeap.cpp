// Every benchmark of this binary runs with the heap as the program sets it up in main: large
// freed blocks are kept for reuse (platform/kernel/HeapReuse.h).

#include "platform/kernel/HeapReuse.h"

namespace {

const bool HeapSetUp = [] {
  win::KeepFreedBlocksForReuse();
  return true;
}();

}  // namespace
