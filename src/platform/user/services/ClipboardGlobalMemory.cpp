#include "platform/user/services/ClipboardGlobalMemory.h"

#include <cstring>

#include "platform/kernel/LastError.h"
#include "platform/user/services/SysHandleTable.h"

namespace win {
namespace {

constexpr size_t kMaxBlock = size_t(1) << 30;

struct Block {
  std::unique_ptr<uint8_t[]> bytes;
  size_t size = 0;
  int locks = 0;
};

SysHandleTable<Block>& Blocks() {
  static SysHandleTable<Block> table(0x3);
  return table;
}

uintptr_t Value(HGLOBAL h) { return reinterpret_cast<uintptr_t>(h); }

}  // namespace

HGLOBAL GlobalAlloc(UINT uFlags, size_t dwBytes) {
  if (dwBytes > kMaxBlock) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto block = std::make_unique<Block>();
  block->size = dwBytes;
  if (dwBytes) block->bytes = std::make_unique<uint8_t[]>(dwBytes);  // value-initialised: zeros
  auto& table = Blocks();
  std::lock_guard lock(table.Mutex());
  return reinterpret_cast<HGLOBAL>(table.Add(std::move(block)));
}

void* GlobalLock(HGLOBAL hMem) {
  auto& table = Blocks();
  std::lock_guard lock(table.Mutex());
  Block* b = table.Find(Value(hMem));
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!b->size) return nullptr;
  ++b->locks;
  return b->bytes.get();
}

BOOL GlobalUnlock(HGLOBAL hMem) {
  auto& table = Blocks();
  std::lock_guard lock(table.Mutex());
  Block* b = table.Find(Value(hMem));
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (b->locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (--b->locks > 0) return TRUE;
  SetLastError(ERROR_SUCCESS);
  return FALSE;
}

size_t GlobalSize(HGLOBAL hMem) {
  auto& table = Blocks();
  std::lock_guard lock(table.Mutex());
  Block* b = table.Find(Value(hMem));
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return b->size;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
  if (!hMem) return nullptr;
  auto& table = Blocks();
  std::lock_guard lock(table.Mutex());
  if (!table.Remove(Value(hMem))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return hMem;
  }
  return nullptr;
}

HGLOBAL GlobalAllocCopy(const void* data, size_t bytes) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!h || !bytes) return h;
  std::memcpy(GlobalLock(h), data, bytes);
  GlobalUnlock(h);
  return h;
}

bool IsGlobalBlock(HGLOBAL hMem) {
  auto& table = Blocks();
  std::lock_guard lock(table.Mutex());
  return table.Find(Value(hMem)) != nullptr;
}

}  // namespace win
