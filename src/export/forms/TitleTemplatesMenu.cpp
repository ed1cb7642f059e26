#include "export/forms/TitleTemplatesMenu.h"

#include "framework/Forms.h"
#include "framework/StdCtrlsEdit.h"
#include "tx/TxItems.h"
#include "tx/TxToolbar.h"
#include "workspace/Common.h"

namespace kvforms {

namespace {

void Fill(tx::TTxSubmenuItem* Item, int Kind, fw::TMemo* Memo) {
  workspace::FillTemplatesMenu(
      Kind, Item,
      [Item, Kind, Memo] {
        if (workspace::EditTemplates(Kind)) Fill(Item, Kind, Memo);
      },
      [Memo](const fw::String& Text) { Memo->SetText(Text); });
}

}  // namespace

tx::TTxSubmenuItem* MakeTitleTemplatesMenu(fw::TForm* Owner, fw::TWinControl* Parent, int Kind, const fw::TRect& Bounds,
                                           fw::TMemo* Memo) {
  auto* bar = new tx::TTxToolbar(Owner);
  bar->SetName("tbTemplates");
  bar->AfterConstruction();
  bar->SetParent(Parent);
  bar->SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
  auto* item = new tx::TTxSubmenuItem(Owner);
  item->SetName("itTemplates");
  item->SetCaption("Заготовки");
  bar->Items()->Add(item);
  Fill(item, Kind, Memo);
  return item;
}

}  // namespace kvforms
