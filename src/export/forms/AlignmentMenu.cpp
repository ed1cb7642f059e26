#include "export/forms/AlignmentMenu.h"

#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "tx/TxItems.h"
#include "tx/TxToolbar.h"
#include "workspace/DataModule.h"
#include "workspace/DataModuleImages.h"

namespace kvforms {

namespace {

// Every entry of the group shares this: checking one unchecks the others.
constexpr fw::Integer kAlignmentGroup = 1;

}  // namespace

void TAlignmentMenu::Choose(tx::TTxItem* Entry) {
  Entry->SetChecked(true);
  Submenu->SetImageIndex(Entry->ImageIndex());
  Submenu->SetHint(Entry->Caption());
}

tx::TTxItem* TAlignmentMenu::Chosen() const {
  for (tx::TTxItem* entry : {Left, Right})
    if (entry->Checked()) return entry;
  return Center;
}

TAlignmentMenu MakeAlignmentMenu(fw::TForm* Owner, fw::TWinControl* Parent, const fw::TRect& Bounds) {
  fw::TImageList* images = workspace::DataModule1 ? workspace::DataModule1->MenuImages() : nullptr;
  auto* bar = new tx::TTxToolbar(Owner);
  bar->SetName("tbAlignment");
  bar->AfterConstruction();
  bar->SetParent(Parent);
  bar->SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
  bar->SetImages(images);
  bar->SetShowHint(true);  // the submenu names the chosen entry in its hint

  TAlignmentMenu menu;
  menu.Submenu = new tx::TTxSubmenuItem(Owner);
  menu.Submenu->SetName("itAlignment");
  menu.Submenu->SetImages(images);
  bar->Items()->Add(menu.Submenu);
  const struct {
    tx::TTxItem*& entry;
    const char* name;
    const char* caption;
    int image;
  } rows[] = {{menu.Left, "itAlLeft", "Расположить слева", workspace::imgAlignLeft},
              {menu.Center, "itAlCenter", "Расположить по центру", workspace::imgAlignCenter},
              {menu.Right, "itAlRight", "Расположить справа", workspace::imgAlignRight}};
  for (const auto& row : rows) {
    auto* entry = new tx::TTxItem(Owner);
    entry->SetName(row.name);
    entry->SetCaption(row.caption);
    entry->SetImageIndex(row.image);
    entry->SetGroupIndex(kAlignmentGroup);
    menu.Submenu->Add(entry);
    row.entry = entry;
  }
  // The menu is copied into the handlers; its pointers stay valid while the items live.
  for (tx::TTxItem* entry : {menu.Left, menu.Center, menu.Right})
    entry->OnClick = [menu, entry](fw::TObject*) mutable { menu.Choose(entry); };
  menu.Choose(menu.Center);
  return menu;
}

}  // namespace kvforms
