// Device capabilities of the screen and of memory DCs, and the nearest colour a DC can show.

#include <atomic>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/detail/Bitmaps.h"
#include "platform/gdi/detail/Dib.h"
#include "platform/gdi/detail/MetafileRecorder.h"

namespace win::gdi {
namespace {

constexpr int kDefaultDisplayBpp = 32;
constexpr int kDpi = 96;
std::atomic<int> displayBpp{kDefaultDisplayBpp};
std::atomic<int> screenWidth{1920};
std::atomic<int> screenHeight{1080};

// The depth whose pixels the DC holds.
int DepthOf(const DCObj& dc) {
  if (dc.kind == DCKind::Memory)
    if (const BitmapObj* bmp = FindBitmap(dc.bitmap)) return bmp->bpp;
  return displayBpp.load();
}

}  // namespace

std::unique_ptr<BitmapObj> MakeDisplayBitmap(int width, int height) {
  const int bpp = displayBpp;
  if (bpp == 15) return MakeBitmapObj(width, height, 16, false, {}, 0x7C00, 0x03E0, 0x001F);
  if (bpp == 16) return MakeBitmapObj(width, height, 16, false, {}, 0xF800, 0x07E0, 0x001F);
  if (bpp <= 8) return MakeBitmapObj(width, height, bpp, false, DefaultColorTable(bpp));
  return MakeBitmapObj(width, height, bpp, false);
}

}  // namespace win::gdi

namespace win {

using namespace win::gdi;

int GetDisplayBitsPerPixel() { return displayBpp.load(); }

void SetDisplayBitsPerPixelForTesting(int bpp) {
  const bool valid = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 15 || bpp == 16 || bpp == 24 || bpp == 32;
  displayBpp = valid ? bpp : kDefaultDisplayBpp;
}

void SetScreenSize(int width, int height) {
  if (width <= 0 || height <= 0) return;
  screenWidth = width;
  screenHeight = height;
}

int GetDeviceCaps(HDC hdc, int index) {
  const DCObj* dc = FindDC(hdc);
  if (!dc) return 0;
  if (dc->recorder && FindDC(dc->recorder->Reference())) return GetDeviceCaps(dc->recorder->Reference(), index);
  const int bpp = DepthOf(*dc);
  const bool palette = dc->kind != DCKind::Memory && bpp <= 8;
  switch (index) {
    case TECHNOLOGY:
      return DT_RASDISPLAY;
    case HORZRES:
      return screenWidth;
    case VERTRES:
      return screenHeight;
    case HORZSIZE:
      return screenWidth * 254 / (kDpi * 10);
    case VERTSIZE:
      return screenHeight * 254 / (kDpi * 10);
    case LOGPIXELSX:
    case LOGPIXELSY:
      return kDpi;
    case BITSPIXEL:
      return bpp;
    case PLANES:
      return 1;
    case NUMCOLORS:
      return palette ? (1 << bpp) : -1;
    case NUMBRUSHES:
    case NUMPENS:
      return -1;
    case SIZEPALETTE:
      return palette ? (1 << bpp) : 0;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB |
             (palette ? RC_PALETTE : 0);
    default:
      return 0;
  }
}

COLORREF GetNearestColor(HDC hdc, COLORREF color) {
  const DCObj* dc = FindDC(hdc);
  if (!dc) return CLR_INVALID;
  const COLORREF rgb = color & 0xFFFFFF;  // PALETTERGB/PALETTEINDEX flags do not apply here
  if (dc->kind == DCKind::Memory)
    if (const BitmapObj* bmp = FindBitmap(dc->bitmap)) return RawToColor(*bmp, ColorToRaw(*bmp, rgb));
  const std::unique_ptr<BitmapObj> format = MakeDisplayBitmap(1, 1);
  return RawToColor(*format, ColorToRaw(*format, rgb));
}

}  // namespace win
