// Metafile handles: recording DCs, closing them into metafiles, and metafile bytes in and out.

#include "platform/gdi/Metafile.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/MetafileByteTable.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/gdi/detail/MetafileStore.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {

namespace {

MetafileByteTable& Table() {
  static MetafileByteTable t(0x6E0001);
  return t;
}

HENHMETAFILE AddMetafile(std::vector<uint8_t> bytes) {
  return reinterpret_cast<HENHMETAFILE>(Table().Add(std::move(bytes)));
}

// Largest metafile accepted from bytes (the recorder's own output is limited by memory only).
constexpr size_t kMaxMetafileBytes = size_t(1) << 30;

}  // namespace

std::shared_ptr<const std::vector<uint8_t>> MetafileBytes(HENHMETAFILE hemf) {
  return Table().Find(reinterpret_cast<uintptr_t>(hemf));
}

namespace {
// The bytes of a live metafile; for a bad handle null, with ERROR_INVALID_HANDLE.
std::shared_ptr<const std::vector<uint8_t>> MetafileBytesOrFail(HENHMETAFILE hemf) {
  auto bytes = MetafileBytes(hemf);
  if (!bytes) SetLastError(ERROR_INVALID_HANDLE);
  return bytes;
}
}  // namespace

bool ValidMetafile(const uint8_t* data, size_t size) {
  if (!data || size < sizeof(ENHMETAHEADER) || size > kMaxMetafileBytes || size % 4 != 0) return false;
  ENHMETAHEADER h;
  std::memcpy(&h, data, sizeof h);
  if (h.iType != EMR_HEADER || h.dSignature != ENHMETA_SIGNATURE || h.nBytes != size) return false;
  // Older headers (without the OpenGL or micrometre fields) are 88 or 100 bytes.
  if (h.nSize < 88 || h.nSize % 4 != 0 || h.nSize > size) return false;
  if (h.nDescription != 0 &&
      (h.offDescription < 88 || h.nDescription > size / 2 ||
       uint64_t(h.offDescription) + uint64_t(h.nDescription) * 2 > h.nSize))
    return false;
  size_t off = 0;
  uint32_t records = 0;
  DWORD lastType = 0;
  while (off < size) {
    if (size - off < 8) return false;
    DWORD type, len;
    std::memcpy(&type, data + off, 4);
    std::memcpy(&len, data + off + 4, 4);
    if (len < 8 || len % 4 != 0 || len > size - off) return false;
    if (records == 0 ? type != EMR_HEADER : type == EMR_HEADER) return false;
    if (lastType == EMR_EOF) return false;  // nothing may follow the end
    lastType = type;
    ++records;
    off += len;
  }
  return lastType == EMR_EOF && records == h.nRecords;
}

void DiscardRecording(DCObj& dc) {
  delete dc.recorder;
  dc.recorder = nullptr;
}

}  // namespace win::gdi

namespace win {

using namespace win::gdi;

HDC CreateEnhMetaFileW(HDC ref, LPCWSTR fileName, const RECT* frame, LPCWSTR description) {
  if (fileName) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  if (ref && !DCOrFail(ref)) return nullptr;
  auto dc = std::make_unique<DCObj>();
  dc->kind = DCKind::Metafile;
  dc->state.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  dc->state.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  dc->state.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  dc->state.palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  RetainState(dc->state);
  std::u16string desc;
  if (description) {
    // The application's name only: whether a second name follows its zero cannot be known.
    for (size_t i = 0; i < 4096 && description[i] != 0; ++i) desc.push_back(description[i]);
  }
  DCObj* raw = dc.get();
  raw->recorder = new Recorder(*raw, ref, frame, desc);
  return static_cast<HDC>(HandleTable::Instance().Add(std::move(dc)));
}

HENHMETAFILE CloseEnhMetaFile(HDC hdc) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return nullptr;
  if (!dc->recorder) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  std::vector<uint8_t> bytes = dc->recorder->Finish();
  DeleteDC(hdc);  // frees the recorder too
  return AddMetafile(std::move(bytes));
}

bool IsEnhMetaFile(HENHMETAFILE hemf) { return MetafileBytes(hemf) != nullptr; }

BOOL DeleteEnhMetaFile(HENHMETAFILE hemf) {
  if (!Table().Erase(reinterpret_cast<uintptr_t>(hemf))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

HENHMETAFILE CopyEnhMetaFileW(HENHMETAFILE hemf, LPCWSTR fileName) {
  const auto bytes = MetafileBytesOrFail(hemf);
  if (!bytes) return nullptr;
  if (fileName) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  return AddMetafile(*bytes);
}

UINT GetEnhMetaFileHeader(HENHMETAFILE hemf, UINT size, ENHMETAHEADER* header) {
  const auto bytes = MetafileBytesOrFail(hemf);
  if (!bytes) return 0;
  DWORD nSize;
  std::memcpy(&nSize, bytes->data() + 4, 4);
  const UINT full = UINT(std::min<size_t>(nSize, sizeof(ENHMETAHEADER)));
  if (!header) return full;
  const UINT n = std::min(size, full);
  ENHMETAHEADER h;
  std::memcpy(&h, bytes->data(), full);
  std::memcpy(header, &h, n);
  return n;
}

UINT GetEnhMetaFileBits(HENHMETAFILE hemf, UINT size, BYTE* data) {
  const auto bytes = MetafileBytesOrFail(hemf);
  if (!bytes) return 0;
  if (!data) return UINT(bytes->size());
  if (size < bytes->size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(data, bytes->data(), bytes->size());
  return UINT(bytes->size());
}

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data) {
  if (!ValidMetafile(data, size)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return AddMetafile(std::vector<uint8_t>(data, data + size));
}

}  // namespace win
