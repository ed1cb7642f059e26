// Owner-drawn wide menu items: the framework draws the background, the check mark and the glyph
// of an item whose caption and shortcut are blanked for the moment; the wide caption and the
// wide shortcut text are then drawn in the places the framework's own drawing gives its texts.
#include <utility>

#include "controls/UniCodePages.h"
#include "controls/UniMenus.h"
#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"
#include "platform/gdi/GdiText.h"

namespace cs {

bool MiddleEastMenus = false;

namespace {

// The glyph column: as wide as the menu's images, 16 without.
constexpr fw::Integer kPlainGlyphWidth = 16;
// Room after the shortcut text, before the item's right edge.
constexpr fw::Integer kShortCutGap = 10;

bool IsRightToLeftMenu() { return MiddleEastMenus; }

// The framework's alignment of a menu's texts: centred on a menu bar, else from the reading side.
win::UINT MenuAlignment(bool TopLevel) {
  if (TopLevel) return win::DT_CENTER;
  return IsRightToLeftMenu() ? win::DT_RIGHT : win::DT_LEFT;
}

bool HasShortCutText(const TUniMenuItem* Item, bool TopLevel) {
  return Item->ShortCut() != 0 && Item->Count() == 0 && !TopLevel;
}

fw::Integer Height(const fw::TRect& R) { return R.bottom - R.top; }

// The canvas's font (its colour included) and brush selected into its DC, for the DC's own calls.
win::HDC TextDC(fw::TCanvas* ACanvas) {
  ACanvas->RequiredState({fw::csHandleValid, fw::csFontValid, fw::csBrushValid});
  return ACanvas->Handle();
}

}  // namespace

fw::Integer MeasureWideMenuText(fw::TCanvas* ACanvas, const WideString& Text, win::UINT AlignFlags) {
  win::RECT r{0, 0, 0, 0};
  WideDrawText(TextDC(ACanvas), Text.c_str(), -1, &r,
               win::DT_CALCRECT | win::DT_SINGLELINE | win::DT_EXPANDTABS | AlignFlags);
  return r.right - r.left;
}

void DrawWideMenuItemText(fw::TMenuItem* Item, fw::TCanvas* ACanvas, const WideString& Text, win::UINT Flags,
                          bool Selected, fw::TRect& Rect) {
  if (Item->IsLine()) {
    ACanvas->TextRect(Rect, WideToUtf8(Text), fw::TTextFormat{fw::tfSingleLine});
    return;
  }
  if (IsRightToLeftMenu()) Flags |= win::DT_RIGHT | win::DT_RTLREADING;
  // A lone "&" would be a marker with nothing to mark: it stays visible.
  const WideString text = Text == u"&" ? WideString(u"& ") : Text;
  ACanvas->Brush()->SetStyle(fw::bsClear);
  if (Item->Default()) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + fw::TFontStyles{fw::fsBold});
  const auto draw = [&](fw::TColor Color, fw::Integer Offset) {
    ACanvas->Font()->SetColor(Color);
    win::RECT r{Rect.left + Offset, Rect.top + Offset, Rect.right + Offset, Rect.bottom + Offset};
    WideDrawText(TextDC(ACanvas), text.c_str(), -1, &r, Flags);
  };
  if (!Item->Enabled()) {
    if (!Selected) {
      draw(fw::clBtnHighlight, 1);
      draw(fw::clBtnShadow, 0);
    } else {
      // On a highlight of the shadow's own colour the shadow would not show.
      const bool highlightIsShadow = fw::ColorToRGB(fw::clHighlight) == fw::ColorToRGB(fw::clBtnShadow);
      draw(highlightIsShadow ? fw::clBtnHighlight : fw::clBtnShadow, 0);
    }
    return;
  }
  draw(Selected ? fw::clHighlightText : fw::clMenuText, 0);
}

void DrawWideMenuItem(TUniMenuItem* Item, fw::TCanvas* ACanvas, const fw::TRect& ARect, fw::TOwnerDrawState State,
                      bool TopLevel) {
  const bool selected = State.Contains(fw::odSelected);
  fw::TRect text = ARect;
  if (!TopLevel) {
    const fw::TMenu* menu = Item->GetParentMenu();
    const fw::TCustomImageList* images = menu != nullptr ? menu->Images() : nullptr;
    const bool hasImage = images != nullptr && Item->ImageIndex() >= 0 && Item->ImageIndex() < images->Count();
    const fw::Integer glyph = images != nullptr ? images->Width() : kPlainGlyphWidth;
    text.left = ARect.left + glyph + 1 + (hasImage && Item->Checked() ? 1 : 0) + 2;
  }
  win::UINT flags = MenuAlignment(TopLevel) | win::DT_SINGLELINE | win::DT_EXPANDTABS;
  if (State.Contains(fw::odNoAccel)) flags |= win::DT_HIDEPREFIX;
  const WideString caption = Item->Caption();
  // Measured first, then centred in the item's height.
  win::RECT measured{text.left, text.top, text.right, text.bottom};
  WideDrawText(TextDC(ACanvas), caption.c_str(), -1, &measured, flags | win::DT_CALCRECT | win::DT_NOCLIP);
  const fw::Integer height = measured.bottom - measured.top;
  text.top = ARect.top + (Height(ARect) - height) / 2;
  text.bottom = text.top + height;
  const fw::Integer captionRight = text.left + (measured.right - measured.left);
  DrawWideMenuItemText(Item, ACanvas, caption, flags, selected, text);
  if (!HasShortCutText(Item, TopLevel)) return;
  const WideString key = WideShortCutToText(Item->ShortCut());
  fw::TRect keyRect = text;
  if (IsRightToLeftMenu()) {
    keyRect.left = ARect.left + kShortCutGap;
    keyRect.right = keyRect.left + MeasureWideMenuText(ACanvas, key, 0);
  } else {
    keyRect.left = captionRight;
    keyRect.right = ARect.right - kShortCutGap;
  }
  DrawWideMenuItemText(Item, ACanvas, key, (flags & ~(win::DT_LEFT | win::DT_CENTER)) | win::DT_RIGHT, selected,
                       keyRect);
}

void TUniMenuItem::AdvancedDrawItem(fw::TCanvas* ACanvas, const fw::TRect& ARect, fw::TOwnerDrawState State,
                                    bool TopLevel) {
  const fw::TMenu* menu = GetParentMenu();
  const bool framedMenu = menu != nullptr && (menu->OwnerDraw() || menu->Images() != nullptr);
  if (IsLine() || (framedMenu && (OnDrawItem || OnAdvancedDrawItem))) {
    fw::TMenuItem::AdvancedDrawItem(ACanvas, ARect, State, TopLevel);
    return;
  }
  // The framework draws all but the texts; the item's texts come back untouched, and no menu
  // change is announced meanwhile.
  const String caption = fw::TMenuItem::Caption();
  const fw::TShortCut shortCut = ShortCut();
  FUpdatingCaption = true;
  try {
    fw::TMenuItem::SetCaption(String());
    SetShortCut(0);
    fw::TMenuItem::AdvancedDrawItem(ACanvas, ARect, State, TopLevel);
  } catch (...) {
    fw::TMenuItem::SetCaption(caption);
    SetShortCut(shortCut);
    FUpdatingCaption = false;
    throw;
  }
  fw::TMenuItem::SetCaption(caption);
  SetShortCut(shortCut);
  FUpdatingCaption = false;
  DrawWideMenuItem(this, ACanvas, ARect, State, TopLevel);
}

void TUniMenuItem::MeasureItem(fw::TCanvas* ACanvas, fw::Integer& Width, fw::Integer& Height) {
  if (IsLine()) {
    fw::TMenuItem::MeasureItem(ACanvas, Width, Height);
    return;
  }
  // The handler sees the corrected size, so it is kept aside while the framework measures.
  fw::TMenuMeasureItemEvent handler = std::move(OnMeasureItem);
  OnMeasureItem = nullptr;
  try {
    fw::TMenuItem::MeasureItem(ACanvas, Width, Height);
  } catch (...) {
    OnMeasureItem = std::move(handler);
    throw;
  }
  OnMeasureItem = std::move(handler);
  const fw::TMenu* menu = GetParentMenu();
  const bool topLevel =
      dynamic_cast<const fw::TMainMenu*>(menu) != nullptr && Parent() != nullptr && Parent()->Parent() == nullptr;
  const win::UINT align = MenuAlignment(topLevel);
  if (Default()) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + fw::TFontStyles{fw::fsBold});
  Width += MeasureWideMenuText(ACanvas, Caption(), align) -
           MeasureWideMenuText(ACanvas, Utf8ToWide(fw::TMenuItem::Caption()), align);
  if (HasShortCutText(this, topLevel))
    Width += MeasureWideMenuText(ACanvas, WideShortCutToText(ShortCut()), align) -
             MeasureWideMenuText(ACanvas, Utf8ToWide(fw::ShortCutToText(ShortCut())), align);
  if (OnMeasureItem) OnMeasureItem(this, ACanvas, Width, Height);
}

}  // namespace cs
