// Bytes fed to SetEnhMetaFileBits: refused, or accepted and then played onto a small bitmap (both
// at the frame's own size and scaled), so every record the checks let through meets the player.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Metafile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size > (1u << 24)) return 0;
  win::HENHMETAFILE mf = win::SetEnhMetaFileBits(static_cast<win::UINT>(Size), Data);
  if (!mf) return 0;
  win::ENHMETAHEADER header;
  win::GetEnhMetaFileHeader(mf, sizeof header, &header);
  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 32;
  bi.bmiHeader.biHeight = -32;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  win::HBITMAP bmp = win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
  win::HDC dc = win::CreateCompatibleDC(nullptr);
  win::HGDIOBJ old = win::SelectObject(dc, bmp);
  // The bounds are whatever the bytes say: their span is taken in 64 bits and kept in range.
  auto span = [](win::LONG from, win::LONG to) {
    return win::LONG(std::clamp<std::int64_t>(std::int64_t(to) - from + 1, INT32_MIN, INT32_MAX));
  };
  const win::RECT same{0, 0, span(header.rclBounds.left, header.rclBounds.right),
                       span(header.rclBounds.top, header.rclBounds.bottom)};
  const win::RECT scaled{2, 3, 29, 17};
  win::PlayEnhMetaFile(dc, mf, &same);
  win::PlayEnhMetaFile(dc, mf, &scaled);
  win::SelectObject(dc, old);
  win::DeleteDC(dc);
  win::DeleteObject(bmp);
  win::DeleteEnhMetaFile(mf);
  return 0;
}
