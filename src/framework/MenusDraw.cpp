// Owner-drawn menu items: the window system's menu asks the owner window (the form of a menu
// bar, the popup list's window for popup menus) to measure and draw MFT_OWNERDRAW items; the
// item found by its command measures and draws itself on a canvas over the DC.
#include <algorithm>

#include "framework/Forms.h"
#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/painting/UserDraw.h"

namespace fw {
namespace {

// The glyph column before the caption: as wide as the menu's images, 16 without.
constexpr Integer kPlainGlyphWidth = 16;
// Space between the caption and the shortcut text, and after the shortcut.
constexpr Integer kShortCutGap = 10;

Integer GlyphWidth(const TMenu* Menu) {
  return Menu != nullptr && Menu->Images() != nullptr ? Menu->Images()->Width() : kPlainGlyphWidth;
}

Integer GlyphHeight(const TMenu* Menu) {
  return Menu != nullptr && Menu->Images() != nullptr ? Menu->Images()->Height() : kPlainGlyphWidth;
}

// A caption "text\tkey" keeps its key text in a column of its own, as the platform's menus do;
// without a tab the item's shortcut fills that column (nothing on a submenu's item).
struct TCaptionParts {
  String Text;
  String Key;
};

TCaptionParts SplitCaption(const String& Caption, TShortCut ShortCut, bool Submenu) {
  const auto tab = Caption.find('\t');
  if (tab != String::npos) return {Caption.substr(0, tab), Caption.substr(tab + 1)};
  return {Caption, ShortCut != 0 && !Submenu ? ShortCutToText(ShortCut) : String()};
}

void UseMenuFont(TCanvas* Canvas) {
  if (Screen != nullptr) Canvas->Font()->Assign(Screen->MenuFont());
}

// A canvas over a DC the window system lends for one message; the DC is given back untouched.
class TLentCanvas : public TCanvas {
 public:
  explicit TLentCanvas(win::HDC DC) : FSaved(win::SaveDC(DC)), FDC(DC) { SetHandle(DC); }
  ~TLentCanvas() override {
    SetHandle(nullptr);
    win::RestoreDC(FDC, FSaved);
  }

 private:
  int FSaved;
  win::HDC FDC;
};

}  // namespace

bool TMenuItem::IsOwnerDraw() const {
  const TMenu* menu = GetParentMenu();
  if (menu == nullptr || IsLine()) return false;
  if (menu->OwnerDraw()) return true;
  const bool onMenuBar = menu->IsMenuBar() && FParent != nullptr && FParent->FParent == nullptr;
  return menu->Images() != nullptr && !onMenuBar;
}

void TMenuItem::DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected) {
  AdvancedDrawItem(ACanvas, ARect, Selected ? TOwnerDrawState{odSelected} : TOwnerDrawState{}, false);
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel) {
  if (OnAdvancedDrawItem) {
    OnAdvancedDrawItem(this, ACanvas, ARect, State);
    return;
  }
  if (OnDrawItem) {
    OnDrawItem(this, ACanvas, ARect, State.Contains(odSelected));
    return;
  }
  const bool selected = State.Contains(odSelected);
  const bool disabled = State.Contains(odDisabled) || State.Contains(odGrayed) || !FEnabled;
  TMenu* menu = GetParentMenu();
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(selected ? clHighlight : clMenu);
  ACanvas->FillRect(ARect);

  TRect text = ARect;
  if (!TopLevel) {
    const Integer glyph = GlyphWidth(menu);
    TCustomImageList* images = menu != nullptr ? menu->Images() : nullptr;
    const bool hasImage = images != nullptr && FImageIndex >= 0 && FImageIndex < images->Count();
    const Integer glyphTop = ARect.top + (ARect.bottom - ARect.top - GlyphHeight(menu)) / 2;
    if (hasImage) {
      // A checked item's image sits one pixel in, on a sunken square.
      const Integer shift = FChecked ? 1 : 0;
      if (FChecked) {
        TRect frame = Bounds(ARect.left, glyphTop - 1, glyph + 2, GlyphHeight(menu) + 2);
        win::DrawEdge(ACanvas->Handle(), &frame, win::BDR_SUNKENOUTER, win::BF_RECT);
      }
      images->Draw(ACanvas, ARect.left + shift, glyphTop + shift, FImageIndex, !disabled);
    } else if (FChecked) {
      TRect mark = Bounds(ARect.left, ARect.top, glyph, ARect.bottom - ARect.top);
      ACanvas->Font()->SetColor(selected ? clHighlightText : clMenuText);
      win::SetTextColor(ACanvas->Handle(), win::COLORREF(ColorToRGB(selected ? clHighlightText : clMenuText)));
      win::DrawFrameControl(ACanvas->Handle(), &mark, win::DFC_MENU,
                            FRadioItem ? win::DFCS_MENUBULLET : win::DFCS_MENUCHECK);
    }
    text.left = ARect.left + glyph + 1 + (hasImage && FChecked ? 1 : 0) + 2;
  }

  TTextFormat format{tfSingleLine, tfVerticalCenter};
  if (TopLevel) format.Include(tfCenter);
  if (State.Contains(odNoAccel)) format.Include(tfHidePrefix);
  ACanvas->Brush()->SetStyle(bsClear);
  if (FDefault) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + TFontStyles{fsBold});
  const TCaptionParts parts =
      TopLevel ? TCaptionParts{FCaption, {}} : SplitCaption(FCaption, FShortCut, !FItems.empty());
  const auto paint = [&](TColor Color, Integer Offset) {
    ACanvas->Font()->SetColor(Color);
    TRect r = text;
    win::OffsetRect(&r, Offset, Offset);
    ACanvas->TextRect(r, parts.Text, format);
    if (!parts.Key.empty()) {
      // Right-aligned, so that the keys of a menu end in one column.
      TRect s{r.left, r.top, ARect.right - kShortCutGap + Offset, r.bottom};
      TTextFormat right = format;
      right.Include(tfRight);
      right.Include(tfNoPrefix);
      ACanvas->TextRect(s, parts.Key, right);
    }
  };
  if (disabled && !selected) {
    paint(clBtnHighlight, 1);
    paint(clBtnShadow, 0);
  } else if (disabled) {
    paint(clBtnShadow, 0);
  } else {
    paint(selected ? clHighlightText : clMenuText, 0);
  }
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, Integer& Width, Integer& Height) {
  TMenu* menu = GetParentMenu();
  const bool topLevel = menu != nullptr && menu->IsMenuBar() && FParent != nullptr && FParent->FParent == nullptr;
  if (FDefault) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + TFontStyles{fsBold});
  const TCaptionParts parts =
      topLevel ? TCaptionParts{FCaption, {}} : SplitCaption(FCaption, FShortCut, !FItems.empty());
  TRect caption{0, 0, 0, 0};
  ACanvas->TextRect(caption, parts.Text, TTextFormat{tfCalcRect, tfSingleLine});
  Width = caption.right - caption.left;
  Height = std::max<Integer>(caption.bottom - caption.top, ACanvas->TextHeight("Wg")) + 4;
  if (!topLevel) {
    Width += GlyphWidth(menu) + 1 + 2;
    Height = std::max(Height, GlyphHeight(menu) + 4);
    if (!parts.Key.empty()) Width += kShortCutGap + ACanvas->TextWidth(parts.Key) + kShortCutGap;
  }
  if (OnMeasureItem) OnMeasureItem(this, ACanvas, Width, Height);
}

bool TMenu::DispatchMeasureItem(win::MEASUREITEMSTRUCT& Measure) {
  if (Measure.CtlType != win::ODT_MENU) return false;
  TMenuItem* item = FindItem(Measure.itemID, fkCommand);
  if (item == nullptr) return false;
  win::HDC dc = win::CreateCompatibleDC(nullptr);
  Integer width = 0, height = 0;
  {
    TLentCanvas canvas(dc);
    UseMenuFont(&canvas);
    item->MeasureItem(&canvas, width, height);
  }
  win::DeleteDC(dc);
  Measure.itemWidth = win::UINT(std::max<Integer>(width, 0));
  Measure.itemHeight = win::UINT(std::max<Integer>(height, 0));
  return true;
}

bool TMenu::DispatchDrawItem(const win::DRAWITEMSTRUCT& Draw) {
  if (Draw.CtlType != win::ODT_MENU || Draw.hDC == nullptr) return false;
  TMenuItem* item = FindItem(Draw.itemID, fkCommand);
  if (item == nullptr) return false;
  const bool topLevel = IsMenuBar() && item->Parent() == FItems.get();
  TLentCanvas canvas(Draw.hDC);
  UseMenuFont(&canvas);
  item->AdvancedDrawItem(&canvas, Draw.rcItem, OwnerDrawStateOf(Draw.itemState), topLevel);
  return true;
}

}  // namespace fw
