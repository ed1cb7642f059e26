// The Nexos5 theme's painting: striped backgrounds, glassy gradients, cut-corner frames, banded
// caption bars, dotted separators, grip dashes and grip-line size grips.

#include <algorithm>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemePainting.h"
#include "themes/TxNexos5Theme.h"
#include "themes/vrnThemes.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace themes {

using namespace tx;

int TTxNexos5Theme::CloseState(Integer CloseButtonState, bool Active) {
  if (!Active) return 1;
  if (CloseButtonState & tx::CDBS_PRESSED) return 3;
  if (CloseButtonState & tx::CDBS_HOT) return 4;
  return 0;
}

void TTxNexos5Theme::PaintBackground(TCanvas* Canvas, const TRect&, const TRect& ARect, const TRect& AClipRect,
                                     TColor AColor, bool Transparent, Integer AViewType) {
  TRect P;
  if (!win::IntersectRect(&P, &ARect, &AClipRect) || !win::RectVisible(Canvas->Handle(), &P)) return;
  if (Transparent) return;
  if (IsViewKind(AViewType, VT_DOCKPANEL_NORMAL) || IsEmbeddedView(AViewType))
    Fill(Canvas, P, AColor);
  else
    kit::PaintStripedBackground(Canvas, ARect, P, AColor, 5);
}

void TTxNexos5Theme::PaintButton(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, ItemArea(ARect, I));
  const bool hot = IsItemHot(I);
  const bool hovered = I.HoverKind != hkNone;
  const kit::TButtonOutline outline(ARect, I, 1);
  const TRect& R = outline.R;
  const Integer L = outline.Left, Rt = outline.Right;
  const TRect in = Deflated(R, 1);
  if (IsEmbeddedView(I.ViewType) && !hot) {
    if (I.Enabled) Fill(Canvas, in, ToolbarColor);
    Pen(Canvas, BlendColors(fw::clHighlight, fw::clWindow, I.Enabled ? 20 : 15));
    FrameRoundRect(Canvas, R, L, Rt);
  } else if (IsViewKind(I.ViewType, VT_TOOLBAR_MENUBAR)) {
    PaintMenuBarButton(Canvas, R, I, hot);
    return;
  } else if (I.Enabled && (I.Pushed || I.Selected)) {
    if (I.Pushed || hovered) {
      PaintGradientBands(Canvas, in, ShadeColor, 0xFFFFFF, true);
      Pen(Canvas, ButtonColors[2].Frame);
    } else {
      PaintCheckedIdleFace(Canvas, in);
    }
    if (I.Selected && I.Pushed) {
      PaintGradientBands(Canvas, in, ShadeColor, 0xFFFFFF, true);
      Pen(Canvas, ButtonColors[2].Frame);
    } else if (I.Selected && hovered) {
      PaintGradientBitmap(Canvas, in, CheckedHotColor(), 0xFFFFFF);
      Pen(Canvas, BaseColor);
    }
    FrameRoundRect(Canvas, R, L, Rt);
  } else if (hot || (I.ItemOptions & IO_DESIGNING)) {
    PaintGradientBitmap(Canvas, in, GetButtonPartColor(I, cpFill), 0xFFFFFF);
    Pen(Canvas, GetButtonPartColor(I, cpFrame));
    FrameRoundRect(Canvas, R, L, Rt);
  }
  if (I.ComboPart == cpSplitRight) PaintDropDownArrow(Canvas, R, I);
}

void TTxNexos5Theme::PaintCaption(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I, const String& ACaption,
                                  Cardinal AFormat, bool Rotated) {
  const TClipTo clip(Canvas, ARect);
  TColor color = Canvas->Font()->Color();
  if (IsViewKind(I.ViewType, VT_TOOLBAR_MENUBAR) && I.HoverKind != hkNone) color = MenuItemColors[2].Text;
  if (I.ComboPart == cpSplitLeft && I.IsPopupParent && color == fw::clNone) color = 0x000000;
  // A caller that leaves the colour open gets the item's text colour.
  if (color == fw::clNone) color = GetItemTextColor(I);
  kit::Text(Canvas, ACaption, ARect, AFormat, Rotated, color);
}

void TTxNexos5Theme::PaintCheckMark(TCanvas* Canvas, TRect R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  kit::DrawCheckTick(Canvas, R, I.Enabled ? TColor(0x000000) : MenuItemColors[1].Text);
}

void TTxNexos5Theme::PaintChevron(TCanvas* Canvas, TRect R, const TTxItemInfo& I) {
  PaintButtonChevron(Canvas, R, I);
}

void TTxNexos5Theme::PaintEditFrame(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& I,
                                    const TTxEditFrameInfo& EditFrameInfo) {
  const bool hovered = I.HoverKind != hkNone;
  const TColor outline = hovered ? TColor(0xFFFFFF) : I.Enabled ? EditFrameColor : ButtonColors[1].Frame;
  PaintFieldFrame(Canvas, ARect, I, EditFrameInfo, outline, I.Enabled ? TColor(0xFFFFFF) : fw::clNone);
}

void TTxNexos5Theme::PaintEditButtonFrame(TCanvas* Canvas, const TRect& R, bool Pressed, Integer State,
                                          bool Embedded) {
  if (Pressed || (State & EBDS_HOT)) return;
  if (Embedded) Fill(Canvas, R, ToolbarColor);
  kit::Frame(Canvas, R, EditFrameColor);
}

void TTxNexos5Theme::PaintPressedSpinHalf(TCanvas* Canvas, const TRect& Half) {
  PaintGradientBitmap(Canvas, Half, 0xFFFFFF, ShadeColor);
}

void TTxNexos5Theme::PaintEditButton(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo,
                                     const TTxEditButtonInfo& ButtonInfo) {
  const TClipTo clip(Canvas, ARect);
  const TRect B{ARect.left + 1, ARect.top, ARect.right, ARect.bottom};
  const bool embedded = IsEmbeddedView(ItemInfo.ViewType);
  const Integer state = ButtonInfo.ButtonState;
  const bool enabled = !(state & EBDS_DISABLED);
  if (ButtonInfo.ButtonType == EBT_DROPDOWN) {
    if (!enabled)
      kit::Frame(Canvas, B, ButtonColors[1].Frame);
    else if (state & EBDS_PRESSED)
      PaintGradientBitmap(Canvas, B, 0xFFFFFF, ShadeColor);
    else
      PaintEditButtonFrame(Canvas, B, false, state, embedded);
    PaintDropDownArrow(Canvas, B, ItemInfo);
    return;
  }
  if (ButtonInfo.ButtonType != EBT_SPIN) return;
  // Each half paints with its own pressed bit; the caller's item is left as it came.
  TTxItemInfo half = ItemInfo;
  for (int k = 0; k < 2; ++k) {
    const TRect h = kit::SpinHalf(B, k);
    const bool pressed = kit::SpinHalfPressed(state, k);
    half.Pushed = pressed;
    if (enabled) {
      if (pressed)
        PaintPressedSpinHalf(Canvas, h);
      else if (state & EBDS_HOT)
        PaintGradientBitmap(Canvas, h, ButtonColors[4].Fill, 0xFFFFFF);
      PaintEditButtonFrame(Canvas, h, pressed, state, embedded);
    }
    kit::DrawSpinArrow(Canvas, h, k == 0, GetPartColor(half, cpText), 0);
  }
}

void TTxNexos5Theme::PaintDock(TCanvas* Canvas, const TRect&, const TRect& DockRect, Integer) {
  Canvas->Brush()->SetColor(0xF0F0F0);
  Canvas->Brush()->SetStyle(fw::bsSolid);
  Canvas->Pen()->SetColor(0xF0F0F0);
  Canvas->Pen()->SetWidth(0);
  Canvas->Rectangle(Deflated(DockRect, -1));
}

void TTxNexos5Theme::PaintCaptionCloseButton(TCanvas* Canvas, const TRect& Q, int S) {
  const TRect in = Deflated(Q, 1);
  if (S == 4) {
    PaintGradientBitmap(Canvas, in, ButtonColors[4].Fill, 0xFFFFFF);
    Pen(Canvas, ButtonColors[4].Frame);
    FrameRoundRect(Canvas, Q, 1, 1);
    kit::DrawCloseGlyph(Canvas, Q, 0xFFFFFF);
  } else if (S == 3) {
    PaintGradientBands(Canvas, in, kBarBottom, kBarTop, true);
    Pen(Canvas, 0xC0C0C0);
    FrameRoundRect(Canvas, Q, 1, 1);
    kit::DrawCloseGlyph(Canvas, Q, 0xFFFFFF);
  } else {
    kit::Frame(Canvas, Q, ButtonColors[S].Frame);
    kit::DrawCloseGlyph(Canvas, Q, 0x000000);
  }
}

void TTxNexos5Theme::PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const TTxDockPanelInfo& Info) {
  const TClipTo clip(Canvas, R);
  const TColor Bc = Canvas->Brush()->Color();
  const Integer lum = GetColorLuminance(fw::clBtnFace);
  if (LowColorDisplay || lum < 64 || lum > 250) {
    kit::Frame(Canvas, R, Bc);
    R = Deflated(R, 1);
    TRect r = R;
    const win::HBRUSH pattern = CreateDitheredBrush(Bc, lum < 64 ? TColor(0xFFFFFF) : fw::clBtnShadow);
    win::FrameRect(Canvas->Handle(), &r, pattern);
    win::DeleteObject(pattern);
    Pixel(Canvas, R.left, R.top, Bc);
    if (Info.IsVertical)
      Pixel(Canvas, R.right - 1, R.top, Bc);
    else
      Pixel(Canvas, R.left, R.bottom - 1, Bc);
    R = Deflated(R, 1);
    kit::Frame(Canvas, R, Bc);
  } else {
    kit::Frame(Canvas, R, fw::clBtnFace);
    kit::Frame(Canvas, Deflated(R, 1), Bc);
    R = Deflated(R, 2);
    Pixel(Canvas, R.left, R.top, fw::clBtnFace);
    if (Info.IsVertical)
      Pixel(Canvas, R.right - 1, R.top, fw::clBtnFace);
    else
      Pixel(Canvas, R.left, R.bottom - 1, fw::clBtnFace);
  }
  if (!Info.DragHandleStyle) return;
  // The border size counts from the window's edge; the two frames above already lie inside it.
  const TRect in{R.left - 2 + Info.BorderSize.x, R.top - 2 + Info.BorderSize.y, R.right + 2 - Info.BorderSize.x,
                 R.bottom + 2 - Info.BorderSize.y};
  PaintDockPanelCaption(Canvas, in, Info, Bc);
}

void TTxNexos5Theme::PaintDockPanelCaption(TCanvas* Canvas, const TRect& in, const TTxDockPanelInfo& Info,
                                           TColor Bc) {
  const Integer h = win::GetSystemMetrics(win::SM_CYSMCAPTION);
  if (kit::IsEmpty(in) || h <= 1) return;
  TRect bar, close;
  if (Info.IsVertical) {
    bar = TRect{in.left, in.top, in.right, in.top + h};
    Line(Canvas, bar.left, bar.bottom - 1, bar.right, bar.bottom - 1, Bc);
    PaintGradientBands(Canvas, bar, kBarTop, kBarBottom, true);
    Line(Canvas, bar.left, bar.bottom - 1, bar.right, bar.bottom - 1, ToolbarEdgeColor);
    close = TRect{bar.right - h + 1, bar.top, bar.right, bar.bottom - 1};
  } else {
    bar = TRect{in.left, in.top, in.left + h, in.bottom};
    Line(Canvas, bar.right - 1, bar.top, bar.right - 1, bar.bottom, Bc);
    PaintGradientBands(Canvas, bar, kBarTop, kBarBottom, false);
    Line(Canvas, bar.right - 1, bar.top, bar.right - 1, bar.bottom, ToolbarEdgeColor);
    close = TRect{bar.left, bar.bottom - h + 1, bar.right - 1, bar.bottom};
  }
  TRect text = bar;
  if (Info.CloseButtonState & CDBS_VISIBLE) {
    PaintCaptionCloseButton(Canvas, close, CloseState(Info.CloseButtonState, true));
    if (Info.IsVertical)
      text.right = close.left;
    else
      text.bottom = close.top;
  }
  if (Info.IsVertical) {
    text.left += 4;
    text.right -= 4;
  } else {
    text.top += 4;
    text.bottom -= 4;
  }
  if (SmallCaptionFont) Canvas->Font()->Assign(SmallCaptionFont);
  kit::Text(Canvas, Info.Caption, text,
            win::DT_SINGLELINE | win::DT_VCENTER | win::DT_END_ELLIPSIS | win::DT_HIDEPREFIX, !Info.IsVertical,
            0x000000);
}

void TTxNexos5Theme::PaintDropDownArrow(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  const TColor c = GetPartColor(I, cpText);
  const Integer x = (R.left + R.right) / 2, y = (R.top + R.bottom) / 2;
  if (I.ComboPart == cpSplitLeft || I.ComboPart == cpSplitRight) {
    if (I.IsVertical)
      kit::Triangle(Canvas, {x, y + 1}, {x, y - 3}, {x - 2, y - 1}, c);
    else
      kit::Triangle(Canvas, {x - 2, y - 1}, {x + 2, y - 1}, {x, y + 1}, c);
  } else if (!I.IsVertical) {
    kit::Triangle(Canvas, {x - 2, y + 1}, {x + 2, y + 1}, {x, y + 3}, c);
    kit::Triangle(Canvas, {x - 2, y - 2}, {x + 2, y - 2}, {x, y - 4}, c);
  } else {
    kit::Triangle(Canvas, {x - 1, y + 2}, {x - 1, y - 2}, {x - 3, y}, c);
    kit::Triangle(Canvas, {x + 2, y + 2}, {x + 2, y - 2}, {x + 4, y}, c);
  }
}

void TTxNexos5Theme::PaintFloatingBorder(TCanvas* Canvas, const TRect& R, const TTxFloatingWindowInfo& Info) {
  const TClipTo clip(Canvas, R);
  const int a = Info.Active ? 0 : 1;
  const int k = (Info.ViewType & VT_DOCKPANEL) ? 1 : 0;
  const TColor Bc = Canvas->Brush()->Color();
  const TRect I = kit::FloatingClient(R, Info);
  if (Info.RedrawPart & WRP_BORDER) {
    kit::FillAround(Canvas, R, I, WinFrameColors[k][a].Border);
    Pen(Canvas, Bc);
    if (k == 0) {
      const fw::TPoint p[9] = {{I.left, I.top - 1}, {I.right - 1, I.top - 1}, {I.right, I.top},
                               {I.right, I.bottom - 1}, {I.right - 1, I.bottom}, {I.left, I.bottom},
                               {I.left - 1, I.bottom - 1}, {I.left - 1, I.top}, {I.left, I.top - 1}};
      Canvas->Polyline(p, 9);
    } else {
      const fw::TPoint p[7] = {{I.left, I.top - 1}, {I.right - 1, I.top - 1}, {I.right, I.top}, {I.right, I.bottom},
                               {I.left - 1, I.bottom}, {I.left - 1, I.top}, {I.left, I.top - 1}};
      Canvas->Polyline(p, 7);
    }
  }
  if (!Info.ShowCaption) return;
  const TColor text = FloatingCaptionText(k, a);
  const Integer t = win::GetSystemMetrics(win::SM_CYSMCAPTION) - 1;
  TRect C{I.left, I.top, I.left + Info.ClientWidth, I.top + t};
  const bool hasClose = Info.CloseButtonState & CDBS_VISIBLE;
  const Integer raise = FloatingCloseRaise();
  const TRect Q{C.right - t, C.top - raise, C.right, C.bottom - raise};
  if (Info.RedrawPart & WRP_CAPTION) {
    Line(Canvas, C.left, C.bottom, C.right, C.bottom, Bc);
    if (hasClose && (Info.RedrawPart & WRP_CLOSEBTN)) C.right -= t;
    PaintGradientBands(Canvas, C, kBarTop, kBarBottom, true);
    Line(Canvas, C.left, C.bottom - 1, C.right, C.bottom - 1, ToolbarEdgeColor);
    TRect r{C.left + 2, C.top, C.right - 2, C.bottom - 1};
    if (hasClose) r.right = std::min(r.right, Q.left);
    if (SmallCaptionFont) Canvas->Font()->Assign(SmallCaptionFont);
    kit::Text(Canvas, Info.Caption, r, win::DT_SINGLELINE | win::DT_VCENTER | win::DT_END_ELLIPSIS | win::DT_NOPREFIX,
              false, text);
  }
  if (hasClose && (Info.RedrawPart & WRP_CLOSEBTN)) {
    PaintGradientBands(Canvas, Q, kBarTop, kBarBottom, true);
    Line(Canvas, Q.left - 1, Q.bottom - 1 + raise, Q.right, Q.bottom - 1 + raise, ToolbarEdgeColor);
    PaintFloatingClose(Canvas, Q, CloseState(Info.CloseButtonState, Info.Active));
  }
}

void TTxNexos5Theme::PaintMenuBarButton(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I, bool Hot) {
  if (((I.Pushed || I.Selected) && I.Enabled) || Hot)
    PaintBackground(Canvas, TRect{}, R, R, MenuItemColors[2].Fill, false, 0);
}

void TTxNexos5Theme::PaintCheckedIdleFace(TCanvas* Canvas, const TRect& Face) {
  Fill(Canvas, Face, 0xFFFFFF);
  Pen(Canvas, 0xA0A0A0);
}

TColor TTxNexos5Theme::LitMenuImageFrame() const { return 0x808080; }

TColor TTxNexos5Theme::FloatingCaptionText(int Kind, int Inactive) const {
  return Kind == 1 ? TColor(0x000000) : WinFrameColors[0][Inactive].Text;
}

void TTxNexos5Theme::PaintFloatingClose(TCanvas* Canvas, const TRect& Q, int State) {
  PaintCaptionCloseButton(Canvas, Q, State);
}

void TTxNexos5Theme::PaintFrame(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  if (I.Enabled || I.HoverKind == hkKeyboardHover) {
    if (!(I.Pushed || I.Selected || I.HoverKind != hkNone || (I.ItemOptions & IO_DESIGNING))) return;
    PaintGradientBitmap(Canvas, Deflated(R, 1), GetPartColor(I, cpFill), 0xFFFFFF);
    Pen(Canvas, I.Pushed ? ButtonColors[2].Frame : GetPartColor(I, cpFrame));
    FrameRoundRect(Canvas, R, 1, 1);
  } else {
    kit::Frame(Canvas, Deflated(R, 1), ToolbarColor);
  }
}

void TTxNexos5Theme::PaintImage(TCanvas* Canvas, TRect R, const TTxItemInfo& I, TCustomImageList* ImageList,
                                Integer ImageIndex) {
  kit::PaintLiftedImage(Canvas, R, I, ImageList, ImageIndex, GetItemImageBackground(I));
}

void TTxNexos5Theme::PaintMDIButton(TCanvas* Canvas, TRect R, const TTxItemInfo& ItemInfo, Cardinal ButtonKind) {
  const TClipTo clip(Canvas, ItemArea(R, ItemInfo));
  PaintButton(Canvas, R, ItemInfo);
  DrawMDIGlyph(Canvas->Handle(), R, Glyphs(), ButtonKind,
               GetPartColor(ItemInfo, cpText));
}

void TTxNexos5Theme::PaintMenuItem(TCanvas* Canvas, const TRect& R, TTxItemInfo& I) {
  const TClipTo clip(Canvas, R);
  PaintMenuItemFrame(Canvas, R, I);
  kit::PaintMenuLineMarks(Canvas, R, I, GetPartColor(I, cpText), SplitLineColor);
  if (!(I.Selected && I.Enabled)) return;
  // The image column's button.
  const TRect B = Deflated(TRect{R.left + 1, R.top, R.left + 1 + I.PopupMargin, R.bottom}, 1);
  Integer L = 2, Rt = 2;
  if (I.ComboPart == cpSplitLeft) Rt = 1;
  if (!(I.ItemOptions & IO_TOOLBAR_STYLE)) L = Rt = 1;
  const bool hot = IsItemHot(I);
  if (IsEmbeddedView(I.ViewType) && !hot) {
    Fill(Canvas, Deflated(B, 1), ToolbarColor);
    Pen(Canvas, BlendColors(fw::clHighlight, fw::clWindow, 20));
    FrameRoundRect(Canvas, B, L, Rt);
  } else if (I.Pushed || I.Selected) {
    if (I.Pushed || I.HoverKind != hkNone) {
      Fill(Canvas, Deflated(B, 1), 0xFFFFFF);
      Pen(Canvas, LitMenuImageFrame());
    } else {
      PaintCheckedIdleFace(Canvas, Deflated(B, 1));
    }
    FrameRoundRect(Canvas, B, 2, 2);
  } else if (hot || (I.ItemOptions & IO_DESIGNING)) {
    Pen(Canvas, BlendColors(0x0000FF, fw::clWindow, 40));
    FrameRoundRect(Canvas, B, L, Rt);
  }
  if (I.ComboPart == cpSplitRight) PaintDropDownArrow(Canvas, B, I);
}

void TTxNexos5Theme::PaintMenuItemFrame(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  if ((I.Enabled && I.HoverKind != hkNone) || (!I.Enabled && I.HoverKind == hkKeyboardHover))
    PaintBackground(Canvas, TRect{}, R, R, MenuItemColors[2].Fill, false, 0);
}

void TTxNexos5Theme::PaintScrollButton(TCanvas* Canvas, const TRect& R, Integer ButtonType, bool Hot) {
  const TClipTo clip(Canvas, R);
  const TRect Q = Deflated(R, 1);
  if (Hot) {
    PaintGradientBitmap(Canvas, Q, LightBaseColor(), 0xFFFFFF);
    Pen(Canvas, BaseColor);
  } else {
    Fill(Canvas, Q, ToolbarColor);
    Pen(Canvas, MixColorsNearest(0xFFFFFF, 0x808080, 64));
  }
  FrameRoundRect(Canvas, R, 1, 1);
  // The four corner pixels the cut outline leaves, inside the button.
  for (const fw::TPoint& p : {fw::TPoint{R.left, R.top}, fw::TPoint{R.right - 1, R.top},
                              fw::TPoint{R.right - 1, R.bottom - 1}, fw::TPoint{R.left, R.bottom - 1}})
    Pixel(Canvas, p.x, p.y, 0xC0C0C0);
  const TColor c = Hot ? TColor(0xFFFFFF) : TColor(0x000000);
  kit::DrawScrollArrow(Canvas, R, ButtonType, c);
}

void TTxNexos5Theme::PaintPopupNCArea(TCanvas* Canvas, TRect R, const TTxPopupInfo& PopupInfo) {
  const TClipTo clip(Canvas, R);
  kit::Frame(Canvas, R, PopupFrameColor);
  const TRect Q = Deflated(R, 1);
  Fill(Canvas, Q, PopupColor);
  TRect P = PopupInfo.ParentRect;
  if (kit::IsEmpty(P)) return;
  const auto clampX = [&] {
    if (P.left <= Q.left) P.left = Q.left - 1;
    if (P.right >= Q.right) P.right = Q.right + 1;
  };
  const auto clampY = [&] {
    if (P.top <= Q.top) P.top = Q.top - 1;
    if (P.bottom >= Q.bottom) P.bottom = Q.bottom + 1;
  };
  if (P.bottom == Q.top) {
    clampX();
    Line(Canvas, P.left + 1, P.bottom - 1, P.right - 1, P.bottom - 1, ToolbarColor);
  } else if (P.top == Q.bottom) {
    clampX();
    Line(Canvas, P.left + 1, P.top, P.right - 1, P.top, ToolbarColor);
  }
  if (P.right == Q.left) {
    clampY();
    Line(Canvas, P.right - 1, P.top + 1, P.right - 1, P.bottom - 1, ToolbarColor);
  } else if (P.left == Q.right) {
    clampY();
    Line(Canvas, P.left, P.top + 1, P.left, P.bottom - 1, ToolbarColor);
  }
}

void TTxNexos5Theme::PaintSeparator(TCanvas* Canvas, TRect R, TTxItemInfo I, bool Horizontal, bool) {
  const TClipTo clip(Canvas, R);
  if (Horizontal) {
    const Integer y = R.bottom / 2;
    for (Integer x = R.left; x < R.right; x += 3) Pixel(Canvas, x, y, 0x000000);
  } else if (I.Enabled) {
    const Integer x = R.right / 2;
    for (Integer y = R.top; y < R.bottom; y += 3) Pixel(Canvas, x, y, 0x000000);
  }
}

void TTxNexos5Theme::PaintToolbarNCArea(TCanvas* Canvas, TRect R, const TTxToolbarInfo& Info) {
  const TClipTo clip(Canvas, R);
  const TRect area{R.left, R.top - 3, R.right, R.bottom};
  PaintBackground(Canvas, TRect{}, area, area, ToolbarColor, false, 0);
  PaintToolbarEdges(Canvas, R, Info.ViewType);
  R = Deflated(R, 2);
  if (!Info.AllowDrag) return;
  const Integer size = GetDragHandleSize(Info);
  const TRect H = Info.IsVertical ? TRect{R.left, R.top, R.right, R.top + size}
                                  : TRect{R.left, R.top, R.left + size, R.bottom};
  const bool hasClose = Info.CloseButtonState & CDBS_VISIBLE;
  if (Info.DragHandleStyle != 1) {
    const Integer w = Info.DragHandleStyle == 0 ? 4 : 2;
    if (!Info.IsVertical) {
      Integer x0 = H.left + 1, y = H.top + 4;
      if (hasClose) {
        y += size - 2;
        x0 += 4;
      }
      for (; y < H.bottom - 5; y += 4) PaintGripDash(Canvas, x0, y, w, true);
    } else {
      const Integer y0 = H.top + 1 + (hasClose ? 4 : 0);
      const Integer end = H.right - 5 - (hasClose ? size - 2 : 0);
      for (Integer x = H.left + 4; x < end; x += 4) PaintGripDash(Canvas, x, y0, w, false);
    }
  }
  if (!hasClose) return;
  const TRect sq = Info.IsVertical ? TRect{H.right - (H.bottom - 1 - H.top), H.top, H.right, H.bottom - 1}
                                   : TRect{H.left, H.top, H.right - 1, H.top + H.right - 1 - H.left};
  PaintToolbarClose(Canvas, sq, (Info.CloseButtonState & CDBS_PRESSED) ? 3 : (Info.CloseButtonState & CDBS_HOT) ? 4 : 0);
}

void TTxNexos5Theme::PaintToolbarEdges(TCanvas* Canvas, const TRect& R, Integer ViewType) {
  if (IsViewKind(ViewType, VT_TOOLBAR_MENUBAR)) {
    Line(Canvas, R.left, R.bottom - 1, R.right, R.bottom - 1, ToolbarEdgeColor);
    Line(Canvas, R.right - 1, R.top, R.right - 1, R.bottom - 1, ToolbarEdgeColor);
  } else if (IsViewKind(ViewType, VT_TOOLBAR_NORMAL)) {
    Line(Canvas, R.left + 1, R.bottom - 1, R.right, R.bottom - 1, ToolbarEdgeColor);
    Line(Canvas, R.right - 1, R.top + 1, R.right - 1, R.bottom - 1, ToolbarEdgeColor);
  }
}

void TTxNexos5Theme::PaintGripDash(TCanvas* Canvas, Integer X, Integer Y, Integer W, bool Stacked) {
  Line(Canvas, X, Y, X + W, Y, 0xAFAFAF);
  Line(Canvas, X, Y + 1, X + W, Y + 1, 0xCECAC7);
  if (Stacked) Pixel(Canvas, X + 1, Y + 1, 0xAFAFAF);
}

void TTxNexos5Theme::PaintToolbarClose(TCanvas* Canvas, const TRect& Q, int State) {
  kit::Frame(Canvas, Q, ButtonColors[State].Frame);
  Fill(Canvas, Deflated(Q, 1), ButtonColors[State].Fill);
  kit::DrawCloseGlyph(Canvas, Q, ButtonColors[State].Text);
}

void TTxNexos5Theme::PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void*) {
  if (Kind != PFC_CHECKBOX && Kind != PFC_RADIOBUTTON) return;
  if (kit::IsEmpty(R)) return;
  const TClipTo clip(Canvas, R);
  const bool checked = State & (PFS_CHECKED | PFS_MIXED);
  const bool hot = State & PFS_HOT, pushed = State & PFS_PUSHED;
  const TColor mark = FrameControlMarkColor(State, pushed, hot);
  const TRect Q = Deflated(R, 1);
  TColor pen = 0xC0C0C0;
  if (Kind == PFC_CHECKBOX) {
    if (hot && pushed) {
      if (checked)
        PaintGradientBands(Canvas, Q, ShadeColor, 0xFFFFFF, true);
      else
        PaintGradientBitmap(Canvas, Q, 0xFFFFFF, ShadeColor);
    } else if (hot) {
      PaintGradientBitmap(Canvas, Q, BaseColor, 0xFFFFFF);
      pen = ButtonColors[4].Frame;
    } else if (checked) {
      PaintGradientBitmap(Canvas, Q, ShadeColor, 0xFFFFFF);
    }
    Pen(Canvas, pen);
    Canvas->Pen()->SetStyle(fw::psSolid);
    FrameRoundRect(Canvas, R, 1, 1);
    Canvas->Brush()->SetStyle(fw::bsSolid);
    if (checked) {
      const Integer x = (R.left + R.right) / 2 - 1, y = (R.top + R.bottom) / 2 + 1;
      const fw::TPoint p[7] = {{x - 2, y}, {x, y + 2}, {x + 4, y - 2}, {x + 4, y - 4}, {x, y}, {x - 2, y - 2}, {x - 2, y}};
      PolygonColor(Canvas->Handle(), p, 6, mark, mark);
    }
    return;
  }
  // The radio's inside: a split (glassy) fill when unchecked, a plain ramp from the bottom otherwise.
  const auto radio = [&](TColor c1, TColor c2) {
    if (!checked)
      kit::RadioRowFillSplit(Canvas, Q, c1, c2);
    else
      kit::RadioRowFill(Canvas, Q, c1, c2, fw::clNone);
  };
  if (hot && pushed) {
    radio(0xFFFFFF, ShadeColor);
  } else if (hot) {
    radio(BaseColor, 0xFFFFFF);
    pen = ButtonColors[4].Frame;
  } else if (checked) {
    radio(ShadeColor, 0xFFFFFF);
  }
  Pen(Canvas, pen);
  Canvas->Pen()->SetStyle(fw::psSolid);
  Canvas->Brush()->SetStyle(fw::bsClear);
  kit::DrawRadioRing(Canvas, R, (State & PFS_CHECKED) != 0, mark, 4);
}

void TTxNexos5Theme::PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) {
  const TClipTo clip(Canvas, Part == SBP_GRIPPERPANE ? TRect{R.left, R.top, R.right + 1, R.bottom} : R);
  switch (Part) {
    case SBP_BODY: PaintBackground(Canvas, TRect{}, R, R, ToolbarColor, false, 0); break;
    case SBP_PANE:
    case SBP_GRIPPERPANE: {
      const Integer x = Part == SBP_PANE ? R.right - 3 : R.right;
      for (Integer y = R.top; y < R.bottom - 1; y += 3) Pixel(Canvas, x, y, PaneDividerColor);
      break;
    }
    case SBP_SIZEGRIP: {
      kit::DrawSizeGripSteps(Canvas, R, MixColorsNearest(fw::clBtnFace, fw::clBtnShadow, 64),
                             MixColorsNearest(fw::clBtnFace, fw::clBtnHighlight, 64));
      break;
    }
    default: break;
  }
}

}  // namespace themes
