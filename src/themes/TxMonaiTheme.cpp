// "Monai": the patterned theme without ruled stripes: plain backgrounds, a grid of 2 x 2 dark
// dots in caption bars and drag handles, a plain status bar with a dotted size grip.

#include <algorithm>

#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/Rects.h"
#include "themes/ThemePainting.h"
#include "themes/TxPatternedTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace themes {

using namespace tx;

fw::TBitmap* TTxMonaiTheme::BuildPattern(TColor Color) {
  fw::TBitmap* bmp = TPatternUnit<TTxMonaiTheme>::Bitmap;
  if (!bmp || Color == fw::clNone) return bmp;
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetStyle(fw::bsSolid);
  c->Brush()->SetColor(ResolveColor(Color));
  c->FillRect(TRect{0, 0, 8, 8});
  const TColor dark = TColor(win::GetNearestColor(c->Handle(), win::COLORREF(MixColors(Color, fw::clBtnShadow, 64))));
  c->Brush()->SetColor(dark);
  for (const TPoint& p : {TPoint{0, 0}, TPoint{4, 0}, TPoint{0, 4}, TPoint{4, 4}})
    c->FillRect(TRect{p.x, p.y, p.x + 2, p.y + 2});
  return bmp;
}

void TTxMonaiTheme::PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect,
                                    const TRect& AClipRect, TColor AColor, bool Transparent, Integer AViewType) {
  if (LowColorDisplay) {
    TTxDefaultTheme::PaintBackground(Canvas, DockRect, ARect, AClipRect, AColor, Transparent, AViewType);
    return;
  }
  TRect R;
  if (Transparent || !win::IntersectRect(&R, &ARect, &AClipRect)) return;
  Fill(Canvas, R, AColor);
}

void TTxMonaiTheme::PaintToolbarNCArea(TCanvas* Canvas, TRect R, const TTxToolbarInfo& Info) {
  const kit::TClipTo clip(Canvas, R);
  if (kit::IsEmpty(R)) return;
  PaintToolbarBorder(Canvas, R, Info);
  if (!Info.AllowDrag || kit::IsEmpty(R)) return;
  TRect close{};
  const bool hasClose = CloseButtonRect(Info, close);
  if (Info.DragHandleStyle != 1) {
    TRect strip = HandleStrip(R, Info);
    // Widened by one pixel on both long sides; beside a close button the second side moves in.
    if (Info.IsVertical) {
      strip.top -= 1;
      strip.bottom = hasClose ? strip.bottom - 3 : strip.bottom + 1;
      if (hasClose) strip.right = std::min(strip.right, close.left);
    } else {
      strip.left -= 1;
      strip.right = hasClose ? strip.right - 3 : strip.right + 1;
      if (hasClose) strip.top = std::max(strip.top, close.bottom);
    }
    const bool hollow = Canvas->Brush()->Style() == fw::bsClear;
    PatternedFill(Canvas, kit::Deflated(strip, 1), hollow ? TColor(fw::clNone) : Canvas->Brush()->Color(), 0);
  }
  if (hasClose) PaintCloseButton(Canvas, close, Info.CloseButtonState);
}

void TTxMonaiTheme::PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) {
  const kit::TClipTo clip(Canvas, R);
  if (kit::IsEmpty(R)) return;
  switch (Part) {
    case SBP_BODY: Fill(Canvas, R, fw::clBtnFace); break;
    case SBP_PANE:
    case SBP_GRIPPERPANE: PaintPaneLine(Canvas, R, Part); break;
    case SBP_SIZEGRIP: {
      // Three rows of 2 x 2 dots, 4 pixels apart, stepping in from the bottom-right corner:
      // three dots in the bottom row, two above, one at the top.
      const TColor dot = MixColorsNearest(fw::clBtnFace, fw::clBtnShadow, 64);
      for (Integer row = 0; row < 3; ++row)
        for (Integer col = 0; col <= 2 - row; ++col) {
          const Integer x = R.right - 3 - col * 4, y = R.bottom - 3 - row * 4;
          Fill(Canvas, TRect{std::max(x, R.left), std::max(y, R.top), x + 2, y + 2}, dot);
        }
      break;
    }
    default: break;
  }
}

void RegisterMonaiTheme() { tx::RegisterTheme("Monai", &tx::ThemeClassOf<TTxMonaiTheme>); }

}  // namespace themes
