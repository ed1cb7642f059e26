// Rendering frames into bitmaps (with transparency masks and optional web-palette dithering),
// drawing frames and the image, and the image as one bitmap.

#include <algorithm>

#include "export/GIFImage.h"
#include "export/GIFImageExtensions.h"
#include "export/GIFImageFrame.h"
#include "export/GIFImagePainter.h"
#include "export/GIFImageReduce.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"

namespace kvexport {

namespace {

int Round(int Numerator, int Denominator) { return (2 * Numerator + Denominator) / (2 * Denominator); }

}  // namespace

bool TGIFSubImage::DitherApplies() const { return FImage && FImage->DoDither(); }

fw::TBitmap* TGIFSubImage::Bitmap() {
  if (Empty()) return nullptr;
  if (!FBitmap) RenderBitmap();
  return FBitmap.get();
}

fw::TBitmap* TGIFSubImage::Mask() {
  Bitmap();
  return FMask.get();
}

const std::vector<std::uint8_t>& TGIFSubImage::MaskBits() {
  Bitmap();
  return FMaskBits;
}

TGIFPalette TGIFSubImage::Palette() {
  if (FBitmap && FBitmap->PixelFormat() == fw::pf8bit) return BitmapPalette(*FBitmap);
  if (!FPalette.empty()) return FPalette;
  if (DitherApplies())
    FPalette = WebPalette();
  else if (FColorMap->Count() > 0)
    FPalette = FColorMap->ExportPalette();
  else if (FImage && FImage->Header().ColorMap().Count() > 0)
    FPalette = FImage->Header().ColorMap().ExportPalette();
  return FPalette;
}

void TGIFSubImage::RenderBitmap() {
  if (FImage) FImage->Progress(this, TProgressStage::Starting, 0, "Rendering...");
  const int w = FWidth, h = FHeight;
  const bool transparent = FTransparent && FGCE;
  const int transparentIndex = transparent ? FGCE->TransparentColorIndex() : -1;
  const int maskRow = (w + 15) / 16 * 2;
  FMaskBits.assign(transparent ? static_cast<std::size_t>(maskRow) * h : 0, 0);
  bool anyMasked = false;

  auto bitmap = std::make_unique<fw::TBitmap>();
  TGIFColorMap& map = ActiveColorMap();
  if (!DitherApplies()) {
    TDIBWriter writer(*bitmap, map.ExportPalette(), h, w, fw::pf8bit);
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* src = FData.data() + static_cast<std::size_t>(y) * w;
      std::copy(src, src + w, writer.Scanline(y));
      if (transparent) {
        std::uint8_t* m = FMaskBits.data() + static_cast<std::size_t>(y) * maskRow;
        for (int x = 0; x < w; ++x)
          if (src[x] == transparentIndex) {
            m[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            anyMasked = true;
          }
      }
      if (FImage && y % 32 == 0) FImage->Progress(this, TProgressStage::Running, y * 100 / h, "Rendering...");
    }
  } else {
    TDIBWriter writer(*bitmap, WebPalette(), h, w, fw::pf8bit);
    TNetscapeColorLookup lookup;
    TFloydSteinbergDitherer ditherer(w, lookup);
    // Transparent pixels get a value past the transparent colour's web index; the mask hides them.
    std::uint8_t fill = 0;
    if (transparent) {
      const TGIFColor c = map.Count() > transparentIndex ? map.Entry(transparentIndex) : TGIFColor{};
      fill = static_cast<std::uint8_t>(Round(36 * c.Red, 51) + Round(6 * c.Green, 51) + c.Blue / 51 + 1);
    }
    std::uint8_t r = 0, g = 0, b = 0;
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* src = FData.data() + static_cast<std::size_t>(y) * w;
      std::uint8_t* dst = writer.Scanline(y);
      std::uint8_t* m = transparent ? FMaskBits.data() + static_cast<std::size_t>(y) * maskRow : nullptr;
      if (transparent) std::fill(dst, dst + w, fill);
      for (int x = ditherer.Column(); x >= 0 && x < w; x = ditherer.Column()) {
        if (transparent && src[x] == transparentIndex) {
          m[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
          anyMasked = true;
          ditherer.Skip();
          continue;
        }
        const TGIFColor c = src[x] < map.Count() ? map.Entry(src[x]) : TGIFColor{};
        dst[x] = static_cast<std::uint8_t>(ditherer.Dither(c.Red, c.Green, c.Blue, r, g, b));
      }
      ditherer.NextLine();
      if (FImage && y % 32 == 0) FImage->Progress(this, TProgressStage::Running, y * 100 / h, "Rendering...");
    }
  }
  FBitmap = std::move(bitmap);
  FMask.reset();
  if (anyMasked) {
    // Bit set (white) where the frame is see-through.
    FMask = std::make_unique<fw::TBitmap>();
    FMask->SetPixelFormat(fw::pf1bit);
    FMask->SetSize(w, h);
    FMask->SetColorTable({win::RGBQUAD{0, 0, 0, 0}, win::RGBQUAD{255, 255, 255, 0}});
    for (int y = 0; y < h; ++y)
      std::copy_n(FMaskBits.data() + static_cast<std::size_t>(y) * maskRow, (w + 7) / 8,
                  static_cast<std::uint8_t*>(FMask->ScanLine(y)));
  } else {
    FMaskBits.clear();
  }
  if (FImage) {
    FImage->Progress(this, TProgressStage::Ending, 100, "Rendering...");
    if (FImage->PaletteModified()) {
      FImage->SetPaletteModified(false);
      FImage->ImageChanged();
    }
  }
}

fw::TRect TGIFSubImage::ScaleRect(const fw::TRect& Rect) const {
  const int iw = FImage && FImage->Width() > 0 ? FImage->Width() : std::max<int>(FWidth, 1);
  const int ih = FImage && FImage->Height() > 0 ? FImage->Height() : std::max<int>(FHeight, 1);
  const int rw = Rect.right - Rect.left, rh = Rect.bottom - Rect.top;
  return fw::TRect{win::MulDiv(FLeft, rw, iw) + Rect.left, win::MulDiv(FTop, rh, ih) + Rect.top,
                   win::MulDiv(FLeft + FWidth, rw, iw) + Rect.left, win::MulDiv(FTop + FHeight, rh, ih) + Rect.top};
}

namespace {

// Copies the frame's bitmap through its mask: the mask (white where see-through) is ANDed onto
// the target, then the source with black in the see-through pixels is ORed on.
void MaskedBlit(fw::TCanvas& Target, const fw::TRect& R, fw::TBitmap& Source, fw::TBitmap& MaskBitmap,
                const std::vector<std::uint8_t>& MaskBits) {
  const int w = Source.Width(), h = Source.Height();
  fw::TBitmap masked;
  masked.Assign(&Source);
  masked.SetPixelFormat(fw::pf24bit);
  const int maskRow = (w + 15) / 16 * 2;
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<std::uint8_t*>(masked.ScanLine(y));
    const std::uint8_t* m = MaskBits.data() + static_cast<std::size_t>(y) * maskRow;
    for (int x = 0; x < w; ++x)
      if (m[x / 8] & (0x80 >> (x % 8))) row[x * 3] = row[x * 3 + 1] = row[x * 3 + 2] = 0;
  }
  win::HDC dest = Target.Handle();
  const win::COLORREF text = win::SetTextColor(dest, 0x000000);
  const win::COLORREF back = win::SetBkColor(dest, 0xFFFFFF);
  win::StretchBlt(dest, R.left, R.top, R.right - R.left, R.bottom - R.top, MaskBitmap.Canvas()->Handle(), 0, 0, w, h,
                  win::SRCAND);
  win::StretchBlt(dest, R.left, R.top, R.right - R.left, R.bottom - R.top, masked.Canvas()->Handle(), 0, 0, w, h,
                  win::SRCPAINT);
  win::SetTextColor(dest, text);
  win::SetBkColor(dest, back);
}

}  // namespace

void TGIFSubImage::Draw(fw::TCanvas* ACanvas, const fw::TRect& Rect, bool DoTransparent, bool DoTile) {
  fw::TBitmap* bitmap = Bitmap();
  if (!bitmap || !ACanvas) return;
  const bool masked = DoTransparent && FTransparent && Mask();
  auto paint = [&](const fw::TRect& R) {
    if (masked)
      MaskedBlit(*ACanvas, R, *bitmap, *FMask, FMaskBits);
    else
      ACanvas->StretchDraw(R, bitmap);
  };
  if (DoTile) {
    const int stepX = FImage && FImage->Width() > 0 ? FImage->Width() : FWidth;
    const int stepY = FImage && FImage->Height() > 0 ? FImage->Height() : FHeight;
    for (int y = Rect.top + FTop; y < Rect.bottom; y += stepY)
      for (int x = Rect.left + FLeft; x < Rect.right; x += stepX) paint(fw::TRect{x, y, x + FWidth, y + FHeight});
  } else {
    paint(ScaleRect(Rect));
  }
  ACanvas->Changed();
}

// --- The image ----------------------------------------------------------------------------------

std::unique_ptr<fw::TBitmap> TGIFImage::RenderBitmap() {
  if (Empty()) return nullptr;
  TGIFSubImage* first = (*FImages)[0];
  auto result = std::make_unique<fw::TBitmap>();
  if (first->Left() == 0 && first->Top() == 0 && first->Width() == Width() && first->Height() == Height()) {
    if (fw::TBitmap* b = first->Bitmap()) result->Assign(b);
    return result;
  }
  result->SetPixelFormat(fw::pf24bit);
  result->SetSize(Width(), Height());
  first->Draw(result->Canvas(), fw::TRect{0, 0, Width(), Height()}, false, false);
  return result;
}

void TGIFImage::DrawCachedBitmap(fw::TCanvas* ACanvas, const fw::TRect& Rect) {
  if (!FBitmap) return;
  if (FDrawOptions.Contains(TGIFDrawOption::Tile)) {
    const int w = std::max(1, FBitmap->Width()), h = std::max(1, FBitmap->Height());
    for (int y = Rect.top; y < Rect.bottom; y += h)
      for (int x = Rect.left; x < Rect.right; x += w) ACanvas->Draw(x, y, FBitmap.get());
  } else {
    ACanvas->StretchDraw(Rect, FBitmap.get());
  }
}

void TGIFImage::Draw(fw::TCanvas* ACanvas, const fw::TRect& Rect) {
  if (FDrawing || Empty() || !ACanvas) return;
  FDrawing = true;
  struct TGuard {
    bool& Flag;
    ~TGuard() { Flag = false; }
  } guard{FDrawing};

  if (FImages->Count() == 1 || !FDrawOptions.Contains(TGIFDrawOption::Animate)) {
    (*FImages)[0]->Draw(ACanvas, Rect, FDrawOptions.Contains(TGIFDrawOption::Transparent),
                        FDrawOptions.Contains(TGIFDrawOption::Tile));
    return;
  }
  const bool direct = FDrawOptions.Contains(TGIFDrawOption::DirectDraw);
  if (FBitmap && !direct) {
    DrawCachedBitmap(ACanvas, Rect);
    return;
  }
  std::lock_guard<std::recursive_mutex> lock(GIFPainterLock());
  if (FPainter && FPainter->Canvas() == ACanvas && FPainter->Rect() == Rect && !FPainter->Stopped()) return;
  if (FPainter) FPainter->Stop();
  FPainter = nullptr;
  FBitmap.reset();

  fw::TCanvas* target = ACanvas;
  fw::TRect targetRect = Rect;
  if (!direct) {
    FBitmap = std::make_unique<fw::TBitmap>();
    FBitmap->SetPixelFormat(fw::pf24bit);
    FBitmap->SetSize(Width(), Height());
    FBitmap->Canvas()->CopyRect(fw::TRect{0, 0, Width(), Height()}, ACanvas, Rect);
    target = FBitmap->Canvas();
    targetRect = fw::TRect{0, 0, Width(), Height()};
  }
  if (TGIFPainter* painter = InternalPaint(target, targetRect, FDrawOptions)) {
    painter->Start();
  }
  if (!direct) DrawCachedBitmap(ACanvas, Rect);
}

}  // namespace kvexport
