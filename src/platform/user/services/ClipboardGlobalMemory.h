#pragma once
// Global memory blocks, the currency of clipboard data and dropped-file lists. Every block is
// reached through its handle and GlobalLock, GMEM_FIXED blocks included (their handle is not a
// pointer here), so a stale or forged handle fails instead of touching freed memory.

#include <cstddef>

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr UINT GMEM_FIXED = 0x0000, GMEM_MOVEABLE = 0x0002, GMEM_ZEROINIT = 0x0040,
                      GMEM_DDESHARE = 0x2000, GMEM_SHARE = 0x2000, GHND = GMEM_MOVEABLE | GMEM_ZEROINIT,
                      GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// Blocks are always zero-filled. A zero-byte block exists but locks to null, as a discarded
// block does. More than 1 GiB fails with ERROR_NOT_ENOUGH_MEMORY.
HGLOBAL GlobalAlloc(UINT uFlags, size_t dwBytes);
// Counts nested locks; null for a dead handle or an empty block.
void* GlobalLock(HGLOBAL hMem);
// TRUE while the block stays locked; FALSE with ERROR_SUCCESS once the count reaches zero, or
// with ERROR_NOT_LOCKED (158) when it was not locked.
BOOL GlobalUnlock(HGLOBAL hMem);
// The size asked for at allocation; 0 for a dead handle.
size_t GlobalSize(HGLOBAL hMem);
// NULL on success; the handle itself when it was not a live block (ERROR_INVALID_HANDLE).
HGLOBAL GlobalFree(HGLOBAL hMem);

inline constexpr DWORD ERROR_NOT_LOCKED = 158;

// Helpers for code that builds or reads blocks in one go.
HGLOBAL GlobalAllocCopy(const void* data, size_t bytes);
// True when `hMem` is a live block.
bool IsGlobalBlock(HGLOBAL hMem);

}  // namespace win
