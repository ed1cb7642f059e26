#include "GalleryBars.h"

#include "GalleryForm.h"
#include "controls/CsEditItems.h"
#include "controls/CsStatusBar.h"
#include "controls/CsThemeMenu.h"
#include "controls/CsToolbars.h"
#include "controls/UniCodePages.h"
#include "framework/GraphicsBitmap.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"
#include "tx/Tx.h"

#include <string>

namespace gallery {

namespace {

// Three 16 x 16 glyphs drawn here: a folder, a disk and a question mark.
fw::TImageList* MakeGlyphs(fw::TComponent* Owner) {
  auto* list = new fw::TImageList(Owner);
  list->SetWidth(16);
  list->SetHeight(16);
  for (int i = 0; i < 3; ++i) {
    fw::TBitmap glyph;
    glyph.SetPixelFormat(fw::pf24bit);
    glyph.SetSize(16, 16);
    fw::TCanvas* c = glyph.Canvas();
    c->Brush()->SetColor(fw::clFuchsia);
    c->FillRect(fw::TRect{0, 0, 16, 16});
    c->Pen()->SetColor(0x202020);
    switch (i) {
      case 0:
        c->Brush()->SetColor(0x3CC8F0);
        c->Rectangle(1, 4, 15, 14);
        c->Rectangle(1, 2, 7, 5);
        break;
      case 1:
        c->Brush()->SetColor(0xB05020);
        c->Rectangle(2, 2, 14, 14);
        c->Brush()->SetColor(0xF0F0F0);
        c->Rectangle(4, 3, 12, 8);
        break;
      default:
        c->Brush()->SetColor(0x30A030);
        c->Ellipse(1, 1, 15, 15);
        c->Font()->SetColor(fw::clWhite);
        c->Brush()->SetStyle(fw::bsClear);
        c->TextOut(5, 1, "?");
        break;
    }
    list->AddMasked(&glyph, fw::clFuchsia);
  }
  return list;
}

cs::TCsItem* Button(cs::TCsToolbar* Bar, const char16_t* Caption, const char16_t* Hint, int Image) {
  auto* item = new cs::TCsItem(Bar->Items());
  item->SetCaption(Caption);
  item->SetHint(Hint);
  item->SetImageIndex(Image);
  item->SetDisplayMode(toolbars::nbdmImageAndText);
  item->OnClick = [item](fw::TObject*) {
    TGalleryForm::Report("item " + cs::WideToUtf8(item->WideCaption()));
  };
  Bar->Items()->Add(item);
  return item;
}

void Separator(toolbars::TTBCustomItem* Parent) {
  Parent->Add(new cs::TCsSeparatorItem(Parent));
}

}  // namespace

void AddControlSetBars(TGalleryForm* Form) {
  auto* status = new cs::TCsStatusBar(Form);
  status->SetParent(Form);
  auto panel = [status](const char16_t* Caption) {
    auto* label = new cs::TCsLabelItem(status->Items());
    label->SetCaption(Caption);
    status->Items()->Add(label);
    return label;
  };
  panel(u"Готово");
  Separator(status->Items());
  panel(u"x = 0,5");
  Separator(status->Items());
  panel(u"y = 1,25");

  auto* dock = new cs::TCsDock(Form);
  dock->SetPosition(toolbars::dpBottom);
  dock->SetParent(Form);
  auto* bar = new cs::TCsToolbar(Form);
  bar->AfterConstruction();
  bar->SetImages(MakeGlyphs(Form));
  bar->SetShowHint(true);
  bar->SetCaption("Панель");

  auto* themes = new cs::TCsSubmenuItem(bar->Items());
  themes->SetCaption(u"Тема оформления");
  themes->SetOptions(toolbars::TTBItemOptions{toolbars::tboDropdownArrow});
  bar->Items()->Add(themes);
  auto* list = new cs::TCsThemeGroupItem(themes);
  list->OnClick = [](fw::TObject*) { TGalleryForm::Report("theme " + tx::GetCurrentThemeName()); };
  themes->Add(list);
  Separator(bar->Items());
  Button(bar, u"Открыть", u"Открыть|Открывает файл с данными", 0);
  Button(bar, u"Сохранить", u"", 1)->SetShortCut(fw::ShortCut('S', fw::TShiftState{fw::ssCtrl}));
  Separator(bar->Items());
  auto* label = new cs::TCsLabelItem(bar->Items());
  label->SetCaption(u"Линия:");
  bar->Items()->Add(label);
  auto* combo = new cs::TCsComboBoxItem(bar->Items());
  for (const char16_t* s : {u"Сплошная", u"Штриховая", u"Пунктирная", u"Штрихпунктирная"})
    combo->Strings()->Add(s);
  combo->SetItemIndex(0);
  combo->SetEditWidth(110);
  combo->OnChange = [](fw::TObject*, const fw::String& Text) { TGalleryForm::Report("line " + Text); };
  bar->Items()->Add(combo);
  auto* name = new cs::TCsEditItem(bar->Items());
  name->SetEditWidth(80);
  name->SetText(u"График 1");
  name->OnChange = [](fw::TObject*, const fw::String& Text) { TGalleryForm::Report("name " + Text); };
  bar->Items()->Add(name);
  bar->Items()->Add(new cs::TCsRightAlignSpacerItem(bar->Items()));
  Button(bar, u"Справка", u"", 2);
  bar->SetCurrentDock(dock);

  Form->SetHeight(Form->Height() + dock->Height() + status->Height());
  const fw::TNotifyEvent shown = Form->OnShow;
  // Tells a driving script where the theme menu's button is (client coordinates of its centre)
  // and where the line combo item is (client coordinates of its corners).
  Form->OnShow = [Form, bar, themes, combo, shown](fw::TObject* Sender) {
    if (shown) shown(Sender);
    bar->View()->ValidatePositions();
    const fw::TRect r = bar->View()->Find(themes)->BoundsRect();
    const fw::TPoint c =
        Form->ScreenToClient(bar->ClientToScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
    TGalleryForm::Report("themes at " + std::to_string(c.x) + "," + std::to_string(c.y));
    const fw::TRect b = bar->View()->Find(combo)->BoundsRect();
    const fw::TPoint tl = Form->ScreenToClient(bar->ClientToScreen({b.left, b.top}));
    const fw::TPoint br = Form->ScreenToClient(bar->ClientToScreen({b.right, b.bottom}));
    TGalleryForm::Report("combo at " + std::to_string(tl.x) + "," + std::to_string(tl.y) + "," +
                         std::to_string(br.x) + "," + std::to_string(br.y));
  };
}

}  // namespace gallery
