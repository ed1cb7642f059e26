// The Aluminum theme's areas and frames: brushed backgrounds, docks, toolbar, panel, popup and
// floating frames, caption bars, grip dots, close buttons and the status bar.

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemePainting.h"
#include "themes/TxAluminumTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace themes {

using namespace tx;

namespace {

constexpr uint16_t kCloseCross[6] = {0xC6, 0x6C, 0x38, 0x38, 0x6C, 0xC6};
constexpr TColor kGrey = 0x9F9F9F;
constexpr Cardinal kCaptionFormat =
    win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE | win::DT_END_ELLIPSIS | win::DT_NOPREFIX;

Integer SmallCaption() { return win::GetSystemMetrics(win::SM_CYSMCAPTION); }

void CaptionFont(TCanvas* c) {
  if (SmallCaptionFont) c->Font()->Assign(SmallCaptionFont);
}

TRect Shifted(TRect R, Integer dx, Integer dy) { return TRect{R.left + dx, R.top + dy, R.right + dx, R.bottom + dy}; }

int CloseState(Integer Bits) {
  if (Bits & CDBS_PRESSED) return 3;
  if (Bits & CDBS_HOT) return 4;
  return 0;
}

}  // namespace

void TTxAluminumTheme::PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect,
                                       const TRect& AClipRect, TColor AColor, bool Transparent, Integer AViewType) {
  if (LowColorDisplay) {
    TTxDefaultTheme::PaintBackground(Canvas, DockRect, ARect, AClipRect, AColor, Transparent, AViewType);
    return;
  }
  if (Transparent) return;
  TRect P;
  if (!win::IntersectRect(&P, &ARect, &AClipRect)) return;
  if (IsEmbeddedView(AViewType) || (AViewType & VT_POPUP))
    Fill(Canvas, P, AColor);
  else
    BrushedFill(Canvas->Handle(), nullptr, P, AColor, AluBrushStrength);
}

void TTxAluminumTheme::PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect& DockRect, Integer) {
  const TPoint origin{ClientRect.left, ClientRect.top};
  BrushedFill(Canvas->Handle(), &origin, DockRect, AluDockColor, 8);
}

void TTxAluminumTheme::PaintCaptionBar(TCanvas* Canvas, const TRect& R, bool Vertical) {
  if (kit::IsEmpty(R)) return;
  const win::HDC dc = Canvas->Handle();
  const TColor C = AluToolbarColor;
  // Vertical: the bar runs top to bottom, so it is split across its width.
  if (Vertical) {
    const Integer x = R.left + (R.right - R.left) / 3;
    GradientFillRect(dc, TRect{R.left, R.top, x, R.bottom}, OffsetColor(C, 24), C, false);
    GradientFillRect(dc, TRect{x, R.top, R.right, R.bottom}, C, OffsetColor(C, -8), false);
  } else {
    const Integer y = R.top + (R.bottom - R.top) / 3;
    GradientFillRect(dc, TRect{R.left, R.top, R.right, y}, OffsetColor(C, 24), C, true);
    GradientFillRect(dc, TRect{R.left, y, R.right, R.bottom}, C, OffsetColor(C, -8), true);
  }
}

void TTxAluminumTheme::PaintGripDots(TCanvas* Canvas, const TRect& Handle, bool AlongX, Integer Lines) {
  // Along the handle: inset, trimmed to 4k + 2 and centred, a dot every 4 pixels. Across it:
  // Lines rows of dots 4 pixels apart, centred, so the narrow handles of docked toolbars hold
  // their dots too.
  const Integer along0 = (AlongX ? Handle.left : Handle.top) + 2, along1 = (AlongX ? Handle.right : Handle.bottom) - 2;
  const Integer across0 = AlongX ? Handle.top : Handle.left, across1 = AlongX ? Handle.bottom : Handle.right;
  const Integer length = along1 - along0, span = 4 * Lines - 1;
  if (length < 2 || Lines <= 0 || across1 - across0 < span) return;
  const Integer trimmed = (length - 2) / 4 * 4 + 2;
  const Integer start = along0 + (length - trimmed) / 2, end = start + trimmed;
  const Integer first = across0 + (across1 - across0 - span) / 2 + 1;
  const TColor c0 = OffsetColorNearest(AluToolbarColor, -96), c1 = OffsetColorNearest(AluToolbarColor, -24),
               c2 = OffsetColorNearest(AluToolbarColor, -32), c3 = OffsetColorNearest(AluToolbarColor, 24),
               c4 = OffsetColorNearest(AluToolbarColor, 18);
  for (Integer a = start + 1; a + 1 < end; a += 4)
    for (Integer line = 0; line < Lines; ++line) {
      const Integer b = first + 4 * line;
      const Integer x = AlongX ? a : b, y = AlongX ? b : a;
      Pixel(Canvas, x, y, c0);
      Pixel(Canvas, x - 1, y - 1, c1);
      Pixel(Canvas, x - 1, y, c2);
      Pixel(Canvas, x, y - 1, c2);
      Pixel(Canvas, x + 1, y, c3);
      Pixel(Canvas, x, y + 1, c3);
      Pixel(Canvas, x + 1, y + 1, c4);
    }
}

void TTxAluminumTheme::PaintCloseButton(TCanvas* Canvas, const TRect& R, int S) {
  if (kit::IsEmpty(R)) return;
  const TPartColors& P = AluButtonColors[S];
  AluRoundedFill(Canvas, R, {2, 2, 2, 2}, P.Fill);
  AluRoundedFrame(Canvas, R, {2, 2, 2, 2}, P.Frame);
  const TColor C = P.Fill == fw::clNone ? AluToolbarColor : P.Fill;
  const win::HDC dc = Canvas->Handle();
  DrawMonoPattern(dc, Shifted(R, 1, 1), 7, 6, kCloseCross, OffsetColor(C, 24));
  DrawMonoPattern(dc, Shifted(R, -1, -1), 7, 6, kCloseCross, OffsetColor(C, -32));
  DrawMonoPattern(dc, R, 7, 6, kCloseCross, S == 4 ? TColor(fw::clBlack) : TColor(0x3F3F3F));
}

void TTxAluminumTheme::PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const TTxDockPanelInfo& Info) {
  const kit::TClipTo clip(Canvas, R);
  if (kit::IsEmpty(R)) return;
  kit::Frame(Canvas, R, AluDockColor);
  kit::Frame(Canvas, Deflated(R, 1), Info.EffectiveColor);
  for (const TPoint& p : {TPoint{R.left, R.top}, TPoint{R.right - 1, R.top}, TPoint{R.left, R.bottom - 1},
                          TPoint{R.right - 1, R.bottom - 1}})
    Pixel(Canvas, p.x, p.y, AluDockColor);
  if (!Info.DragHandleStyle) return;
  const TRect in{R.left + Info.BorderSize.x, R.top + Info.BorderSize.y, R.right - Info.BorderSize.x,
                 R.bottom - Info.BorderSize.y};
  const Integer t = SmallCaption();
  if (kit::IsEmpty(in) || t <= 1) return;
  // A vertical panel has its caption across the top; a horizontal one down the left side.
  TRect bar, close;
  if (Info.IsVertical) {
    bar = TRect{in.left, in.top, in.right, std::min(in.bottom, in.top + t - 1)};
    Line(Canvas, bar.left, bar.bottom, bar.right, bar.bottom, Info.EffectiveColor);
    close = Deflated(TRect{bar.right - (t - 1), bar.top, bar.right, bar.bottom}, 1);
  } else {
    bar = TRect{in.left, in.top, std::min(in.right, in.left + t - 1), in.bottom};
    Line(Canvas, bar.right, bar.top, bar.right, bar.bottom, Info.EffectiveColor);
    close = Deflated(TRect{bar.left, bar.bottom - (t - 1), bar.right, bar.bottom}, 1);
  }
  PaintCaptionBar(Canvas, bar, !Info.IsVertical);
  AluRaisedFrame(Canvas, bar, 2, OffsetColor(AluToolbarColor, 32), OffsetColor(AluToolbarColor, -64), fw::clNone);
  const bool hasClose = Info.CloseButtonState & CDBS_VISIBLE;
  if (hasClose) PaintCloseButton(Canvas, close, CloseState(Info.CloseButtonState));
  CaptionFont(Canvas);
  TRect text = Deflated(bar, 2);
  if (hasClose) {
    if (Info.IsVertical)
      text.right = std::min(text.right, close.left);
    else
      text.bottom = std::min(text.bottom, close.top);
  }
  kit::Text(Canvas, Info.Caption, text, kCaptionFormat, !Info.IsVertical, fw::clBlack);
}

void TTxAluminumTheme::PaintFloatingBorder(TCanvas* Canvas, const TRect& R, const TTxFloatingWindowInfo& Info) {
  const kit::TClipTo clip(Canvas, R);
  if (kit::IsEmpty(R)) return;
  const TColor grey = MixColorsNearest(kGrey, fw::clBlack, 220);
  const TPoint bs = Info.FloatingBorderSize;
  if (Info.RedrawPart & WRP_BORDER) {
    const Integer n = std::max<Integer>(1, std::min(bs.x, bs.y));
    TRect f = R;
    for (Integer k = 0; k + 1 < n; ++k, f = Deflated(f, 1)) kit::Frame(Canvas, f, grey);
    kit::Frame(Canvas, f, Info.EffectiveColor);
    const TColor corner = MixColorsNearest(grey, Info.EffectiveColor, 127);
    kit::PaintCornerPixels(Canvas, f, corner);
  }
  if (!Info.ShowCaption) return;
  const Integer t = SmallCaption();
  const TRect in{R.left + bs.x, R.top + bs.y, R.right - bs.x, R.bottom - bs.y};
  const TRect bar{in.left, in.top, in.right, std::min(in.bottom, in.top + t - 2)};
  const bool hasClose = Info.CloseButtonState & CDBS_VISIBLE;
  const TRect close = Deflated(TRect{bar.right - (bar.bottom - bar.top), bar.top, bar.right, bar.bottom}, 1);
  if (Info.RedrawPart & WRP_CAPTION) {
    PaintCaptionBar(Canvas, bar, false);
    AluRaisedFrame(Canvas, bar, 2, OffsetColor(AluToolbarColor, 32), OffsetColor(AluToolbarColor, -64), fw::clNone);
    Line(Canvas, bar.left, bar.bottom, bar.right, bar.bottom, grey);
    Line(Canvas, bar.left, bar.bottom + 1, bar.right, bar.bottom + 1, Info.EffectiveColor);
    CaptionFont(Canvas);
    TRect text = Deflated(bar, 2);
    if (hasClose) text.right = std::min(text.right, close.left);
    kit::Text(Canvas, Info.Caption, text, kCaptionFormat, false, fw::clBlack);
  }
  if (hasClose && (Info.RedrawPart & WRP_CLOSEBTN))
    PaintCloseButton(Canvas, close, Info.Active ? CloseState(Info.CloseButtonState) : 1);
}

void TTxAluminumTheme::PaintPopupNCArea(TCanvas* Canvas, TRect R, const TTxPopupInfo& PopupInfo) {
  const kit::TClipTo clip(Canvas, R);
  if (kit::IsEmpty(R)) return;
  kit::Frame(Canvas, R, AluPopupFrameColor);
  Fill(Canvas, Deflated(R, 1), AluPopupColor);
  const TRect& P = PopupInfo.ParentRect;
  if (kit::IsEmpty(P)) return;
  // The stretch of the frame shared with the parent item, one pixel inside each end.
  const win::HDC dc = Canvas->Handle();
  const TColor joint = AluButtonColors[7].Frame;
  const Integer x0 = std::max(P.left, R.left) + 1, x1 = std::min(P.right, R.right) - 1;
  const Integer y0 = std::max(P.top, R.top) + 1, y1 = std::min(P.bottom, R.bottom) - 1;
  if (P.bottom == R.top) {
    if (x1 > x0) DitherRect(dc, TRect{x0, R.top, x1, R.top + 1}, AluPopupColor, joint);
  } else if (P.top == R.bottom) {
    if (x1 > x0) DitherRect(dc, TRect{x0, R.bottom - 1, x1, R.bottom}, AluPopupColor, joint);
  } else if (P.right == R.left) {
    if (y1 > y0) DitherRect(dc, TRect{R.left, y0, R.left + 1, y1}, AluPopupColor, joint);
  } else if (P.left == R.right) {
    if (y1 > y0) DitherRect(dc, TRect{R.right - 1, y0, R.right, y1}, AluPopupColor, joint);
  }
}

void TTxAluminumTheme::PaintToolbarNCArea(TCanvas* Canvas, TRect R, const TTxToolbarInfo& Info) {
  const kit::TClipTo clip(Canvas, R);
  if (kit::IsEmpty(R)) return;
  BrushedFill(Canvas->Handle(), nullptr, R, Info.EffectiveColor, AluBrushStrength);
  if (Info.BorderStyle == 1)
    AluRaisedFrame(Canvas, R, 2, OffsetColor(Info.EffectiveColor, 32), OffsetColor(Info.EffectiveColor, -96),
                   AluDockColor);
  R = Deflated(R, 2);
  if (!Info.AllowDrag || Info.DragHandleStyle == 1 || kit::IsEmpty(R)) return;
  const Integer size = GetDragHandleSize(Info);
  const bool hasClose = Info.CloseButtonState & CDBS_VISIBLE;
  TRect close{};
  if (hasClose) {
    GetToolbarCloseButtonRect(Info, close);
    PaintCloseButton(Canvas, close, CloseState(Info.CloseButtonState));
  }
  TRect handle;
  if (Info.IsVertical) {
    handle = TRect{R.left, R.top, R.right, R.top + size};
    if (hasClose) handle.right = std::min(handle.right, close.left);
  } else {
    handle = TRect{R.left, R.top, R.left + size, R.bottom};
    if (hasClose) handle.top = std::max(handle.top, close.bottom);
  }
  // The double grip is two lines of dots, the single grip one.
  PaintGripDots(Canvas, handle, Info.IsVertical, Info.DragHandleStyle == 0 ? 2 : 1);
}

void TTxAluminumTheme::PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) {
  const kit::TClipTo clip(Canvas, R);
  if (kit::IsEmpty(R)) return;
  switch (Part) {
    case SBP_BODY: {
      const TRect top{R.left, R.top, R.right, std::min(R.bottom, R.top + 5)};
      GradientFillRect(Canvas->Handle(), top, OffsetColor(AluStatusColor, -16), AluStatusColor, true);
      BrushedFill(Canvas->Handle(), nullptr, TRect{R.left, top.bottom, R.right, R.bottom}, AluStatusColor,
                  AluBrushStrength);
      break;
    }
    case SBP_PANE:
      Line(Canvas, R.right - 3, R.top + 4, R.right - 3, R.bottom - 3, AluSeparatorColor);
      break;
    case SBP_GRIPPERPANE:
      // The last column of the pane: its right edge lies outside it.
      Line(Canvas, R.right - 1, R.top + 4, R.right - 1, R.bottom - 3, AluSeparatorColor);
      break;
    case SBP_SIZEGRIP: {
      const Integer side = std::min(R.right - R.left, R.bottom - R.top);
      if (side < 9) break;
      const Integer step = side >= 13 ? 2 : 1;
      const TColor light = OffsetColorNearest(AluStatusColor, 64);
      // Three pairs of diagonals from the bottom edge to the right edge.
      for (Integer k = 0; k < 3; ++k) {
        const Integer d = 2 + k * (2 + step);
        Line(Canvas, R.right - d - 1, R.bottom - 1, R.right, R.bottom - d - 2, fw::clBlack);
        Line(Canvas, R.right - d, R.bottom - 1, R.right, R.bottom - d - 1, light);
      }
      break;
    }
    default: break;
  }
}

}  // namespace themes
