// The patterned themes' shared frames: the patterned fill, close buttons, panel, popup and
// floating frames, and the status-bar pane lines.

#include <algorithm>

#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiDC.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemePainting.h"
#include "themes/TxPatternedTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace themes {

using namespace tx;

namespace {

constexpr uint16_t kCloseCross[6] = {0xC6, 0x6C, 0x38, 0x38, 0x6C, 0xC6};
constexpr Cardinal kCaptionFormat =
    win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE | win::DT_END_ELLIPSIS | win::DT_NOPREFIX;

void CaptionFont(TCanvas* c) {
  if (SmallCaptionFont) c->Font()->Assign(SmallCaptionFont);
}

}  // namespace

void TTxPatternedTheme::PatternedFill(TCanvas* Canvas, TRect ARect, TColor Color, Integer Inset) {
  const win::HDC dc = Canvas->Handle();
  if (Color != fw::clNone) {
    BuildPattern(Color);
    Fill(Canvas, ARect, Color);
  }
  TRect R = Deflated(ARect, Inset);
  const Integer w = R.right - R.left, h = R.bottom - R.top;
  if (w < 2 || h < 2) return;
  const Integer tw = (w - 2) / 4 * 4 + 2, th = (h - 2) / 4 * 4 + 2;
  R.left += (w - tw) / 2;
  R.top += (h - th) / 2;
  R.right = R.left + tw;
  R.bottom = R.top + th;
  if (Color == fw::clNone) {
    for (Integer y = R.top; y + 2 < R.bottom; y += 4)
      for (Integer x = R.left; x + 2 < R.right; x += 4) {
        kit::Pixel(Canvas, x + 1, y + 1, fw::clBtnHighlight);
        kit::Pixel(Canvas, x + 2, y + 2, fw::clBtnShadow);
      }
    return;
  }
  fw::TBitmap* pattern = BuildPattern(Color);
  if (!pattern) return;
  const win::HBRUSH brush = win::CreatePatternBrush(pattern->Handle());
  // The brush origin is in device units: the viewer may have moved the window origin.
  win::POINT wo{0, 0}, vo{0, 0}, old{0, 0};
  win::GetWindowOrgEx(dc, &wo);
  win::GetViewportOrgEx(dc, &vo);
  win::SetBrushOrgEx(dc, R.left - wo.x + vo.x, R.top - wo.y + vo.y, &old);
  win::FillRect(dc, &R, brush);
  win::SetBrushOrgEx(dc, old.x, old.y, nullptr);
  win::DeleteObject(brush);
}

void TTxPatternedTheme::PaintCloseButton(TCanvas* Canvas, TRect R, Integer State) {
  R = Deflated(R, 1);
  if (kit::IsEmpty(R)) return;
  const bool pressed = State & CDBS_PRESSED, hot = State & CDBS_HOT;
  const win::HDC dc = Canvas->Handle();
  if (pressed) {
    if (LowColorDisplay)
      Fill(Canvas, R, fw::clBtnHighlight);
    else
      DitherRect(dc, R, fw::clBtnHighlight, MixColors(fw::clBtnHighlight, fw::clBtnFace, 126));
  } else if (hot) {
    if (LowColorDisplay)
      Fill(Canvas, R, fw::clBtnFace);
    else
      DitherRect(dc, R, fw::clBtnFace, MixColors(fw::clBtnHighlight, fw::clBtnFace, 192));
  }
  if (pressed || hot)
    DrawStripesFrame(Canvas, R, 1,
                     pressed && LowColorDisplay ? TColor(fw::clBtnShadow)
                                                : MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, 191),
                     1);
  const Integer p = pressed ? 1 : 0;
  DrawMonoPattern(dc, TRect{R.left + p, R.top + p, R.right + p, R.bottom + p}, 7, 6, kCloseCross, fw::clBtnText);
}

void TTxPatternedTheme::PaintToolbarBorder(TCanvas* Canvas, TRect& R, const TTxToolbarInfo& Info) {
  if (Info.BorderStyle == 1) {
    win::DrawEdge(Canvas->Handle(), &R, win::BDR_RAISEDINNER, win::BF_RECT | win::BF_ADJUST);
    const win::HDC dc = Canvas->Handle();
    const int saved = win::SaveDC(dc);
    const TRect client = Deflated(R, 1);
    if (!kit::IsEmpty(client)) win::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    if (Canvas->Brush()->Style() != fw::bsClear) Fill(Canvas, R, Canvas->Brush()->Color());
    win::RestoreDC(dc, saved);
  }
  R = Deflated(R, 1);
}

void TTxPatternedTheme::PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const TTxDockPanelInfo& Info) {
  const kit::TClipTo clip(Canvas, R);
  if (kit::IsEmpty(R)) return;
  kit::Frame(Canvas, R, FFaceColor);
  if (!Info.DragHandleStyle) return;
  const TRect in{R.left + Info.BorderSize.x, R.top + Info.BorderSize.y, R.right - Info.BorderSize.x,
                 R.bottom - Info.BorderSize.y};
  const Integer t = win::GetSystemMetrics(win::SM_CYSMCAPTION);
  if (kit::IsEmpty(in) || t <= 2) return;
  // A vertical panel has its caption across the top; a horizontal one down the left side.
  TRect bar, close;
  if (Info.IsVertical) {
    bar = TRect{in.left, in.top, in.right, std::min(in.bottom, in.top + t - 1)};
    Line(Canvas, bar.left, bar.bottom, bar.right, bar.bottom, MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, 128));
  } else {
    bar = TRect{in.left, in.top, std::min(in.right, in.left + t - 1), in.bottom};
    Line(Canvas, bar.right, bar.top, bar.right, bar.bottom, MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, 128));
  }
  TRect edge = bar;
  win::DrawEdge(Canvas->Handle(), &edge, win::BDR_RAISEDINNER, win::BF_RECT | win::BF_MIDDLE | win::BF_ADJUST);
  const bool hasClose = Info.CloseButtonState & CDBS_VISIBLE;
  const Integer side = Info.IsVertical ? edge.bottom - edge.top : edge.right - edge.left;
  close = Info.IsVertical ? TRect{edge.right - side, edge.top, edge.right, edge.bottom}
                          : TRect{edge.left, edge.bottom - side, edge.right, edge.bottom};
  if (hasClose) {
    PaintCloseButton(Canvas, close, Info.CloseButtonState);
    if (Info.IsVertical)
      edge.right = close.left;
    else
      edge.bottom = close.top;
  }
  CaptionFont(Canvas);
  const Integer textWidth = Canvas->TextWidth(Info.Caption) + 16;
  const Integer length = Info.IsVertical ? edge.right - edge.left : edge.bottom - edge.top;
  if (textWidth < length) {
    const Integer a = (length - textWidth) / 2;
    if (Info.IsVertical) {
      PatternedFill(Canvas, TRect{edge.left, edge.top, edge.left + a, edge.bottom}, fw::clBtnFace, 1);
      PatternedFill(Canvas, TRect{edge.left + a + textWidth, edge.top, edge.right, edge.bottom}, fw::clBtnFace, 1);
    } else {
      PatternedFill(Canvas, TRect{edge.left, edge.top, edge.right, edge.top + a}, fw::clBtnFace, 1);
      PatternedFill(Canvas, TRect{edge.left, edge.top + a + textWidth, edge.right, edge.bottom}, fw::clBtnFace, 1);
    }
  } else {
    PatternedFill(Canvas, edge, fw::clBtnFace, 1);
  }
  kit::Text(Canvas, Info.Caption, edge, kCaptionFormat, !Info.IsVertical, fw::clBtnText);
}

void TTxPatternedTheme::PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect, const TTxFloatingWindowInfo& Info) {
  const kit::TClipTo clip(Canvas, ARect);
  if (kit::IsEmpty(ARect)) return;
  const win::HDC dc = Canvas->Handle();
  const TPoint bs = Info.FloatingBorderSize;
  const TRect client{ARect.left + bs.x, ARect.top + bs.y, ARect.right - bs.x, ARect.bottom - bs.y};
  if (Info.RedrawPart & WRP_BORDER) {
    kit::Frame(Canvas, ARect, MixColorsNearest(fw::clBtnShadow, fw::clBlack, 127));
    TRect r = Deflated(ARect, 1);
    win::DrawEdge(dc, &r, win::BDR_RAISEDINNER, win::BF_RECT | win::BF_ADJUST);
    for (Integer k = 2; k < std::min(bs.x, bs.y); ++k, r = Deflated(r, 1)) kit::Frame(Canvas, r, fw::clBtnFace);
    const int saved = win::SaveDC(dc);
    if (!kit::IsEmpty(client)) win::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    Fill(Canvas, r, GetViewColor(Info.ViewType));
    win::RestoreDC(dc, saved);
  }
  if (!Info.ShowCaption) return;
  const Integer t = win::GetSystemMetrics(win::SM_CYSMCAPTION);
  TRect bar{client.left, client.top, client.right, std::min(client.bottom, client.top + t - 2)};
  if (kit::IsEmpty(bar)) return;
  const bool hasClose = Info.CloseButtonState & CDBS_VISIBLE;
  const TRect close{bar.right - (bar.bottom - bar.top), bar.top, bar.right, bar.bottom};
  if (hasClose) bar.right = close.left;
  if (Info.RedrawPart & WRP_CAPTION) {
    Line(Canvas, client.left, bar.bottom, client.right, bar.bottom, fw::clBtnFace);
    Line(Canvas, client.left, bar.bottom + 1, client.right, bar.bottom + 1, DisabledColor);
    CaptionFont(Canvas);
    const Integer textWidth = Canvas->TextWidth(Info.Caption) + 16;
    const Integer length = bar.right - bar.left;
    if (textWidth < length) {
      const Integer a = (length - textWidth) / 2;
      PatternedFill(Canvas, TRect{bar.left, bar.top, bar.left + a, bar.bottom}, fw::clBtnFace, 2);
      PatternedFill(Canvas, TRect{bar.left + a + textWidth, bar.top, bar.right, bar.bottom}, fw::clBtnFace, 2);
      Fill(Canvas, TRect{bar.left + a, bar.top, bar.left + a + textWidth, bar.bottom}, fw::clBtnFace);
    } else {
      Fill(Canvas, bar, fw::clBtnFace);
    }
    kit::Text(Canvas, Info.Caption, bar, kCaptionFormat, false, fw::clBtnText);
  }
  if (hasClose && (Info.RedrawPart & WRP_CLOSEBTN)) {
    Fill(Canvas, close, fw::clBtnFace);
    PaintCloseButton(Canvas, close, Info.CloseButtonState);
  }
}

void TTxPatternedTheme::PaintPopupNCArea(TCanvas* Canvas, TRect R, const TTxPopupInfo& PopupInfo) {
  const kit::TClipTo clip(Canvas, R);
  if (kit::IsEmpty(R)) return;
  kit::Frame(Canvas, R, MixColorsNearest(fw::clBtnShadow, fw::clBlack, 127));
  R = Deflated(R, 1);
  if (IsViewKind(PopupInfo.ViewType, VT_POPUP_LIST)) {
    Fill(Canvas, R, fw::clWindow);
  } else if (FlatMenuColors && !IsViewKind(PopupInfo.ViewType, VT_POPUP_TOOLBOX)) {
    Fill(Canvas, R, MenuBackColor);
  } else {
    if (!kit::IsEmpty(R)) win::DrawEdge(Canvas->Handle(), &R, win::BDR_RAISEDINNER, win::BF_RECT | win::BF_ADJUST);
    Fill(Canvas, R, FFaceColor);
  }
}

void TTxPatternedTheme::PaintPaneLine(TCanvas* Canvas, const TRect& R, Integer Part) {
  // The last pane's line stays on its last column, inside the rectangle.
  const Integer x = Part == SBP_PANE ? R.right - 3 : R.right - 1;
  Line(Canvas, x, R.top + 4, x, R.bottom - 3, DisabledColor);
}

TRect TTxPatternedTheme::HandleStrip(const TRect& R, const TTxToolbarInfo& Info) {
  const Integer size = GetDragHandleSize(Info);
  return Info.IsVertical ? TRect{R.left, R.top, R.right, R.top + size} : TRect{R.left, R.top, R.left + size, R.bottom};
}

bool TTxPatternedTheme::CloseButtonRect(const TTxToolbarInfo& Info, TRect& Close) {
  if (!(Info.CloseButtonState & CDBS_VISIBLE)) return false;
  GetToolbarCloseButtonRect(Info, Close);
  if (Info.IsVertical)
    Close = TRect{Close.left, Close.top - 1, Close.right, Close.bottom - 1};
  else
    Close = TRect{Close.left - 1, Close.top, Close.right - 1, Close.bottom};
  return true;
}

}  // namespace themes
