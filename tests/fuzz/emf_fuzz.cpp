// Bytes fed to SetEnhMetaFileBits: refused, or accepted and then played onto a small bitmap (both
// at the frame's own size and scaled), so every record the checks let through meets the player.

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
  const win::RECT same{0, 0, header.rclBounds.right - header.rclBounds.left + 1,
                       header.rclBounds.bottom - header.rclBounds.top + 1};
  const win::RECT scaled{2, 3, 29, 17};
  win::PlayEnhMetaFile(dc, mf, &same);
  win::PlayEnhMetaFile(dc, mf, &scaled);
  win::SelectObject(dc, old);
  win::DeleteDC(dc);
  win::DeleteObject(bmp);
  win::DeleteEnhMetaFile(mf);
  return 0;
}
