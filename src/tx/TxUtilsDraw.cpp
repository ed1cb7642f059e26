// One-call GDI painting of the drawing utilities: pens and brushes that know clNone and system
// colours, frames, lines, polygons, dithered fills and monochrome patterns.

#include <vector>

#include "framework/Controls.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/services/SysColors.h"
#include "toolbars/TBCommon.h"
#include "tx/TxUtils.h"

namespace tx {

namespace {

// Paints the set bits of a monochrome source through a brush of Color: with text colour black
// and background white, DSPDxax leaves the target where the source is black.
constexpr win::DWORD kRopDSPDxax = 0x00E20746;

void StampMono(win::HDC DC, Integer X, Integer Y, Integer W, Integer H, win::HDC MonoDC, TColor Color) {
  const win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(ResolveColor(Color)));
  const win::HGDIOBJ oldBrush = win::SelectObject(DC, brush);
  const win::COLORREF oldText = win::SetTextColor(DC, 0x000000);
  const win::COLORREF oldBk = win::SetBkColor(DC, 0xFFFFFF);
  win::BitBlt(DC, X, Y, W, H, MonoDC, 0, 0, kRopDSPDxax);
  win::SetBkColor(DC, oldBk);
  win::SetTextColor(DC, oldText);
  win::SelectObject(DC, oldBrush);
  win::DeleteObject(brush);
}

}  // namespace

void BlendPixel(win::HDC DC, Integer X, Integer Y, TColor Color, Integer Alpha) {
  if (Alpha <= 0) return;
  Color = ResolveColor(Color);
  if (Alpha >= 255) {
    win::SetPixelV(DC, X, Y, win::COLORREF(Color));
    return;
  }
  const win::COLORREF pixel = win::GetPixel(DC, X, Y);
  if (pixel == win::CLR_INVALID) return;
  const Integer A = Alpha >= 128 ? Alpha + 1 : Alpha;
  const auto mix = [A](Integer c, Integer p) { return (c * A + p * (256 - A) + 127) >> 8; };
  const Integer r = mix(Color & 0xFF, Integer(pixel & 0xFF));
  const Integer g = mix((Color >> 8) & 0xFF, Integer((pixel >> 8) & 0xFF));
  const Integer b = mix((Color >> 16) & 0xFF, Integer((pixel >> 16) & 0xFF));
  win::SetPixelV(DC, X, Y, win::COLORREF(r | (g << 8) | (b << 16)));
}

win::HPEN CreatePenColor(TColor Color) {
  if (Color == fw::clNone) return win::CreatePen(win::PS_NULL, 1, 0);
  return win::CreatePen(win::PS_SOLID, 1, win::COLORREF(ResolveColor(Color)));
}

win::HBRUSH CreateBrushColor(TColor Color) {
  if (Color == fw::clNone) return static_cast<win::HBRUSH>(win::GetStockObject(win::HOLLOW_BRUSH));
  if (Color < 0) return win::GetSysColorBrush(Color & 0xFF);
  return win::CreateSolidBrush(win::COLORREF(Color));
}

void DeleteBrushColor(TColor Color, win::HBRUSH Brush) {
  if (Color != fw::clNone && Color >= 0 && Brush) win::DeleteObject(Brush);
}

bool FillRectColor(win::HDC DC, const TRect& R, TColor Color) {
  if (Color == fw::clNone) return false;
  const win::HBRUSH brush = CreateBrushColor(Color);
  win::FillRect(DC, &R, brush);
  DeleteBrushColor(Color, brush);
  return true;
}

bool FrameRectColor(win::HDC DC, TRect& R, TColor Color, bool Shrink) {
  bool painted = false;
  if (Color != fw::clNone) {
    const win::HBRUSH brush = CreateBrushColor(Color);
    win::FrameRect(DC, &R, brush);
    DeleteBrushColor(Color, brush);
    painted = true;
  }
  if (Shrink) R = TRect{R.left + 1, R.top + 1, R.right - 1, R.bottom - 1};
  return painted;
}

void DrawLineColor(win::HDC DC, Integer X1, Integer Y1, Integer X2, Integer Y2, TColor Color) {
  const TPoint points[2] = {{X1, Y1}, {X2, Y2}};
  PolylineColor(DC, points, 1, Color);
}

bool PolylineColor(win::HDC DC, const TPoint* Points, Integer HighIndex, TColor Color) {
  if (Color == fw::clNone) return false;
  const win::HPEN pen = CreatePenColor(Color);
  const win::HGDIOBJ old = win::SelectObject(DC, pen);
  win::Polyline(DC, Points, HighIndex + 1);
  win::SelectObject(DC, old);
  win::DeleteObject(pen);
  return true;
}

void PolygonColor(win::HDC DC, const TPoint* Points, Integer HighIndex, TColor LineColor, TColor FillColor) {
  if (LineColor == fw::clNone && FillColor == fw::clNone) return;
  const win::HPEN pen = CreatePenColor(LineColor);
  const win::HBRUSH brush = CreateBrushColor(FillColor);
  const win::HGDIOBJ oldPen = win::SelectObject(DC, pen);
  const win::HGDIOBJ oldBrush = win::SelectObject(DC, brush);
  win::Polygon(DC, Points, HighIndex + 1);
  win::SelectObject(DC, oldBrush);
  win::SelectObject(DC, oldPen);
  DeleteBrushColor(FillColor, brush);
  win::DeleteObject(pen);
}

win::HBRUSH CreateDitheredBrush(TColor C1, TColor C2) {
  // An 8 x 8 checker as an 8 x 8 colour DIB: the pattern owes nothing to the DC it lands on.
  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 8;
  bi.bmiHeader.biHeight = -8;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const win::HBITMAP bmp = win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp) return nullptr;
  const TColor a = SwapRedBlue(ResolveColor(C1)), b = SwapRedBlue(ResolveColor(C2));
  auto* px = static_cast<uint32_t*>(bits);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) px[y * 8 + x] = uint32_t(((x + y) & 1) ? b : a);
  const win::HBRUSH brush = win::CreatePatternBrush(bmp);
  win::DeleteObject(bmp);
  return brush;
}

void DitherRect(win::HDC DC, const TRect& R, TColor C1, TColor C2) {
  const win::HBRUSH brush = CreateDitheredBrush(C1, C2);
  if (!brush) return;
  win::FillRect(DC, &R, brush);
  win::DeleteObject(brush);
}

void DrawFrame3D(win::HDC DC, TRect& R, TColor TopLeftColor, TColor BottomRightColor, bool AdjustTopLeft) {
  --R.right;
  --R.bottom;
  const TPoint topLeft[3] = {{R.left, R.bottom}, {R.left, R.top}, {R.right, R.top}};
  PolylineColor(DC, topLeft, 2, TopLeftColor);
  const TPoint bottomRight[3] = {{R.right, R.top}, {R.right, R.bottom}, {R.left - 1, R.bottom}};
  PolylineColor(DC, bottomRight, 2, BottomRightColor);
  if (AdjustTopLeft) {
    ++R.left;
    ++R.top;
  } else {
    --R.right;
    --R.bottom;
  }
}

void DrawMonoPattern(win::HDC DC, const TRect& R, Integer Width, Integer Height, const uint16_t* PatternBits,
                     TColor Color) {
  if (Color == fw::clNone || Width <= 0 || Height <= 0) return;
  Width = std::min(Width, 8);
  Height = std::min(Height, 8);
  // Rows of a monochrome bitmap are WORD aligned; the 8 pixels of a row are the row's low byte.
  uint8_t bits[16] = {};
  for (int y = 0; y < Height; ++y) bits[y * 2] = uint8_t(PatternBits[y] & 0xFF);
  const win::HBITMAP mono = win::CreateBitmap(8, 8, 1, 1, bits);
  const win::HDC monoDC = win::CreateCompatibleDC(nullptr);
  const win::HGDIOBJ old = win::SelectObject(monoDC, mono);
  StampMono(DC, (R.left + R.right + 1 - Width) / 2, (R.top + R.bottom + 1 - Height) / 2, Width, Height, monoDC,
            Color);
  win::SelectObject(monoDC, old);
  win::DeleteDC(monoDC);
  win::DeleteObject(mono);
}

void DrawGlyphMask(win::HDC DC, Integer X, Integer Y, fw::TCustomImageList* ImageList, Integer ImageIndex,
                   TColor Color) {
  if (Color == fw::clNone || !ImageList) return;
  fw::TBitmap mono;
  mono.SetMonochrome(true);
  mono.SetSize(ImageList->Width(), ImageList->Height());
  mono.Canvas()->Brush()->SetColor(fw::clWhite);
  mono.Canvas()->FillRect(TRect{0, 0, ImageList->Width(), ImageList->Height()});
  ImageList->Draw(mono.Canvas(), 0, 0, ImageIndex, true);
  StampMono(DC, X, Y, ImageList->Width(), ImageList->Height(), mono.Canvas()->Handle(), Color);
}

void DrawDragOutline(win::HDC DC, const TRect* NewRect, const TRect* OldRect) {
  toolbars::DrawHalftoneInvertRect(DC, NewRect, OldRect, win::SIZE{3, 2}, win::SIZE{3, 2});
}

TPoint GetClientSizeEx(fw::TControl* Control) {
  // Forms of this framework have no separate MDI client window: the client area is the size.
  if (!Control) return TPoint{0, 0};
  return TPoint{Control->ClientWidth(), Control->ClientHeight()};
}

}  // namespace tx
