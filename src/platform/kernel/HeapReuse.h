#pragma once
// How the process's heap treats large blocks that are freed.

namespace win {

// Blocks below 32 MB come from the heap, and a freed one stays there for the next block of its
// size unless the heap's free top passes 64 MB: re-reading a file or recomputing a graph then
// finds its arrays' pages already in place instead of faulting each one in afresh. Blocks of
// 32 MB and more stay mapped apart and go back to the system when freed. These are the limits
// the allocator sets itself after the first 32 MB block is freed; fixed at the start, they hold
// from the first file on. Called once, before other threads start.
void KeepFreedBlocksForReuse();

}  // namespace win
