// Windows-format metafile handles: the bytes of a metafile behind a handle of its own, for the
// clipboard's CF_METAFILEPICT. Nothing plays them; enhanced metafiles are what the drawing uses.

#include <cstring>
#include <vector>

#include "platform/gdi/Metafile.h"
#include "platform/gdi/detail/MetafileByteTable.h"
#include "platform/kernel/LastError.h"

namespace win {

namespace {

gdi::MetafileByteTable& Table() {
  static gdi::MetafileByteTable t(0x7E0001);
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
  return reinterpret_cast<HMETAFILE>(Table().Add(std::vector<uint8_t>(data, data + size_t(words) * 2)));
}

UINT GetMetaFileBitsEx(HMETAFILE hmf, UINT size, void* data) {
  const auto file = Table().Find(reinterpret_cast<uintptr_t>(hmf));
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  const UINT bytes = UINT(file->size());
  if (data == nullptr) return bytes;
  if (size < bytes) return 0;
  std::memcpy(data, file->data(), bytes);
  return bytes;
}

BOOL DeleteMetaFile(HMETAFILE hmf) {
  if (!Table().Erase(reinterpret_cast<uintptr_t>(hmf))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

bool IsMetaFile(HMETAFILE hmf) {
  return Table().Find(reinterpret_cast<uintptr_t>(hmf)) != nullptr;
}

}  // namespace win
