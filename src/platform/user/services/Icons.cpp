#include "platform/user/services/Icons.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/IconFormat.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/Resources.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysMetrics.h"

namespace win {
namespace {

constexpr DWORD kErrorInvalidCursorHandle = 1402, kErrorResourceNameNotFound = 1814, kErrorInvalidData = 13;

struct IconTable {
  std::mutex mutex;
  std::map<HICON, std::shared_ptr<const icons::Image>> icons;
};

IconTable& Table() {
  static IconTable* table = new IconTable;  // icons may be destroyed during static destruction
  return *table;
}

std::shared_ptr<const icons::Image> Find(HICON h) {
  IconTable& t = Table();
  std::lock_guard lock(t.mutex);
  auto it = t.icons.find(h);
  return it == t.icons.end() ? nullptr : it->second;
}

// The resource's image nearest to side × side, as a new icon handle.
HICON LoadProgramIcon(LPCWSTR name, int side) {
  HRSRC res = FindResourceW(nullptr, name, RT_RCDATA);
  if (!res) {
    SetLastError(kErrorResourceNameNotFound);
    return nullptr;
  }
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, res)));
  const DWORD size = SizeofResource(nullptr, res);
  auto image = std::make_shared<icons::Image>();
  std::string error;
  if (!data || !icons::Decode(data, size, *image, error, side)) {
    SetLastError(kErrorInvalidData);
    return nullptr;
  }
  image->id = icons::NewId();
  IconTable& t = Table();
  std::lock_guard lock(t.mutex);
  t.icons[image->id] = image;
  return image->id;
}

bool IsProgramFile(LPCWSTR file) {
  if (!file) return false;
  char16_t own[1024] = {};
  const DWORD n = GetModuleFileNameW(nullptr, own, 1024);
  return n > 0 && std::u16string_view(own, n) == std::u16string_view(file);
}

}  // namespace

HANDLE LoadImageW(HINSTANCE, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad) {
  if (type != IMAGE_ICON || !name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  int side = std::max(cx, cy);
  if (side <= 0) side = (fuLoad & LR_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : 32;
  return LoadProgramIcon(name, side);
}

UINT ExtractIconExW(LPCWSTR lpszFile, int nIconIndex, HICON* phiconLarge, HICON* phiconSmall, UINT nIcons) {
  if (!IsProgramFile(lpszFile)) return 0;
  const UINT count = FindResourceW(nullptr, kProgramIconName, RT_RCDATA) ? 1 : 0;
  if (nIconIndex == -1 && !phiconLarge && !phiconSmall) return count;
  if (nIconIndex < 0 || UINT(nIconIndex) >= count || nIcons == 0) return 0;
  UINT extracted = 0;
  // One icon: index 0.
  if (phiconLarge) {
    phiconLarge[0] = LoadProgramIcon(kProgramIconName, GetSystemMetrics(SM_CXICON));
    if (phiconLarge[0]) extracted = 1;
  }
  if (phiconSmall) {
    phiconSmall[0] = LoadProgramIcon(kProgramIconName, GetSystemMetrics(SM_CXSMICON));
    if (phiconSmall[0]) extracted = 1;
  }
  return extracted;
}

BOOL DestroyIcon(HICON hIcon) {
  IconTable& t = Table();
  std::lock_guard lock(t.mutex);
  if (t.icons.erase(hIcon) == 0) {
    SetLastError(kErrorInvalidCursorHandle);
    return FALSE;
  }
  return TRUE;
}

BOOL GetIconSize(HICON hIcon, SIZE* size) {
  auto image = Find(hIcon);
  if (!image || !size) {
    SetLastError(kErrorInvalidCursorHandle);
    return FALSE;
  }
  *size = SIZE{image->width, image->height};
  return TRUE;
}

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT, HBRUSH hbrFlickerFreeDraw,
                UINT diFlags) {
  auto image = Find(hIcon);
  if (!image) {
    SetLastError(kErrorInvalidCursorHandle);
    return FALSE;
  }
  const int w = image->width, h = image->height;
  if (cxWidth == 0) cxWidth = (diFlags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : w;
  if (cyWidth == 0) cyWidth = (diFlags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : h;
  if (hbrFlickerFreeDraw) {
    RECT r{xLeft, yTop, xLeft + cxWidth, yTop + cyWidth};
    FillRect(hdc, &r, hbrFlickerFreeDraw);
  }
  const UINT part = diFlags & DI_NORMAL;
  if (part == 0) return TRUE;
  // The picture as premultiplied 32-bit pixels: colours with their see-through parts, or the mask.
  BITMAPINFO bmi;
  bmi.bmiHeader.biWidth = w;
  bmi.bmiHeader.biHeight = -h;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib || !bits) return FALSE;
  auto* out = static_cast<uint32_t*>(bits);
  for (size_t i = 0; i < size_t(w) * size_t(h); ++i) {
    const uint32_t argb = image->pixels[i];
    // An alpha icon's mask is where its alpha is 0.
    const bool seeThrough = image->alpha ? (argb >> 24) == 0 : image->mask[i] != 0;
    if (part == DI_MASK) {
      out[i] = seeThrough ? 0xFFFFFFFFu : 0xFF000000u;
    } else if (part == DI_IMAGE) {
      out[i] = argb | 0xFF000000u;
    } else {
      const unsigned a = image->alpha ? (argb >> 24) : (seeThrough ? 0u : 255u);  // 0 where see-through
      auto ch = [&](int shift) { return ((((argb >> shift) & 0xFF) * a + 127) / 255) << shift; };
      out[i] = (uint32_t(a) << 24) | ch(16) | ch(8) | ch(0);
    }
  }
  HDC mem = CreateCompatibleDC(hdc);
  HGDIOBJ old = SelectObject(mem, dib);
  BOOL ok;
  if (part == DI_NORMAL) {
    ok = AlphaBlend(hdc, xLeft, yTop, cxWidth, cyWidth, mem, 0, 0, w, h, BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
  } else {
    ok = StretchBlt(hdc, xLeft, yTop, cxWidth, cyWidth, mem, 0, 0, w, h, SRCCOPY);
  }
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(dib);
  return ok;
}

}  // namespace win
