// The Miranda theme's own painting: flat menu selection, raised toolbar edges and dock-panel
// strips, edit and spin buttons, arrows, separators, grip lines.

#include <algorithm>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemePainting.h"
#include "themes/TxMirandaTheme.h"
#include "themes/vrnThemes.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace themes {

using namespace tx;


void TTxMirandaTheme::PaintBackground(TCanvas* Canvas, const TRect&, const TRect& ARect, const TRect& AClipRect,
                                      TColor AColor, bool Transparent, Integer) {
  if (Transparent) return;
  TRect P;
  if (win::IntersectRect(&P, &ARect, &AClipRect)) Fill(Canvas, P, AColor);
}

void TTxMirandaTheme::PaintCaption(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I, const String& ACaption,
                                   Cardinal AFormat, bool Rotated) {
  const kit::TClipTo clip(Canvas, ARect);
  TColor color = Canvas->Font()->Color();
  if (color == fw::clNone) color = GetItemTextColor(I);
  TRect r = ARect;
  const bool flatMenuBar = IsViewKind(I.ViewType, VT_TOOLBAR_MENUBAR) && FlatMenuColors;
  if (I.Enabled && (I.ItemOptions & IO_TOOLBAR_STYLE) && (I.Pushed || I.Selected) && !flatMenuBar)
    r = TRect{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
  kit::Text(Canvas, ACaption, r, AFormat, Rotated, color);
}

void TTxMirandaTheme::PaintEditButton(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo,
                                      const TTxEditButtonInfo& ButtonInfo) {
  const TClipTo clip(Canvas, ARect);
  const TRect B{ARect.left + 1, ARect.top, ARect.right, ARect.bottom};
  const Integer state = ButtonInfo.ButtonState;
  const bool enabled = !(state & EBDS_DISABLED);
  const TColor A = enabled ? ArrowColor(ItemInfo) : DisabledTextColor;
  const TColor topLine = BlendColors(fw::clBtnFace, fw::clBtnShadow, 45);
  if (ButtonInfo.ButtonType == EBT_DROPDOWN) {
    if (!enabled) {
      kit::Frame(Canvas, B, ButtonColors[1].Frame);
    } else {
      const bool pressed = state & EBDS_PRESSED;
      if (pressed) {
        PaintSunkenFace(Canvas, B);
        Line(Canvas, B.left, B.top + 1, B.right, B.top + 1, topLine);
      } else if (state & EBDS_HOT) {
        PaintRaisedFace(Canvas, B);
      } else {
        if (IsEmbeddedView(ItemInfo.ViewType)) Fill(Canvas, B, ToolbarColor);
        kit::Frame(Canvas, B, EditFrameColor);
      }
      Line(Canvas, B.left, B.top, B.left, B.bottom, pressed ? TColor(fw::clBtnShadow) : EditFrameColor);
    }
    TTxItemInfo arrow = ItemInfo;
    arrow.Enabled = enabled;
    PaintDropDownArrow(Canvas, B, arrow);
    return;
  }
  if (ButtonInfo.ButtonType != EBT_SPIN) return;
  const Integer mid = (B.top + B.bottom + 1) / 2;
  const TRect halves[2] = {{B.left, B.top, B.right, mid}, {B.left, mid - 1, B.right, B.bottom}};
  for (int k = 0; k < 2; ++k) {
    const TRect& h = halves[k];
    const bool pressed = kit::SpinHalfPressed(state, k);
    if (enabled) {
      kit::Frame(Canvas, h, EditFrameColor);
      if (pressed)
        PaintSunkenFace(Canvas, Deflated(h, 1));
      else if (state & EBDS_HOT)
        PaintRaisedFace(Canvas, Deflated(h, 1));
      Line(Canvas, h.left, h.top, h.left, h.bottom, pressed ? TColor(fw::clBtnShadow) : EditFrameColor);
      if (k == 1) Line(Canvas, h.left, h.top, h.right, h.top, EditFrameColor);
    }
    kit::DrawSpinArrow(Canvas, h, k == 0, A, (pressed || ItemInfo.Selected) ? 1 : 0);
  }
}

void TTxMirandaTheme::PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const TTxDockPanelInfo& Info) {
  const TClipTo clip(Canvas, R);
  kit::Frame(Canvas, R, ToolbarColor);
  R = Deflated(R, 1);
  const bool caption = Info.DragHandleStyle != 0;
  TRect strip, client;
  kit::SplitDockPanel(R, caption, Info.IsVertical, strip, client);
  kit::Frame(Canvas, client, fw::clWindow);
  if (!caption || kit::IsEmpty(strip)) return;
  TRect body = strip;
  win::DrawEdge(Canvas->Handle(), &body, win::BDR_RAISEDINNER, win::BF_RECT | win::BF_ADJUST);
  if (VisualStylesActive)
    GradientFillRect(Canvas->Handle(), body, OffsetColor(ToolbarColor, 12), OffsetColor(ToolbarColor, -12),
                     Info.IsVertical);
  else
    Fill(Canvas, body, ToolbarColor);
  TRect text = body;
  if (Info.CloseButtonState & CDBS_VISIBLE) {
    const Integer s = Info.IsVertical ? strip.bottom - strip.top : strip.right - strip.left;
    const TRect square = Info.IsVertical ? TRect{strip.right - s, strip.top, strip.right, strip.bottom}
                                         : TRect{strip.left, strip.bottom - s, strip.right, strip.bottom};
    const bool pressed = Info.CloseButtonState & CDBS_PRESSED;
    if (pressed)
      kit::Edge(Canvas, square, win::BDR_SUNKENOUTER, win::BF_RECT);
    else if (Info.CloseButtonState & CDBS_HOT)
      kit::Edge(Canvas, square, win::BDR_RAISEDINNER, win::BF_RECT);
    const TRect glyph = Deflated(square, 2);
    kit::DrawCloseGlyph(Canvas, pressed ? TRect{glyph.left + 1, glyph.top + 1, glyph.right + 1, glyph.bottom + 1} : glyph,
                        fw::clBtnText);
    if (Info.IsVertical)
      text.right = square.left;
    else
      text.bottom = square.top;  // the rotated text starts above the button
  }
  if (SmallCaptionFont) Canvas->Font()->Assign(SmallCaptionFont);
  if (Info.IsVertical)
    text.left += 2;
  else
    text.bottom -= 2;
  kit::Text(Canvas, Info.Caption, text, win::DT_VCENTER | win::DT_SINGLELINE | win::DT_NOPREFIX | win::DT_END_ELLIPSIS,
            !Info.IsVertical, fw::clBtnText);
}

void TTxMirandaTheme::PaintDropDownArrow(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  const TColor A = I.Enabled ? ArrowColor(I) : DisabledTextColor;
  const Integer o = (I.Pushed || I.Selected) ? 1 : 0;
  const Integer cx = (R.left + R.right) / 2, cy = (R.top + R.bottom) / 2;
  if (I.ComboPart == cpSplitLeft || I.ComboPart == cpSplitRight) {
    const Integer x = cx + o, y = cy - 1 + o;
    if (I.IsVertical)
      kit::Triangle(Canvas, {x, y + 2}, {x, y - 2}, {x - 2, y}, A);
    else
      kit::Triangle(Canvas, {x - 2, y}, {x + 2, y}, {x, y + 2}, A);
    return;
  }
  if (!I.IsVertical) {
    Integer x = cx + o, y = cy + 1 + o;
    kit::Triangle(Canvas, {x - 2, y}, {x + 2, y}, {x, y + 2}, A);
    y = cy - 2 + o;
    kit::Triangle(Canvas, {x - 2, y}, {x + 2, y}, {x, y - 2}, A);
  } else {
    Integer x = cx - 1 + o, y = cy + o;
    kit::Triangle(Canvas, {x, y + 2}, {x, y - 2}, {x - 2, y}, A);
    x = cx + 2 + o;
    kit::Triangle(Canvas, {x, y + 2}, {x, y - 2}, {x + 2, y}, A);
  }
}

void TTxMirandaTheme::PaintMDIButton(TCanvas* Canvas, TRect R, const TTxItemInfo& ItemInfo, Cardinal ButtonKind) {
  const TClipTo clip(Canvas, ItemArea(R, ItemInfo));
  PaintButton(Canvas, R, ItemInfo);
  DrawMDIGlyph(Canvas->Handle(), R, TThemeUnit<TTxMirandaTheme>::GlyphImages, ButtonKind,
               GetPartColor(ItemInfo, cpText));
}

void TTxMirandaTheme::PaintMenuItem(TCanvas* Canvas, const TRect& R, TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  const Integer m = win::GetSystemMetrics(win::SM_CXMENUCHECK);
  const bool hovered = I.HoverKind != hkNone;
  const bool imageColumn = I.ImageWidth > 0 || I.Selected;
  TRect R2{R.left + GetIntegerMetric(TMI_MENU_IMAGE_TEXT_SPACE) + I.PopupMargin, R.top, R.right, R.bottom};
  if (I.Enabled && (I.ItemOptions & IO_SPLIT)) R2.right = R.right - m - 1;
  PaintMenuItemFrame(Canvas, R2, I);
  if (I.ItemOptions & IO_SPLIT) {
    if (I.Enabled && hovered)
      PaintBackground(Canvas, TRect{}, TRect{R.right - m, R.top, R.right, R.bottom},
                      TRect{R.right - m, R.top, R.right, R.bottom}, MenuItemColors[2].Fill, false, VT_POPUP_MENU);
    else
      Line(Canvas, R.right - m - 1, R.top, R.right - m - 1, R.bottom, DisabledTextColor);
  }
  if (I.ItemOptions & IO_HAS_SUBMENU) {
    const TColor c = I.Enabled ? (hovered ? TColor(fw::clHighlightText) : TColor(fw::clMenuText))
                               : (I.HoverKind == hkKeyboardHover ? TColor(fw::clBtnShadow) : DisabledTextColor);
    const Integer x = R.right - (2 * m) / 3, y = R.bottom / 2;
    kit::Triangle(Canvas, {x, y - 3}, {x, y + 3}, {x + 3, y}, c);
  }
  if (imageColumn && (hovered || I.Selected)) PaintButton(Canvas, TRect{R.left, R.top, R.left + I.PopupMargin, R.bottom}, I);
}

void TTxMirandaTheme::PaintSeparator(TCanvas* Canvas, TRect R, TTxItemInfo I, bool Horizontal, bool) {
  if (!I.Enabled) return;
  const TClipTo clip(Canvas, R);
  if (Horizontal) {
    const Integer y = R.bottom / 2;
    if (I.ViewType & VT_TOOLBAR) {
      Line(Canvas, R.left + 2, y, R.right - 2, y, DisabledTextColor);
    } else {
      for (Integer x = 14; x < R.right - 14; x += 3) Pixel(Canvas, x, y, fw::clBtnText);
    }
  } else {
    const Integer x = R.right / 2;
    Line(Canvas, x, R.top + 2, x, R.bottom - 2, DisabledTextColor);
  }
}

void TTxMirandaTheme::PaintToolbarNCArea(TCanvas* Canvas, TRect R, const TTxToolbarInfo& Info) {
  const TClipTo clip(Canvas, R);
  const bool menuBar = IsViewKind(Info.ViewType, VT_TOOLBAR_MENUBAR);
  const TRect area = Info.IsVertical ? TRect{R.left, R.top + 1, R.right, R.bottom}
                                     : TRect{R.left, R.top - 1, R.right, R.bottom};
  PaintBackground(Canvas, TRect{}, area, area, menuBar ? MenubarColor : ToolbarColor, false, Info.ViewType);
  if (IsViewKind(Info.ViewType, VT_TOOLBAR_NORMAL) || menuBar) {
    Line(Canvas, R.left, R.top, R.right - 1, R.top, fw::clBtnHighlight);
    Line(Canvas, R.left, R.top, R.left, R.bottom, fw::clBtnHighlight);
    Line(Canvas, menuBar ? R.left : R.left + 1, R.bottom - 1, R.right, R.bottom - 1, fw::clBtnShadow);
    Line(Canvas, R.right - 1, R.top + 1, R.right - 1, R.bottom, fw::clBtnShadow);
  }
  R = Deflated(R, 2);
  if (!Info.AllowDrag || Info.DragHandleStyle == 1) return;
  const Integer size = GetDragHandleSize(Info);
  const bool hasClose = Info.CloseButtonState & CDBS_VISIBLE;
  TRect close{};
  if (hasClose) {
    GetToolbarCloseButtonRect(Info, close);
    if (Info.IsVertical)
      close.left += 2;
    else
      close.right -= 2;
    close.bottom -= 2;
    const bool pressed = Info.CloseButtonState & CDBS_PRESSED;
    if (pressed)
      kit::Edge(Canvas, close, win::BDR_SUNKENOUTER, win::BF_RECT);
    else if (Info.CloseButtonState & CDBS_HOT)
      kit::Edge(Canvas, close, win::BDR_RAISEDINNER, win::BF_RECT);
    static constexpr uint16_t kCross[6] = {0x00, 0xCC, 0x78, 0x30, 0x78, 0xCC};
    const TRect g = pressed ? TRect{close.left + 1, close.top + 1, close.right + 1, close.bottom + 1} : close;
    DrawMonoPattern(Canvas->Handle(), g, 7, 6, kCross, fw::clBtnText);
  }
  const TColor edge = BlendColors(fw::clBtnFace, fw::clBtnHighlight, 50);
  if (!Info.IsVertical) {
    TRect bar{R.left, R.top + 2, R.left + size - 1, R.bottom - 2};
    if (hasClose) {
      bar.top = close.bottom + 4;
      bar.bottom = R.bottom - 4;
    }
    if (kit::IsEmpty(bar)) return;
    FillGradient(Canvas, bar, fw::clBtnFace, fw::clBtnShadow, false);
    Line(Canvas, bar.left, bar.top, bar.left, bar.bottom, edge);
  } else {
    TRect bar{R.left + 2, R.top, R.right - 2, R.top + size - 1};
    if (hasClose) {
      bar.left = R.left + 4;
      bar.right = close.left - 4;
    }
    if (kit::IsEmpty(bar)) return;
    FillGradient(Canvas, bar, fw::clBtnFace, fw::clBtnShadow, true);
    Line(Canvas, bar.left, bar.top, bar.right, bar.top, edge);
  }
}

bool TTxMirandaTheme::DisabledFieldLit(const TTxItemInfo& I) const { return I.HoverKind != hkNone; }

bool TTxMirandaTheme::IdleImageContrast(Integer) const { return false; }

void TTxMirandaTheme::FillRadioDisc(TCanvas* Canvas, const TRect& R, TColor Bottom, TColor Top,
                                    TColor Highlight) const {
  kit::RadioRowFill(Canvas, R, Bottom, Top, Highlight);
}

}  // namespace themes
