// The Default theme's frames: edit fields and their buttons, docks, dockable-panel, popup,
// toolbar and floating-window frames, check boxes and radio buttons, the status bar.

#include <algorithm>

#include "framework/GraphicsObjects.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"
#include "tx/detail/TxPaintHelpers.h"

namespace tx {

using detail::Edge;
using detail::EdgeCopy;
using detail::Inflated;
using detail::Offset;
using detail::Triangle;

namespace {

bool Active(const TTxItemInfo& i) { return i.Pushed || i.Selected || IsItemHot(i); }

// The close cross of docked frames, centred in R.
void CloseCross(win::HDC dc, const TRect& r, const uint16_t* rows, int w, int h) {
  DrawMonoPattern(dc, r, w, h, rows, fw::clBtnText);
}

// A button square on a frame: styled (TOOLBAR button), or a classic edge; pressed moves the
// glyph one pixel down and right. Returns the rectangle the glyph goes in.
TRect FrameButton(win::HDC dc, TRect r, bool pressed, bool hot) {
  if (VisualStylesActive) {
    DrawThemePart(ToolbarThemeHandle, dc, 1, pressed ? 3 : hot ? 2 : 1, r);
  } else if (pressed) {
    EdgeCopy(dc, r, win::BDR_SUNKENOUTER, win::BF_RECT);
  } else if (hot) {
    EdgeCopy(dc, r, win::BDR_RAISEDINNER, win::BF_RECT);
  }
  return pressed ? Offset(r, 1, 1) : r;
}

}  // namespace

void TTxDefaultTheme::PaintEditFrame(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo,
                                     const TTxEditFrameInfo& EditFrameInfo) {
  PaintFrame(Canvas, ARect, ItemInfo);
  const int m = GetIntegerMetric(TMI_EDIT_FRAME_WIDTH);
  const TRect inset = Inflated(ARect, -m, -m);
  TRect field = inset;
  const int W = EditFrameInfo.RightButtonWidth;
  if (W > 0) field.right += 2 - W;
  if (ItemInfo.Enabled) FillRectColor(Canvas->Handle(), field, fw::clWindow);
  if (W > 0)
    PaintEditButton(Canvas, TRect{inset.right - W, inset.top, inset.right, inset.bottom}, ItemInfo,
                    EditFrameInfo.RightButtonInfo);
}

void TTxDefaultTheme::PaintEditButton(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo,
                                      const TTxEditButtonInfo& ButtonInfo) {
  const win::HDC dc = Canvas->Handle();
  const int s = ButtonInfo.ButtonState;
  const bool disabled = s & EBDS_DISABLED, hot = s & EBDS_HOT;
  const bool embedded = IsEmbeddedView(ItemInfo.ViewType);
  // The arrow follows the item: it moves a pixel right and down while the item is pushed or
  // checked, whatever the button's own state.
  TTxItemInfo arrow = ItemInfo;
  arrow.Enabled = !disabled;
  arrow.ComboPart = cpNone;

  // The classic line between field and button, and a button half's edge.
  const auto separator = [&](const TRect& r, bool lit) {
    if (disabled) return;
    const TColor c = lit ? FFaceColor : embedded ? fw::clBtnShadow : fw::clWindow;
    DrawLineColor(dc, r.left - 1, r.top, r.left - 1, r.bottom + 1, c);
  };
  const auto buttonEdge = [&](TRect r, bool pressed) {
    if (disabled) return;
    if (pressed)
      Edge(dc, r, win::BDR_SUNKENOUTER, win::BF_RECT | win::BF_ADJUST);
    else if (hot)
      Edge(dc, r, win::BDR_RAISEDINNER, win::BF_RECT | win::BF_ADJUST);
    else if (!embedded)
      FrameRectColor(dc, r, fw::clWindow, false);
  };

  if (ButtonInfo.ButtonType == EBT_DROPDOWN) {
    const bool pressed = s & EBDS_PRESSED;
    TRect r = ARect;
    if (VisualStylesActive) {
      if (hot) r = Inflated(r, 1, 1);
      DrawThemePart(ComboBoxThemeHandle, dc, 1, disabled ? 4 : pressed ? 3 : hot ? 2 : 1, r);
    } else {
      r.left += 2;
      if (!disabled) {
        if (embedded) FillRectColor(dc, r, fw::clBtnFace);
        separator(r, hot || pressed);
        buttonEdge(r, pressed);
      }
    }
    PaintDropDownArrow(Canvas, r, arrow);
    return;
  }
  if (ButtonInfo.ButtonType != EBT_SPIN) return;

  const bool upPressed = s & EBDS_PRESSED, downPressed = s & EBDS_DOWN_PRESSED;
  TRect r = ARect;
  if (VisualStylesActive) {
    if (hot) r = Inflated(r, 1, 1);
    const TRect up{r.left, r.top, r.right, (r.top + r.bottom - 1) / 2};
    const TRect down{r.left, (r.top + r.bottom) / 2, r.right, r.bottom};
    DrawThemePart(SpinThemeHandle, dc, 1, disabled ? 4 : upPressed ? 3 : hot ? 2 : 1, up);
    DrawThemePart(SpinThemeHandle, dc, 2, disabled ? 4 : downPressed ? 3 : hot ? 2 : 1, down);
    return;
  }
  r.left += 2;
  const bool lit = hot || upPressed || downPressed;
  separator(r, lit);
  TRect up{r.left, r.top, r.right, (r.top + r.bottom + 1) / 2};
  TRect down{r.left, (r.top + r.bottom) / 2, r.right, r.bottom};
  if (lit) {
    --up.bottom;
    ++down.top;
  }
  buttonEdge(up, upPressed);
  buttonEdge(down, downPressed);
  const TColor color = (ItemInfo.ItemOptions & IO_TOOLBAR_STYLE) ? MenuTextColor : fw::clBtnText;
  const auto glyph = [&](const TRect& half, bool isUp, bool pressed) {
    const int x = (half.left + half.right) / 2 + (pressed ? 1 : 0);
    const int y = (isUp ? (3 * half.top + half.bottom + 3) / 4 : (half.top + 3 * half.bottom - 4) / 4) + (pressed ? 1 : 0);
    const int tip = isUp ? y - 2 : y + 2;
    if (disabled) {
      Triangle(dc, {x - 1, y + 1}, {x + 3, y + 1}, {x + 1, tip + 1}, fw::clBtnHighlight);
      Triangle(dc, {x - 2, y}, {x + 2, y}, {x, tip}, fw::clBtnShadow);
    } else {
      Triangle(dc, {x - 2, y}, {x + 2, y}, {x, tip}, color);
    }
  };
  glyph(up, true, upPressed);
  glyph(down, false, downPressed);
}

void TTxDefaultTheme::PaintFrame(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) {
  const win::HDC dc = Canvas->Handle();
  const bool embedded = IsEmbeddedView(ItemInfo.ViewType);
  const bool designing = ItemInfo.ItemOptions & IO_DESIGNING;
  if (VisualStylesActive) {
    TRect r = Inflated(ARect, -1, -1);
    FrameRectColor(dc, r, embedded ? fw::clBtnShadow : FFaceColor, false);
    if (Active(ItemInfo) || designing) DrawThemePart(ComboBoxThemeHandle, dc, 0, 0, ARect);
    r = Inflated(ARect, -2, -2);
    FrameRectColor(dc, r, fw::clWindow, false);
    return;
  }
  if (embedded) {
    if (!Active(ItemInfo))
      EdgeCopy(dc, Inflated(ARect, -1, -1), win::BDR_SUNKENOUTER, win::BF_RECT | win::BF_FLAT);
    else
      EdgeCopy(dc, ARect, win::EDGE_SUNKEN, win::BF_RECT);
    return;
  }
  if (Active(ItemInfo) || designing) EdgeCopy(dc, ARect, win::BDR_SUNKENOUTER, win::BF_RECT);
  TRect r = Inflated(ARect, -1, -1);
  FrameRectColor(dc, r, FFaceColor, true);
  FrameRectColor(dc, r, fw::clWindow, false);
}

void TTxDefaultTheme::PaintDock(TCanvas* Canvas, const TRect&, const TRect& DockRect, Integer DockPosition) {
  if (!VisualStylesActive) return;
  TRect r = DockRect;
  if (DockPosition == DP_LEFT || DockPosition == DP_RIGHT) ++r.bottom;
  DrawThemePart(RebarThemeHandle, Canvas->Handle(), 0, 0, r);
}

void TTxDefaultTheme::PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const TTxDockPanelInfo& DockPanelInfo) {
  const win::HDC dc = Canvas->Handle();
  FrameRectColor(dc, R, FFaceColor, true);
  if (!DockPanelInfo.DragHandleStyle) return;
  const int thickness = win::GetSystemMetrics(win::SM_CYSMCAPTION);
  const bool top = DockPanelInfo.IsVertical;
  TRect strip = top ? TRect{R.left, R.top, R.right, R.top + thickness} : TRect{R.left, R.top, R.left + thickness, R.bottom};
  TRect body = top ? TRect{R.left, R.top + thickness, R.right, R.bottom}
                   : TRect{R.left + thickness, R.top, R.right, R.bottom};
  FrameRectColor(dc, body, fw::clWindow, false);
  Edge(dc, strip, win::BDR_RAISEDINNER, win::BF_RECT | win::BF_ADJUST);
  if (VisualStylesActive)
    GradientFillRect(dc, strip, OffsetColor(FFaceColor, 12), OffsetColor(FFaceColor, -12), !top);
  else
    FillRectColor(dc, strip, FFaceColor);

  TRect text = strip;
  if (DockPanelInfo.CloseButtonState & CDBS_VISIBLE) {
    const int side = top ? strip.bottom - strip.top : strip.right - strip.left;
    TRect button = top ? TRect{strip.right - side, strip.top, strip.right, strip.bottom}
                       : TRect{strip.left, strip.bottom - side, strip.right, strip.bottom};
    if (top)
      text.right = button.left;
    else
      text.bottom = button.top;
    button = Inflated(button, -1, -1);
    button = FrameButton(dc, button, DockPanelInfo.CloseButtonState & CDBS_PRESSED,
                         DockPanelInfo.CloseButtonState & CDBS_HOT);
    static constexpr uint16_t kCross[6] = {0xC6, 0x6C, 0x38, 0x38, 0x6C, 0xC6};
    CloseCross(dc, Inflated(button, -2, -2), kCross, 7, 6);
  }
  if (DockPanelInfo.Caption.empty() || !SmallCaptionFont) return;
  fw::TFont saved;
  saved.Assign(Canvas->Font());
  Canvas->Font()->Assign(SmallCaptionFont);
  const win::UINT format = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_NOPREFIX | win::DT_END_ELLIPSIS;
  if (top) {
    text.left += 2;
    text.right -= 2;
  } else {
    text.top += 2;
    text.bottom -= 2;
  }
  detail::CaptionText(Canvas, DockPanelInfo.Caption, text, format, !top, fw::clBtnText);
  Canvas->Font()->Assign(&saved);
}

void TTxDefaultTheme::PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect, const TTxFloatingWindowInfo& WindowInfo) {
  const win::HDC dc = Canvas->Handle();
  TRect button{}, caption{};
  GetFloatingCloseButtonRect(WindowInfo, true, button);
  GetFloatingCaptionRect(WindowInfo, true, false, caption);
  const bool closeShown = WindowInfo.CloseButtonState & CDBS_VISIBLE;
  const bool pressed = WindowInfo.CloseButtonState & CDBS_PRESSED;
  const bool hot = (WindowInfo.CloseButtonState & CDBS_HOT) && !pressed;
  if (closeShown) caption.right = button.left;

  if (!VisualStylesActive) {
    if (WindowInfo.RedrawPart & WRP_BORDER) {
      const int saved = win::SaveDC(dc);
      const TPoint b = WindowInfo.FloatingBorderSize;
      win::ExcludeClipRect(dc, ARect.left + b.x, ARect.top + b.y, ARect.right - b.x, ARect.bottom - b.y);
      EdgeCopy(dc, ARect, win::EDGE_RAISED, win::BF_RECT | win::BF_MIDDLE);
      win::RestoreDC(dc, saved);
    }
    if (!WindowInfo.ShowCaption) return;
    win::BOOL gradient = win::FALSE;
    const bool gradients = win::SystemParametersInfoW(win::SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0) && gradient;
    if (WindowInfo.RedrawPart & WRP_CAPTION) {
      const int saved = win::SaveDC(dc);
      if (closeShown) win::ExcludeClipRect(dc, button.left, button.top, button.right, button.bottom);
      const win::UINT flags = win::DC_SMALLCAP | win::DC_TEXT | (WindowInfo.Active ? win::DC_ACTIVE : 0) |
                              (gradients ? win::DC_GRADIENT : 0);
      win::DrawCaption(WindowInfo.WindowHandle, dc, &caption, flags);
      win::RestoreDC(dc, saved);
      DrawLineColor(dc, ARect.left + WindowInfo.FloatingBorderSize.x, caption.bottom,
                    ARect.right - WindowInfo.FloatingBorderSize.x, caption.bottom, fw::clBtnFace);
      if (closeShown) {
        const TColor c = WindowInfo.Active ? (gradients ? fw::clGradientActiveCaption : fw::clActiveCaption)
                                           : (gradients ? fw::clGradientInactiveCaption : fw::clInactiveCaption);
        const int saved2 = win::SaveDC(dc);
        const TRect core = Inflated(button, -2, -2);
        win::ExcludeClipRect(dc, core.left, core.top, core.right, core.bottom);
        FillRectColor(dc, button, c);
        win::RestoreDC(dc, saved2);
      }
    }
    if (closeShown && (WindowInfo.RedrawPart & WRP_CLOSEBTN)) {
      TRect core = Inflated(button, -2, -2);
      win::DrawFrameControl(dc, &core, win::DFC_CAPTION, win::DFCS_CAPTIONCLOSE | (pressed ? win::DFCS_PUSHED : 0));
    }
    return;
  }

  const int state = WindowInfo.Active ? 1 : 2;
  if (WindowInfo.RedrawPart & WRP_BORDER) {
    const TPoint b = WindowInfo.FloatingBorderSize;
    const int captionBottom = ARect.top + b.y + win::GetSystemMetrics(win::SM_CYSMCAPTION);
    DrawThemePart(WindowThemeHandle, dc, 12, state, TRect{ARect.left, ARect.bottom - b.y, ARect.right, ARect.bottom});
    DrawThemePart(WindowThemeHandle, dc, 2, state, TRect{ARect.left, ARect.top, ARect.right, captionBottom});
    DrawThemePart(WindowThemeHandle, dc, 10, state,
                  TRect{ARect.left, captionBottom, ARect.left + b.x, ARect.bottom - b.y});
    DrawThemePart(WindowThemeHandle, dc, 11, state,
                  TRect{ARect.right - b.x, captionBottom, ARect.right, ARect.bottom - b.y});
  }
  if (WindowInfo.ShowCaption && (WindowInfo.RedrawPart & WRP_CAPTION) && SmallCaptionFont) {
    fw::TFont saved;
    saved.Assign(Canvas->Font());
    Canvas->Font()->Assign(SmallCaptionFont);
    detail::CaptionText(Canvas, WindowInfo.Caption, caption,
                        win::DT_SINGLELINE | win::DT_VCENTER | win::DT_END_ELLIPSIS | win::DT_HIDEPREFIX, false,
                        WindowInfo.Active ? fw::clCaptionText : fw::clInactiveCaptionText);
    Canvas->Font()->Assign(&saved);
  }
  if (closeShown) DrawThemePart(WindowThemeHandle, dc, 19, pressed ? 3 : hot ? 2 : 1, Inflated(button, -2, -2));
}

void TTxDefaultTheme::PaintPopupNCArea(TCanvas* Canvas, TRect R, const TTxPopupInfo& PopupInfo) {
  const win::HDC dc = Canvas->Handle();
  const Integer vt = PopupInfo.ViewType;
  if (IsViewKind(vt, VT_POPUP_LIST)) {
    FrameRectColor(dc, R, fw::clWindowFrame, true);
    FrameRectColor(dc, R, fw::clWindow, true);
    FrameRectColor(dc, R, fw::clWindow, false);
  } else if (FlatMenuColors && !IsViewKind(vt, VT_POPUP_TOOLBOX)) {
    FrameRectColor(dc, R, fw::clBtnShadow, true);
    FrameRectColor(dc, R, MenuBackColor, true);
    FrameRectColor(dc, R, MenuBackColor, false);
  } else {
    Edge(dc, R, win::EDGE_RAISED, win::BF_RECT | win::BF_ADJUST);
    FrameRectColor(dc, R, IsViewKind(vt, VT_POPUP_TOOLBOX) ? FFaceColor : MenuBackColor, false);
  }
}

void TTxDefaultTheme::PaintToolbarNCArea(TCanvas* Canvas, TRect R, const TTxToolbarInfo& ToolbarInfo) {
  const win::HDC dc = Canvas->Handle();
  win::FillRect(dc, &R, Canvas->Brush()->Handle());
  if (ToolbarInfo.BorderStyle == 1) {
    if (VisualStylesActive)
      DrawFrame3D(dc, R, OffsetColor(ToolbarInfo.EffectiveColor, 24), OffsetColor(ToolbarInfo.EffectiveColor, -32),
                  true);
    else
      Edge(dc, R, win::BDR_RAISEDINNER, win::BF_RECT | win::BF_ADJUST);
  }
  const bool closeShown = ToolbarInfo.CloseButtonState & CDBS_VISIBLE;
  const int size = GetDragHandleSize(ToolbarInfo);
  const bool topHandle = ToolbarInfo.IsVertical;
  if (ToolbarInfo.AllowDrag && ToolbarInfo.DragHandleStyle != 1) {
    TRect h = topHandle ? TRect{R.left, R.top, R.right, R.top + size} : TRect{R.left, R.top, R.left + size, R.bottom};
    if (VisualStylesActive) {
      if (closeShown) {
        if (topHandle)
          h.right -= size - 1;
        else
          h.top += size - 1;
      }
      // A 6-pixel band across the handle, its length cut to a multiple of 4.
      if (topHandle) {
        const int length = h.right - h.left;
        const int start = h.left + ((length & 3) >> 1) - 1;
        const int mid = (h.top + h.bottom) / 2;
        DrawThemePart(RebarThemeHandle, dc, 2, 0, TRect{start, mid - 3, start + (length & ~3) + 2, mid + 3});
      } else {
        const int length = h.bottom - h.top;
        const int start = h.top + ((length & 3) >> 1) - 1;
        const int mid = (h.left + h.right) / 2;
        DrawThemePart(RebarThemeHandle, dc, 1, 0, TRect{mid - 3, start, mid + 3, start + (length & ~3) + 1});
      }
    } else {
      const int offset = closeShown ? (ToolbarInfo.DragHandleStyle == 0 ? 3 : 5) : 2;
      if (topHandle) {
        h.top += offset;
        if (closeShown) h.right -= size - 2;
        h.bottom = h.top + 3;
        h.left += 1;
        h.right -= 1;
      } else {
        h.left += offset;
        if (closeShown) h.top += size - 2;
        h.right = h.left + 3;
        h.top += 1;
        h.bottom -= 1;
      }
      const int grips = ToolbarInfo.DragHandleStyle == 0 ? 2 : 1;
      for (int g = 0; g < grips; ++g) {
        const TRect grip = topHandle ? Offset(h, 0, 3 * g) : Offset(h, 3 * g, 0);
        EdgeCopy(dc, grip, win::BDR_RAISEDINNER, win::BF_RECT);
        win::SetPixelV(dc, grip.left, grip.bottom - 1, win::COLORREF(ResolveColor(fw::clBtnHighlight)));
      }
    }
  }
  if (closeShown) {
    TRect b{};
    GetToolbarCloseButtonRect(ToolbarInfo, b);
    const int in = VisualStylesActive ? 1 : 2;
    b.bottom -= in;
    if (topHandle)
      b.left += in;
    else
      b.right -= in;
    b = FrameButton(dc, b, ToolbarInfo.CloseButtonState & CDBS_PRESSED, ToolbarInfo.CloseButtonState & CDBS_HOT);
    static constexpr uint16_t kCross[7] = {0x00, 0xCC, 0x78, 0x30, 0x78, 0xCC, 0x00};
    CloseCross(dc, b, kCross, 7, 7);
  }
}

void TTxDefaultTheme::PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void*) {
  const win::HDC dc = Canvas->Handle();
  const bool checked = State & PFS_CHECKED, mixed = State & PFS_MIXED, disabled = State & PFS_DISABLED;
  const bool hot = State & PFS_HOT, pushed = State & PFS_PUSHED;
  if (VisualStylesActive) {
    int state = 1;
    if (Kind == PFC_CHECKBOX) state = mixed ? 9 : checked ? 5 : 1;
    if (Kind == PFC_RADIOBUTTON) state = checked ? 5 : 1;
    if (disabled)
      state += 3;
    else if (pushed)
      state += 2;
    else if (hot)
      state += 1;
    DrawThemePart(ButtonThemeHandle, dc, Kind == PFC_CHECKBOX ? 3 : 2, state, R);
    return;
  }
  // Hot and pushed boxes are the platform's own frame controls; the rest are drawn flat.
  const bool flat = disabled || !(hot || pushed);
  if (Kind == PFC_CHECKBOX) {
    if (!flat) {
      win::UINT kind = win::DFCS_BUTTONCHECK;
      if (mixed)
        kind = win::DFCS_BUTTON3STATE | win::DFCS_CHECKED;
      else if (checked)
        kind |= win::DFCS_CHECKED;
      if (pushed) kind |= win::DFCS_PUSHED;
      win::DrawFrameControl(dc, &R, win::DFC_BUTTON, kind);
      return;
    }
    R = Inflated(R, -1, -1);
    FrameRectColor(dc, R, fw::clBtnShadow, true);
    if (disabled)
      FillRectColor(dc, R, fw::clBtnFace);
    else if (mixed)
      DitherRect(dc, R, fw::clWindow, fw::clBtnFace);
    else
      FillRectColor(dc, R, fw::clWindow);
    if (checked || mixed) {
      const int cx = (R.left + R.right) / 2 - 1, cy = (R.top + R.bottom) / 2;
      const TPoint mark[7] = {{cx - 3, cy - 1}, {cx - 1, cy + 1}, {cx + 3, cy - 3}, {cx + 3, cy - 1},
                              {cx - 1, cy + 3}, {cx - 3, cy + 1}, {cx - 3, cy - 1}};
      const TColor c = disabled ? fw::clGrayText : mixed ? fw::clBtnShadow : fw::clBtnText;
      PolygonColor(dc, mark, 6, c, c);
    }
    return;
  }
  if (Kind != PFC_RADIOBUTTON) return;
  if (!flat) {
    win::UINT kind = win::DFCS_BUTTONRADIO | (checked ? win::DFCS_CHECKED : 0) | (pushed ? win::DFCS_PUSHED : 0);
    win::DrawFrameControl(dc, &R, win::DFC_BUTTON, kind);
    return;
  }
  const win::HPEN pen = CreatePenColor(fw::clBtnShadow);
  const win::HBRUSH brush = CreateBrushColor(disabled ? fw::clBtnFace : fw::clWindow);
  const win::HGDIOBJ oldPen = win::SelectObject(dc, pen), oldBrush = win::SelectObject(dc, brush);
  const int side = std::min(R.right - R.left, R.bottom - R.top);
  win::RoundRect(dc, R.left, R.top, R.right, R.bottom, side, side);
  if (checked) {
    const TRect dot = Inflated(R, -3, -3);
    const win::HPEN dotPen = CreatePenColor(fw::clBtnText);
    const win::HBRUSH dotBrush = CreateBrushColor(fw::clBtnText);
    win::SelectObject(dc, dotPen);
    win::SelectObject(dc, dotBrush);
    win::RoundRect(dc, dot.left, dot.top, dot.right, dot.bottom, side - 6, side - 6);
    win::SelectObject(dc, pen);
    win::SelectObject(dc, brush);
    win::DeleteObject(dotPen);
    DeleteBrushColor(fw::clBtnText, dotBrush);
  }
  win::SelectObject(dc, oldBrush);
  win::SelectObject(dc, oldPen);
  win::DeleteObject(pen);
  DeleteBrushColor(disabled ? fw::clBtnFace : fw::clWindow, brush);
}

void TTxDefaultTheme::PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) {
  const win::HDC dc = Canvas->Handle();
  if (VisualStylesActive) {
    DrawThemePart(StatusThemeHandle, dc, Part, 0, R);
    return;
  }
  switch (Part) {
    case SBP_BODY:
      FillRectColor(dc, R, FStatusBarColor);
      break;
    case SBP_PANE:
    case SBP_GRIPPERPANE:
      if (Part == SBP_PANE) R.right -= 2;
      DrawFrame3D(dc, R, fw::clBtnShadow, fw::clBtnHighlight, true);
      break;
    case SBP_SIZEGRIP: {
      // Ridges from the bottom-right corner: two shadow lines, one highlight, one face line.
      const int size = std::min(R.right - R.left, R.bottom - R.top);
      const int ridges = size >= 9 ? 3 : std::max(1, size / 4);
      const int right = R.right - 1, bottom = R.bottom - 1;
      static constexpr fw::TColor kLines[4] = {fw::clBtnShadow, fw::clBtnShadow, fw::clBtnHighlight, 0};
      for (int k = 0; k < ridges * 4 && k + 1 < size; ++k) {
        const int d = k + 1;
        const TColor c = kLines[k % 4] ? kLines[k % 4] : FStatusBarColor;
        DrawLineColor(dc, right - d, bottom, right + 1, bottom - d - 1, c);
      }
      const TPoint corner[3] = {{right, bottom - 1}, {right, bottom}, {right - 1, bottom}};
      PolylineColor(dc, corner, 2, FStatusBarColor);
      break;
    }
    default:
      break;
  }
}

}  // namespace tx
