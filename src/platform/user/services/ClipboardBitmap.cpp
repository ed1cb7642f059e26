// Bitmaps on the clipboard: CF_DIB (a packed device-independent bitmap in global memory: a
// BITMAPINFO followed by its bits) and CF_BITMAP (a GDI bitmap) are made from one another
// through the drawing layer's BMP reader and writer, whose files are exactly a 14-byte file
// header followed by a packed DIB.

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/user/services/ClipboardBuiltinRules.h"
#include "platform/user/services/ClipboardFormats.h"
#include "platform/user/services/ClipboardGlobalMemory.h"
#include "platform/user/services/ClipboardSynthesis.h"

namespace win {
namespace {

constexpr size_t kFileHeaderBytes = 14;

HANDLE DibFromBitmap(HANDLE source, LCID) {
  std::vector<uint8_t> file;
  if (!SaveBmpToMemory(static_cast<HBITMAP>(source), file) || file.size() <= kFileHeaderBytes) return nullptr;
  return GlobalAllocCopy(file.data() + kFileHeaderBytes, file.size() - kFileHeaderBytes);
}

template <class T>
T Field(const uint8_t* p, size_t offset) {
  T v;
  std::memcpy(&v, p + offset, sizeof(T));
  return v;
}

// Where the bits of a packed DIB start: after the header, the three masks of a BI_BITFIELDS
// BITMAPINFOHEADER, and the colour table (biClrUsed entries, or all 2^bpp for palette depths).
size_t BitsOffset(const uint8_t* dib) {
  auto headerSize = Field<DWORD>(dib, 0);
  auto bitCount = Field<WORD>(dib, 14);
  auto compression = Field<DWORD>(dib, 16);
  auto colorsUsed = Field<DWORD>(dib, 32);
  size_t offset = headerSize;
  if (compression == BI_BITFIELDS && headerSize == sizeof(BITMAPINFOHEADER)) offset += 3 * sizeof(DWORD);
  size_t colors = colorsUsed;
  if (bitCount <= 8 && colors == 0) colors = size_t(1) << bitCount;
  return offset + std::min<size_t>(colors, 256) * sizeof(RGBQUAD);
}

HANDLE BitmapFromDib(HANDLE source, LCID) {
  auto* block = static_cast<HGLOBAL>(source);
  size_t size = GlobalSize(block);
  auto* dib = static_cast<const uint8_t*>(GlobalLock(block));
  if (!dib) return nullptr;
  HBITMAP result = nullptr;
  if (size >= sizeof(BITMAPINFOHEADER)) {
    // The reader checks the header, the offset and every read against the size it is given.
    std::vector<uint8_t> file(kFileHeaderBytes + size);
    file[0] = 'B';
    file[1] = 'M';
    auto fileSize = DWORD(file.size()), offBits = DWORD(kFileHeaderBytes + BitsOffset(dib));
    std::memcpy(&file[2], &fileSize, 4);
    std::memcpy(&file[10], &offBits, 4);
    std::memcpy(&file[kFileHeaderBytes], dib, size);
    result = LoadBmpFromMemory(file.data(), file.size());
  }
  GlobalUnlock(block);
  return result;
}

ClipboardFormatHandler GdiObjects(DWORD requiredType) {
  ClipboardFormatHandler h;
  h.isValid = [requiredType](HANDLE obj) {
    DWORD type = GetObjectType(obj);
    return requiredType ? type == requiredType : type != 0;
  };
  h.release = [](HANDLE obj) { DeleteObject(obj); };
  return h;
}

}  // namespace

void AddBitmapClipboardRules() {
  SetClipboardFormatHandler(CF_BITMAP, GdiObjects(OBJ_BITMAP));
  SetClipboardFormatHandler(CF_DSPBITMAP, GdiObjects(OBJ_BITMAP));
  SetClipboardFormatHandler(CF_PALETTE, GdiObjects(OBJ_PAL));
  for (UINT f = CF_GDIOBJFIRST; f <= CF_GDIOBJLAST; ++f) SetClipboardFormatHandler(f, GdiObjects(0));
  AddClipboardSynthesis(CF_DIB, CF_BITMAP, DibFromBitmap);
  AddClipboardSynthesis(CF_BITMAP, CF_DIB, BitmapFromDib);
}

}  // namespace win
