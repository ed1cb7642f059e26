// The patterned themes' shared colours, queries, metrics and items.

#include <algorithm>

#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemePainting.h"
#include "themes/TxPatternedTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace themes {

using namespace tx;

namespace {

TRect Shifted(TRect R, Integer d) { return TRect{R.left + d, R.top + d, R.right + d, R.bottom + d}; }
bool Hovered(const TTxItemInfo& I) { return I.HoverKind != hkNone; }
bool IsHot(const TTxItemInfo& I) { return I.Enabled ? Hovered(I) : I.HoverKind == hkKeyboardHover; }

}  // namespace

void DrawStripesFrame(TCanvas* Canvas, const TRect& ARect, Integer LeftRound, TColor Color, Integer RightRound) {
  if (Color == fw::clNone || kit::IsEmpty(ARect)) return;
  Canvas->Pen()->SetColor(ResolveColor(Color));
  Canvas->Pen()->SetWidth(0);
  kit::FrameRoundRect(Canvas, ARect, LeftRound, RightRound);
}

void TTxPatternedTheme::UpdateColorCache() {
  FFaceColor = fw::clBtnFace;
  FFaceTextColor = fw::clBtnText;
  FDockPanelColor = fw::clBtnFace;
  FStatusBarColor = fw::clBtnFace;
  PanelColor = MixColorsNearest(fw::clBtnFace, fw::clWindow, 64);
  DisabledColor = LowColorDisplay ? TColor(fw::clBtnShadow) : MixColors(fw::clBtnShadow, fw::clBtnFace, 210);
}

TColor TTxPatternedTheme::GetItemTextColor(const TTxItemInfo& I) {
  const bool menuBar = IsViewKind(I.ViewType, VT_TOOLBAR_MENUBAR);
  const bool toolStyle = I.ItemOptions & IO_TOOLBAR_STYLE;
  if (!toolStyle && !I.Enabled && I.HoverKind == hkKeyboardHover) return fw::clBtnShadow;
  if (!I.Enabled) return DisabledColor;
  if (toolStyle && !menuBar) return fw::clBtnText;
  if (Hovered(I)) return fw::clHighlightText;
  return menuBar && !(I.ItemOptions & IO_APP_ACTIVE) ? fw::clGrayText : fw::clMenuText;
}

void TTxPatternedTheme::GetMargins(Integer MarginID, TTxMargins& Margins) {
  TTxDefaultTheme::GetMargins(MarginID, Margins);
  if (MarginID == MID_MENUITEM) Margins.TopHeight = Margins.BottomHeight = 2;
}

Integer TTxPatternedTheme::GetPopupShadowType() { return PST_LAYERED_NT5; }

void TTxPatternedTheme::GetViewBorder(Integer ViewType, TPoint& Border) {
  Border = TPoint{0, 0};
  if (ViewType & (VT_TOOLBAR | VT_DOCKPANEL)) {
    if (ViewType & VT_FLOATING) {
      if (ViewType & VT_RESIZABLE)
        Border = TPoint{win::GetSystemMetrics(win::SM_CXFRAME), win::GetSystemMetrics(win::SM_CYFRAME)};
      else
        Border = TPoint{win::GetSystemMetrics(win::SM_CXDLGFRAME), win::GetSystemMetrics(win::SM_CYDLGFRAME)};
    } else {
      Border = TPoint{2, 2};
    }
  } else if (ViewType & VT_POPUP) {
    Border = IsViewKind(ViewType, VT_POPUP_LIST) ? TPoint{2, 2} : TPoint{3, 3};
  }
}

TColor TTxPatternedTheme::GetViewColor(Integer ViewType) {
  if (ViewType & VT_TOOLBAR) return fw::clBtnFace;
  if (IsViewKind(ViewType, VT_POPUP_MENU) || IsViewKind(ViewType, VT_POPUP_CHEVRON)) return MenuBackColor;
  if (IsViewKind(ViewType, VT_POPUP_LIST)) return fw::clWindow;
  if (ViewType & VT_DOCKPANEL) return PanelColor;
  return FFaceColor;
}

Integer TTxPatternedTheme::GetIntegerMetric(Integer Index) {
  switch (Index) {
    case TMI_SPLIT_ARROW_WIDTH: return 12;
    case 36:
    case TMI_EDIT_TEXT_MARGIN_VERT: return 1;
    case 37:
    case TMI_EDIT_FRAME_WIDTH:
    case TMI_EDIT_TEXT_MARGIN_HORZ: return 2;
    case TMI_EDIT_BUTTON_WIDTH: return 14;
    default: return TTxDefaultTheme::GetIntegerMetric(Index);
  }
}

bool TTxPatternedTheme::GetBooleanMetric(Integer Index) {
  switch (Index) {
    case TMB_EDIT_HEIGHT_EVEN:
    case TMB_VISUAL_STYLES:
    case TMB_SOLID_TOOLBAR_NC:
    case TMB_SOLID_TOOLBAR_ON_DOCK_IMAGE: return false;
    default: return TTxDefaultTheme::GetBooleanMetric(Index);
  }
}

void TTxPatternedTheme::PaintButton(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ARect);
  if (kit::IsEmpty(ARect)) return;
  TRect R = ARect;
  Integer left = 2, right = 2;
  if (I.ComboPart == cpSplitRight) {
    --R.left;
    left = 1;
  }
  if (I.ComboPart == cpSplitLeft) right = 1;
  if (!(I.ItemOptions & IO_TOOLBAR_STYLE)) left = right = 1;
  const bool hot = IsHot(I);
  const win::HDC dc = Canvas->Handle();
  if (IsViewKind(I.ViewType, VT_TOOLBAR_MENUBAR)) {
    if (I.Pushed || I.Selected || hot) Fill(Canvas, ARect, fw::clHighlight);
    return;
  }
  if (IsEmbeddedView(I.ViewType) && !hot) {
    if (I.Enabled) {
      Fill(Canvas, Deflated(R, 1), MixColorsNearest(fw::clWindow, fw::clBtnFace, 16));
      DrawStripesFrame(Canvas, R, left, MixColorsNearest(fw::clWindow, fw::clBtnShadow, 64), right);
    } else {
      DrawStripesFrame(Canvas, R, left, fw::clBtnFace, right);
    }
  }
  if ((I.Pushed || I.Selected) && I.Enabled) {
    const TRect in = Deflated(R, 1);
    if (I.Pushed || hot) {
      if (LowColorDisplay)
        Fill(Canvas, in, fw::clBtnHighlight);
      else
        DitherRect(dc, in, fw::clBtnHighlight, MixColors(fw::clBtnHighlight, fw::clBtnFace, 128));
    } else {
      DitherRect(dc, in, fw::clBtnHighlight, fw::clWindow);
    }
    if (!kit::IsEmpty(in)) {
      const TPoint edge[3] = {{in.left, in.bottom - 2}, {in.left, in.top}, {in.right - 1, in.top}};
      PolylineColor(dc, edge, 2, fw::clBtnFace);
    }
    DrawStripesFrame(Canvas, R, left, fw::clBtnShadow, right);
  } else if (hot || (I.ItemOptions & IO_DESIGNING)) {
    if (hot) {
      if (LowColorDisplay)
        Fill(Canvas, Deflated(R, 1), fw::clBtnFace);
      else
        DitherRect(dc, Deflated(R, 1), fw::clBtnFace, MixColors(fw::clBtnHighlight, fw::clBtnFace, 192));
    }
    DrawStripesFrame(Canvas, R, left,
                     LowColorDisplay ? TColor(fw::clBtnShadow) : MixColors(fw::clBtnShadow, fw::clBtnFace, 192),
                     right);
  }
  if (I.ComboPart == cpSplitRight) PaintDropDownArrow(Canvas, ARect, I);
}

void TTxPatternedTheme::PaintCaption(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I, const String& ACaption,
                                     Cardinal AFormat, bool Rotated) {
  const kit::TClipTo clip(Canvas, ARect);
  TColor C = Canvas->Font()->Color();
  if (C == fw::clNone) C = GetItemTextColor(I);
  TRect R = ARect;
  if ((I.Pushed || I.Selected) && !IsViewKind(I.ViewType, VT_TOOLBAR_MENUBAR)) R = Shifted(R, 1);
  kit::Text(Canvas, ACaption, R, AFormat, Rotated, C);
}

void TTxPatternedTheme::PaintCheckMark(TCanvas* Canvas, TRect ARect, const TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ARect);
  TTxDefaultTheme::PaintCheckMark(Canvas, ARect, I);
}

void TTxPatternedTheme::PaintChevron(TCanvas* Canvas, TRect ARect, const TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ARect);
  TTxDefaultTheme::PaintChevron(Canvas, ARect, I);
}

void TTxPatternedTheme::PaintDropDownArrow(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ARect);
  const TColor C = !I.Enabled ? DisabledColor
                   : (I.ItemOptions & IO_TOOLBAR_STYLE) ? TColor(fw::clBtnText) : TColor(fw::clMenuText);
  const Integer p = (I.Pushed || I.Selected) ? 1 : 0;
  const Integer cx = (ARect.left + ARect.right) / 2 + p, cy = (ARect.top + ARect.bottom) / 2 - 1 + p;
  if (I.IsVertical)
    kit::Triangle(Canvas, {cx, cy + 2}, {cx, cy - 2}, {cx - 2, cy}, C);
  else
    kit::Triangle(Canvas, {cx - 2, cy}, {cx + 2, cy}, {cx, cy + 2}, C);
}

void TTxPatternedTheme::PaintEditFrame(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& I,
                                       const TTxEditFrameInfo& Info) {
  const kit::TClipTo clip(Canvas, ARect);
  PaintFrame(Canvas, ARect, I);
  const Integer fw_ = GetIntegerMetric(TMI_EDIT_FRAME_WIDTH);
  TRect field = Deflated(ARect, fw_);
  if (Info.RightButtonWidth > 0) field.right -= Info.RightButtonWidth - 2;
  if (I.Enabled) Fill(Canvas, field, fw::clWindow);
  if (Info.RightButtonWidth > 0)
    PaintEditButton(Canvas, TRect{ARect.right - fw_ - Info.RightButtonWidth, ARect.top, ARect.right, ARect.bottom},
                    I, Info.RightButtonInfo);
}

namespace {

// The background of an edit button (or half of one) by its state.
void EditButtonFace(TCanvas* Canvas, const TRect& R, bool Pressed, bool Hot) {
  if (Pressed)
    DitherRect(Canvas->Handle(), R, fw::clBtnHighlight, MixColors(fw::clBtnHighlight, fw::clBtnFace, 126));
  else if (Hot)
    DitherRect(Canvas->Handle(), R, fw::clBtnFace, MixColorsNearest(fw::clBtnHighlight, fw::clBtnFace, 192));
  else
    Fill(Canvas, R, fw::clBtnFace);
}

}  // namespace

void TTxPatternedTheme::PaintEditButton(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& I,
                                        const TTxEditButtonInfo& B) {
  const kit::TClipTo clip(Canvas, ARect);
  const bool disabled = B.ButtonState & EBDS_DISABLED, hot = B.ButtonState & EBDS_HOT;
  if (B.ButtonType == EBT_DROPDOWN) {
    const bool pressed = B.ButtonState & EBDS_PRESSED;
    const TRect R = Deflated(ARect, hot || pressed ? 1 : 2);
    if (!disabled) {
      EditButtonFace(Canvas, R, pressed, hot);
      Line(Canvas, R.left, R.top, R.left, R.bottom, DisabledColor);
    }
    PaintDropDownArrow(Canvas, R, I);
  } else if (B.ButtonType == EBT_SPIN) {
    const bool up = B.ButtonState & EBDS_PRESSED, down = B.ButtonState & EBDS_DOWN_PRESSED;
    const TRect R = Deflated(ARect, hot || up || down ? 1 : 2);
    if (kit::IsEmpty(R)) return;
    const Integer mid = (R.top + R.bottom) / 2;
    const TRect upper{R.left, R.top, R.right, mid}, lower{R.left, mid, R.right, R.bottom};
    if (!disabled) {
      EditButtonFace(Canvas, upper, up, hot);
      EditButtonFace(Canvas, lower, down, hot);
      Line(Canvas, R.left, R.top, R.left, R.bottom, DisabledColor);
      Line(Canvas, R.left, mid, R.right, mid, DisabledColor);
    }
    const TColor C = disabled ? DisabledColor
                     : (I.ItemOptions & IO_TOOLBAR_STYLE) ? TColor(fw::clBtnText) : TColor(fw::clMenuText);
    const Integer cx = (R.left + R.right) / 2, uy = (upper.top + upper.bottom) / 2, ly = (lower.top + lower.bottom) / 2;
    kit::Triangle(Canvas, {cx - 2, uy + 1}, {cx + 2, uy + 1}, {cx, uy - 1}, C);
    kit::Triangle(Canvas, {cx - 2, ly - 1}, {cx + 2, ly - 1}, {cx, ly + 1}, C);
  }
}

void TTxPatternedTheme::PaintDock(TCanvas*, const TRect&, const TRect&, Integer) {}

void TTxPatternedTheme::PaintFrame(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ARect);
  const bool active = I.Pushed || I.Selected || Hovered(I) || (I.ItemOptions & IO_DESIGNING);
  if ((I.Enabled || I.HoverKind == hkKeyboardHover) && active) {
    kit::Frame(Canvas, Deflated(ARect, 1), fw::clWindow);
    DrawStripesFrame(Canvas, ARect, 1, DisabledColor, 1);
  } else {
    kit::Frame(Canvas, Deflated(ARect, 1), DisabledColor);
  }
}

void TTxPatternedTheme::PaintImage(TCanvas* Canvas, TRect ARect, const TTxItemInfo& I, TCustomImageList* ImageList,
                                   Integer ImageIndex) {
  if (!ImageList) return;
  const bool dark = GetColorLuminance(GetItemImageBackground(I)) < 80;
  if (!I.Enabled) {
    if (dark)
      DrawIconDarkMask(Canvas, ARect, ImageList, ImageIndex, 0x9F9F9F);
    else
      DrawIconDisabled(Canvas, ARect, ImageList, ImageIndex, 0);
    return;
  }
  const bool hot = Hovered(I);
  if (!I.Selected && !I.Pushed && !hot) {
    if (dark || HighContrastColors)
      DrawIconContrasted(Canvas, ARect, ImageList, ImageIndex, dark);
    else
      DrawIconTranslucent(Canvas, ARect, ImageList, ImageIndex, 200);
    return;
  }
  if (I.Selected || I.Pushed) {
    ARect = Shifted(ARect, 1);
  } else {
    DrawIconDisabled(Canvas, Shifted(ARect, 1), ImageList, ImageIndex, 1);
    DrawIconDisabled(Canvas, Shifted(ARect, 2), ImageList, ImageIndex, 1);
  }
  DrawIconContrasted(Canvas, ARect, ImageList, ImageIndex, dark);
}

void TTxPatternedTheme::PaintMDIButton(TCanvas* Canvas, TRect ARect, const TTxItemInfo& I, Cardinal ButtonKind) {
  const kit::TClipTo clip(Canvas, ARect);
  PaintButton(Canvas, ARect, I);
  const Integer glyph = MDIGlyphIndex(ButtonKind);
  if (glyph < 0 || !Glyphs()) return;
  const Integer p = I.Pushed ? 1 : 0;
  DrawGlyphMask(Canvas->Handle(), (ARect.left + ARect.right - 16) / 2 + p, (ARect.top + ARect.bottom - 16 - 1) / 2 + p,
                Glyphs(), glyph, fw::clBtnText);
}

void TTxPatternedTheme::PaintMenuItemFrame(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  // A plain fill: these themes have no rounded menu lines.
  if (IsHot(I)) Fill(Canvas, ARect, fw::clHighlight);
}

void TTxPatternedTheme::PaintMenuItem(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ARect);
  const Integer check = win::GetSystemMetrics(win::SM_CXMENUCHECK);
  TRect R = ARect;
  if (I.ImageShown || I.Selected) R.left += GetIntegerMetric(TMI_MENU_IMAGE_TEXT_SPACE) + I.PopupMargin;
  if (I.ItemOptions & IO_SPLIT) R.right -= check + 1;
  PaintMenuItemFrame(Canvas, R, I);
  if (I.ItemOptions & IO_SPLIT) {
    const TRect arrow{R.right, ARect.top, ARect.right, ARect.bottom};
    if (I.Enabled && Hovered(I))
      Fill(Canvas, arrow, fw::clHighlight);
    else
      Line(Canvas, arrow.left, arrow.top + 1, arrow.left, arrow.bottom - 1, DisabledColor);
  }
  if (I.ItemOptions & IO_HAS_SUBMENU) {
    const Integer x = ARect.right - (2 * check) / 3, y = ARect.bottom / 2;
    const TColor C = I.Enabled ? (Hovered(I) ? TColor(fw::clHighlightText) : TColor(fw::clMenuText))
                     : I.HoverKind == hkKeyboardHover ? TColor(fw::clBtnShadow) : DisabledColor;
    kit::Triangle(Canvas, {x, y - 3}, {x, y + 3}, {x + 3, y}, C);
  }
  if (I.ImageShown && (Hovered(I) || I.Selected)) {
    TTxItemInfo button = I;
    button.ItemOptions |= IO_TOOLBAR_STYLE;
    PaintButton(Canvas, TRect{ARect.left, ARect.top, ARect.left + I.PopupMargin, ARect.bottom}, button);
  }
}

void TTxPatternedTheme::PaintScrollButton(TCanvas* Canvas, const TRect& ARect, Integer ButtonType, bool Hot) {
  if (kit::IsEmpty(ARect)) return;
  const kit::TClipTo clip(Canvas, ARect);
  const win::HDC dc = Canvas->Handle();
  if (Hot)
    DitherRect(dc, Deflated(ARect, 1), fw::clBtnFace, MixColors(fw::clBtnHighlight, fw::clBtnFace, 192));
  else
    Fill(Canvas, Deflated(ARect, 1), fw::clBtnFace);
  kit::PaintCornerPixels(Canvas, ARect, fw::clBtnFace);
  DrawStripesFrame(Canvas, ARect, 1, Hot ? TColor(fw::clBtnShadow) : DisabledColor, 1);
  const Integer cx = (ARect.left + ARect.right) / 2, cy = (ARect.top + ARect.bottom) / 2;
  kit::DrawPointingArrow(Canvas, cx, cy, ButtonType, 3, 1, 2, fw::clBtnText);
}

void TTxPatternedTheme::PaintSeparator(TCanvas* Canvas, TRect ARect, TTxItemInfo I, bool Horizontal, bool) {
  // The line is wanted for enabled separators, as in the Default theme.
  if (I.Enabled) kit::PaintSeparatorLine(Canvas, ARect, Horizontal, 1, DisabledColor);
}

void TTxPatternedTheme::PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void* Params) {
  if (Kind != PFC_CHECKBOX && Kind != PFC_RADIOBUTTON) {
    TTxDefaultTheme::PaintFrameControl(Canvas, R, Kind, State, Params);
    return;
  }
  const kit::TClipTo clip(Canvas, R);
  R = Deflated(R, 1);
  if (kit::IsEmpty(R)) return;
  const kit::TBoxState box(State);
  const bool disabled = box.Disabled, pushed = box.Pushed, hot = box.Hot, mixed = box.Mixed;
  const win::HDC dc = Canvas->Handle();
  const TColor pen = disabled ? TColor(fw::clBtnShadow) : (pushed || hot) ? TColor(fw::clBtnText) : TColor(fw::clBtnShadow);
  const TColor mark = disabled ? TColor(fw::clBtnFace) : mixed ? TColor(fw::clBtnShadow) : TColor(fw::clBtnText);
  const TRect in = Deflated(R, 1);
  if (!disabled) {
    if (pushed)
      DitherRect(dc, in, MixColors(fw::clBtnHighlight, fw::clBtnFace, 126), fw::clBtnHighlight);
    else if (hot)
      DitherRect(dc, in, fw::clBtnFace, MixColors(fw::clBtnHighlight, fw::clBtnFace, 192));
    else if (mixed)
      DitherRect(dc, in, fw::clWindow, fw::clBtnFace);
  }
  Canvas->Pen()->SetColor(ResolveColor(pen));
  Canvas->Pen()->SetWidth(0);
  Canvas->Brush()->SetStyle(fw::bsClear);
  const Integer cy = (R.top + R.bottom) / 2;
  if (Kind == PFC_CHECKBOX) {
    Canvas->Rectangle(R);
    if (State & (PFS_CHECKED | PFS_MIXED)) {
      const Integer x = (R.left + R.right) / 2 - 1;
      const TPoint p[7] = {{x - 2, cy + 1}, {x, cy + 3},     {x + 4, cy - 1}, {x + 4, cy - 3},
                           {x, cy + 1},     {x - 2, cy - 1}, {x - 2, cy + 1}};
      PolygonColor(dc, p, 6, mark, mark);
    }
  } else {
    Canvas->Ellipse(R);
    const TRect dot = Deflated(R, 3);
    if ((State & PFS_CHECKED) && !kit::IsEmpty(dot)) {
      Canvas->Brush()->SetStyle(fw::bsSolid);
      Canvas->Brush()->SetColor(ResolveColor(mark));
      Canvas->Pen()->SetColor(ResolveColor(mark));
      Canvas->Ellipse(dot);
    }
  }
  Canvas->Brush()->SetStyle(fw::bsSolid);
}

}  // namespace themes
