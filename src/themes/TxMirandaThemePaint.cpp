// The Miranda theme's painting: soft gradient buttons, flat menu selection, raised toolbar
// edges, the platform's frames and buttons, grip lines.

#include <algorithm>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemeKit.h"
#include "themes/TxMirandaTheme.h"
#include "themes/vrnThemes.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace themes {

using namespace tx;
using kit::Deflated;
using kit::Fill;
using kit::ItemArea;
using kit::Line;
using kit::Pixel;
using kit::TClipTo;

namespace {

// Top to bottom, Top at the first line.
void Gradient(TCanvas* c, const TRect& r, TColor top, TColor bottom) {
  if (!kit::IsEmpty(r)) FillGradient(c, r, bottom, top, true);
}
void Raised(TCanvas* c, const TRect& r) { Gradient(c, r, fw::clBtnHighlight, fw::clBtnFace); }
void Sunken(TCanvas* c, const TRect& r) {
  Gradient(c, r, BlendColors(fw::clBtnFace, fw::clBtnShadow, 60), BlendColors(fw::clBtnHighlight, fw::clBtnFace, 60));
}
void Checked(TCanvas* c, const TRect& r) { Gradient(c, r, fw::clBtnFace, fw::clBtnHighlight); }

void Edge(TCanvas* c, TRect r, win::UINT edge, win::UINT flags) { win::DrawEdge(c->Handle(), &r, edge, flags); }

}  // namespace

void TTxMirandaTheme::PaintBackground(TCanvas* Canvas, const TRect&, const TRect& ARect, const TRect& AClipRect,
                                      TColor AColor, bool Transparent, Integer) {
  if (Transparent) return;
  TRect P;
  if (win::IntersectRect(&P, &ARect, &AClipRect)) Fill(Canvas, P, AColor);
}

void TTxMirandaTheme::PaintButton(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, ItemArea(ARect, I));
  const bool hot = IsItemHot(I);
  const bool hovered = I.HoverKind != hkNone;
  TRect R = ARect;
  Integer L = 2, Rt = 2;
  if (I.ComboPart == cpSplitRight) {
    --R.left;
    L = 1;
  }
  if (I.ComboPart == cpSplitLeft) Rt = 1;
  if (!(I.ItemOptions & IO_TOOLBAR_STYLE)) L = Rt = 1;
  const TColor shadowBlend = BlendColors(fw::clBtnShadow, fw::clBtnFace, 50);

  if (IsEmbeddedView(I.ViewType) && !hot) {
    if (I.Enabled) {
      Fill(Canvas, Deflated(R, 1), ToolbarColor);
      DrawSoftRoundedFrame(Canvas, R, L, Rt, fw::clBtnShadow, fw::clNone);
    } else {
      DrawSoftRoundedFrame(Canvas, R, L, Rt, fw::clBtnFace, fw::clNone);
    }
  } else if (!IsViewKind(I.ViewType, VT_TOOLBAR_MENUBAR)) {
    if (I.Enabled && I.Pushed) {
      Sunken(Canvas, Deflated(R, 1));
      DrawSoftRoundedFrame(Canvas, R, L, Rt, fw::clBtnShadow, shadowBlend);
      Line(Canvas, R.left + L, R.top + 1, R.right - Rt, R.top + 1, BlendColors(fw::clBtnFace, fw::clBtnShadow, 45));
    } else if (I.Enabled && I.Selected && hovered) {
      Raised(Canvas, Deflated(R, 1));
      DrawSoftRoundedFrame(Canvas, R, L, Rt, GetButtonPartColor(I, cpFrame), fw::clNone);
    } else if (I.Enabled && I.Selected) {
      Checked(Canvas, Deflated(R, 1));
      DrawSoftRoundedFrame(Canvas, R, L, Rt, fw::clBtnShadow, shadowBlend);
      Line(Canvas, R.left + L, R.top + 1, R.right - Rt, R.top + 1, BlendColors(fw::clBtnShadow, fw::clBtnFace, 25));
    } else if (hot || (I.ItemOptions & IO_DESIGNING)) {
      Raised(Canvas, Deflated(R, 1));
      DrawSoftRoundedFrame(Canvas, R, L, Rt, GetButtonPartColor(I, cpFrame), fw::clNone);
    }
  } else {
    if ((I.Enabled && (I.Pushed || I.Selected)) || hot)
      PaintBackground(Canvas, TRect{}, R, R, MenuItemColors[2].Fill, false, 0);
    return;
  }
  if (I.ComboPart == cpSplitRight) PaintDropDownArrow(Canvas, ARect, I);
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

void TTxMirandaTheme::PaintCheckMark(TCanvas* Canvas, TRect R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  Canvas->Pen()->SetColor(I.Enabled ? fw::clBlack : MenuItemColors[1].Text);
  const Integer x = (R.left + R.right) / 2 - 2, y = (R.top + R.bottom) / 2;
  const fw::TPoint p[7] = {{x - 2, y - 1}, {x, y + 1}, {x + 4, y - 3}, {x + 4, y - 2},
                           {x, y + 2},     {x - 2, y}, {x - 2, y - 1}};
  Canvas->Polyline(p, 7);
}

void TTxMirandaTheme::PaintChevron(TCanvas* Canvas, TRect R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, ItemArea(R, I));
  PaintButton(Canvas, R, I);
  const TColor color = GetPartColor(I, cpText);
  if (!I.IsVertical) {
    static constexpr uint16_t kRight[5] = {0xCC, 0x66, 0x33, 0x66, 0xCC};
    kit::DrawPattern(Canvas->Handle(), R.left + 2, 4, 8, 5, kRight, color);
  } else {
    static constexpr uint16_t kDown[8] = {0x88, 0xD8, 0x70, 0x20, 0x88, 0xD8, 0x70, 0x20};
    kit::DrawPattern(Canvas->Handle(), R.right - 9, R.top + 2, 5, 8, kDown, color);
  }
}

void TTxMirandaTheme::PaintEditFrame(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& I,
                                     const TTxEditFrameInfo& EditFrameInfo) {
  const TClipTo clip(Canvas, ARect);
  PaintFrame(Canvas, ARect, I);
  const TRect inner = Deflated(ARect, GetIntegerMetric(TMI_EDIT_FRAME_WIDTH));
  TRect R = inner;
  const Integer W = EditFrameInfo.RightButtonWidth;
  if (W > 0) R.right -= W - 2;
  const bool hovered = I.HoverKind != hkNone;
  if (I.Enabled) {
    kit::Frame(Canvas, R, hovered ? EditFrameHotColor : EditFrameColor);
    Fill(Canvas, Deflated(R, 1), fw::clWindow);
  } else {
    kit::Frame(Canvas, R, DisabledFieldLit(I) ? TColor(fw::clWindow) : ButtonColors[1].Frame);
  }
  if (W > 0)
    PaintEditButton(Canvas, TRect{inner.right - W, inner.top, inner.right, inner.bottom}, I,
                    EditFrameInfo.RightButtonInfo);
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
        Sunken(Canvas, B);
        Line(Canvas, B.left, B.top + 1, B.right, B.top + 1, topLine);
      } else if (state & EBDS_HOT) {
        Raised(Canvas, B);
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
    const bool pressed = state & (k == 0 ? EBDS_PRESSED : EBDS_DOWN_PRESSED);
    if (enabled) {
      kit::Frame(Canvas, h, EditFrameColor);
      if (pressed)
        Sunken(Canvas, Deflated(h, 1));
      else if (state & EBDS_HOT)
        Raised(Canvas, Deflated(h, 1));
      Line(Canvas, h.left, h.top, h.left, h.bottom, pressed ? TColor(fw::clBtnShadow) : EditFrameColor);
      if (k == 1) Line(Canvas, h.left, h.top, h.right, h.top, EditFrameColor);
    }
    const Integer o = (pressed || ItemInfo.Selected) ? 1 : 0;
    const Integer x = (h.left + h.right) / 2 + o;
    if (k == 0) {
      const Integer y = (h.top + h.bottom - 1) / 2 + o;
      kit::Triangle(Canvas, {x - 2, y + 1}, {x + 2, y + 1}, {x, y - 1}, A);
    } else {
      const Integer y = (h.top + h.bottom) / 2 + o;
      kit::Triangle(Canvas, {x - 2, y - 1}, {x + 2, y - 1}, {x, y + 1}, A);
    }
  }
}

void TTxMirandaTheme::PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect&, Integer) {
  Canvas->Brush()->SetColor(fw::clBtnFace);
  Canvas->Brush()->SetStyle(fw::bsSolid);
  Canvas->Pen()->SetColor(fw::clBtnFace);
  Canvas->Pen()->SetWidth(0);
  Canvas->Rectangle(Deflated(ClientRect, -1));
}

void TTxMirandaTheme::PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const TTxDockPanelInfo& Info) {
  const TClipTo clip(Canvas, R);
  kit::Frame(Canvas, R, ToolbarColor);
  R = Deflated(R, 1);
  const Integer t = win::GetSystemMetrics(win::SM_CYSMCAPTION);
  const bool caption = Info.DragHandleStyle != 0;
  TRect strip = R, client = R;
  if (caption) {
    if (Info.IsVertical) {
      strip.bottom = std::min(R.bottom, R.top + t);
      client.top = strip.bottom;
    } else {
      strip.right = std::min(R.right, R.left + t);
      client.left = strip.right;
    }
  }
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
      Edge(Canvas, square, win::BDR_SUNKENOUTER, win::BF_RECT);
    else if (Info.CloseButtonState & CDBS_HOT)
      Edge(Canvas, square, win::BDR_RAISEDINNER, win::BF_RECT);
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

void TTxMirandaTheme::PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect, const TTxFloatingWindowInfo& Info) {
  const TClipTo clip(Canvas, ARect);
  kit::PaintClassicFloatingBorder(Canvas, ARect, Info);
}

void TTxMirandaTheme::PaintFrame(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  if (I.Enabled || I.HoverKind == hkKeyboardHover) {
    if (I.Pushed || I.Selected || I.HoverKind != hkNone || (I.ItemOptions & IO_DESIGNING))
      DrawSoftRoundedFrame(Canvas, R, 1, 1, I.Pushed ? ButtonColors[2].Frame : GetPartColor(I, cpFrame), fw::clNone);
  } else {
    kit::Frame(Canvas, Deflated(R, 1), ToolbarColor);
  }
}

void TTxMirandaTheme::PaintImage(TCanvas* Canvas, TRect R, const TTxItemInfo& I, TCustomImageList* ImageList,
                                 Integer ImageIndex) {
  if (!ImageList) return;
  const Integer lum = GetColorLuminance(GetItemImageBackground(I));
  const bool hovered = I.HoverKind != hkNone;
  if (!I.Enabled) {
    if (lum < 80)
      DrawIconDarkMask(Canvas, R, ImageList, ImageIndex, fw::clBtnShadow);
    else
      DrawIconDisabled(Canvas, R, ImageList, ImageIndex, 0);
  } else if (!I.Selected && !I.Pushed && !hovered) {
    if (lum >= 80 && !HighContrastColors && !LowColorDisplay)
      DrawIconBlended(Canvas, R, ImageList, ImageIndex, fw::clWindow, 255);
    else
      DrawIconContrasted(Canvas, R, ImageList, ImageIndex, IdleImageContrast(lum));
  } else {
    DrawIconContrasted(Canvas, R, ImageList, ImageIndex, false);
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

void TTxMirandaTheme::PaintMenuItemFrame(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  if ((I.Enabled && I.HoverKind != hkNone) || (!I.Enabled && I.HoverKind == hkKeyboardHover))
    PaintBackground(Canvas, TRect{}, R, R, MenuItemColors[2].Fill, false, 0);
}

void TTxMirandaTheme::PaintScrollButton(TCanvas* Canvas, const TRect& R, Integer ButtonType, bool Hot) {
  const TClipTo clip(Canvas, R);
  win::UINT kind = win::DFCS_SCROLLUP;
  if (ButtonType == PSBT_DOWN) kind = win::DFCS_SCROLLDOWN;
  if (ButtonType == PSBT_LEFT) kind = win::DFCS_SCROLLLEFT;
  if (ButtonType == PSBT_RIGHT) kind = win::DFCS_SCROLLRIGHT;
  TRect r = R;
  win::DrawFrameControl(Canvas->Handle(), &r, win::DFC_SCROLL, kind | (Hot ? win::DFCS_FLAT : 0));
}

void TTxMirandaTheme::PaintPopupNCArea(TCanvas* Canvas, TRect R, const TTxPopupInfo& PopupInfo) {
  const TClipTo clip(Canvas, R);
  kit::Frame(Canvas, R, PopupFrameColor);
  const TRect d = Deflated(R, 1);
  Fill(Canvas, d, PopupColor);
  const TRect& P = PopupInfo.ParentRect;
  if (kit::IsEmpty(P)) return;
  const Integer x0 = std::max(P.left, R.left), x1 = std::min(P.right, R.right);
  const Integer y0 = std::max(P.top, R.top), y1 = std::min(P.bottom, R.bottom);
  if (P.bottom == d.top || P.bottom == R.top) {
    if (x1 > x0) Line(Canvas, x0, R.top, x1, R.top, ToolbarColor);
  } else if (P.top == d.bottom || P.top == R.bottom) {
    if (x1 > x0) Line(Canvas, x0, R.bottom - 1, x1, R.bottom - 1, ToolbarColor);
  } else if (P.right == d.left || P.right == R.left) {
    if (y1 > y0) Line(Canvas, R.left, y0, R.left, y1, ToolbarColor);
  } else if (P.left == d.right || P.left == R.right) {
    if (y1 > y0) Line(Canvas, R.right - 1, y0, R.right - 1, y1, ToolbarColor);
  }
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
      Edge(Canvas, close, win::BDR_SUNKENOUTER, win::BF_RECT);
    else if (Info.CloseButtonState & CDBS_HOT)
      Edge(Canvas, close, win::BDR_RAISEDINNER, win::BF_RECT);
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

void TTxMirandaTheme::PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void*) {
  if (Kind != PFC_CHECKBOX && Kind != PFC_RADIOBUTTON) return;
  if (kit::IsEmpty(R)) return;
  const TClipTo clip(Canvas, R);
  const bool checked = State & (PFS_CHECKED | PFS_MIXED);
  const bool hot = State & PFS_HOT, pushed = State & PFS_PUSHED;
  const TColor line = BlendColors(fw::clBtnShadow, fw::clBtnFace, 25);
  // The inside: top and bottom of its gradient (clNone: left as is) and the top line.
  TColor top = fw::clNone, bottom = fw::clNone, topLine = fw::clNone, pen = fw::clBtnShadow;
  if (!hot) {
    if (checked) {
      top = fw::clBtnFace;
      bottom = fw::clBtnHighlight;
      topLine = line;
    }
  } else if (!pushed) {
    top = fw::clBtnHighlight;
    bottom = fw::clBtnFace;
    pen = ButtonColors[4].Frame;
  } else {
    top = BlendColors(fw::clBtnFace, fw::clBtnShadow, 60);
    bottom = BlendColors(fw::clBtnHighlight, fw::clBtnFace, 60);
    topLine = line;
  }
  TColor mark;
  if (State & PFS_DISABLED)
    mark = ButtonColors[1].Text;
  else if (pushed)
    mark = ButtonColors[3].Text;
  else if (State & PFS_MIXED)
    mark = fw::clBtnShadow;
  else if (hot)
    mark = ButtonColors[4].Text;
  else
    mark = ButtonColors[0].Text;
  const TRect in = Deflated(R, 1);
  Canvas->Pen()->SetStyle(fw::psSolid);
  if (Kind == PFC_CHECKBOX) {
    if (top != fw::clNone) Gradient(Canvas, in, top, bottom);
    if (topLine != fw::clNone) Line(Canvas, in.left, in.top, in.right, in.top, topLine);
    Canvas->Pen()->SetColor(pen);
    kit::FrameRoundRect(Canvas, R, 0, 0);
    if (checked) {
      const Integer x = (R.left + R.right) / 2 - 1, y = (R.top + R.bottom) / 2 + 1;
      const fw::TPoint p[7] = {{x - 2, y}, {x, y + 2}, {x + 4, y - 2}, {x + 4, y - 4}, {x, y}, {x - 2, y - 2}, {x - 2, y}};
      PolygonColor(Canvas->Handle(), p, 6, mark, mark);
    }
    Canvas->Brush()->SetStyle(fw::bsSolid);
    return;
  }
  if (top != fw::clNone) FillRadioDisc(Canvas, R, bottom, top, (hot && !pushed) ? fw::clNone : topLine);
  Canvas->Pen()->SetColor(pen);
  Canvas->Brush()->SetStyle(fw::bsClear);
  kit::RadioOutline(Canvas, R.left, R.top);
  if (checked) {
    Canvas->Pen()->SetColor(mark);
    Canvas->Brush()->SetStyle(fw::bsSolid);
    Canvas->Brush()->SetColor(mark);
    Canvas->Ellipse(Deflated(R, 3));
  }
  Canvas->Brush()->SetStyle(fw::bsSolid);
}

void TTxMirandaTheme::PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) {
  const TClipTo clip(Canvas, Part == SBP_GRIPPERPANE ? TRect{R.left, R.top, R.right + 1, R.bottom} : R);
  switch (Part) {
    case SBP_BODY: {
      Fill(Canvas, R, fw::clBtnFace);
      const auto row = [&](Integer y, TColor c) { Line(Canvas, R.left, y, R.right, y, c); };
      row(R.top, BlendColors(fw::clBtnShadow, fw::cl3DDkShadow, 70));
      const Integer top[4] = {128, 64, 32, 12};
      for (int k = 0; k < 4; ++k) row(R.top + 1 + k, MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, top[k]));
      const Integer bottom[3] = {8, 16, 24};
      for (int k = 0; k < 3; ++k) row(R.bottom - 3 + k, MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, bottom[k]));
      break;
    }
    case SBP_PANE:
    case SBP_GRIPPERPANE: {
      const Integer x = Part == SBP_PANE ? R.right - 3 : R.right;
      Line(Canvas, x, R.top + 4, x, R.bottom - 3, DisabledTextColor);
      break;
    }
    case SBP_SIZEGRIP: {
      const Integer s = std::min(R.right - R.left, R.bottom - R.top);
      const TColor light = MixColorsNearest(fw::clBtnFace, fw::clBtnHighlight, 64);
      const TColor dark = MixColorsNearest(fw::clBtnFace, fw::clBtnShadow, 64);
      // One round of steps; clNone skips a step.
      std::vector<TColor> round = {light, dark};
      if (s >= 9 && s < 13) round = {light, dark, fw::clNone};
      if (s >= 13) round = {light, fw::clNone, dark, fw::clNone};
      Integer d = 2;
      for (int k = 0; k < 3; ++k)
        for (TColor c : round) {
          Line(Canvas, R.right - 1 - d, R.bottom - 1, R.right, R.bottom - d - 2, c);
          ++d;
        }
      break;
    }
    default: break;
  }
}

}  // namespace themes
