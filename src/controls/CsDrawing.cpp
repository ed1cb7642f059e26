#include "controls/CsDrawing.h"

#include <algorithm>

#include "framework/Colors.h"
#include "framework/GraphicsBitmap.h"
#include "framework/ImageList.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/UserDraw.h"
#include "tx/Tx.h"
#include "tx/TxItems.h"
#include "tx/TxUtils.h"
#include "tx/TxThemes.h"
#include "tx/TxUxThemes.h"

namespace cs {
bool DrawStyledPart(const char16_t* ClassName, win::HDC DC, int Part, int State, const fw::TRect& R) {
  if (tx::ux::OpenThemeData == nullptr) return false;
  const tx::HTHEME theme = tx::ux::OpenThemeData(nullptr, ClassName);
  const bool drawn = tx::DrawThemePart(theme, DC, Part, State, R);
  if (theme != nullptr && tx::ux::CloseThemeData != nullptr) tx::ux::CloseThemeData(theme);
  return drawn;
}

void InitEditFrameInfo(tx::TTxItemInfo& ItemInfo, bool Enabled, bool Hot) {
  ItemInfo = tx::TTxItemInfo{};
  ItemInfo.ViewType = tx::VT_TOOLBAR_NORMAL | tx::VT_EMBEDDED;
  ItemInfo.ItemOptions = tx::IO_TOOLBAR_STYLE | tx::IO_APP_ACTIVE;
  ItemInfo.Enabled = Enabled;
  ItemInfo.HoverKind = Hot ? tx::hkMouseHover : tx::hkNone;
}

int DrawWideText(fw::TCanvas* Canvas, const WideString& Text, fw::TRect& Rect, win::UINT Format) {
  Canvas->RequiredState({fw::csHandleValid, fw::csFontValid, fw::csBrushValid});
  return WideDrawText(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &Rect, Format);
}

int DrawWideCaption(fw::TCanvas* Canvas, const WideString& Caption, fw::TRect& Rect, fw::TColor GlowColor,
                    bool Glow, win::UINT Format) {
  const fw::TBrushStyle oldStyle = Canvas->Brush()->Style();
  const fw::TColor oldColor = Canvas->Brush()->Color();
  Canvas->Brush()->SetStyle(fw::bsClear);
  const bool measuring = (Format & win::DT_CALCRECT) != 0;
  if (Glow && !measuring) {
    const fw::TColor fontColor = Canvas->Font()->Color();
    Canvas->Font()->SetColor(GlowColor);
    static constexpr int kOffsets[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto& offset : kOffsets) {
      fw::TRect r{Rect.left + offset[0], Rect.top + offset[1], Rect.right + offset[0], Rect.bottom + offset[1]};
      DrawWideText(Canvas, Caption, r, Format);
    }
    Canvas->Font()->SetColor(fontColor);
  }
  const int result = DrawWideText(Canvas, Caption, Rect, Format);
  if (measuring && Canvas->Font()->Style().Contains(fw::fsItalic)) Rect.right += (Canvas->Font()->Size() / 8) * 2 + 1;
  Canvas->Brush()->SetColor(oldColor);
  Canvas->Brush()->SetStyle(oldStyle);
  return result;
}

WideString StripAmpersands(const WideString& Text) {
  WideString result;
  result.reserve(Text.size());
  for (char16_t c : Text)
    if (c != u'&') result.push_back(c);
  return result;
}

WideString StripCaptionEllipsis(const WideString& Text) {
  if (Text.size() > 1 && Text.back() == u':') return Text.substr(0, Text.size() - 1);
  if (Text.size() > 3 && Text.ends_with(u"...")) return Text.substr(0, Text.size() - 3);
  return Text;
}

void GetWideTextExtent(win::HDC DC, const WideString& Text, bool IgnoreAmpersands, win::SIZE& Size) {
  const WideString text = IgnoreAmpersands ? StripAmpersands(Text) : Text;
  win::GetTextExtentPoint32W(DC, text.c_str(), static_cast<int>(text.size()), &Size);
}

int LayoutCaptionAndGlyph(fw::TCanvas* Canvas, const fw::TRect& ClientRect, const WideString& Caption,
                          fw::TRect& GlyphRect, fw::TRect& CaptionRect, bool Pushed, int GlyphWidth,
                          int GlyphHeight, win::UINT Format, int Alignment) {
  const int clientWidth = ClientRect.right - ClientRect.left;
  const bool hasGlyph = GlyphWidth >= 1 && GlyphHeight >= 1;
  // A wrapped or shortened caption is measured against the room beside the glyph (a shortened
  // one measured against one pixel would be the ellipsis alone); any other against one pixel.
  constexpr win::UINT kShortened = win::DT_END_ELLIPSIS | win::DT_PATH_ELLIPSIS | win::DT_WORD_ELLIPSIS;
  const int room = std::max(0, clientWidth - (hasGlyph ? GlyphWidth + 4 : 0));
  fw::TRect text{0, 0, (Format & win::DT_WORDBREAK) != 0 ? clientWidth : (Format & kShortened) != 0 ? room : 1, 0};
  const int height = DrawWideCaption(Canvas, Caption, text, 0xFFFF, false, Format | win::DT_CALCRECT);
  const int textWidth = (Format & kShortened) != 0 ? std::min<int>(text.right - text.left, room) : text.right - text.left;
  const int textHeight = text.bottom - text.top;
  const int blockWidth = textWidth + (hasGlyph ? GlyphWidth + 4 : 0);
  int left = ClientRect.left;
  if (Alignment == 1) left = ClientRect.right - blockWidth;
  else if (Alignment == 2) left = ClientRect.left + (clientWidth - blockWidth) / 2;
  const int top = ClientRect.top + (ClientRect.bottom - ClientRect.top - textHeight) / 2;
  const int captionLeft = hasGlyph ? left + GlyphWidth + 4 : left;
  CaptionRect = {captionLeft, top, captionLeft + textWidth, top + textHeight};
  GlyphRect = {0, 0, 0, 0};
  if (hasGlyph) {
    const int glyphTop = top + (textHeight - GlyphHeight) / 2;
    GlyphRect = {left, glyphTop, left + GlyphWidth, glyphTop + GlyphHeight};
  }
  if (Pushed) {
    win::OffsetRect(&CaptionRect, 1, 1);
    if (hasGlyph) win::OffsetRect(&GlyphRect, 1, 1);
  }
  return height;
}

namespace {

// The caption of a laid-out block, unless only measuring.
int LayoutAndDrawCaption(fw::TCanvas* Canvas, const fw::TRect& ClientRect, const WideString& Caption,
                         fw::TSize Glyph, const TCsCaptionStyle& Style, fw::TRect& GlyphRect, fw::TRect& CaptionRect) {
  const int height = LayoutCaptionAndGlyph(Canvas, ClientRect, Caption, GlyphRect, CaptionRect, Style.Pushed,
                                           Glyph.cx, Glyph.cy, Style.Format & ~win::UINT(win::DT_CALCRECT),
                                           Style.Alignment);
  if ((Style.Format & win::DT_CALCRECT) == 0) {
    fw::TRect text = CaptionRect;
    DrawWideCaption(Canvas, Caption, text, Style.GlowColor, Style.Glow, Style.Format);
  }
  return height;
}

}  // namespace

int DrawCaptionWithBitmap(fw::TCanvas* Canvas, const fw::TRect& ClientRect, const WideString& Caption,
                          fw::TBitmap* Bitmap, const TCsCaptionStyle& Style, fw::TRect& GlyphRect,
                          fw::TRect& CaptionRect) {
  const bool glyph = Bitmap != nullptr && !Bitmap->Empty();
  const fw::TSize size = glyph ? fw::TSize{Bitmap->Width(), Bitmap->Height()} : fw::TSize{0, 0};
  const int height = LayoutAndDrawCaption(Canvas, ClientRect, Caption, size, Style, GlyphRect, CaptionRect);
  if (glyph && (Style.Format & win::DT_CALCRECT) == 0) Canvas->Draw(GlyphRect.left, GlyphRect.top, Bitmap);
  return height;
}

int DrawCaptionWithImage(fw::TCanvas* Canvas, const fw::TRect& ClientRect, const WideString& Caption,
                         fw::TCustomImageList* Images, int ImageIndex, const TCsCaptionStyle& Style,
                         fw::TRect& GlyphRect, fw::TRect& CaptionRect) {
  const bool glyph = Images != nullptr && ImageIndex >= 0 && ImageIndex < Images->Count();
  const fw::TSize size = glyph ? fw::TSize{Images->Width(), Images->Height()} : fw::TSize{0, 0};
  const int height = LayoutAndDrawCaption(Canvas, ClientRect, Caption, size, Style, GlyphRect, CaptionRect);
  if (!glyph || (Style.Format & win::DT_CALCRECT) != 0) return height;
  if (!Style.Enabled && Style.Themed && tx::CurrentTheme != nullptr)
    tx::PaintThemedImage(Canvas, GlyphRect, Images, ImageIndex, tx::TIF_DISABLED | tx::TIF_ON_CONTROL);
  else
    Images->Draw(Canvas, GlyphRect.left, GlyphRect.top, ImageIndex, Style.Enabled);
  return height;
}

void DrawGlyphFromList(fw::TCanvas* Canvas, int X, int Y, int Amount, fw::TColor BlendColor, fw::TBitmap* Mask,
                       fw::TBitmap* Bitmap) {
  if (Bitmap == nullptr || Bitmap->Empty()) return;
  fw::TCustomImageList list(nullptr);
  list.SetWidth(Bitmap->Width());
  list.SetHeight(Bitmap->Height());
  if (Mask != nullptr) list.Add(Bitmap, Mask);
  else list.AddMasked(Bitmap, fw::clDefault);
  tx::DrawIconBlended(Canvas, {X, Y, X + Bitmap->Width(), Y + Bitmap->Height()}, &list, 0, BlendColor, Amount);
}

void DrawFocusRectangle(fw::TCanvas* Canvas, const fw::TRect& Rect) {
  if (win::IsRectEmpty(&Rect)) return;
  Canvas->RequiredState({fw::csHandleValid});
  const win::HDC dc = Canvas->Handle();
  const win::COLORREF oldText = win::SetTextColor(dc, 0);
  const win::COLORREF oldBack = win::SetBkColor(dc, 0xFFFFFF);
  win::DrawFocusRect(dc, &Rect);
  win::SetTextColor(dc, oldText);
  win::SetBkColor(dc, oldBack);
}

void PaintButtonFrame(fw::TCanvas* Canvas, const fw::TRect& Rect, bool Enabled, bool UseVisualStyles, bool Default,
                      bool Focused, bool Hot, bool Pushed) {
  if (UseVisualStyles && IsVisualStylesAvailable()) {
    const int state = !Enabled ? 4 : Pushed ? 3 : Hot ? 2 : (Default || Focused) ? 5 : 1;
    Canvas->RequiredState({fw::csHandleValid});
    if (DrawStyledPart(u"BUTTON", Canvas->Handle(), 1, state, Rect)) return;
  }
  fw::TRect r = Rect;
  Canvas->Brush()->SetStyle(fw::bsSolid);
  Canvas->Brush()->SetColor(fw::clBtnFace);
  Canvas->FillRect(r);
  if (Default || Focused) {
    Canvas->Brush()->SetColor(fw::clWindowFrame);
    Canvas->FrameRect(r);
    win::InflateRect(&r, -1, -1);
  }
  if (Pushed) {
    Canvas->Brush()->SetColor(fw::clBtnShadow);
    Canvas->FrameRect(r);
  } else {
    win::DrawFrameControl(Canvas->Handle(), &r, win::DFC_BUTTON, win::DFCS_BUTTONPUSH);
  }
  if (Focused) {
    fw::TRect focus = Rect;
    win::InflateRect(&focus, -3, -3);
    DrawFocusRectangle(Canvas, focus);
  }
}

void PaintEditBorder(fw::TCanvas* Canvas, const fw::TRect& Rect, bool Enabled, bool ExcludeInterior,
                     TCsThemeType ThemeType, bool Hot) {
  const win::HDC dc = Canvas->Handle();
  if (ExcludeInterior) {
    const int inset = Hot ? 1 : 2;
    win::ExcludeClipRect(dc, Rect.left + inset, Rect.top + inset, Rect.right - inset, Rect.bottom - inset);
  }
  switch (GetEffectiveThemeType(ThemeType)) {
    case thtWindows: DrawStyledPart(u"EDIT", dc, 0, 0, Rect); break;
    case thtTx:
      if (tx::CurrentTheme != nullptr) {
        tx::TTxItemInfo info;
        InitEditFrameInfo(info, Enabled, Hot);
        tx::CurrentTheme->PaintEditFrame(Canvas, Rect, info, tx::TTxEditFrameInfo{});
      }
      break;
    case thtNone: break;  // the window's own border
  }
  win::SelectClipRgn(dc, nullptr);
}

void PaintComboButton(fw::TCanvas* Canvas, const fw::TRect& Rect, bool Enabled, int ButtonWidth,
                      TCsThemeType ThemeType, bool DroppedDown, bool Hot) {
  // The classic combo box draws its own border and button.
  Canvas->RequiredState({fw::csHandleValid});
  const fw::TRect button{Rect.right - 1 - ButtonWidth, Rect.top + 1, Rect.right - 1, Rect.bottom - 1};
  switch (GetEffectiveThemeType(ThemeType)) {
    case thtWindows:
      DrawStyledPart(u"COMBOBOX", Canvas->Handle(), 0, 0, Rect);
      if (ButtonWidth > 0)
        DrawStyledPart(u"COMBOBOX", Canvas->Handle(), 1, !Enabled ? 4 : DroppedDown ? 3 : Hot ? 2 : 1, button);
      break;
    case thtTx: {
      if (tx::CurrentTheme == nullptr) break;
      tx::TTxItemInfo info;
      InitEditFrameInfo(info, Enabled, Hot);
      tx::TTxEditFrameInfo frame;
      frame.RightButtonWidth = ButtonWidth;
      frame.RightButtonInfo.ButtonType = tx::EBT_DROPDOWN;
      frame.RightButtonInfo.ButtonState = !Enabled ? tx::EBDS_DISABLED
                                          : DroppedDown ? tx::EBDS_PRESSED
                                          : Hot       ? tx::EBDS_HOT
                                                      : 0;
      tx::CurrentTheme->PaintEditFrame(Canvas, Rect, info, frame);
      if (ButtonWidth > 0) tx::CurrentTheme->PaintEditButton(Canvas, button, info, frame.RightButtonInfo);
      break;
    }
    case thtNone: break;
  }
}

}  // namespace cs
