// The Default theme's items: buttons, captions, check marks, chevrons, arrows, images, menu
// lines, separators, MDI and scroll buttons.

#include <algorithm>

#include "framework/ImageList.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysMetrics.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/detail/TxPaintHelpers.h"

namespace tx {

using detail::Edge;
using detail::EdgeCopy;
using detail::Offset;
using detail::Triangle;

namespace {

bool PushedOrSelected(const TTxItemInfo& i) { return i.Pushed || i.Selected; }

int ButtonState(const TTxItemInfo& i) {
  const bool hovered = i.HoverKind != hkNone;
  if (!i.Enabled) return i.HoverKind == hkKeyboardHover ? 2 : 4;
  if (i.Pushed) return 3;
  if (i.Selected) return hovered ? 6 : 5;
  return hovered ? 2 : 1;
}

// A disabled glyph is embossed: highlight one pixel down and right, then shadow in place.
template <typename Draw>
void Embossed(bool enabled, TColor enabledColor, Draw draw) {
  if (enabled) {
    draw(0, enabledColor);
  } else {
    draw(1, fw::clBtnHighlight);
    draw(0, fw::clBtnShadow);
  }
}

}  // namespace

void TTxDefaultTheme::PaintButton(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) {
  const win::HDC dc = Canvas->Handle();
  const bool hot = IsItemHot(ItemInfo);
  const bool embedded = IsEmbeddedView(ItemInfo.ViewType);
  const bool menuBar = IsViewKind(ItemInfo.ViewType, VT_TOOLBAR_MENUBAR);
  const bool active = (PushedOrSelected(ItemInfo) && ItemInfo.Enabled) || hot;

  if (VisualStylesActive && !menuBar) {
    const int part = int(ItemInfo.ComboPart) + 1;
    if (embedded || (ItemInfo.ItemOptions & IO_DESIGNING)) {
      TRect regionRect = ARect;
      if (ItemInfo.ComboPart == cpSplitRight) --regionRect.left;
      win::HRGN region = nullptr;
      if (ToolbarThemeHandle && ux::GetThemeBackgroundRegion &&
          ux::GetThemeBackgroundRegion(ToolbarThemeHandle, dc, part, 2, &regionRect, &region) == S_OK && region) {
        if (embedded) {
          const win::HBRUSH face = CreateBrushColor(FFaceColor);
          win::FillRgn(dc, region, face);
          DeleteBrushColor(FFaceColor, face);
        }
        const win::HBRUSH shadow = CreateBrushColor(fw::clBtnShadow);
        win::FrameRgn(dc, region, shadow, 1, 1);
        DeleteBrushColor(fw::clBtnShadow, shadow);
        win::DeleteObject(region);
      }
    }
    DrawThemePart(ToolbarThemeHandle, dc, part, ButtonState(ItemInfo), ARect);
    return;
  }
  if (menuBar && FlatMenuColors) {
    if (active) FillRectColor(dc, ARect, fw::clHighlight);
    return;
  }

  TRect r = ARect;
  if (ItemInfo.ComboPart == cpSplitRight && !VisualStylesActive && !menuBar) r.right -= 2;
  if (FlatMenuColors && active) FillRectColor(dc, r, FFaceColor);
  const bool hovered = ItemInfo.HoverKind != hkNone;
  if (embedded) {
    win::UINT flags = win::BF_RECT | win::BF_MIDDLE | win::BF_ADJUST;
    if (!(hot && !ItemInfo.Pushed && !ItemInfo.Selected && ItemInfo.Enabled)) flags |= win::BF_FLAT;
    if (ItemInfo.ComboPart == cpSplitLeft && !hot && !ItemInfo.Pushed) ++r.right;
    Edge(dc, r, win::EDGE_RAISED, flags);
    if (ItemInfo.Selected && ItemInfo.Enabled && !hovered) DitherRect(dc, r, FFaceColor, fw::clBtnHighlight);
  } else if (PushedOrSelected(ItemInfo) && ItemInfo.Enabled) {
    Edge(dc, r, win::BDR_SUNKENOUTER, win::BF_RECT | win::BF_ADJUST);
    if (ItemInfo.Selected && !ItemInfo.Pushed && !hovered) DitherRect(dc, r, FFaceColor, fw::clBtnHighlight);
  } else if (hot || (ItemInfo.ItemOptions & IO_DESIGNING)) {
    EdgeCopy(dc, r, win::BDR_RAISEDINNER, win::BF_RECT);
  }
  if (ItemInfo.ComboPart == cpSplitRight) PaintDropDownArrow(Canvas, ARect, ItemInfo);
}

void TTxDefaultTheme::PaintCaption(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo,
                                   const String& ACaption, Cardinal AFormat, bool Rotated) {
  TColor color = Canvas->Font()->Color();
  if (color == fw::clNone) color = GetItemTextColor(ItemInfo);
  const bool menuLine = !(ItemInfo.ItemOptions & IO_TOOLBAR_STYLE);
  if (menuLine && !ItemInfo.Enabled && ItemInfo.HoverKind == hkKeyboardHover) {
    detail::CaptionText(Canvas, ACaption, ARect, AFormat, Rotated, color);
    return;
  }
  if (ItemInfo.Enabled) {
    TRect r = ARect;
    const bool flatMenuBar = IsViewKind(ItemInfo.ViewType, VT_TOOLBAR_MENUBAR) && FlatMenuColors;
    if (!menuLine && PushedOrSelected(ItemInfo) && !flatMenuBar) r = Offset(r, 1, 1);
    detail::CaptionText(Canvas, ACaption, r, AFormat, Rotated, color);
  } else if (VisualStylesActive) {
    detail::CaptionText(Canvas, ACaption, ARect, AFormat, Rotated, color);
  } else {
    detail::CaptionText(Canvas, ACaption, Offset(ARect, 1, 1), AFormat, Rotated, fw::clBtnHighlight);
    detail::CaptionText(Canvas, ACaption, ARect, AFormat, Rotated, fw::clBtnShadow);
  }
}

void TTxDefaultTheme::PaintCheckMark(TCanvas* Canvas, TRect ARect, const TTxItemInfo& ItemInfo) {
  const win::HDC dc = Canvas->Handle();
  const int cx = (ARect.left + ARect.right) / 2, x0 = cx - 1;
  const int cy = (ARect.top + ARect.bottom) / 2, y0 = cy + 2;
  const TPoint mark[7] = {{x0 - 2, cy},     {x0, y0},         {cx + 3, y0 - 4}, {cx + 3, y0 - 3},
                          {x0, y0 + 1},     {x0 - 2, y0 - 1}, {x0 - 2, cy}};
  PolylineColor(dc, mark, 6, ItemInfo.Enabled ? fw::clBtnText : fw::clGrayText);
  if (ItemInfo.Enabled) {
    const TPoint light[5] = {{cx - 4, cy}, {cx - 4, y0 - 1}, {x0, y0 + 2}, {cx + 4, y0 - 3}, {cx + 4, y0 - 5}};
    PolylineColor(dc, light, 4, fw::clBtnHighlight);
  }
}

void TTxDefaultTheme::PaintChevron(TCanvas* Canvas, TRect ARect, const TTxItemInfo& ItemInfo) {
  PaintButton(Canvas, ARect, ItemInfo);
  static constexpr uint16_t kDown[8] = {0x88, 0xD8, 0x70, 0x20, 0x88, 0xD8, 0x70, 0x20};
  static constexpr uint16_t kRight[5] = {0xCC, 0x66, 0x33, 0x66, 0xCC};
  TRect r = ARect;
  const uint16_t* pattern = kRight;
  int w = 8, h = 5;
  if (ItemInfo.IsVertical) {
    r.left = r.right - 9;
    pattern = kDown;
    w = 5;
    h = 8;
  } else {
    r.top += 4;
  }
  if (ItemInfo.Pushed) r = Offset(r, 1, 1);
  const win::HDC dc = Canvas->Handle();
  Embossed(ItemInfo.Enabled, fw::clBtnText,
           [&](int d, TColor c) { DrawMonoPattern(dc, Offset(r, d, d), w, h, pattern, c); });
}

void TTxDefaultTheme::PaintDropDownArrow(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) {
  int X = (ARect.left + ARect.right) / 2, Y = (ARect.top + ARect.bottom) / 2 - 1;
  if (PushedOrSelected(ItemInfo) && ItemInfo.ComboPart != cpSplitRight) {
    ++X;
    ++Y;
  }
  const win::HDC dc = Canvas->Handle();
  const TColor enabled = (ItemInfo.ItemOptions & IO_TOOLBAR_STYLE) ? MenuTextColor : fw::clBtnText;
  Embossed(ItemInfo.Enabled, enabled, [&](int d, TColor c) {
    const int x = X + d, y = Y + d;
    if (ItemInfo.IsVertical)
      Triangle(dc, {x, y + 2}, {x, y - 2}, {x - 2, y}, c);
    else
      Triangle(dc, {x - 2, y}, {x + 2, y}, {x, y + 2}, c);
  });
}

void TTxDefaultTheme::PaintImage(TCanvas* Canvas, TRect ARect, const TTxItemInfo& ItemInfo,
                                 TCustomImageList* ImageList, Integer ImageIndex) {
  if (!ImageList) return;
  const bool menuLine = IsPopupMenuLine(ItemInfo);
  if (PushedOrSelected(ItemInfo)) ARect = Offset(ARect, 1, 1);
  if ((menuLine && !FlatMenuColors) || (!menuLine && !VisualStylesActive)) {
    ImageList->Draw(Canvas, ARect.left, ARect.top, ImageIndex, ItemInfo.Enabled);
    return;
  }
  const bool dark = !menuLine && IsDarkColor(GetItemImageBackground(ItemInfo), 100);
  if (!ItemInfo.Enabled) {
    DrawIconDisabled(Canvas, ARect, ImageList, ImageIndex, 0);
  } else if (!ItemInfo.Selected && !ItemInfo.Pushed && ItemInfo.HoverKind == hkNone && !dark &&
             !HighContrastColors && !LowColorDisplay) {
    DrawIconBlended(Canvas, ARect, ImageList, ImageIndex, fw::clWindow, 178);
  } else {
    DrawIconContrasted(Canvas, ARect, ImageList, ImageIndex, dark);
  }
}

void TTxDefaultTheme::PaintMDIButton(TCanvas* Canvas, TRect ARect, const TTxItemInfo& ItemInfo, Cardinal ButtonKind) {
  const win::HDC dc = Canvas->Handle();
  if (VisualStylesActive) {
    int part = 0;
    if (ButtonKind == MDI_CLOSE) part = 20;
    if (ButtonKind == MDI_MINIMIZE) part = 16;
    if (ButtonKind == MDI_RESTORE) part = 22;
    if (part) DrawThemePart(WindowThemeHandle, dc, part, ItemInfo.Pushed ? 3 : ItemInfo.HoverKind != hkNone ? 2 : 1,
                            ARect);
    return;
  }
  win::DrawFrameControl(dc, &ARect, win::DFC_CAPTION, ButtonKind | (ItemInfo.Pushed ? win::DFCS_PUSHED : 0));
}

void TTxDefaultTheme::PaintMenuItem(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo) {
  const win::HDC dc = Canvas->Handle();
  const int W = win::GetSystemMetrics(win::SM_CXMENUCHECK);
  const bool showImageBack = ItemInfo.ImageWidth > 0 || ItemInfo.Selected;
  const bool split = ItemInfo.ItemOptions & IO_SPLIT;
  const bool hovered = ItemInfo.HoverKind != hkNone;
  const bool hot = IsItemHot(ItemInfo);
  TRect r = ARect;
  if (showImageBack) r.left += GetIntegerMetric(TMI_MENU_IMAGE_TEXT_SPACE) + ItemInfo.PopupMargin;
  if (ItemInfo.Enabled && split) r.right -= W;
  PaintMenuItemFrame(Canvas, r, ItemInfo);

  if (split) {
    const TRect cell{ARect.right - W, ARect.top, ARect.right, ARect.bottom};
    if (!ItemInfo.Enabled || !hovered)
      EdgeCopy(dc, TRect{cell.left - 1, cell.top, cell.right, cell.bottom},
               hot ? win::BDR_SUNKENOUTER : win::EDGE_ETCHED, win::BF_LEFT);
    else
      EdgeCopy(dc, cell, win::BDR_SUNKENOUTER, win::BF_RECT);
  }

  if (ItemInfo.ItemOptions & IO_HAS_SUBMENU) {
    const int x = ARect.right - (2 * W) / 3 - 2, y = ARect.bottom / 2;
    if (ItemInfo.Enabled) {
      Triangle(dc, {x, y - 3}, {x, y + 3}, {x + 3, y}, hovered && !split ? fw::clHighlightText : MenuTextColor);
    } else {
      if (ItemInfo.HoverKind != hkKeyboardHover) Triangle(dc, {x + 1, y - 2}, {x + 1, y + 4}, {x + 4, y + 1},
                                                          fw::clBtnHighlight);
      Triangle(dc, {x, y - 3}, {x, y + 3}, {x + 3, y}, fw::clBtnShadow);
    }
  }

  if (ItemInfo.Enabled && showImageBack && (hovered || ItemInfo.Selected)) {
    const TRect cell{ARect.left, ARect.top, ARect.left + ItemInfo.PopupMargin, ARect.bottom};
    if (FlatMenuColors) FillRectColor(dc, cell, FFaceColor);
    PaintButton(Canvas, cell, ItemInfo);
  }
}

void TTxDefaultTheme::PaintMenuItemFrame(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) {
  if (IsItemHot(ItemInfo)) FillRectColor(Canvas->Handle(), ARect, fw::clHighlight);
}

void TTxDefaultTheme::PaintScrollButton(TCanvas* Canvas, const TRect& ARect, Integer ButtonType, bool Hot) {
  const win::HDC dc = Canvas->Handle();
  if (VisualStylesActive) {
    DrawThemePart(ToolbarThemeHandle, dc, 1, Hot ? 3 : 2, ARect);
    const int cx = (ARect.left + ARect.right) / 2, cy = (ARect.top + ARect.bottom) / 2;
    const int s = std::min((ARect.right - ARect.left) / 2, (ARect.bottom - ARect.top) / 2) * 3 / 4;
    const TColor color = Hot ? fw::clBtnText : Canvas->Pen()->Color();
    switch (ButtonType) {
      case PSBT_UP: Triangle(dc, {cx - s, cy + s / 2}, {cx + s, cy + s / 2}, {cx, cy - s / 2}, color); break;
      case PSBT_DOWN: Triangle(dc, {cx - s, cy - s / 2}, {cx + s, cy - s / 2}, {cx, cy + s / 2}, color); break;
      case PSBT_LEFT: Triangle(dc, {cx + s / 2, cy - s}, {cx + s / 2, cy + s}, {cx - s / 2, cy}, color); break;
      case PSBT_RIGHT: Triangle(dc, {cx - s / 2, cy - s}, {cx - s / 2, cy + s}, {cx + s / 2, cy}, color); break;
      default: break;
    }
    return;
  }
  static constexpr win::UINT kKinds[4] = {win::DFCS_SCROLLUP, win::DFCS_SCROLLDOWN, win::DFCS_SCROLLLEFT,
                                          win::DFCS_SCROLLRIGHT};
  if (ButtonType < PSBT_UP || ButtonType > PSBT_RIGHT) return;
  TRect r = ARect;
  win::DrawFrameControl(dc, &r, win::DFC_SCROLL, kKinds[ButtonType - 1] | (Hot ? win::DFCS_FLAT : 0));
}

void TTxDefaultTheme::PaintSeparator(TCanvas* Canvas, TRect ARect, TTxItemInfo ItemInfo, bool Horizontal,
                                     bool LineOnly) {
  if (!ItemInfo.Enabled) return;
  const win::HDC dc = Canvas->Handle();
  if (VisualStylesActive && !IsViewKind(ItemInfo.ViewType, VT_POPUP_MENU)) {
    DrawThemePart(ToolbarThemeHandle, dc, Horizontal ? 6 : 5, 1, ARect);
    return;
  }
  int m = 0;
  if (LineOnly) m = (ItemInfo.ViewType & VT_FLOATING) ? 1 : 4;
  if (Horizontal && !(ItemInfo.ItemOptions & IO_TOOLBAR_STYLE)) m = 12;
  if (Horizontal) {
    const int top = (ARect.top + ARect.bottom) / 2 - 1;
    EdgeCopy(dc, TRect{ARect.left + m, top, ARect.right - m, top + 2}, win::EDGE_ETCHED, win::BF_TOP);
  } else {
    const int left = (ARect.left + ARect.right) / 2 - 1;
    EdgeCopy(dc, TRect{left, ARect.top + m, left + 2, ARect.bottom - m}, win::EDGE_ETCHED, win::BF_LEFT);
  }
}

}  // namespace tx
