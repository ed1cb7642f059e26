// Windows-format metafile handles: the bytes of a metafile behind a handle of its own, for the
// clipboard's CF_METAFILEPICT. Nothing plays them; enhanced metafiles are what the drawing uses.

#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/gdi/Metafile.h"
#include "platform/kernel/LastError.h"

namespace win {

namespace {

// Handles come from their own counter and are never reused.
struct WinMetafileTable {
  std::mutex mutex;
  std::unordered_map<uintptr_t, std::vector<uint8_t>> files;
  uintptr_t next = 0x7E0001;
};

WinMetafileTable& Table() {
  static WinMetafileTable t;
  return t;
}

uint16_t Word(const BYTE* p) { return uint16_t(p[0] | p[1] << 8); }

}  // namespace

HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data) {
  // META_HEADER: type, header size (words), version, size (dwords of words), objects, largest
  // record, parameters: 18 bytes.
  const bool header = data != nullptr && size >= 18 && (Word(data) == 1 || Word(data) == 2) && Word(data + 2) == 9 &&
                      (Word(data + 4) == 0x100 || Word(data + 4) == 0x300);
  uint32_t words = 0;
  if (header) std::memcpy(&words, data + 6, 4);
  if (!header || words < 9 || uint64_t(words) * 2 > size) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  WinMetafileTable& t = Table();
  std::lock_guard lock(t.mutex);
  const uintptr_t id = t.next;
  t.next += 4;
  t.files.emplace(id, std::vector<uint8_t>(data, data + size_t(words) * 2));
  return reinterpret_cast<HMETAFILE>(id);
}

UINT GetMetaFileBitsEx(HMETAFILE hmf, UINT size, void* data) {
  WinMetafileTable& t = Table();
  std::lock_guard lock(t.mutex);
  const auto it = t.files.find(reinterpret_cast<uintptr_t>(hmf));
  if (it == t.files.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  const UINT bytes = UINT(it->second.size());
  if (data == nullptr) return bytes;
  if (size < bytes) return 0;
  std::memcpy(data, it->second.data(), bytes);
  return bytes;
}

BOOL DeleteMetaFile(HMETAFILE hmf) {
  WinMetafileTable& t = Table();
  std::lock_guard lock(t.mutex);
  if (t.files.erase(reinterpret_cast<uintptr_t>(hmf)) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

bool IsMetaFile(HMETAFILE hmf) {
  WinMetafileTable& t = Table();
  std::lock_guard lock(t.mutex);
  return t.files.count(reinterpret_cast<uintptr_t>(hmf)) != 0;
}

}  // namespace win
