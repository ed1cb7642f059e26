// The Dream theme's areas and frames: backgrounds, docks, toolbar, panel, popup and floating
// frames, close buttons, check and radio boxes, the status bar.

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemePainting.h"
#include "themes/TxDreamTheme.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace themes {

using namespace tx;

namespace {

constexpr TColor kBandTop = 0xFFFFFF, kBandBottom = 0xDCD8D0;
constexpr Cardinal kCaptionFormat = win::DT_VCENTER | win::DT_SINGLELINE | win::DT_END_ELLIPSIS | win::DT_HIDEPREFIX;

Integer SmallCaption() { return win::GetSystemMetrics(win::SM_CYSMCAPTION) - 1; }

void CaptionFont(TCanvas* c) {
  if (SmallCaptionFont) c->Font()->Assign(SmallCaptionFont);
}

}  // namespace

void TTxDreamTheme::PaintBackground(TCanvas* Canvas, const TRect&, const TRect& ARect, const TRect& AClipRect,
                                    TColor AColor, bool Transparent, Integer AViewType) {
  if (Transparent) return;
  TRect P;
  if (!win::IntersectRect(&P, &ARect, &AClipRect) || !win::RectVisible(Canvas->Handle(), &P)) return;
  if (IsEmbeddedView(AViewType) || (AViewType & VT_POPUP)) {
    Fill(Canvas, P, AColor);
    return;
  }
  // The bands span the whole area whatever part is repainted, so a partial repaint matches.
  PaintGradientBands(Canvas, ARect, kBandTop, kBandBottom, !(ARect.right <= ARect.bottom), &P);
}

void TTxDreamTheme::PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect&, Integer) {
  Canvas->Brush()->SetColor(0xE0E0E0);
  Canvas->Brush()->SetStyle(fw::bsSolid);
  Canvas->Pen()->SetColor(0xE0E0E0);
  Canvas->Pen()->SetWidth(0);
  Canvas->Rectangle(Deflated(ClientRect, -1));
}

void TTxDreamTheme::PaintCloseButton(TCanvas* Canvas, const TRect& R, int S) {
  if (S == 3) {
    kit::Frame(Canvas, R, 0x808080);
    Fill(Canvas, Deflated(R, 1), 0xC0C0C0);
    kit::DrawCloseGlyph(Canvas, R, fw::clWhite);
  } else if (S == 4) {
    kit::Frame(Canvas, R, 0x808080);
    Fill(Canvas, Deflated(R, 1), 0xFFFFFF);
    kit::DrawCloseGlyph(Canvas, R, fw::clBlack);
  } else {
    kit::Frame(Canvas, R, ButtonColors[S].Frame);
    Fill(Canvas, Deflated(R, 1), ButtonColors[S].Fill);
    kit::DrawCloseGlyph(Canvas, R, fw::clBlack);
  }
}

void TTxDreamTheme::PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const TTxDockPanelInfo& Info) {
  const kit::TClipTo clip(Canvas, R);
  const TColor B = Canvas->Brush()->Color();
  const Integer faceLum = GetColorLuminance(fw::clBtnFace);
  if (LowColorDisplay || faceLum < 64 || faceLum > 250) {
    kit::Frame(Canvas, R, B);
    TRect r = Deflated(R, 1);
    const win::HBRUSH pattern = CreateDitheredBrush(B, faceLum < 64 ? fw::clWhite : fw::clBtnShadow);
    win::FrameRect(Canvas->Handle(), &r, pattern);
    win::DeleteObject(pattern);
    kit::Frame(Canvas, Deflated(R, 2), B);
  } else {
    kit::Frame(Canvas, R, fw::clBtnFace);
    kit::Frame(Canvas, Deflated(R, 1), B);
    Pixel(Canvas, R.left + 1, R.top + 1, fw::clBtnFace);
    if (Info.IsVertical)
      Pixel(Canvas, R.right - 2, R.top + 1, fw::clBtnFace);
    else
      Pixel(Canvas, R.left + 1, R.bottom - 2, fw::clBtnFace);
  }
  if (!Info.DragHandleStyle) return;
  const TRect in{R.left + Info.BorderSize.x, R.top + Info.BorderSize.y, R.right - Info.BorderSize.x,
                 R.bottom - Info.BorderSize.y};
  const Integer t = SmallCaption();
  if (kit::IsEmpty(in) || t <= 0) return;
  TRect bar, close;
  if (Info.IsVertical) {
    bar = TRect{in.left, in.top, in.right, std::min(in.bottom, in.top + t)};
    Line(Canvas, bar.left, bar.bottom, bar.right, bar.bottom, B);
    PaintGradientBands(Canvas, bar, kBandTop, kBandBottom, true);
    Line(Canvas, bar.left, bar.bottom - 1, bar.right, bar.bottom - 1, 0xC0C0C0);
    close = TRect{bar.right - t, bar.top, bar.right, bar.bottom};
  } else {
    bar = TRect{in.left, in.top, std::min(in.right, in.left + t), in.bottom};
    Line(Canvas, bar.right, bar.top, bar.right, bar.bottom, B);
    PaintGradientBands(Canvas, bar, kBandTop, kBandBottom, false);
    Line(Canvas, bar.right - 1, bar.top, bar.right - 1, bar.bottom, 0xC0C0C0);
    close = TRect{bar.left, bar.bottom - t, bar.right, bar.bottom};
  }
  const bool hasClose = Info.CloseButtonState & CDBS_VISIBLE;
  if (hasClose) PaintCloseButton(Canvas, close, CloseState(Info.CloseButtonState, true));
  // One column (or row) of grip dots across the bar at its start, the left end of a top bar and
  // the top of a left-hand one, where the turned text begins reading; the text follows after
  // its inset and ends at the close button at the far end.
  for (Integer k = 1; k + 3 <= t - 1; k += 4) {
    if (Info.IsVertical)
      DrawGripDot(Canvas, bar.left + 2, bar.top + k);
    else
      DrawGripDot(Canvas, bar.left + k, bar.top + 2);
  }
  CaptionFont(Canvas);
  TRect text = bar;
  if (Info.IsVertical) {
    text.left += 9;
    if (hasClose) text.right = close.left;
  } else {
    text.top += 9;
    if (hasClose) text.bottom = close.top;
  }
  kit::Text(Canvas, Info.Caption, text, kCaptionFormat, !Info.IsVertical, fw::clBlack);
}

void TTxDreamTheme::PaintFloatingBorder(TCanvas* Canvas, const TRect& R, const TTxFloatingWindowInfo& Info) {
  const kit::TClipTo clip(Canvas, R);
  const int a = Info.Active ? 0 : 1;
  const int k = (Info.ViewType & VT_DOCKPANEL) ? 1 : 0;
  const TColor B = Canvas->Brush()->Color();
  const TRect in = kit::FloatingClient(R, Info);
  if (Info.RedrawPart & WRP_BORDER) {
    kit::FillAround(Canvas, R, in, WinFrameColors[k][a].Border);
    // The line just outside the client, its corners cut (only the top-right one for panels).
    const TRect o = Deflated(in, -1);
    const Integer cutTL = k == 0, cutTR = 1, cutBL = k == 0, cutBR = k == 0;
    Line(Canvas, o.left + cutTL, o.top, o.right - cutTR, o.top, B);
    Line(Canvas, o.left + cutBL, o.bottom - 1, o.right - cutBR, o.bottom - 1, B);
    Line(Canvas, o.left, o.top + cutTL, o.left, o.bottom - cutBL, B);
    Line(Canvas, o.right - 1, o.top + cutTR, o.right - 1, o.bottom - cutBR, B);
  }
  if (!Info.ShowCaption) return;
  const Integer t = SmallCaption();
  const TRect strip{in.left, in.top, in.left + Info.ClientWidth, in.top + t};
  const bool hasClose = Info.CloseButtonState & CDBS_VISIBLE;
  const TRect close{strip.right - t, strip.top, strip.right, strip.bottom};
  if (Info.RedrawPart & WRP_CAPTION) {
    TRect cap = strip;
    if (hasClose && (Info.RedrawPart & WRP_CLOSEBTN)) cap.right = close.left;
    Line(Canvas, cap.left, cap.bottom, cap.right, cap.bottom, B);
    PaintGradientBands(Canvas, cap, kBandTop, kBandBottom, true);
    CaptionFont(Canvas);
    TRect text = cap;
    text.left += 2;
    if (hasClose) text.right = std::min(text.right, close.left);
    kit::Text(Canvas, Info.Caption, text, kCaptionFormat, false, WinFrameColors[k][a].Text);
  }
  if (hasClose && (Info.RedrawPart & WRP_CLOSEBTN)) {
    Line(Canvas, close.left, close.bottom, close.right, close.bottom, B);
    PaintGradientBands(Canvas, close, kBandTop, kBandBottom, true);
    PaintCloseButton(Canvas, close, CloseState(Info.CloseButtonState, Info.Active));
  }
}

void TTxDreamTheme::PaintPopupNCArea(TCanvas* Canvas, TRect R, const TTxPopupInfo& PopupInfo) {
  const kit::TClipTo clip(Canvas, R);
  kit::Frame(Canvas, R, PopupFrameColor);
  const TRect d = Deflated(R, 1);
  Fill(Canvas, d, PopupColor);
  for (const TPoint& p : {TPoint{d.left + 1, d.top + 1}, TPoint{d.right - 2, d.top + 1}, TPoint{d.left + 1, d.bottom - 2},
                          TPoint{d.right - 2, d.bottom - 2}})
    Pixel(Canvas, p.x, p.y, PopupFrameColor);
  // The edge along the parent item takes the toolbar colour, joining popup and parent.
  kit::JoinPopupToParent(Canvas, R, PopupInfo.ParentRect, ToolbarColor);
}

void TTxDreamTheme::PaintToolbarNCArea(TCanvas* Canvas, TRect R, const TTxToolbarInfo& Info) {
  const kit::TClipTo clip(Canvas, R);
  if (!kit::IsFramedToolbarView(Info.ViewType)) return;
  if (kit::IsEmpty(R)) return;
  const Integer w = R.right - R.left, h = R.bottom - R.top;
  if (w > h) {
    PaintGradientBands(Canvas, R, kBandTop, kBandBottom, true);
    PaintGradientBands(Canvas, TRect{R.left, R.top + 2, R.right, R.bottom - 2}, kBandTop, kBandBottom, true);
  } else {
    PaintGradientBands(Canvas, R, kBandTop, kBandBottom, false);
  }
  const Integer L = R.left, T = R.top, Rt = R.right, B = R.bottom;
  Canvas->Pen()->SetColor(ToolbarEdgeColor);
  const fw::TPoint edge[4] = {{L + 2, B - 1}, {Rt - 3, B - 1}, {Rt - 1, B - 3}, {Rt - 1, T}};
  Canvas->Polyline(edge, 4);
  Canvas->Pen()->SetColor(fw::clWhite);
  const fw::TPoint light[6] = {{L + 1, B - 2}, {L, B - 3}, {L, T + 2}, {L + 2, T}, {Rt - 3, T}, {Rt - 1, T + 2}};
  Canvas->Polyline(light, 6);
  for (const auto& [x, y, dx, dy] : {std::array{L, T, 1, 1}, {Rt - 1, T, -1, 1}, {L, B - 1, 1, -1},
                                     {Rt - 1, B - 1, -1, -1}}) {
    Pixel(Canvas, x, y, 0xE0E0E0);
    Pixel(Canvas, x + dx, y, 0xE0E0E0);
    Pixel(Canvas, x, y + dy, 0xE0E0E0);
  }
  R = Deflated(R, 2);
  if (!Info.AllowDrag || Info.DragHandleStyle == 1) return;
  const Integer size = GetDragHandleSize(Info);
  const bool hasClose = Info.CloseButtonState & CDBS_VISIBLE;
  TRect close{};
  if (hasClose) {
    GetToolbarCloseButtonRect(Info, close);
    PaintCloseButton(Canvas, close, CloseState(Info.CloseButtonState, true));
  }
  // Grip dots every 4 pixels along the handle: inset 4 at the start, 2 at the end, 1 across.
  const Integer shift = Info.DragHandleStyle == 0 ? -2 : 0;
  const Integer columns = Info.DragHandleStyle == 0 ? 2 : 1;
  if (!Info.IsVertical) {
    Integer y = R.top + 4, end = R.bottom - 2;
    if (hasClose) {
      y = close.bottom + 4;
      end = R.bottom - 4;
    }
    for (int c = 0; c < columns; ++c)
      for (Integer yy = y; yy + 3 <= end; yy += 4) DrawGripDot(Canvas, R.left + 1 + shift + 2 + 4 * c, yy);
  } else {
    Integer x = R.left + 4, end = R.right - 2;
    if (hasClose) {
      end = close.left - 4;
      x = R.left + 4;
    }
    for (int c = 0; c < columns; ++c)
      for (Integer xx = x; xx + 3 <= end; xx += 4) DrawGripDot(Canvas, xx, R.top + 1 + shift + 2 + 4 * c);
  }
  (void)size;
}

void TTxDreamTheme::PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void*) {
  const kit::TClipTo clip(Canvas, R);
  if (Kind != PFC_CHECKBOX && Kind != PFC_RADIOBUTTON) return;
  if (kit::IsEmpty(R)) return;
  const bool checked = State & (PFS_CHECKED | PFS_MIXED);
  const bool hot = State & PFS_HOT, pushed = State & PFS_PUSHED;
  // Inside colours: bottom and top of the bands, the highlight lines; clNone for none.
  TColor top = fw::clNone, bottom = fw::clNone, highlight = fw::clNone, pen = 0x808080, plain = fw::clNone;
  if (!hot) {
    if (checked) {
      top = 0xD0F8FF;
      bottom = 0xF0FDFF;
      highlight = 0xB0D4DF;
    } else {
      pen = 0xC0C0C0;
    }
  } else if (!pushed) {
    if (checked) {
      top = 0x2090E8;
      bottom = 0x80E0FF;
      highlight = 0x60B0E8;
    } else {
      plain = 0xF4F0F0;
    }
  } else {
    top = 0xC0C0C0;
    bottom = 0xFFFFFF;
    pen = 0xC0C0C0;
  }
  const TColor mark = FrameControlMarkColor(State, pushed, hot);

  const TRect in = Deflated(R, 1);
  if (Kind == PFC_CHECKBOX) {
    if (top != fw::clNone) {
      PaintGradientBands(Canvas, in, top, bottom, true);
      if (highlight != fw::clNone) {
        const fw::TPoint p[3] = {{in.left, in.bottom - 2}, {in.left, in.top}, {in.right, in.top}};
        Canvas->Pen()->SetColor(highlight);
        Canvas->Polyline(p, 3);
      }
    }
    Fill(Canvas, in, plain);
    Canvas->Pen()->SetColor(pen);
    Canvas->Pen()->SetStyle(fw::psSolid);
    kit::FrameRoundRect(Canvas, R, 0, 0);
    Canvas->Brush()->SetStyle(fw::bsClear);
    if (checked) {
      const Integer x = (R.left + R.right) / 2 - 1, y = (R.top + R.bottom) / 2 + 1;
      const fw::TPoint p[7] = {{x - 2, y},     {x, y + 2}, {x + 4, y - 2}, {x + 4, y - 4},
                               {x, y},         {x - 2, y - 2}, {x - 2, y}};
      Canvas->Pen()->SetColor(mark);
      Canvas->Brush()->SetStyle(fw::bsSolid);
      Canvas->Brush()->SetColor(mark);
      Canvas->Polygon(p, 7);
    }
    return;
  }
  if (top != fw::clNone) kit::RadioRowFill(Canvas, R, bottom, top, highlight);
  Canvas->Pen()->SetStyle(fw::psSolid);
  if (plain != fw::clNone) {
    Canvas->Pen()->SetColor(ButtonColors[4].Frame);
    Canvas->Brush()->SetStyle(fw::bsSolid);
    Canvas->Brush()->SetColor(0xF4F0F0);
  } else {
    Canvas->Pen()->SetColor(pen);
    Canvas->Brush()->SetStyle(fw::bsClear);
  }
  kit::DrawRadioRing(Canvas, R, checked, mark, 3);
}

void TTxDreamTheme::PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) {
  // The last pane's divider stands on its right edge, just outside; everything else stays inside.
  const kit::TClipTo clip(Canvas, Part == SBP_GRIPPERPANE ? TRect{R.left, R.top, R.right + 2, R.bottom} : R);
  switch (Part) {
    case SBP_BODY: PaintGradientBands(Canvas, R, kBandTop, kBandBottom, true); break;
    case SBP_PANE:
    case SBP_GRIPPERPANE: {
      const Integer x = Part == SBP_PANE ? R.right - 3 : R.right;
      Line(Canvas, x, R.top + 4, x, R.bottom - 3, 0xDCD8D0);
      Line(Canvas, x + 1, R.top + 5, x + 1, R.bottom - 2, 0xFFFFFF);
      break;
    }
    case SBP_SIZEGRIP:
      for (const auto& [dx, dy] : {std::pair{12, 4}, {8, 4}, {4, 4}, {8, 8}, {4, 8}, {4, 12}})
        DrawGripDot(Canvas, R.right - dx, R.bottom - dy);
      break;
    default: break;
  }
}

}  // namespace themes
