// The OfficeK theme's painting: banded white-to-grey gradients, highlight-tinted buttons, shaded
// grip dots, gradient caption strips and close squares.

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemePainting.h"
#include "themes/TxOfficeKTheme.h"
#include "themes/vrnThemes.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace themes {

using namespace tx;

namespace {

// C1 at the bottom (Vertical) or right edge, C2 at the top or left, one band per line; a
// rectangle one line long takes C1.
void ThemeGradient(TCanvas* c, const TRect& r, TColor c1, TColor c2, bool vertical,
                   const TRect* clip = nullptr) {
  if (kit::IsEmpty(r) || c1 == fw::clNone || c2 == fw::clNone) return;
  if ((vertical ? r.bottom - r.top : r.right - r.left) == 1) {
    TRect p = r;
    if (clip && !win::IntersectRect(&p, &r, clip)) return;
    Fill(c, p, c1);
    return;
  }
  kit::PaintGradientBands(c, r, c2, c1, vertical, clip);
}

// A 1-pixel frame in Color (clNone: none), R shrinking by 1 either way.
void FrameIn(TCanvas* c, TRect& r, TColor color) {
  kit::Frame(c, r, color);
  r = Deflated(r, 1);
}

// A grip dot: seven pixels of the 3 x 3 cell at (x, y) in the given shades.
void GripDot(TCanvas* c, Integer x, Integer y, const TColor (&shade)[7]) {
  static constexpr Integer kAt[7][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}, {2, 2}, {2, 1}};
  for (int k = 0; k < 7; ++k) Pixel(c, x + kAt[k][0], y + kAt[k][1], shade[k]);
}

bool IsOrdinaryToolbar(Integer vt) {
  return IsViewKind(vt, VT_TOOLBAR_NORMAL) && !(vt & VT_EMBEDDED);
}
bool IsToolbarOrPopup(Integer vt) {
  return vt & (VT_TOOLBAR | VT_POPUP);
}
bool IsToolboxPopup(Integer vt) {
  return IsViewKind(vt, VT_POPUP_TOOLBOX);
}

}  // namespace

// The gradient's direction and the image column are measured on ARect, so a partial repaint
// continues what a full one paints.
void TTxOfficeKTheme::PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect,
                                      const TRect& AClipRect, TColor AColor, bool Transparent,
                                      Integer AViewType) {
  if (Transparent) return;
  TRect P;
  if (!win::IntersectRect(&P, &ARect, &AClipRect)) return;
  if (!IsOrdinaryToolbar(AViewType)) {
    Fill(Canvas, P, AColor);
    const bool menuOrList = (AViewType & VT_POPUP) && (AViewType & (VT_POPUP_MENU | VT_POPUP_LIST) & 0xFF) &&
                            !(AViewType & (VT_POPUP_TOOLBOX | VT_POPUP_CHEVRON) & 0xFF);
    if (menuOrList || IsViewKind(AViewType, VT_DOCKPANEL_NORMAL))
      ThemeGradient(Canvas, TRect{ARect.left, ARect.top, ARect.left + 24, ARect.bottom}, GradientDark,
                    GradientLight, true, &P);
    return;
  }
  const bool dockSet = DockRect.left || DockRect.top || DockRect.right || DockRect.bottom;
  const bool wide =
      dockSet ? ARect.right - ARect.left > ARect.bottom - ARect.top : ARect.right > ARect.bottom;
  ThemeGradient(Canvas, ARect, GradientDark, GradientLight, wide, &P);
}

void TTxOfficeKTheme::PaintButton(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  const TRect area =
      I.ComboPart == cpSplitRight ? TRect{ARect.left - 1, ARect.top, ARect.right, ARect.bottom} : ARect;
  const TClipTo clip(Canvas, area);
  if ((I.ItemOptions & IO_DESIGNING) && !I.Selected) {
    kit::Frame(Canvas, area, MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, 100));
  } else {
    TRect R = ARect;
    FrameIn(Canvas, R, ImageBackColor(I, cpFrame));
    if (I.ComboPart == cpSplitLeft && I.IsPopupParent) ++R.right;
    if (I.ComboPart == cpSplitRight) --R.left;
    const TColor fill = ImageBackColor(I, cpFill);
    const bool gradients = IsToolbarOrPopup(I.ViewType);
    if (gradients && I.Selected)
      ThemeGradient(Canvas, R, fill, GradientLight, !I.IsVertical);
    else if (gradients && I.HoverKind != hkNone && !I.Pushed)
      ThemeGradient(Canvas, R, fill, GradientLight, !I.IsVertical);
    else if (gradients && I.HoverKind != hkNone)
      ThemeGradient(Canvas, R, GradientLight, fill, !I.IsVertical);
    else
      Fill(Canvas, R, fill);
  }
  if (I.ComboPart == cpSplitRight) PaintDropDownArrow(Canvas, ARect, I);
}

void TTxOfficeKTheme::PaintCaption(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I,
                                   const String& ACaption, Cardinal AFormat, bool Rotated) {
  const TClipTo clip(Canvas, ARect);
  kit::Text(Canvas, ACaption, ARect, AFormat, Rotated, ItemColor(I, cpText));
}

void TTxOfficeKTheme::PaintCheckMark(TCanvas* Canvas, TRect R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  kit::DrawCheckTick(Canvas, R, ImageBackColor(I, cpText));
}

void TTxOfficeKTheme::PaintChevron(TCanvas* Canvas, TRect R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, I.ComboPart == cpSplitRight ? TRect{R.left - 1, R.top, R.right, R.bottom} : R);
  PaintButton(Canvas, R, I);
  kit::DrawChevronArrows(Canvas, R, I.IsVertical, ItemColor(I, cpText));
}

void TTxOfficeKTheme::PaintEditFrame(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& I,
                                     const TTxEditFrameInfo& EditFrameInfo) {
  const TClipTo clip(Canvas, ARect);
  PaintFrame(Canvas, ARect, I);
  const TRect inner = Deflated(ARect, GetIntegerMetric(TMI_EDIT_FRAME_WIDTH));
  TRect R = inner;
  if (!I.Enabled && !IsEmbeddedView(I.ViewType)) FrameIn(Canvas, R, ButtonColors[1].Text);
  const Integer W = EditFrameInfo.RightButtonWidth;
  if (W > 0) R.right += 2 - W;
  if (I.Enabled) {
    const bool plain = !(I.ViewType & VT_TOOLBAR) && ItemColor(I, cpFrame) == fw::clNone;
    FrameIn(Canvas, R, plain ? TColor(fw::clBtnFace) : TColor(fw::clWindow));
    Fill(Canvas, R, fw::clWindow);
    if (plain) kit::Frame(Canvas, Deflated(R, 1), fw::clBtnFace);
  }
  if (W > 0)
    PaintEditButton(Canvas, TRect{inner.right - W, inner.top, inner.right, inner.bottom}, I,
                    EditFrameInfo.RightButtonInfo);
}

// The button covers the field's frame: it paints over its rectangle grown by 1 (but the left).
void TTxOfficeKTheme::PaintEditButton(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo,
                                      const TTxEditButtonInfo& ButtonInfo) {
  const TRect R{ARect.left, ARect.top - 1, ARect.right + 1, ARect.bottom + 1};
  const TClipTo clip(Canvas, TRect{R.left - 1, R.top, R.right, R.bottom});
  const Integer state = ButtonInfo.ButtonState;
  const bool enabled = !(state & EBDS_DISABLED), hot = state & EBDS_HOT;
  const bool embedded = IsEmbeddedView(ItemInfo.ViewType), toolbar = ItemInfo.ViewType & VT_TOOLBAR;
  TTxItemInfo item = ItemInfo;
  item.Enabled = enabled;
  if (enabled && hot) item.HoverKind = hkMouseHover;
  const auto plainFrame = [&](TRect r) {
    if (!toolbar) return;
    if (!embedded) FrameIn(Canvas, r, fw::clWindow);
    Line(Canvas, r.left - 1, R.top, r.left - 1, R.bottom,
         embedded ? ImageBackColor(item, cpFrame) : TColor(fw::clWindow));
  };
  if (ButtonInfo.ButtonType == EBT_DROPDOWN) {
    item.Pushed = state & EBDS_PRESSED;
    if (enabled && (item.Pushed || hot || embedded))
      PaintButton(Canvas, R, item);
    else
      plainFrame(R);
    item.ComboPart = cpNone;
    PaintDropDownArrow(Canvas, R, item);
    return;
  }
  if (ButtonInfo.ButtonType != EBT_SPIN) return;
  for (int k = 0; k < 2; ++k) {
    const TRect h = kit::SpinHalf(R, k);
    item.Pushed = kit::SpinHalfPressed(state, k);
    if (enabled && (item.Pushed || hot || embedded)) {
      if (k == 0) ThemeGradient(Canvas, Deflated(h, 1), ImageBackColor(item, cpFill), GradientLight, true);
      kit::Frame(Canvas, h, ImageBackColor(item, cpFrame));
    } else {
      plainFrame(h);
    }
    const TColor A = ItemColor(item, cpText);
    const Integer x = (h.left + h.right) / 2, y = (h.top + h.bottom) / 2;
    if (k == 0)
      kit::Triangle(Canvas, {x - 2, y + 1}, {x + 2, y + 1}, {x, y - 1}, A);
    else
      kit::Triangle(Canvas, {x - 2, y - 1}, {x + 2, y - 1}, {x, y + 1}, A);
  }
}

void TTxOfficeKTheme::PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect&, Integer) {
  Fill(Canvas, Deflated(ClientRect, -1), fw::clBtnFace);
}

void TTxOfficeKTheme::PaintCloseSquare(TCanvas* Canvas, TRect R, const TPartColors& Colors, TColor Cross) {
  FrameIn(Canvas, R, Colors.Frame);
  Fill(Canvas, R, Colors.Fill);
  kit::DrawCloseGlyph(Canvas, R, Cross);
}

void TTxOfficeKTheme::PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const TTxDockPanelInfo& Info) {
  const TClipTo clip(Canvas, R);
  const TColor C = Canvas->Brush()->Color();
  const TRect outer = R;
  const Integer L = GetColorLuminance(fw::clBtnFace);
  if (LowColorDisplay || L < 64 || L >= 251) {
    FrameIn(Canvas, R, C);
    const TColor other = L < 64 ? TColor(fw::clWhite) : TColor(fw::clBtnShadow);
    for (Integer x = R.left; x < R.right; ++x)
      for (Integer y : {R.top, R.bottom - 1}) Pixel(Canvas, x, y, (x + y) % 2 ? other : C);
    for (Integer y = R.top; y < R.bottom; ++y)
      for (Integer x : {R.left, R.right - 1}) Pixel(Canvas, x, y, (x + y) % 2 ? other : C);
    Pixel(Canvas, R.left, R.top, C);
    Pixel(Canvas, R.right - 1, R.top, C);
    R = Deflated(R, 1);
    FrameIn(Canvas, R, C);
  } else {
    FrameIn(Canvas, R, fw::clBtnFace);
    Pixel(Canvas, R.left, R.top, fw::clBtnFace);
    Pixel(Canvas, R.right - 1, R.top, fw::clBtnFace);
    FrameIn(Canvas, R, C);
  }
  // The border size counts from the outer edge, matching the non-client area reserved for it.
  R = TRect{outer.left + Info.BorderSize.x, outer.top + Info.BorderSize.y, outer.right - Info.BorderSize.x,
            outer.bottom - Info.BorderSize.y};
  if (Info.DragHandleStyle == 0 || kit::IsEmpty(R)) return;
  const Integer cap = win::GetSystemMetrics(win::SM_CYSMCAPTION);
  TRect strip, square;
  if (Info.IsVertical) {
    strip = TRect{R.left, R.top, R.right, std::min(R.bottom, R.top + cap)};
    ThemeGradient(Canvas, strip, GradientLight, GradientDark, true);
    square = TRect{R.right - cap + 1, R.top, R.right, R.top + cap - 1};
  } else {
    strip = TRect{R.left, R.top, std::min(R.right, R.left + cap), R.bottom};
    ThemeGradient(Canvas, strip, GradientLight, GradientDark, false);
    square = TRect{R.left, R.bottom - cap + 1, R.left + cap - 1, R.bottom};
  }
  TRect text = strip;
  if (Info.CloseButtonState & CDBS_VISIBLE) {
    const int s = (Info.CloseButtonState & CDBS_PRESSED) ? 3 : (Info.CloseButtonState & CDBS_HOT) ? 4 : 0;
    PaintCloseSquare(Canvas, square, ButtonColors[s], ButtonColors[s].Text);
    if (Info.IsVertical)
      text.right = square.left;
    else
      text.bottom = square.top;  // the rotated text starts above the button
  }
  if (SmallCaptionFont) Canvas->Font()->Assign(SmallCaptionFont);
  if (Info.IsVertical) {
    text.left += 4;
    kit::Text(Canvas, Info.Caption, text,
              win::DT_SINGLELINE | win::DT_VCENTER | win::DT_END_ELLIPSIS | win::DT_HIDEPREFIX, false,
              fw::clBtnText);
  } else {
    text.bottom -= 4;
    kit::Text(Canvas, Info.Caption, text,
              win::DT_SINGLELINE | win::DT_VCENTER | win::DT_END_ELLIPSIS | win::DT_HIDEPREFIX, true,
              fw::clBtnText);
  }
}

void TTxOfficeKTheme::PaintDropDownArrow(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  const TColor A = ItemColor(I, cpText);
  const Integer cx = (R.left + R.right) / 2, cy = (R.top + R.bottom) / 2;
  if (I.IsVertical)
    kit::Triangle(Canvas, {cx, cy + 1}, {cx, cy - 3}, {cx - 2, cy - 1}, A);
  else
    kit::Triangle(Canvas, {cx - 2, cy - 1}, {cx + 2, cy - 1}, {cx, cy + 1}, A);
}

void TTxOfficeKTheme::PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect,
                                          const TTxFloatingWindowInfo& W) {
  const TClipTo clip(Canvas, ARect);
  const TColor C = Canvas->Brush()->Color();
  const int active = W.Active ? 1 : 0;
  const TPoint B = W.FloatingBorderSize;
  if (W.RedrawPart & WRP_BORDER) {
    const bool panel = IsViewKind(W.ViewType, VT_DOCKPANEL);
    const TColor border = (panel ? FloatingPanelColors : FloatingToolbarColors)[active].Border;
    const TRect in = kit::FloatingClient(ARect, W);
    kit::FillAround(Canvas, ARect, in, border);
    // The ring just outside the client in C; corners keep the border colour (a panel's bottom
    // corners join the ring).
    Line(Canvas, in.left, in.top - 1, in.right, in.top - 1, C);
    Line(Canvas, in.left - 1, in.top, in.left - 1, in.bottom, C);
    Line(Canvas, in.right, in.top, in.right, in.bottom, C);
    Line(Canvas, panel ? in.left - 1 : in.left, in.bottom, panel ? in.right + 1 : in.right, in.bottom, C);
  }
  if (!W.ShowCaption) return;
  const TColor T =
      (IsViewKind(W.ViewType, VT_TOOLBAR) ? FloatingToolbarColors : FloatingPanelColors)[active].Text;
  const Integer cap = win::GetSystemMetrics(win::SM_CYSMCAPTION);
  const TRect caption{ARect.left + B.x, ARect.top + B.y, ARect.left + B.x + W.ClientWidth,
                      ARect.top + B.y + cap - 1};
  const bool close = W.CloseButtonState & CDBS_VISIBLE;
  if (W.RedrawPart & WRP_CAPTION) {
    Line(Canvas, caption.left, caption.bottom, caption.right, caption.bottom, C);
    TRect r = caption;
    if (close && (W.RedrawPart & WRP_CLOSEBTN)) r.right -= cap - 1;
    ThemeGradient(Canvas, r, GradientLight, GradientDark, true);
    r.left += 2;
    r.right -= 2;
    if (SmallCaptionFont) Canvas->Font()->Assign(SmallCaptionFont);
    kit::Text(Canvas, W.Caption, r,
              win::DT_SINGLELINE | win::DT_VCENTER | win::DT_END_ELLIPSIS | win::DT_HIDEPREFIX, false, T);
  }
  if (!close) return;
  TRect sq = caption;
  sq.left = sq.right - (sq.bottom - sq.top);
  Line(Canvas, sq.left - 1, sq.bottom, sq.right, sq.bottom, C);
  ThemeGradient(Canvas, sq, GradientLight, GradientDark, true);
  const int s = !W.Active                             ? 1
                : (W.CloseButtonState & CDBS_PRESSED) ? 3
                : (W.CloseButtonState & CDBS_HOT)     ? 4
                                                      : 0;
  const TPartColors& colors = ButtonColors[s];
  PaintCloseSquare(Canvas, sq, colors, colors.Fill != fw::clNone ? colors.Text : T);
}

void TTxOfficeKTheme::PaintFrame(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  if (I.Enabled && I.HoverKind != hkNone) ThemeGradient(Canvas, R, ItemColor(I, cpFill), GradientLight, true);
  kit::Frame(Canvas, R, ItemColor(I, cpFrame));
}

void TTxOfficeKTheme::PaintImage(TCanvas* Canvas, TRect R, const TTxItemInfo& I, TCustomImageList* ImageList,
                                 Integer ImageIndex) {
  kit::PaintLiftedImage(Canvas, R, I, ImageList, ImageIndex, GetItemImageBackground(I));
}

void TTxOfficeKTheme::PaintMDIButton(TCanvas* Canvas, TRect R, const TTxItemInfo& I, Cardinal ButtonKind) {
  const TClipTo clip(Canvas, I.ComboPart == cpSplitRight ? TRect{R.left - 1, R.top, R.right, R.bottom} : R);
  PaintButton(Canvas, R, I);
  DrawMDIGlyph(Canvas->Handle(), R, TThemeUnit<TTxOfficeKTheme>::GlyphImages, ButtonKind,
               ItemColor(I, cpText));
}

void TTxOfficeKTheme::PaintMenuItem(TCanvas* Canvas, const TRect& R, TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  PaintMenuItemFrame(Canvas, R, I);
  const Integer W = win::GetSystemMetrics(win::SM_CXMENUCHECK);
  const TColor T = ItemColor(I, cpText);
  if (I.ItemOptions & IO_SPLIT) {
    const TColor c = !I.Enabled                    ? T
                     : I.HoverKind == hkMouseHover ? ItemColor(I, cpFrame)
                                                   : MenuSeparatorColor;
    Line(Canvas, R.right - W - 1, R.top + 1, R.right - W - 1, R.bottom - 1, c);
  }
  if (I.ItemOptions & IO_HAS_SUBMENU) {
    const Integer x = R.right - (2 * W) / 3 - 1, y = R.bottom / 2;
    kit::Triangle(Canvas, {x, y - 3}, {x, y + 3}, {x + 3, y}, T);
  }
  if (I.Selected && I.Enabled) {
    TRect cell = Deflated(R, 1);
    cell.left += 1;
    cell.right = R.left + I.PopupMargin - 2;
    if (kit::IsEmpty(cell)) return;
    FrameIn(Canvas, cell, ImageBackColor(I, cpFrame));
    ThemeGradient(Canvas, cell, ImageBackColor(I, cpFill), GradientLight, true);
  }
}

void TTxOfficeKTheme::PaintMenuItemFrame(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  PaintFrame(Canvas, IsToolboxPopup(I.ViewType) ? R : TRect{R.left + 1, R.top, R.right - 1, R.bottom}, I);
}

void TTxOfficeKTheme::PaintScrollButton(TCanvas* Canvas, const TRect& R, Integer ButtonType, bool Hot) {
  const TClipTo clip(Canvas, R);
  TRect r = R;
  FrameIn(Canvas, r, Hot ? ButtonColors[4].Frame : TColor(fw::clBtnShadow));
  Fill(Canvas, r, Hot ? ButtonColors[4].Fill : TColor(fw::clBtnFace));
  const TColor color = Hot ? ButtonColors[4].Text : ButtonColors[0].Text;
  const Integer cx = (R.left + R.right) / 2, cy = (R.top + R.bottom) / 2;
  const Integer s = std::min((R.right - R.left) / 2, (R.bottom - R.top) / 2) * 3 / 4;
  switch (ButtonType) {
    case PSBT_UP:
      kit::Triangle(Canvas, {cx - s, cy + s / 2}, {cx + s, cy + s / 2}, {cx, cy - s / 2}, color);
      break;
    case PSBT_DOWN:
      kit::Triangle(Canvas, {cx - s, cy - s / 2}, {cx + s, cy - s / 2}, {cx, cy + s / 2}, color);
      break;
    case PSBT_LEFT:
      kit::Triangle(Canvas, {cx + s / 2, cy - s}, {cx + s / 2, cy + s}, {cx - s / 2, cy}, color);
      break;
    case PSBT_RIGHT:
      kit::Triangle(Canvas, {cx - s / 2, cy - s}, {cx - s / 2, cy + s}, {cx + s / 2, cy}, color);
      break;
    default:
      break;
  }
}

void TTxOfficeKTheme::PaintPopupNCArea(TCanvas* Canvas, TRect R, const TTxPopupInfo& PopupInfo) {
  const TClipTo clip(Canvas, R);
  kit::Frame(Canvas, R, PopupFrameColor);
  const TRect d = Deflated(R, 1);
  Fill(Canvas, d, PopupColor);
  const TRect& P = PopupInfo.ParentRect;
  if (kit::IsEmpty(P)) return;
  // The stretch shared with the parent item, without its end pixels.
  const Integer x0 = std::max(P.left, d.left), x1 = std::min(P.right, d.right);
  const Integer y0 = std::max(P.top, d.top), y1 = std::min(P.bottom, d.bottom);
  if (P.bottom == R.top) {
    if (x1 > x0) Line(Canvas, x0, R.top, x1, R.top, BarColor);
  } else if (P.top == R.bottom) {
    if (x1 > x0) Line(Canvas, x0, R.bottom - 1, x1, R.bottom - 1, BarColor);
  } else if (P.right == R.left) {
    if (y1 > y0) Line(Canvas, R.left, y0, R.left, y1, BarColor);
  } else if (P.left == R.right) {
    if (y1 > y0) Line(Canvas, R.right - 1, y0, R.right - 1, y1, BarColor);
  }
}

void TTxOfficeKTheme::PaintSeparator(TCanvas* Canvas, TRect R, TTxItemInfo I, bool Horizontal, bool) {
  const TClipTo clip(Canvas, R);
  if (Horizontal) {
    const bool menuLine =
        (I.ViewType & VT_POPUP) && !(I.ItemOptions & IO_TOOLBAR_STYLE) && !IsToolboxPopup(I.ViewType);
    const Integer x = menuLine ? R.left + I.PopupMargin + 9 : R.left;
    const Integer y = R.bottom / 2;
    if (!(I.ViewType & VT_TOOLBAR)) {
      Line(Canvas, x, y, R.right - 2, y, menuLine ? MenuSeparatorColor : ToolbarSeparatorColor);
    } else {
      Line(Canvas, x + 4, y, R.right - 2, y, fw::clWhite);
      Line(Canvas, x + 3, y - 1, R.right - 3, y - 1, GradientDark);
    }
  } else if (I.Enabled) {
    const Integer x = R.right / 2;
    Line(Canvas, x, R.top + 4, x, R.bottom - 2, fw::clWhite);
    Line(Canvas, x - 1, R.top + 3, x - 1, R.bottom - 3, GradientDark);
  }
}

void TTxOfficeKTheme::PaintToolbarNCArea(TCanvas* Canvas, TRect R, const TTxToolbarInfo& Info) {
  const TClipTo clip(Canvas, R);
  if (!IsViewKind(Info.ViewType, VT_TOOLBAR_NORMAL)) {
    Fill(Canvas, R, MenuBarColor);
  } else if (R.right <= R.bottom) {
    ThemeGradient(Canvas, R, GradientDark, GradientLight, false);
    ThemeGradient(Canvas, TRect{R.left, R.bottom - 1, R.right, R.bottom}, GradientDarker, GradientDark,
                  false);
    for (Integer y = R.top + 1; y <= R.bottom - 2; ++y) Pixel(Canvas, R.right - 1, y, GradientDarker);
    for (const fw::TPoint p : {fw::TPoint{R.left, R.top}, fw::TPoint{R.left, R.bottom - 2},
                               fw::TPoint{R.left, R.bottom - 1}, fw::TPoint{R.right - 1, R.bottom - 1}})
      Pixel(Canvas, p.x, p.y, GradientDark);
  } else {
    ThemeGradient(Canvas, R, GradientDark, GradientLight, true);
    ThemeGradient(Canvas, TRect{R.right - 1, R.top, R.right, R.bottom}, GradientDarker, fw::clBtnFace, true);
    for (Integer x = R.left + 1; x <= R.right - 2; ++x) Pixel(Canvas, x, R.bottom - 1, GradientDarker);
    Pixel(Canvas, R.left, R.top, fw::clBtnFace);
    Pixel(Canvas, R.right - 2, R.top, fw::clBtnFace);
    Pixel(Canvas, R.right - 1, R.bottom - 1, GradientDark);
  }
  R = Deflated(R, 2);
  if (!Info.AllowDrag) return;
  const Integer S = GetDragHandleSize(Info);
  TRect band = R;
  if (Info.IsVertical)
    band.bottom = R.top + S;
  else
    band.right = R.left + S;
  const bool close = Info.CloseButtonState & CDBS_VISIBLE;
  if (Info.DragHandleStyle != 1) {
    const auto dark = [](Integer w) { return MixColorsNearest(GripBase, GripDark, w); };
    const auto light = [](Integer w) { return MixColorsNearest(GripBase, GripLight, w); };
    const TColor shade[7] = {dark(64), dark(32), dark(48), dark(16), light(72), light(128), light(96)};
    const bool twice = Info.DragHandleStyle == 0;
    if (!Info.IsVertical) {
      const Integer x = close ? band.left + 5 : band.left + 1;
      for (Integer y = close ? band.top + S + 2 : band.top + 4; y < band.bottom - 5; y += 4) {
        GripDot(Canvas, x, y, shade);
        if (twice) GripDot(Canvas, x + 4, y, shade);
      }
    } else {
      const Integer y = close ? band.top + 5 : band.top + 1;
      const Integer end = close ? band.right - S - 3 : band.right - 5;
      for (Integer x = band.left + 4; x < end; x += 4) {
        GripDot(Canvas, x, y, shade);
        if (twice) GripDot(Canvas, x, y + 4, shade);
      }
    }
  }
  if (!close) return;
  const TRect square = Info.IsVertical ? TRect{band.right - S + 1, band.top, band.right, band.bottom - 1}
                                       : TRect{band.left, band.top, band.right - 1, band.top + S - 1};
  const int s = (Info.CloseButtonState & CDBS_PRESSED) ? 3 : (Info.CloseButtonState & CDBS_HOT) ? 4 : 0;
  PaintCloseSquare(Canvas, square, ButtonColors[s], ButtonColors[s].Text);
}

void TTxOfficeKTheme::PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void*) {
  if (Kind != PFC_CHECKBOX && Kind != PFC_RADIOBUTTON) return;
  if (kit::IsEmpty(R)) return;
  const TClipTo clip(Canvas, R);
  const bool disabled = State & PFS_DISABLED, pushed = State & PFS_PUSHED, hot = State & PFS_HOT;
  const bool mixed = State & PFS_MIXED, checked = State & (PFS_CHECKED | PFS_MIXED);
  const TColor pen = disabled ? TColor(fw::clBtnShadow)
                     : pushed ? ButtonColors[3].Frame
                     : hot    ? ButtonColors[4].Frame
                              : TColor(fw::clBtnShadow);
  const TColor fill = disabled ? fw::clNone
                      : pushed ? ButtonColors[3].Fill
                      : hot    ? ButtonColors[4].Fill
                               : fw::clNone;
  const TColor mark = disabled ? ButtonColors[1].Text
                      : pushed ? ButtonColors[3].Text
                      : mixed  ? TColor(fw::clBtnShadow)
                      : hot    ? ButtonColors[4].Text
                               : ButtonColors[0].Text;
  const TRect in = Deflated(R, 1);
  Canvas->Pen()->SetStyle(fw::psSolid);
  Canvas->Pen()->SetColor(pen);
  if (fill != fw::clNone) {
    Canvas->Brush()->SetStyle(fw::bsSolid);
    Canvas->Brush()->SetColor(fill);
  } else {
    Canvas->Brush()->SetStyle(fw::bsClear);
  }
  if (Kind == PFC_CHECKBOX) {
    Canvas->Rectangle(in);
    if (mixed && !disabled && !pushed && !hot)
      for (Integer y = in.top + 1; y < in.bottom - 1; ++y)
        for (Integer x = in.left + 1; x < in.right - 1; ++x)
          Pixel(Canvas, x, y, (x + y) % 2 ? TColor(fw::clBtnFace) : TColor(fw::clWindow));
    if (checked) {
      const Integer x = (in.left + in.right) / 2 - 1, y = (in.top + in.bottom) / 2 + 1;
      const fw::TPoint p[7] = {{x - 2, y}, {x, y + 2},     {x + 4, y - 2}, {x + 4, y - 4},
                               {x, y},     {x - 2, y - 2}, {x - 2, y}};
      PolygonColor(Canvas->Handle(), p, 6, mark, mark);
    }
  } else {
    Canvas->Ellipse(in);
    if (State & PFS_CHECKED) {
      Canvas->Pen()->SetColor(mark);
      Canvas->Brush()->SetStyle(fw::bsSolid);
      Canvas->Brush()->SetColor(mark);
      Canvas->Ellipse(Deflated(in, 3));
    }
  }
  Canvas->Brush()->SetStyle(fw::bsSolid);
}

void TTxOfficeKTheme::PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) {
  const TClipTo clip(Canvas, Part == SBP_GRIPPERPANE ? TRect{R.left, R.top, R.right + 2, R.bottom} : R);
  switch (Part) {
    case SBP_BODY: {
      Fill(Canvas, R, fw::clBtnFace);
      const auto row = [&](Integer y, Integer w) {
        Line(Canvas, R.left, y, R.right, y, MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, w));
      };
      const Integer top[5] = {200, 128, 64, 32, 12};
      for (int k = 0; k < 5; ++k) row(R.top + k, top[k]);
      const Integer bottom[3] = {8, 16, 24};
      for (int k = 0; k < 3; ++k) row(R.bottom - 3 + k, bottom[k]);
      break;
    }
    case SBP_PANE:
    case SBP_GRIPPERPANE: {
      const Integer x = Part == SBP_PANE ? R.right - 3 : R.right;
      Line(Canvas, x, R.top + 4, x, R.bottom - 3, fw::clBtnShadow);
      Line(Canvas, x + 1, R.top + 5, x + 1, R.bottom - 2, fw::clBtnHighlight);
      break;
    }
    case SBP_SIZEGRIP: {
      const auto dark = [](Integer w) { return MixColorsNearest(fw::clBtnFace, fw::clBtnShadow, w); };
      const auto light = [](Integer w) { return MixColorsNearest(fw::clBtnFace, fw::clBtnHighlight, w); };
      const TColor shade[7] = {dark(16), dark(32), dark(48), dark(64), light(72), light(128), light(96)};
      for (Integer row = 1; row <= 3; ++row)
        for (Integer col = 1; col <= 4 - row; ++col)
          GripDot(Canvas, R.right - 4 * col, R.bottom - 4 * row, shade);
      break;
    }
    default:
      break;
  }
}

}  // namespace themes
