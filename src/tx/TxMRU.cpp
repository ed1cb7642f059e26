#include "tx/TxMRU.h"

namespace tx {

using namespace toolbars;

void TTxMRUList::SetKeyShift(Integer Value) {
  FKeyShift = Value < 0 ? 0 : Value;
  RebuildItems();
}

TTBItemClass TTxMRUList::GetItemClass() { return TTBItemClass::Of<TTxItem>(); }

void TTxMRUList::RebuildItems() {
  TTBMRUList::RebuildItems();
  auto* container = dynamic_cast<TTxCustomItem*>(RootItem());
  if (!container) return;
  for (Integer i = 0; i < container->Count(); ++i)
    if (auto* entry = dynamic_cast<TTxCustomItem*>(container->Items(i)))
      entry->FontSettings()->Assign(container->FontSettings());
}

TTxMRUListItem::TTxMRUListItem(fw::TComponent* AOwner) : TTxCustomItem(AOwner) {
  SetItemStyle(TTBItemStyle(ItemStyle() | tbisEmbeddedGroup));
  SetCaption("(Tx MRU List)");
}

TTxMRUListItem::~TTxMRUListItem() {
  if (FMRUList) FMRUList->RemoveFreeNotification(this);
}

void TTxMRUListItem::SetMRUList(TTBMRUList* Value) {
  if (FMRUList == Value) return;
  if (FMRUList) FMRUList->RemoveFreeNotification(this);
  FMRUList = Value;
  if (FMRUList) FMRUList->FreeNotification(this);
  SetLinkSubitems(FMRUList ? FMRUList->RootItem() : nullptr);
}

void TTxMRUListItem::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TTxCustomItem::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FMRUList) {
    FMRUList = nullptr;
    SetLinkSubitems(nullptr);
  }
}

}  // namespace tx
