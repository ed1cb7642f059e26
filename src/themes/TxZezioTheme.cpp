// The Zezio theme: its colour table, the 3-pixel striped background, metrics,
// captions, edit and spin buttons, arrows, menu lines, separators and the toolbar and dock-panel
// frames.

#include "themes/TxZezioTheme.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemeColors.h"
#include "themes/ThemePainting.h"
#include "themes/vrnThemes.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace themes {

using namespace tx;

namespace {

TRect Shifted(const TRect& r, Integer d) {
  return TRect{r.left + d, r.top + d, r.right + d, r.bottom + d};
}

}  // namespace

void TTxZezioTheme::UpdateColorCache() {
  ZezioHighlight = fw::clHighlight;
  ZezioMenubarColor = ZezioToolbarColor = fw::clBtnFace;
  ZezioPopupColor = ZezioPanelColor = fw::clWindow;
  ZezioDisabledText = BlendColors(fw::clBtnShadow, fw::clWindow, 90);
  BuildSystemColorTable(ZezioHighlight, ZezioToolbarColor, ZezioPopupColor, ZezioDisabledText, ZezioButtonColors,
                        ZezioMenuColors);
  for (TColor* c : {&ZezioMenubarColor, &ZezioToolbarColor, &ZezioPopupColor, &ZezioPanelColor, &ZezioDisabledText})
    *c = NearestScreenColor(*c);
  SnapTablesToScreen(ZezioButtonColors, ZezioMenuColors);
  // The soft-frame painters read these.
  MenubarColor = ZezioMenubarColor;
  ToolbarColor = ZezioToolbarColor;
  PopupColor = ZezioPopupColor;
  DockPanelColor = ZezioPanelColor;
  DisabledTextColor = ZezioDisabledText;
  EditFrameColor = ResolveColor(fw::clBtnShadow);
  EditFrameHotColor = BlendColors(fw::clBtnFace, fw::clWindow, 75);
  PopupFrameColor = NearestScreenColor(fw::clBtnShadow);
  std::copy(std::begin(ZezioButtonColors), std::end(ZezioButtonColors), std::begin(ButtonColors));
  std::copy(std::begin(ZezioMenuColors), std::end(ZezioMenuColors), std::begin(MenuItemColors));
}

bool TTxZezioTheme::DisabledFieldLit(const TTxItemInfo& I) const { return I.HoverKind == hkKeyboardHover; }

bool TTxZezioTheme::IdleImageContrast(Integer Lum) const { return Lum < 80; }

void TTxZezioTheme::FillRadioDisc(TCanvas* Canvas, const TRect& R, TColor Bottom, TColor Top,
                                  TColor Highlight) const {
  kit::RadioRowFill(Canvas, R, kit::Extrapolated(Bottom, Top), Top, Highlight);
}

Integer TTxZezioTheme::GetIntegerMetric(Integer Index) {
  switch (Index) {
    case TMI_SPLIT_ARROW_WIDTH:
      return 12;
    case TMI_DROPDOWN_ARROW_WIDTH:
      return 8;
    case TMI_DROPDOWN_ARROW_MARGIN:
    case TMI_MENU_IMAGE_TEXT_SPACE:
    case TMI_MENU_CAPTION_LEFT:
    case TMI_MENU_CAPTION_RIGHT:
    case TMI_MENU_SEPARATOR_SIZE:
      return 3;
    case 36:
    case 37:
    case TMI_EDIT_TEXT_MARGIN_HORZ:
    case TMI_EDIT_TEXT_MARGIN_VERT:
      return 2;
    case TMI_TOOLBAR_SEPARATOR_SIZE:
      return 5;
    case TMI_EDIT_FRAME_WIDTH:
    case TMI_EDIT_MENU_RIGHT_INDENT:
      return 1;
    case TMI_EDIT_BUTTON_WIDTH:
      return 14;
    default:
      return -1;
  }
}

// Stripes run from ARect's top in steps of 3 (dark row, light row, plain row), so a background
// painted in pieces joins up; only rows inside the clip are drawn.
void TTxZezioTheme::PaintBackground(TCanvas* Canvas, const TRect&, const TRect& ARect, const TRect& AClipRect,
                                    TColor AColor, bool Transparent, Integer AViewType) {
  if (Transparent) return;
  TRect P;
  if (!win::IntersectRect(&P, &ARect, &AClipRect)) return;
  Fill(Canvas, P, AColor);
  if (IsViewKind(AViewType, VT_DOCKPANEL_NORMAL) || IsEmbeddedView(AViewType)) return;
  const Integer lum = GetColorLuminance(AColor);
  const Integer d = lum < 200 ? (200 - lum) / 20 : 0;
  const TColor light = OffsetColorNearest(AColor, d + 8), dark = OffsetColorNearest(AColor, -8);
  for (Integer y = P.top - (P.top - ARect.top) % 3; y < ARect.bottom; y += 3) {
    if (y >= P.top && y < P.bottom) Line(Canvas, P.left, y, P.right, y, dark);
    if (y + 1 >= P.top && y + 1 < P.bottom) Line(Canvas, P.left, y + 1, P.right, y + 1, light);
  }
}

void TTxZezioTheme::PaintCaption(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I,
                                 const String& ACaption, Cardinal AFormat, bool Rotated) {
  const TClipTo clip(Canvas, ARect);
  TColor color = Canvas->Font()->Color();
  if (color == fw::clNone) color = GetItemTextColor(I);
  kit::Text(Canvas, ACaption, ARect, AFormat, Rotated, color);
}

void TTxZezioTheme::PaintEditButtonFace(TCanvas* Canvas, const TRect& B, bool Pressed, bool Hot,
                                        bool ItemHot) {
  if (Pressed) {
    PaintSunkenFace(Canvas, B);
    Line(Canvas, B.left, B.top + 1, B.right, B.top + 1, BlendColors(fw::clBtnFace, fw::clBtnShadow, 45));
  } else if (Hot) {
    PaintRaisedFace(Canvas, B);
  } else {
    Fill(Canvas, Deflated(B, 1), fw::clWindow);
    kit::Frame(Canvas, B, ItemHot ? EditFrameHotColor : EditFrameColor);
  }
  Line(Canvas, B.left, B.top, B.left, B.bottom, fw::clBtnShadow);
}

void TTxZezioTheme::PaintEditButton(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo,
                                    const TTxEditButtonInfo& ButtonInfo) {
  const TClipTo clip(Canvas, ARect);
  const Integer state = ButtonInfo.ButtonState;
  const bool enabled = !(state & EBDS_DISABLED);
  const bool itemHot = ItemInfo.HoverKind != hkNone;
  if (ButtonInfo.ButtonType == EBT_DROPDOWN) {
    if (enabled)
      PaintEditButtonFace(Canvas, ARect, state & EBDS_PRESSED, state & EBDS_HOT, itemHot);
    else
      kit::Frame(Canvas, ARect, ButtonColors[1].Frame);
    TTxItemInfo arrow = ItemInfo;
    arrow.Enabled = enabled;
    PaintDropDownArrow(Canvas, ARect, arrow);
    return;
  }
  if (ButtonInfo.ButtonType != EBT_SPIN) return;
  const Integer mid = (ARect.top + ARect.bottom) / 2;
  const TRect halves[2] = {{ARect.left, ARect.top, ARect.right, mid},
                           {ARect.left, mid + 1, ARect.right, ARect.bottom}};
  const TColor A = !enabled ? DisabledTextColor : ArrowColor(ItemInfo);
  for (int k = 0; k < 2; ++k) {
    const TRect& h = halves[k];
    if (enabled)
      PaintEditButtonFace(Canvas, h, kit::SpinHalfPressed(state, k), state & EBDS_HOT,
                          itemHot);
    const Integer x = (h.left + h.right) / 2, y = (h.top + h.bottom) / 2;
    if (k == 0)
      kit::Triangle(Canvas, {x - 2, y + 1}, {x + 2, y + 1}, {x, y - 1}, A);
    else
      kit::Triangle(Canvas, {x - 2, y - 1}, {x + 2, y - 1}, {x, y + 1}, A);
  }
  Line(Canvas, ARect.left, mid, ARect.right, mid, fw::clBlack);
}

void TTxZezioTheme::PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const TTxDockPanelInfo& Info) {
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
  const auto captionFill = [&](const TRect& r) {
    if (VisualStylesActive)
      GradientFillRect(Canvas->Handle(), r, OffsetColor(ToolbarColor, 12), OffsetColor(ToolbarColor, -12),
                       Info.IsVertical);
    else
      Fill(Canvas, r, ToolbarColor);
  };
  captionFill(body);
  TRect text = body;
  if (Info.CloseButtonState & CDBS_VISIBLE) {
    const Integer s = Info.IsVertical ? body.bottom - body.top : body.right - body.left;
    const TRect square = Info.IsVertical ? TRect{body.right - s, body.top, body.right, body.bottom}
                                         : TRect{body.left, body.bottom - s, body.right, body.bottom};
    captionFill(square);
    const TRect button = Deflated(square, 1);
    const bool pressed = Info.CloseButtonState & CDBS_PRESSED;
    if (pressed)
      kit::Edge(Canvas, button, win::BDR_SUNKENOUTER, win::BF_RECT);
    else if (Info.CloseButtonState & CDBS_HOT)
      kit::Edge(Canvas, button, win::BDR_RAISEDINNER, win::BF_RECT);
    const TRect glyph = Deflated(button, 2);
    kit::DrawCloseGlyph(Canvas, pressed ? Shifted(glyph, 1) : glyph, fw::clBtnText);
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
  kit::Text(Canvas, Info.Caption, text,
            win::DT_VCENTER | win::DT_SINGLELINE | win::DT_NOPREFIX | win::DT_END_ELLIPSIS, !Info.IsVertical,
            fw::clBtnText);
}

void TTxZezioTheme::PaintDropDownArrow(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  const TColor A = I.Enabled ? ArrowColor(I) : DisabledTextColor;
  const Integer cx = (R.left + R.right) / 2, cy = (R.top + R.bottom) / 2;
  if (I.ComboPart == cpSplitLeft || I.ComboPart == cpSplitRight) {
    if (I.IsVertical)
      kit::Triangle(Canvas, {cx, cy + 1}, {cx, cy - 3}, {cx - 2, cy - 1}, A);
    else
      kit::Triangle(Canvas, {cx - 2, cy - 1}, {cx + 2, cy - 1}, {cx, cy + 1}, A);
    return;
  }
  if (!I.IsVertical) {
    kit::Triangle(Canvas, {cx - 2, cy + 1}, {cx + 2, cy + 1}, {cx, cy + 3}, A);
    kit::Triangle(Canvas, {cx - 2, cy - 2}, {cx + 2, cy - 2}, {cx, cy - 4}, A);
  } else {
    kit::Triangle(Canvas, {cx - 1, cy + 2}, {cx - 1, cy - 2}, {cx - 3, cy}, A);
    kit::Triangle(Canvas, {cx + 2, cy + 2}, {cx + 2, cy - 2}, {cx + 4, cy}, A);
  }
}

void TTxZezioTheme::PaintMDIButton(TCanvas* Canvas, TRect R, const TTxItemInfo& ItemInfo,
                                   Cardinal ButtonKind) {
  const TClipTo clip(Canvas,
                     ItemInfo.ComboPart == cpSplitRight ? TRect{R.left - 1, R.top, R.right, R.bottom} : R);
  PaintButton(Canvas, R, ItemInfo);
  DrawMDIGlyph(Canvas->Handle(), R, TThemeUnit<TTxZezioTheme>::GlyphImages, ButtonKind,
               GetButtonPartColor(ItemInfo, cpText));
}

void TTxZezioTheme::PaintMenuItem(TCanvas* Canvas, const TRect& R, TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  const Integer m = win::GetSystemMetrics(win::SM_CXMENUCHECK);
  const bool imageColumn = I.ImageWidth > 0 || I.Selected;
  TRect frame = R;
  if (imageColumn) frame.left += GetIntegerMetric(TMI_MENU_IMAGE_TEXT_SPACE) + I.PopupMargin;
  PaintMenuItemFrame(Canvas, frame, I);
  if (I.ItemOptions & IO_SPLIT) {
    const Integer x = R.right - m - 1;
    const TColor c = !I.Enabled                    ? DisabledTextColor
                     : I.HoverKind == hkMouseHover ? TColor(fw::clWhite)
                                                   : TColor(fw::clBtnText);
    Line(Canvas, x, R.top + 1, x, R.bottom - 1, c);
  }
  if (I.ItemOptions & IO_HAS_SUBMENU) {
    const Integer x = R.right - (2 * m) / 3 - 1, y = R.bottom / 2;
    kit::Triangle(Canvas, {x, y - 3}, {x, y + 3}, {x + 3, y}, GetPartColor(I, cpText));
  }
  if (I.Selected && I.Enabled) {
    // The image column's button has the toolbar's rounder corners.
    TTxItemInfo column = I;
    column.ItemOptions |= IO_TOOLBAR_STYLE;
    column.ComboPart = cpNone;
    PaintButton(Canvas, TRect{R.left, R.top, R.left + I.PopupMargin, R.bottom}, column);
  }
}

void TTxZezioTheme::PaintSeparator(TCanvas* Canvas, TRect R, TTxItemInfo I, bool Horizontal, bool) {
  if (!I.Enabled) return;
  const TClipTo clip(Canvas, R);
  if (Horizontal) {
    const Integer y = R.bottom / 2;
    for (Integer x = R.left; x < R.right; x += 3) Pixel(Canvas, x, y, fw::clBlack);
  } else {
    const Integer x = R.right / 2;
    for (Integer y = R.top; y < R.bottom; y += 3) Pixel(Canvas, x, y, fw::clBlack);
  }
}

void TTxZezioTheme::PaintToolbarNCArea(TCanvas* Canvas, TRect R, const TTxToolbarInfo& Info) {
  const TClipTo clip(Canvas, R);
  const bool menuBar = IsViewKind(Info.ViewType, VT_TOOLBAR_MENUBAR);
  PaintBackground(Canvas, TRect{}, R, R, menuBar ? MenubarColor : ToolbarColor, false, 0);
  if (IsViewKind(Info.ViewType, VT_TOOLBAR_NORMAL) || menuBar) {
    Line(Canvas, R.left, R.top, R.right - 1, R.top, fw::clBtnHighlight);
    Line(Canvas, R.left, R.top, R.left, R.bottom - 1, fw::clBtnHighlight);
    Line(Canvas, R.left, R.bottom - 1, R.right, R.bottom - 1, fw::clBtnShadow);
    Line(Canvas, R.right - 1, R.top, R.right - 1, R.bottom, fw::clBtnShadow);
  }
  R = Deflated(R, 2);
  if (!Info.AllowDrag || Info.DragHandleStyle == 1) return;
  const Integer size = GetDragHandleSize(Info);
  const bool hasClose = Info.CloseButtonState & CDBS_VISIBLE;
  TRect close{};
  if (hasClose) {
    GetToolbarCloseButtonRect(Info, close);
    const bool pressed = Info.CloseButtonState & CDBS_PRESSED;
    if (pressed)
      kit::Edge(Canvas, close, win::BDR_SUNKENOUTER, win::BF_RECT);
    else if (Info.CloseButtonState & CDBS_HOT)
      kit::Edge(Canvas, close, win::BDR_RAISEDINNER, win::BF_RECT);
    kit::DrawCloseGlyph(Canvas, pressed ? Shifted(close, 1) : close, fw::clBtnText);
  }
  const TColor edge = BlendColors(fw::clBtnFace, fw::clBtnHighlight, 50);
  if (!Info.IsVertical) {
    TRect bar{R.left, R.top + 1, R.left + size - 1, R.bottom - 1};
    if (hasClose) bar.top = close.bottom + 2;
    if (kit::IsEmpty(bar)) return;
    FillGradient(Canvas, bar, fw::clBtnFace, fw::clBtnShadow, false);
    Line(Canvas, bar.left, bar.top, bar.left, bar.bottom, edge);
  } else {
    TRect bar{R.left + 1, R.top, R.right - 1, R.top + size - 1};
    if (hasClose) bar.right = close.left - 2;
    if (kit::IsEmpty(bar)) return;
    FillGradient(Canvas, bar, fw::clBtnFace, fw::clBtnShadow, true);
    Line(Canvas, bar.left, bar.top, bar.right, bar.top, edge);
  }
}

void RegisterZezioTheme() {
  tx::RegisterTheme("Zezio", &tx::ThemeClassOf<TTxZezioTheme>);
}

}  // namespace themes
