// The Dream theme's items: buttons, captions, marks, arrows, images, edit fields, menu lines,
// separators, MDI and scroll buttons.

#include <algorithm>

#include "platform/user/services/SysMetrics.h"
#include "themes/ThemePainting.h"
#include "themes/TxDreamTheme.h"
#include "themes/vrnThemes.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace themes {

using namespace tx;

namespace {

// The warm highlight of checked and pushed items: a line up the left side and along the top.
void HighlightLines(TCanvas* c, const TRect& r, TColor color) {
  const fw::TPoint p[3] = {{r.left, r.bottom - 2}, {r.left, r.top}, {r.right, r.top}};
  Pen(c, color);
  c->Polyline(p, 3);
}

// Checked (and pushed) inside colours: bands top and bottom plus the highlight line colour.
struct TWarm {
  TColor Top, Bottom, Highlight;
};
constexpr TWarm kWarmHot{0x2090E8, 0x80E0FF, 0x60B0E8};
constexpr TWarm kWarmCool{0xD0F8FF, 0xF0FDFF, 0xB0D4DF};

}  // namespace

void TTxDreamTheme::PaintButton(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ItemArea(ARect, I));
  const bool hot = IsItemHot(I);
  const kit::TButtonOutline outline(ARect, I, 0);
  const TRect& R = outline.R;
  const Integer L = outline.Left, Rt = outline.Right;

  if (IsEmbeddedView(I.ViewType) && !hot) {
    if (I.Enabled) {
      Fill(Canvas, Deflated(R, 1), ToolbarColor);
      DrawRoundedFrame(Canvas, R, L, Rt, 0x808080, fw::clNone, 0xA0A0A0);
    } else {
      Fill(Canvas, Deflated(R, 1), 0xF0F0F0);
      DrawRoundedFrame(Canvas, R, L, Rt, 0xF0F0F0, fw::clNone, 0xC0C0C0);
    }
  } else if (!IsViewKind(I.ViewType, VT_TOOLBAR_MENUBAR)) {
    if (I.Enabled && I.Pushed) {
      Pen(Canvas, 0xD0D0D0);
      FrameRoundRect(Canvas, R, 1, 1);
      PaintGradientBitmap(Canvas, Deflated(R, 1), 0xFFFFFF, 0xC0C0C0);
      Pen(Canvas, 0x909090);
      FrameRoundRect(Canvas, R, L, Rt);
    } else if (I.Enabled && I.Selected) {
      const TWarm& w = hot ? kWarmHot : kWarmCool;
      PaintGradientBands(Canvas, Deflated(R, 1), w.Top, w.Bottom, true);
      Pen(Canvas, 0xA0A0A0);
      FrameRoundRect(Canvas, R, 1, 1);
      HighlightLines(Canvas, Deflated(R, 1), w.Highlight);
      Pen(Canvas, 0x808080);
      FrameRoundRect(Canvas, R, L, Rt);
    } else if (hot || (I.ItemOptions & IO_DESIGNING)) {
      Pen(Canvas, 0xE0E0E0);
      FrameRoundRect(Canvas, R, 1, 1);
      Fill(Canvas, Deflated(R, 1), 0xF4F0F0);
      Pen(Canvas, GetButtonPartColor(I, cpFrame));
      FrameRoundRect(Canvas, R, L, Rt);
    }
  } else if ((I.Enabled && (I.Pushed || I.Selected)) || hot) {
    if (I.Pushed) {
      Fill(Canvas, Deflated(R, 1), 0xDCD8D0);
      DrawRoundedFrame(Canvas, R, L, Rt, 0x808080, fw::clNone, 0x909090);
    } else {
      DrawRoundedFrame(Canvas, R, L, Rt, 0xA0A0A0, fw::clNone, 0xC0C0C0);
    }
    return;
  }
  if (I.ComboPart == cpSplitRight) PaintDropDownArrow(Canvas, ARect, I);
}

void TTxDreamTheme::PaintCaption(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo,
                                 const String& ACaption, Cardinal AFormat, bool Rotated) {
  const kit::TClipTo clip(Canvas, ARect);
  TColor color = Canvas->Font()->Color();
  if (color == fw::clNone) color = GetPartColor(ItemInfo, cpText);
  kit::Text(Canvas, ACaption, ARect, AFormat, Rotated, color);
}

void TTxDreamTheme::PaintCheckMark(TCanvas* Canvas, TRect R, const TTxItemInfo& ItemInfo) {
  const kit::TClipTo clip(Canvas, R);
  kit::DrawCheckTick(Canvas, R, GetButtonPartColor(ItemInfo, cpText));
}

void TTxDreamTheme::PaintChevron(TCanvas* Canvas, TRect R, const TTxItemInfo& ItemInfo) {
  const kit::TClipTo clip(Canvas, R);
  PaintButton(Canvas, R, ItemInfo);
  kit::DrawChevronArrows(Canvas, R, ItemInfo.IsVertical, GetPartColor(ItemInfo, cpText));
}

void TTxDreamTheme::PaintEditFrame(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& I,
                                   const TTxEditFrameInfo& EditFrameInfo) {
  const bool hovered = I.HoverKind != hkNone;
  const TColor outline = hovered ? TColor(0xFFFFFF) : I.Enabled ? TColor(0xD0D0D0) : ButtonColors[1].Frame;
  PaintFieldFrame(Canvas, ARect, I, EditFrameInfo, outline, I.Enabled ? TColor(0xFFFFFF) : fw::clNone);
}

void TTxDreamTheme::PaintEditButton(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo,
                                    const TTxEditButtonInfo& ButtonInfo) {
  const kit::TClipTo clip(Canvas, ARect);
  const TRect B{ARect.left + 1, ARect.top, ARect.right, ARect.bottom};
  const bool embedded = IsEmbeddedView(ItemInfo.ViewType);
  const Integer state = ButtonInfo.ButtonState;
  const bool enabled = !(state & EBDS_DISABLED);
  if (ButtonInfo.ButtonType == EBT_DROPDOWN) {
    if (!enabled) {
      kit::Frame(Canvas, B, ButtonColors[1].Frame);
    } else if (state & EBDS_PRESSED) {
      PaintGradientBitmap(Canvas, B, 0xFFFFFF, 0xC0C0C0);
      Line(Canvas, B.left - 1, B.top, B.left - 1, B.bottom, 0x808080);
    } else if (state & EBDS_HOT) {
      Fill(Canvas, B, 0xF4F0F0);
      Line(Canvas, B.left - 1, B.top, B.left - 1, B.bottom, 0x808080);
    } else {
      if (embedded) Fill(Canvas, B, 0xF4F0F0);
      Line(Canvas, B.left - 1, B.top + 1, B.left - 1, B.bottom - 1, 0xFFFFFF);
      kit::Frame(Canvas, B, 0xD0D0D0);
    }
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
    if (enabled && (pressed || (state & EBDS_HOT))) {
      if (pressed)
        PaintGradientBitmap(Canvas, k == 0 ? h : TRect{h.left, h.top + 1, h.right, h.bottom}, 0xFFFFFF, 0xC0C0C0);
      else
        Fill(Canvas, h, 0xF4F0F0);
      if (k == 0) {
        Line(Canvas, h.left - 1, h.top, h.left - 1, h.bottom, 0x808080);
      } else {
        const fw::TPoint p[3] = {{h.left - 1, h.bottom - 1}, {h.left - 1, h.top}, {h.right, h.top}};
        Pen(Canvas, 0x808080);
        Canvas->Polyline(p, 3);
      }
    } else {
      if (embedded) Fill(Canvas, h, 0xF4F0F0);
      kit::Frame(Canvas, h, 0xD0D0D0);
    }
    kit::DrawSpinArrow(Canvas, h, k == 0, GetPartColor(half, cpText), 0);
  }
}

void TTxDreamTheme::PaintDropDownArrow(TCanvas* Canvas, const TRect& R, const TTxItemInfo& ItemInfo) {
  const kit::TClipTo clip(Canvas, R);
  const TColor color = GetPartColor(ItemInfo, cpText);
  const Integer x = (R.left + R.right) / 2, y = (R.top + R.bottom) / 2;
  if (ItemInfo.IsVertical)
    kit::Triangle(Canvas, {x, y + 1}, {x, y - 3}, {x - 2, y - 1}, color);
  else
    kit::Triangle(Canvas, {x - 2, y - 1}, {x + 2, y - 1}, {x, y + 1}, color);
}

void TTxDreamTheme::PaintFrame(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, R);
  const bool hovered = I.HoverKind != hkNone;
  if (!((I.Enabled || I.HoverKind == hkKeyboardHover) && (hovered || (I.ItemOptions & IO_DESIGNING)))) return;
  PaintGradientBands(Canvas, Deflated(R, 1), 0xFFFFFF, 0xDCD8D0, true);
  Pen(Canvas, I.Pushed ? TColor(0x909090) : GetPartColor(I, cpFrame));
  FrameRoundRect(Canvas, R, 1, 1);
}

void TTxDreamTheme::PaintImage(TCanvas* Canvas, TRect R, const TTxItemInfo& I, TCustomImageList* ImageList,
                               Integer ImageIndex) {
  if (!ImageList) return;
  const bool dark = GetColorLuminance(GetItemImageBackground(I)) < 80;
  if (!kit::PaintQuietImage(Canvas, R, I, ImageList, ImageIndex, dark, dark))
    DrawIconContrasted(Canvas, R, ImageList, ImageIndex, dark);
}

void TTxDreamTheme::PaintMDIButton(TCanvas* Canvas, TRect R, const TTxItemInfo& ItemInfo, Cardinal ButtonKind) {
  const kit::TClipTo clip(Canvas, R);
  PaintButton(Canvas, R, ItemInfo);
  DrawMDIGlyph(Canvas->Handle(), R, TThemeUnit<TTxDreamTheme>::GlyphImages, ButtonKind,
               GetPartColor(ItemInfo, cpText));
}

void TTxDreamTheme::PaintMenuItem(TCanvas* Canvas, const TRect& R, TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, R);
  PaintMenuItemFrame(Canvas, R, I);
  kit::PaintMenuLineMarks(Canvas, R, I, GetPartColor(I, cpText), SplitLineColor);
  if (!(I.Selected && I.Enabled)) return;
  const TRect B = Deflated(TRect{R.left + 1, R.top, R.left + 1 + I.PopupMargin, R.bottom}, 1);
  Integer L = 2, Rt = 2;
  if (I.ComboPart == cpSplitLeft) Rt = 1;
  if (!(I.ItemOptions & IO_TOOLBAR_STYLE)) L = Rt = 1;
  const bool hot = IsItemHot(I);
  if (IsEmbeddedView(I.ViewType) && !hot) {
    Fill(Canvas, B, ToolbarColor);
    Pen(Canvas, BlendColors(fw::clHighlight, fw::clWindow, I.Enabled ? 20 : 15));
    FrameRoundRect(Canvas, B, L, Rt);
  } else if (I.Pushed || I.Selected) {
    const TWarm& w = (I.Pushed || I.HoverKind != hkNone) ? kWarmHot : kWarmCool;
    PaintGradientBands(Canvas, B, w.Top, w.Bottom, true);
    HighlightLines(Canvas, B, w.Highlight);
    Pen(Canvas, 0x808080);
    FrameRoundRect(Canvas, kit::Deflated(B, -1), L, Rt);
  } else if (hot || (I.ItemOptions & IO_DESIGNING)) {
    Pen(Canvas, BlendColors(0x0000FF, fw::clWindow, 40));
    FrameRoundRect(Canvas, B, L, Rt);
  }
}

void TTxDreamTheme::PaintMenuItemFrame(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) {
  TRect R = ARect;
  if (!IsViewKind(ItemInfo.ViewType, VT_POPUP_TOOLBOX)) {
    ++R.left;
    --R.right;
    Canvas->Brush()->SetColor(fw::clWhite);
  }
  PaintFrame(Canvas, R, ItemInfo);
}

void TTxDreamTheme::PaintScrollButton(TCanvas* Canvas, const TRect& R, Integer ButtonType, bool Hot) {
  const kit::TClipTo clip(Canvas, R);
  const TRect in = Deflated(R, 1);
  if (Hot) {
    PaintGradientBitmap(Canvas, in, 0xF0F0F0, 0xFFFFFF);
    Pen(Canvas, 0xA0A0A0);
  } else {
    Fill(Canvas, in, 0xFFFFFF);
    Pen(Canvas, 0xD0D0D0);
  }
  FrameRoundRect(Canvas, R, 1, 1);
  // The four corner pixels the cut outline leaves, inside the button.
  for (const fw::TPoint& p : {fw::TPoint{R.left, R.top}, fw::TPoint{R.right - 1, R.top},
                              fw::TPoint{R.right - 1, R.bottom - 1}, fw::TPoint{R.left, R.bottom - 1}})
    kit::Pixel(Canvas, p.x, p.y, fw::clBtnFace);
  const TColor c = fw::clBtnText;
  kit::DrawScrollArrow(Canvas, R, ButtonType, c);
}

void TTxDreamTheme::PaintSeparator(TCanvas* Canvas, TRect R, TTxItemInfo ItemInfo, bool Horizontal, bool) {
  const kit::TClipTo clip(Canvas, R);
  if (Horizontal) {
    if (!(ItemInfo.ViewType & VT_TOOLBAR)) {
      const Integer y = R.bottom / 2;
      for (Integer x = 14; x < R.right - 14; x += 3) kit::Pixel(Canvas, x, y, 0x909090);
    } else {
      const Integer y = R.bottom / 2 + 1;
      Line(Canvas, R.left + 4, y, R.right - 2, y, 0xFFFFFF);
      Line(Canvas, R.left + 3, y - 1, R.right - 3, y - 1, ToolbarColor);
    }
  } else if (ItemInfo.Enabled) {
    const Integer x = R.right / 2;
    Line(Canvas, x, R.top + 4, x, R.bottom - 2, 0xFFFFFF);
    Line(Canvas, x - 1, R.top + 3, x - 1, R.bottom - 3, ToolbarColor);
  }
}

}  // namespace themes
