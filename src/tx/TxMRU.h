#pragma once
// Recent-files lists whose entries are themed items, and the item that shows such a list's
// entries in its place in a menu.

#include "toolbars/TBMRU.h"
#include "tx/TxItems.h"

namespace tx {

class TTxMRUList : public toolbars::TTBMRUList {
 public:
  using TTBMRUList::TTBMRUList;
  // The accelerator number of the first entry; negative values count as 0.
  Integer KeyShift() const { return FKeyShift; }
  void SetKeyShift(Integer Value);

  Integer GetFirstKey() override { return FKeyShift; }
  toolbars::TTBItemClass GetItemClass() override;
  void RebuildItems() override;

 private:
  Integer FKeyShift = 0;
};

class TTxMRUListItem : public TTxCustomItem {
 public:
  explicit TTxMRUListItem(fw::TComponent* AOwner);
  ~TTxMRUListItem() override;
  toolbars::TTBMRUList* MRUList() const { return FMRUList; }
  void SetMRUList(toolbars::TTBMRUList* Value);
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  toolbars::TTBMRUList* FMRUList = nullptr;
};

}  // namespace tx
