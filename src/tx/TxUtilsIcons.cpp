// Image-list images drawn disabled, translucent, blended, contrasted, as a dark mask or as a
// silhouette. Every effect works on the 24-bit scan lines of the two shared work bitmaps sized
// to the image, never on the target DC.

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"
#include "platform/gdi/Gdi.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace tx {

namespace {

// Work-bitmap pixels are read as words $00RRGGBB (blue in the low byte).
constexpr uint32_t kKeyColor = 0x203241;

struct Area {
  Integer w = 0, h = 0;
  bool Empty() const { return w <= 0 || h <= 0; }
};

Area ImageArea(const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex) {
  if (!ImageList || ImageIndex < 0 || ImageIndex >= ImageList->Count()) return {};
  return {std::min<Integer>(R.right - R.left, ImageList->Width()),
          std::min<Integer>(R.bottom - R.top, ImageList->Height())};
}

fw::TBitmap* Prepare(fw::TBitmap*& bmp, const Area& a) {
  if (!bmp) bmp = new fw::TBitmap();
  if (bmp->PixelFormat() != fw::pf24bit) bmp->SetPixelFormat(fw::pf24bit);
  if (bmp->Width() < a.w || bmp->Height() < a.h)
    bmp->SetSize(std::max(bmp->Width(), a.w), std::max(bmp->Height(), a.h));
  return bmp;
}

// The scan lines of a work bitmap, asked for once (each request commits pending drawing).
class Rows {
 public:
  Rows(fw::TBitmap* bmp, Integer height)
      : first_(static_cast<uint8_t*>(bmp->ScanLine(0))),
        step_(height > 1 ? static_cast<uint8_t*>(bmp->ScanLine(1)) - first_ : 0) {}
  uint8_t* operator()(Integer y) const { return first_ + std::ptrdiff_t(y) * step_; }

 private:
  uint8_t* first_;
  std::ptrdiff_t step_;
};
uint32_t Pixel(const uint8_t* row, Integer x) {
  const uint8_t* p = row + x * 3;
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
}
void SetPixel(uint8_t* row, Integer x, uint32_t v) {
  uint8_t* p = row + x * 3;
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
}
constexpr Integer Rof(uint32_t v) { return Integer((v >> 16) & 0xFF); }
constexpr Integer Gof(uint32_t v) { return Integer((v >> 8) & 0xFF); }
constexpr Integer Bof(uint32_t v) { return Integer(v & 0xFF); }
constexpr uint32_t Px(Integer r, Integer g, Integer b) { return uint32_t((r << 16) | (g << 8) | b); }
// A TColor ($BBGGRR) as a work-bitmap word.
uint32_t PxOf(TColor c) { return uint32_t(SwapRedBlue(ResolveColor(c))) & 0xFFFFFF; }

void CopyFromCanvas(fw::TBitmap* bmp, fw::TCanvas* Canvas, const TRect& R, const Area& a) {
  win::BitBlt(bmp->Canvas()->Handle(), 0, 0, a.w, a.h, Canvas->Handle(), R.left, R.top, win::SRCCOPY);
}
void CopyToCanvas(fw::TBitmap* bmp, fw::TCanvas* Canvas, const TRect& R, const Area& a) {
  win::BitBlt(Canvas->Handle(), R.left, R.top, a.w, a.h, bmp->Canvas()->Handle(), 0, 0, win::SRCCOPY);
}

// The background under R into work bitmap 1, the image drawn over a copy of it into work
// bitmap 2; `effect` changes the pixels where the two differ, then bitmap 1 goes back.
template <typename Effect>
void ByDifference(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                  Effect effect) {
  const Area a = ImageArea(R, ImageList, ImageIndex);
  if (a.Empty()) return;
  fw::TBitmap* back = Prepare(WorkBitmap1, a);
  fw::TBitmap* image = Prepare(WorkBitmap2, a);
  CopyFromCanvas(back, Canvas, R, a);
  CopyFromCanvas(image, Canvas, R, a);
  ImageList->Draw(image->Canvas(), 0, 0, ImageIndex, true);
  const Rows imageRows(image, a.h), backRows(back, a.h);
  for (Integer y = 0; y < a.h; ++y) {
    const uint8_t* irow = imageRows(y);
    uint8_t* brow = backRows(y);
    for (Integer x = 0; x < a.w; ++x) {
      const uint32_t b = Pixel(brow, x), i = Pixel(irow, x);
      if (b != i) SetPixel(brow, x, effect(b, i));
    }
  }
  CopyToCanvas(back, Canvas, R, a);
}

// The image drawn on the key colour into work bitmap 2, the background into work bitmap 1;
// `effect` gives the new background pixel wherever the image touched.
template <typename Effect>
void ByKeyColor(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                Effect effect) {
  const Area a = ImageArea(R, ImageList, ImageIndex);
  if (a.Empty()) return;
  fw::TBitmap* back = Prepare(WorkBitmap1, a);
  fw::TBitmap* image = Prepare(WorkBitmap2, a);
  CopyFromCanvas(back, Canvas, R, a);
  const TRect all{0, 0, a.w, a.h};
  image->Canvas()->Brush()->SetColor(fw::TColor(SwapRedBlue(TColor(kKeyColor))));
  image->Canvas()->FillRect(all);
  ImageList->Draw(image->Canvas(), 0, 0, ImageIndex, true);
  const Rows imageRows(image, a.h), backRows(back, a.h);
  for (Integer y = 0; y < a.h; ++y) {
    const uint8_t* irow = imageRows(y);
    uint8_t* brow = backRows(y);
    for (Integer x = 0; x < a.w; ++x) {
      const uint32_t i = Pixel(irow, x);
      if (i != kKeyColor) SetPixel(brow, x, effect(Pixel(brow, x), i));
    }
  }
  CopyToCanvas(back, Canvas, R, a);
}

}  // namespace

void DrawIconContrasted(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                        bool HighContrast) {
  if (!ImageList) return;
  if (!HighContrast) {
    ImageList->Draw(Canvas, R.left, R.top, ImageIndex, true);
    return;
  }
  ByKeyColor(Canvas, R, ImageList, ImageIndex, [](uint32_t, uint32_t i) {
    const Integer w = 76 * Rof(i) + 150 * Gof(i) + 29 * Bof(i);
    uint32_t v = i;
    if (w >= 64769)
      v = 0x000000;
    else if (w < 25600)
      v = 0xFFFFFF;
    const auto up = [](Integer c) { return std::min(c + 32, 255); };
    return Px(up(Rof(v)), up(Gof(v)), up(Bof(v)));
  });
}

void DrawIconTranslucent(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                         Integer Opacity) {
  ByDifference(Canvas, R, ImageList, ImageIndex, [Opacity](uint32_t b, uint32_t i) {
    const auto mix = [Opacity](Integer bc, Integer ic) { return (bc * (255 - Opacity) + ic * Opacity) >> 8; };
    return Px(mix(Rof(b), Rof(i)), mix(Gof(b), Gof(i)), mix(Bof(b), Bof(i)));
  });
}

void DrawIconBlended(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                     TColor BlendColor, Integer Amount) {
  const uint32_t c = PxOf(BlendColor);
  ByKeyColor(Canvas, R, ImageList, ImageIndex, [c, Amount](uint32_t, uint32_t i) {
    const auto mix = [Amount](Integer ic, Integer cc) { return (ic * Amount + cc * (255 - Amount)) >> 8; };
    return Px(mix(Rof(i), Rof(c)), mix(Gof(i), Gof(c)), mix(Bof(i), Bof(c)));
  });
}

void DrawIconDisabled(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                      Integer Mode) {
  assert(Mode >= 0 && Mode < 3);
  static constexpr Integer kDivisor[3] = {3, 8, 20}, kOffset[3] = {170, 224, 243};
  if (Mode < 0 || Mode > 2) return;
  const Integer D = kDivisor[Mode], O = kOffset[Mode];
  ByDifference(Canvas, R, ImageList, ImageIndex, [D, O](uint32_t b, uint32_t i) {
    // The grey level of the image pixel (luminance weights), scaled into the light range.
    const Integer g = ((76 * Rof(i) + 150 * Gof(i) + 29 * Bof(i)) >> 8) / D + O;
    return Px((Rof(b) * g) >> 8, (Gof(b) * g) >> 8, (Bof(b) * g) >> 8);
  });
}

void DrawIconDarkMask(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                      TColor Color) {
  const Area a = ImageArea(R, ImageList, ImageIndex);
  if (a.Empty() || Color == fw::clNone) return;
  fw::TBitmap* image = Prepare(WorkBitmap1, a);
  image->Canvas()->Brush()->SetColor(fw::clWhite);
  image->Canvas()->FillRect(TRect{0, 0, a.w, a.h});
  ImageList->Draw(image->Canvas(), 0, 0, ImageIndex, true);
  // The mask: white (set) where the pixel is dark enough to be painted.
  if (!MonoWorkBitmap) MonoWorkBitmap = new fw::TBitmap();
  MonoWorkBitmap->SetMonochrome(true);
  MonoWorkBitmap->SetSize(a.w, a.h);
  const win::HDC mono = MonoWorkBitmap->Canvas()->Handle();
  const Rows imageRows(image, a.h);
  for (Integer y = 0; y < a.h; ++y) {
    const uint8_t* irow = imageRows(y);
    for (Integer x = 0; x < a.w; ++x) {
      const uint32_t p = Pixel(irow, x);
      const bool transparent = 150 * Gof(p) + 76 * Rof(p) + 29 * Bof(p) > 46080;
      win::SetPixelV(mono, x, y, transparent ? 0x000000 : 0xFFFFFF);
    }
  }
  const win::HDC DC = Canvas->Handle();
  const win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(ResolveColor(Color)));
  const win::HGDIOBJ oldBrush = win::SelectObject(DC, brush);
  const win::COLORREF oldText = win::SetTextColor(DC, 0x000000);
  const win::COLORREF oldBk = win::SetBkColor(DC, 0xFFFFFF);
  win::BitBlt(DC, R.left, R.top, a.w, a.h, mono, 0, 0, 0x00E20746);
  win::SetBkColor(DC, oldBk);
  win::SetTextColor(DC, oldText);
  win::SelectObject(DC, oldBrush);
  win::DeleteObject(brush);
}

void DrawIconSilhouette(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                        TColor Color) {
  const uint32_t c = PxOf(Color);
  ByKeyColor(Canvas, R, ImageList, ImageIndex, [c](uint32_t, uint32_t) { return c; });
}

}  // namespace tx
