#pragma once
// How the process's heap treats large blocks that are freed.

#include <cstddef>

namespace win {

// Blocks from this size on are mapped apart and go back to the system when freed: each one is
// new memory, whose pages are faulted in as they are first written.
inline constexpr std::size_t MappedBlockSize = std::size_t(32) << 20;

// Blocks below MappedBlockSize come from the heap, and a freed one stays there for the next
// block of its size unless the heap's free top passes twice that: re-reading a file or
// recomputing a graph then finds its arrays' pages already in place instead of faulting each
// one in afresh. These are the limits the allocator sets itself after the first block of that
// size is freed; fixed at the start, they hold from the first file on. Called once, before
// other threads start.
void KeepFreedBlocksForReuse();

}  // namespace win
