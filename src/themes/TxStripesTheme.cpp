// "Stripes": backgrounds ruled with a dark and a light line every 5 pixels, a raised-dot pattern
// in caption bars and drag handles, a status bar with a line under its top edge.

#include <algorithm>

#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "themes/ThemePainting.h"
#include "themes/TxPatternedTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace themes {

using namespace tx;

fw::TBitmap* TTxStripesTheme::BuildPattern(TColor Color) {
  fw::TBitmap* bmp = TPatternUnit<TTxStripesTheme>::Bitmap;
  if (!bmp || Color == fw::clNone) return bmp;
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetStyle(fw::bsSolid);
  c->Brush()->SetColor(ResolveColor(Color));
  c->FillRect(TRect{0, 0, 8, 8});
  const TColor light = TColor(win::GetNearestColor(c->Handle(), win::COLORREF(MixColors(Color, fw::clBtnHighlight, 32))));
  const TColor dark = TColor(win::GetNearestColor(c->Handle(), win::COLORREF(MixColors(Color, fw::clBtnShadow, 64))));
  for (const TPoint& p : {TPoint{0, 0}, TPoint{4, 0}, TPoint{0, 4}, TPoint{4, 4}}) c->SetPixels(p.x, p.y, light);
  for (const TPoint& p : {TPoint{1, 1}, TPoint{5, 1}, TPoint{1, 5}, TPoint{5, 5}}) c->SetPixels(p.x, p.y, dark);
  return bmp;
}

void TTxStripesTheme::PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect,
                                      const TRect& AClipRect, TColor AColor, bool Transparent, Integer AViewType) {
  if (LowColorDisplay) {
    TTxDefaultTheme::PaintBackground(Canvas, DockRect, ARect, AClipRect, AColor, Transparent, AViewType);
    return;
  }
  TRect R;
  if (!win::IntersectRect(&R, &ARect, &AClipRect) || !win::RectVisible(Canvas->Handle(), &R)) return;
  if (IsViewKind(AViewType, VT_TOOLBAR_MENUBAR) || IsViewKind(AViewType, VT_DOCKPANEL_NORMAL) ||
      IsEmbeddedView(AViewType)) {
    if (!Transparent) Fill(Canvas, R, AColor);
    return;
  }
  const Integer lum = GetColorLuminance(AColor);
  const Integer d = lum < 200 ? (200 - lum) / 20 : 0;
  const TColor light = OffsetColorNearest(AColor, d + 16), dark = OffsetColorNearest(AColor, -16);
  if (Transparent) return;
  Fill(Canvas, R, AColor);
  // The phase comes from ARect's top, so partial repaints continue each other; each line is
  // painted only where it meets the repainted part.
  for (Integer y = R.top - ((R.top - ARect.top) % 5); y < R.bottom; y += 5) {
    if (y >= R.top) Line(Canvas, R.left, y, R.right, y, dark);
    if (y + 1 >= R.top && y + 1 < R.bottom) Line(Canvas, R.left, y + 1, R.right, y + 1, light);
  }
}

void TTxStripesTheme::PaintToolbarNCArea(TCanvas* Canvas, TRect R, const TTxToolbarInfo& Info) {
  const kit::TClipTo clip(Canvas, R);
  if (kit::IsEmpty(R)) return;
  PaintToolbarBorder(Canvas, R, Info);
  if (!Info.AllowDrag || kit::IsEmpty(R)) return;
  TRect close{};
  const bool hasClose = CloseButtonRect(Info, close);
  if (Info.DragHandleStyle != 1) {
    TRect strip = HandleStrip(R, Info);
    const TColor edge = MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, 96);
    const bool hollow = Canvas->Brush()->Style() == fw::bsClear;
    const TColor brush = hollow ? TColor(fw::clNone) : Canvas->Brush()->Color();
    if (Info.IsVertical) {
      Line(Canvas, strip.left, strip.bottom - 2, strip.right, strip.bottom - 2, edge);
      strip.bottom -= 2;
    } else {
      Line(Canvas, strip.right - 2, strip.top, strip.right - 2, strip.bottom, edge);
      strip.right -= 2;
    }
    Fill(Canvas, strip, brush);
    if (hasClose) {
      if (Info.IsVertical)
        strip.right = std::min(strip.right, close.left);
      else
        strip.top = std::max(strip.top, close.bottom);
    }
    PatternedFill(Canvas, kit::Deflated(strip, 1), brush, 0);
  }
  if (hasClose) PaintCloseButton(Canvas, close, Info.CloseButtonState);
}

void TTxStripesTheme::PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) {
  const kit::TClipTo clip(Canvas, R);
  if (kit::IsEmpty(R)) return;
  switch (Part) {
    case SBP_BODY:
      Fill(Canvas, R, fw::clBtnFace);
      Line(Canvas, R.left, R.top + 2, R.right, R.top + 2, MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, 96));
      break;
    case SBP_PANE:
    case SBP_GRIPPERPANE: PaintPaneLine(Canvas, R, Part); break;
    case SBP_SIZEGRIP: {
      const Integer side = std::min(R.right - R.left, R.bottom - R.top);
      if (side < 9) break;
      const Integer step = side >= 13 ? 2 : 1;
      const TColor dark = MixColorsNearest(fw::clBtnFace, fw::clBtnShadow, 64);
      const TColor light = MixColorsNearest(fw::clBtnFace, fw::clBtnHighlight, 64);
      for (Integer k = 0; k < 3; ++k) {
        const Integer d = 2 + k * (2 + step);
        Line(Canvas, R.right - d - 1, R.bottom - 1, R.right, R.bottom - d - 2, dark);
        Line(Canvas, R.right - d, R.bottom - 1, R.right, R.bottom - d - 1, light);
      }
      break;
    }
    default: break;
  }
}

void RegisterStripesTheme() { tx::RegisterTheme("Stripes", &tx::ThemeClassOf<TTxStripesTheme>); }

}  // namespace themes
