// The Aluminum theme's items: buttons, captions, marks, chevrons, edit fields and their
// buttons, images, MDI buttons, menu lines, scroll buttons, separators and check boxes.

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemePainting.h"
#include "themes/TxAluminumTheme.h"
#include "themes/vrnThemes.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace themes {

using namespace tx;

namespace {

constexpr uint16_t kChevronHorz[5] = {0xCC, 0x66, 0x33, 0x66, 0xCC};
constexpr uint16_t kChevronVert[8] = {0x88, 0xD8, 0x70, 0x20, 0x88, 0xD8, 0x70, 0x20};
constexpr TColor kGrey = 0x9F9F9F;

TRect Shifted(TRect R, Integer dx, Integer dy) { return TRect{R.left + dx, R.top + dy, R.right + dx, R.bottom + dy}; }

bool Hovered(const TTxItemInfo& I) { return I.HoverKind != hkNone; }

}  // namespace

void TTxAluminumTheme::PaintButton(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ARect);
  const Integer r = I.IsPopupParent ? 1 : 2;
  if ((I.ItemOptions & IO_DESIGNING) && !I.Selected) {
    AluRoundedFrame(Canvas, ARect, {1, 1, 1, 1}, MixColorsNearest(kGrey, 0xC7C7C7, 100));
    return;
  }
  TRect R = ARect;
  TCornerRadii radii{r, r, r, r};
  if (I.ComboPart == cpSplitLeft) radii.TopRight = radii.BottomRight = 0;
  if (I.ComboPart == cpSplitRight) {
    --R.left;
    radii.TopLeft = radii.BottomLeft = 0;
  }
  const TColor fill = ButtonPart(I, cpFill);
  AluRoundedFill(Canvas, R, radii, fill);
  AluRoundedFrame(Canvas, R, radii, ButtonPart(I, cpFrame));
  if (I.ComboPart == cpSplitRight) {
    if (I.IsPopupParent) Line(Canvas, ARect.left, ARect.top + 1, ARect.left, ARect.bottom - 1, fill);
    PaintDropDownArrow(Canvas, ARect, I);
  }
}

void TTxAluminumTheme::PaintCaption(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I, const String& ACaption,
                                    Cardinal AFormat, bool Rotated) {
  const kit::TClipTo clip(Canvas, ARect);
  TColor C = Canvas->Font()->Color();
  if (C == fw::clNone) C = GetItemTextColor(I);
  TColor emboss = fw::clNone;
  if (I.ItemOptions & IO_TOOLBAR_STYLE) {
    const TColor fill = ButtonPart(I, cpFill);
    emboss = OffsetColor(fill == fw::clNone ? AluToolbarColor : fill, 16);
  } else if (I.ViewType & VT_CONTROL) {
    emboss = OffsetColor(AluStatusColor, 16);
  }
  if (emboss != fw::clNone) kit::Text(Canvas, ACaption, Shifted(ARect, 1, 1), AFormat, Rotated, emboss);
  kit::Text(Canvas, ACaption, ARect, AFormat, Rotated, C);
}

void TTxAluminumTheme::PaintCheckMark(TCanvas* Canvas, TRect ARect, const TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ARect);
  const Integer cx = (ARect.left + ARect.right) / 2, cy = (ARect.top + ARect.bottom) / 2;
  const TPoint p[7] = {{cx - 4, cy - 1}, {cx - 2, cy + 1}, {cx + 2, cy - 3}, {cx + 2, cy - 2},
                       {cx - 2, cy + 2}, {cx - 4, cy},     {cx - 4, cy - 1}};
  PolylineColor(Canvas->Handle(), p, 6, ButtonPart(I, cpText));
}

void TTxAluminumTheme::PaintChevron(TCanvas* Canvas, TRect ARect, const TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ARect);
  PaintButton(Canvas, ARect, I);
  const TColor fill = ButtonPart(I, cpFill);
  const TColor C = fill == fw::clNone ? AluToolbarColor : fill;
  const TColor ink = Hovered(I) ? TColor(fw::clBlack) : TColor(0x3F3F3F);
  TRect band;
  Integer w, h;
  const uint16_t* rows;
  if (I.IsVertical) {
    band = TRect{ARect.right - 9, ARect.top, ARect.right - 4, ARect.bottom};
    w = 5, h = 8, rows = kChevronVert;
  } else {
    band = TRect{ARect.left, ARect.top + 4, ARect.right, ARect.top + 9};
    w = 8, h = 5, rows = kChevronHorz;
  }
  const win::HDC dc = Canvas->Handle();
  DrawMonoPattern(dc, Shifted(band, 1, 1), w, h, rows, OffsetColor(C, 24));
  DrawMonoPattern(dc, Shifted(band, -1, -1), w, h, rows, OffsetColor(C, -32));
  DrawMonoPattern(dc, band, w, h, rows, ink);
}

void TTxAluminumTheme::PaintDropDownArrow(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ARect);
  const Integer cx = (ARect.left + ARect.right) / 2, cy = (ARect.top + ARect.bottom) / 2 - 1;
  const TColor C = MenuAwarePart(I, cpText);
  if (I.IsVertical)
    kit::Triangle(Canvas, {cx, cy + 2}, {cx, cy - 2}, {cx - 2, cy}, C);
  else
    kit::Triangle(Canvas, {cx - 2, cy}, {cx + 2, cy}, {cx, cy + 2}, C);
}

void TTxAluminumTheme::PaintEditFrame(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& I,
                                      const TTxEditFrameInfo& Info) {
  const kit::TClipTo clip(Canvas, ARect);
  PaintFrame(Canvas, ARect, I);
  TRect field = Deflated(ARect, GetIntegerMetric(TMI_EDIT_FRAME_WIDTH));
  if (Info.RightButtonWidth > 0) field.right = ARect.right - Info.RightButtonWidth;
  if (I.Enabled && !I.Pushed && !I.Selected && !Hovered(I)) {
    AluRoundedFrame(Canvas, field, {1, 1, 1, 1}, fw::clWindow);
    field = Deflated(field, 1);
  }
  if (I.Enabled) Fill(Canvas, field, fw::clWindow);
  if (Info.RightButtonWidth > 0)
    PaintEditButton(Canvas, TRect{ARect.right - Info.RightButtonWidth, ARect.top, ARect.right, ARect.bottom}, I,
                    Info.RightButtonInfo);
}

void TTxAluminumTheme::PaintEditButtonFace(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I, bool Active) {
  if (kit::IsEmpty(R)) return;
  if (!Active) {
    GradientFillRect(Canvas->Handle(), R, OffsetColor(0xDFDFDF, 16), OffsetColor(0xDFDFDF, -16), true);
    AluRaisedFrame(Canvas, R, 1, OffsetColor(0xDFDFDF, 24), OffsetColor(0xDFDFDF, -24), fw::clNone);
    return;
  }
  const TColor fill = MenuAwarePart(I, cpFill);
  Fill(Canvas, R, fill);
  if (fill == fw::clNone) return;
  const TColor corner = MixColors(fw::clWindow, fill, 128);
  kit::Pixel(Canvas, R.right - 1, R.top, corner);
  kit::Pixel(Canvas, R.right - 1, R.bottom - 1, corner);
}

void TTxAluminumTheme::PaintEditButton(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& I,
                                       const TTxEditButtonInfo& B) {
  const kit::TClipTo clip(Canvas, ARect);
  TColor F = MenuAwarePart(I, cpFrame);
  if (F == fw::clNone) F = kGrey;
  TRect R = ARect;
  --R.left;
  const bool disabled = B.ButtonState & EBDS_DISABLED;
  const bool hot = B.ButtonState & EBDS_HOT;
  if (B.ButtonType == EBT_DROPDOWN) {
    const bool pressed = B.ButtonState & EBDS_PRESSED;
    R = Deflated(R, hot || pressed ? 1 : 2);
    if (!disabled) {
      Line(Canvas, R.left - 1, R.top, R.left - 1, R.bottom, F);
      TTxItemInfo face = I;
      face.Pushed = pressed;
      PaintEditButtonFace(Canvas, R, face, hot || pressed);
    }
    PaintDropDownArrow(Canvas, R, I);
  } else if (B.ButtonType == EBT_SPIN) {
    const bool up = B.ButtonState & EBDS_PRESSED, down = B.ButtonState & EBDS_DOWN_PRESSED;
    R = Deflated(R, up || down || hot ? 1 : 2);
    if (disabled || kit::IsEmpty(R)) return;
    const Integer mid = (R.top + R.bottom) / 2;
    const TRect halves[2] = {{R.left, R.top, R.right, mid}, {R.left, mid, R.right, R.bottom}};
    const TColor text = GetItemTextColor(I);
    for (int k = 0; k < 2; ++k) {
      TTxItemInfo face = I;
      face.Pushed = k == 0 ? up : down;
      PaintEditButtonFace(Canvas, halves[k], face, hot || face.Pushed);
      const Integer cx = (halves[k].left + halves[k].right) / 2, cy = (halves[k].top + halves[k].bottom) / 2;
      if (k == 0)
        kit::Triangle(Canvas, {cx - 2, cy + 1}, {cx + 2, cy + 1}, {cx, cy - 1}, text);
      else
        kit::Triangle(Canvas, {cx - 2, cy - 1}, {cx + 2, cy - 1}, {cx, cy + 1}, text);
    }
    Line(Canvas, R.left - 1, R.top, R.left - 1, R.bottom, F);
    Line(Canvas, R.left, (R.top + R.bottom - 1) / 2, R.right, (R.top + R.bottom - 1) / 2, F);
    Line(Canvas, R.left, (R.top + R.bottom) / 2, R.right, (R.top + R.bottom) / 2, F);
  }
}

void TTxAluminumTheme::PaintFrame(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ARect);
  const TColor light = OffsetColor(AluToolbarColor, 16), dark = OffsetColor(AluToolbarColor, -16);
  if (I.Enabled || I.HoverKind == hkKeyboardHover) {
    const bool plain = !I.Pushed && !I.Selected && !Hovered(I) && !(I.ItemOptions & IO_DESIGNING);
    if (plain) {
      TRect R = ARect;
      if (!IsEmbeddedView(I.ViewType) && !(I.ViewType & VT_POPUP)) {
        AluRaisedFrame(Canvas, R, 1, light, dark, fw::clNone);
        R = Deflated(R, 1);
      }
      AluRoundedFrame(Canvas, R, {1, 1, 1, 1}, kGrey);
    } else {
      kit::Frame(Canvas, ARect, fw::clWindow);
      AluRoundedFrame(Canvas, ARect, {2, 2, 2, 2}, ButtonPart(I, cpFrame));
    }
  } else {
    AluRaisedFrame(Canvas, ARect, 1, dark, light, fw::clNone);
    AluRaisedFrame(Canvas, Deflated(ARect, 1), 1, dark, light, fw::clNone);
  }
}

void TTxAluminumTheme::PaintImage(TCanvas* Canvas, TRect ARect, const TTxItemInfo& I, TCustomImageList* ImageList,
                                  Integer ImageIndex) {
  if (!ImageList) return;
  const bool dark = GetColorLuminance(GetItemImageBackground(I)) < 80;
  const bool hot = Hovered(I);
  if (!I.Enabled) {
    if (dark)
      DrawIconDarkMask(Canvas, ARect, ImageList, ImageIndex, kGrey);
    else
      DrawIconDisabled(Canvas, ARect, ImageList, ImageIndex, 0);
    return;
  }
  if (!I.Selected && !I.Pushed && !hot) {
    if (dark || HighContrastColors)
      DrawIconContrasted(Canvas, ARect, ImageList, ImageIndex, dark);
    else
      DrawIconTranslucent(Canvas, ARect, ImageList, ImageIndex, 200);
    return;
  }
  if (hot && !I.Selected) {
    if (!I.Pushed || I.IsPopupParent) {
      DrawIconDisabled(Canvas, Shifted(ARect, 1, 1), ImageList, ImageIndex, 1);
    } else {
      DrawIconDisabled(Canvas, Shifted(ARect, -1, -1), ImageList, ImageIndex, 1);
      DrawIconSilhouette(Canvas, Shifted(ARect, 1, 1), ImageList, ImageIndex,
                         OffsetColor(AluButtonColors[3].Fill, 24));
    }
  }
  DrawIconContrasted(Canvas, ARect, ImageList, ImageIndex, dark);
}

void TTxAluminumTheme::PaintMDIButton(TCanvas* Canvas, TRect ARect, const TTxItemInfo& I, Cardinal ButtonKind) {
  const kit::TClipTo clip(Canvas, ARect);
  PaintButton(Canvas, ARect, I);
  const Integer glyph = MDIGlyphIndex(ButtonKind);
  fw::TImageList* glyphs = TThemeUnit<TTxAluminumTheme>::GlyphImages;
  if (glyph < 0 || !glyphs) return;
  const TColor fill = ButtonPart(I, cpFill);
  const TColor C = fill == fw::clNone ? AluToolbarColor : fill;
  // Truncating division, as the glyph may be taller than the button.
  const Integer x = (ARect.left + ARect.right - 16) / 2, y = (ARect.top + ARect.bottom - 16 - 1) / 2;
  const win::HDC dc = Canvas->Handle();
  DrawGlyphMask(dc, x + 1, y + 1, glyphs, glyph, OffsetColor(C, 24));
  DrawGlyphMask(dc, x - 1, y - 1, glyphs, glyph, OffsetColor(C, -32));
  DrawGlyphMask(dc, x, y, glyphs, glyph, Hovered(I) ? TColor(fw::clBlack) : TColor(0x3F3F3F));
}

void TTxAluminumTheme::PaintMenuItemFrame(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& I) {
  const bool active = I.Enabled ? Hovered(I) : I.HoverKind == hkKeyboardHover;
  if (!active) return;
  const kit::TClipTo clip(Canvas, ARect);
  AluRoundedFill(Canvas, ARect, {1, 1, 1, 1}, MenuAwarePart(I, cpFill));
  AluRoundedFrame(Canvas, ARect, {1, 1, 1, 1}, MenuAwarePart(I, cpFrame));
}

void TTxAluminumTheme::PaintMenuItem(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& I) {
  const kit::TClipTo clip(Canvas, ARect);
  TRect R = ARect;
  const bool hasImage = I.ImageShown || I.Selected;
  if (hasImage) R.left += GetIntegerMetric(TMI_MENU_IMAGE_TEXT_SPACE) + I.PopupMargin;
  PaintMenuItemFrame(Canvas, R, I);
  const Integer check = win::GetSystemMetrics(win::SM_CXMENUCHECK);
  if (I.ItemOptions & IO_SPLIT) {
    const TColor C = !I.Enabled ? GetItemTextColor(I)
                     : I.HoverKind == hkMouseHover ? MenuAwarePart(I, cpFrame) : TColor(kGrey);
    const Integer x = ARect.right - check - 1;
    Line(Canvas, x, ARect.top + 1, x, ARect.bottom - 1, C);
  }
  if (I.ItemOptions & IO_HAS_SUBMENU) {
    const Integer x = ARect.right - (2 * check) / 3, y = ARect.bottom / 2;
    kit::Triangle(Canvas, {x, y - 3}, {x, y + 3}, {x + 3, y}, MenuAwarePart(I, cpText));
  }
  if (I.ImageShown && (Hovered(I) || I.Selected)) {
    TTxItemInfo button = I;
    button.ItemOptions |= IO_TOOLBAR_STYLE;
    PaintButton(Canvas, TRect{ARect.left, ARect.top, ARect.left + I.PopupMargin, ARect.bottom}, button);
  }
}

void TTxAluminumTheme::PaintScrollButton(TCanvas* Canvas, const TRect& ARect, Integer ButtonType, bool Hot) {
  if (kit::IsEmpty(ARect)) return;
  const kit::TClipTo clip(Canvas, ARect);
  const bool vertical = ButtonType == PSBT_UP || ButtonType == PSBT_DOWN;
  if (Hot)
    Fill(Canvas, ARect, AluButtonColors[4].Fill);
  else
    GradientFillRect(Canvas->Handle(), ARect, OffsetColor(AluToolbarColor, 12), OffsetColor(AluToolbarColor, -8),
                     vertical);
  kit::PaintCornerPixels(Canvas, ARect, fw::clBtnFace);
  AluRoundedFrame(Canvas, ARect, {1, 1, 1, 1}, Hot ? AluButtonColors[4].Frame : MixColors(kGrey, fw::clWindow, 192));
  const Integer cx = (ARect.left + ARect.right) / 2, cy = (ARect.top + ARect.bottom) / 2;
  const Integer s = std::min(ARect.right - ARect.left, ARect.bottom - ARect.top) / 2 * 3 / 4;
  kit::DrawPointingArrow(Canvas, cx, cy, ButtonType, s, s / 2, s / 2, fw::clBlack);
}

void TTxAluminumTheme::PaintSeparator(TCanvas* Canvas, TRect ARect, TTxItemInfo I, bool Horizontal, bool) {
  // The line is wanted for enabled separators, as in the Default theme.
  if (I.Enabled) kit::PaintSeparatorLine(Canvas, ARect, Horizontal, 2, AluSeparatorColor);
}

void TTxAluminumTheme::PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void* Params) {
  if (Kind != PFC_CHECKBOX && Kind != PFC_RADIOBUTTON) {
    TTxDefaultTheme::PaintFrameControl(Canvas, R, Kind, State, Params);
    return;
  }
  const kit::TClipTo clip(Canvas, R);
  R = Deflated(R, 1);
  if (kit::IsEmpty(R)) return;
  const kit::TBoxState box(State);
  const bool disabled = box.Disabled, pushed = box.Pushed, hot = box.Hot, mixed = box.Mixed;
  const TColor pen = disabled ? kGrey : pushed ? AluButtonColors[3].Frame : hot ? AluButtonColors[4].Frame : kGrey;
  const TColor mark = disabled ? AluButtonColors[1].Text
                      : pushed ? AluButtonColors[3].Text
                      : mixed  ? TColor(kGrey)
                      : hot    ? AluButtonColors[4].Text
                               : AluButtonColors[0].Text;
  Canvas->Pen()->SetColor(ResolveColor(pen));
  Canvas->Pen()->SetWidth(0);
  const bool dither = mixed && !pushed && !hot && !disabled;
  if (disabled || dither) {
    Canvas->Brush()->SetStyle(fw::bsClear);
  } else {
    Canvas->Brush()->SetStyle(fw::bsSolid);
    Canvas->Brush()->SetColor(ResolveColor(pushed ? AluButtonColors[3].Fill : hot ? AluButtonColors[4].Fill
                                                                                  : TColor(fw::clWindow)));
  }
  const Integer cy = (R.top + R.bottom) / 2;
  if (Kind == PFC_CHECKBOX) {
    Canvas->Rectangle(R);
    if (dither) DitherRect(Canvas->Handle(), Deflated(R, 1), fw::clWindow, fw::clBtnFace);
    if (State & (PFS_CHECKED | PFS_MIXED)) {
      const Integer x = (R.left + R.right) / 2 - 1;
      const TPoint p[7] = {{x - 2, cy + 1}, {x, cy + 3},     {x + 4, cy - 1}, {x + 4, cy - 3},
                           {x, cy + 1},     {x - 2, cy - 1}, {x - 2, cy + 1}};
      PolygonColor(Canvas->Handle(), p, 6, mark, mark);
    }
  } else {
    Canvas->Ellipse(R);
    if (State & PFS_CHECKED) {
      const TRect dot = Deflated(R, 3);
      if (!kit::IsEmpty(dot)) {
        Canvas->Brush()->SetStyle(fw::bsSolid);
        Canvas->Brush()->SetColor(ResolveColor(mark));
        Canvas->Pen()->SetColor(ResolveColor(mark));
        Canvas->Ellipse(dot);
      }
    }
  }
  Canvas->Brush()->SetStyle(fw::bsSolid);
}

}  // namespace themes
