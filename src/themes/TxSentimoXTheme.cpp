// The SentimoX theme: the operations where it parts from Nexos5.

#include "themes/TxSentimoXTheme.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemePainting.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace themes {

using namespace tx;

void TTxSentimoXTheme::UpdateColorCache() {
  TTxNexos5Theme::UpdateColorCache();
  EtchLightColor = 0xFFFFFF;
  EtchShadowColor = 0xC0C0C0;
}

void TTxSentimoXTheme::PaintBackground(TCanvas* Canvas, const TRect&, const TRect& ARect, const TRect& AClipRect,
                                       TColor AColor, bool Transparent, Integer) {
  TRect P;
  if (Transparent || !win::IntersectRect(&P, &ARect, &AClipRect) || !win::RectVisible(Canvas->Handle(), &P)) return;
  Fill(Canvas, P, AColor);
}

void TTxSentimoXTheme::PaintPressedSpinHalf(TCanvas* Canvas, const TRect& Half) {
  PaintGradientBands(Canvas, Half, ShadeColor, 0xFFFFFF, true);
}

void TTxSentimoXTheme::PaintDock(TCanvas* Canvas, const TRect&, const TRect& DockRect, Integer) {
  Canvas->Brush()->SetColor(0xE0E0E0);
  Canvas->Brush()->SetStyle(fw::bsSolid);
  Canvas->Pen()->SetColor(0xE0E0E0);
  Canvas->Pen()->SetWidth(0);
  Canvas->Rectangle(Deflated(DockRect, -1));
}

void TTxSentimoXTheme::PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const TTxDockPanelInfo& Info) {
  const TClipTo clip(Canvas, R);
  const TColor Bc = Canvas->Brush()->Color();
  kit::Frame(Canvas, R, 0xE0E0E0);
  kit::Frame(Canvas, Deflated(R, 1), Bc);
  const TRect inside = Deflated(R, 2);
  Pixel(Canvas, inside.left, inside.top, 0xE0E0E0);
  if (Info.IsVertical)
    Pixel(Canvas, inside.right - 1, inside.top, 0xE0E0E0);
  else
    Pixel(Canvas, inside.left, inside.bottom - 1, 0xE0E0E0);
  if (!Info.DragHandleStyle) return;
  const TRect in{R.left + Info.BorderSize.x, R.top + Info.BorderSize.y, R.right - Info.BorderSize.x,
                 R.bottom - Info.BorderSize.y};
  PaintDockPanelCaption(Canvas, in, Info, Bc);
}

void TTxSentimoXTheme::PaintMenuBarButton(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I, bool Hot) {
  if (!Hot) return;
  if (!I.Pushed) {
    PaintGradientBitmap(Canvas, Deflated(R, 1), GetButtonPartColor(I, cpFill), 0xFFFFFF);
    Pen(Canvas, GetButtonPartColor(I, cpFrame));
    FrameRoundRect(Canvas, R, 0, 0);
    return;
  }
  Fill(Canvas, R, 0xE0E0E0);
  Line(Canvas, R.left, R.top, R.right - 1, R.top, EtchShadowColor);
  Line(Canvas, R.left, R.top, R.left, R.bottom - 1, EtchShadowColor);
  Line(Canvas, R.left, R.bottom - 1, R.right, R.bottom - 1, EtchLightColor);
  Line(Canvas, R.right - 1, R.top + 1, R.right - 1, R.bottom - 1, EtchLightColor);
}

void TTxSentimoXTheme::PaintCheckedIdleFace(TCanvas* Canvas, const TRect& Face) {
  PaintGradientBitmap(Canvas, Face, ToolbarColor, 0xFFFFFF);
  Pen(Canvas, 0xC0C0C0);
}

TColor TTxSentimoXTheme::LitMenuImageFrame() const { return ButtonColors[4].Frame; }

void TTxSentimoXTheme::PaintFloatingClose(TCanvas* Canvas, const TRect& Q, int State) {
  PaintGlassyClose(Canvas, Q, State, 0x000000, true);
}

void TTxSentimoXTheme::PaintGlassyClose(TCanvas* Canvas, const TRect& Q, int State, TColor PressedCross,
                                        bool FillAtRest) {
  const TRect in = Deflated(Q, 1);
  if (State == 4) {
    PaintGradientBitmap(Canvas, in, ButtonColors[4].Fill, 0xFFFFFF);
    Pen(Canvas, ButtonColors[4].Frame);
    FrameRoundRect(Canvas, Q, 1, 1);
    kit::DrawCloseGlyph(Canvas, Q, 0xFFFFFF);
  } else if (State == 3) {
    PaintGradientBands(Canvas, in, kBarBottom, kBarTop, true);
    Pen(Canvas, 0xC0C0C0);
    FrameRoundRect(Canvas, Q, 1, 1);
    kit::DrawCloseGlyph(Canvas, Q, PressedCross);
  } else {
    kit::Frame(Canvas, Q, ButtonColors[State].Frame);
    if (FillAtRest) Fill(Canvas, in, ButtonColors[State].Fill);
    kit::DrawCloseGlyph(Canvas, Q, 0x000000);
  }
}

void TTxSentimoXTheme::PaintMenuItemFrame(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  if (!((I.Enabled && I.HoverKind != hkNone) || (!I.Enabled && I.HoverKind == hkKeyboardHover))) return;
  const TClipTo clip(Canvas, R);
  PaintGradientBitmap(Canvas, Deflated(R, 1), BaseColor, 0xFFFFFF);
  Pen(Canvas, ButtonColors[4].Frame);
  FrameRoundRect(Canvas, R, 0, 0);
}

void TTxSentimoXTheme::PaintPopupNCArea(TCanvas* Canvas, TRect R, const TTxPopupInfo&) {
  const TClipTo clip(Canvas, R);
  Fill(Canvas, R, PopupColor);
  Line(Canvas, R.left, R.top, R.right, R.top, 0xFFFFFF);
  Line(Canvas, R.left, R.top, R.left, R.bottom - 1, 0xFFFFFF);
  Line(Canvas, R.left, R.bottom - 1, R.right, R.bottom - 1, 0xD0D0D0);
  Line(Canvas, R.right - 1, R.top + 1, R.right - 1, R.bottom - 1, 0xD0D0D0);
}

void TTxSentimoXTheme::PaintSeparator(TCanvas* Canvas, TRect R, TTxItemInfo I, bool Horizontal, bool) {
  const TClipTo clip(Canvas, R);
  if (Horizontal) {
    const Integer y = R.bottom / 2;
    Line(Canvas, R.left + 2, y, R.right - 2, y, EtchShadowColor);
    Line(Canvas, R.left + 2, y + 1, R.right - 2, y + 1, EtchLightColor);
  } else if (I.Enabled) {
    const Integer x = R.right / 2 - 1;
    Line(Canvas, x, R.top + 2, x, R.bottom - 2, EtchShadowColor);
    Line(Canvas, x + 1, R.top + 2, x + 1, R.bottom - 2, EtchLightColor);
  }
}

void TTxSentimoXTheme::PaintToolbarEdges(TCanvas* Canvas, const TRect& R, Integer ViewType) {
  if (!kit::IsFramedToolbarView(ViewType)) return;
  Line(Canvas, R.left, R.top, R.right - 1, R.top, EtchLightColor);
  Line(Canvas, R.left, R.top, R.left, R.bottom - 1, EtchLightColor);
  Line(Canvas, R.left, R.bottom - 1, R.right, R.bottom - 1, EtchShadowColor);
  Line(Canvas, R.right - 1, R.top, R.right - 1, R.bottom - 1, EtchShadowColor);
}

void TTxSentimoXTheme::PaintGripDash(TCanvas* Canvas, Integer X, Integer Y, Integer W, bool) {
  Line(Canvas, X, Y, X + W, Y, 0x8F8F8F);
  Line(Canvas, X, Y + 1, X + W, Y + 1, 0xAEAAA7);
}

void TTxSentimoXTheme::PaintToolbarClose(TCanvas* Canvas, const TRect& Q, int State) {
  PaintGlassyClose(Canvas, Q, State, 0xFFFFFF, false);
}

void TTxSentimoXTheme::PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) {
  const TClipTo clip(Canvas, R);
  switch (Part) {
    case SBP_BODY:
      PaintBackground(Canvas, TRect{}, R, R, ToolbarColor, false, 0);
      Line(Canvas, R.left, R.top + 1, R.right, R.top + 1, EtchLightColor);
      break;
    case SBP_PANE: {
      const Integer x = R.right - 3 - 1;
      Line(Canvas, x, R.top + 2, x, R.bottom - 2, EtchShadowColor);
      Line(Canvas, x + 1, R.top + 2, x + 1, R.bottom - 2, EtchLightColor);
      break;
    }
    case SBP_SIZEGRIP: TTxNexos5Theme::PaintStatusBar(Canvas, R, Part); break;
    default: break;
  }
}

Integer TTxSentimoXTheme::GetIntegerMetric(Integer Index) {
  if (Index == TMI_MENU_SEPARATOR_SIZE) return 4;
  if (Index == TMI_TOOLBAR_SEPARATOR_SIZE) return 6;
  return TTxNexos5Theme::GetIntegerMetric(Index);
}

void RegisterSentimoXTheme() { tx::RegisterTheme("SentimoX", &tx::ThemeClassOf<TTxSentimoXTheme>); }

}  // namespace themes
