#pragma once
// The control set's list item: a themed list in a menu or toolbar whose rows are wide texts,
// measured and drawn as such, taken from a wide string list.

#include <memory>

#include "controls/UniStrings.h"
#include "tx/TxLists.h"

namespace cs {

class TCsCustomList : public tx::TTxCustomList {
 public:
  using tx::TTxCustomList::TTxCustomList;
  virtual WideString GetItemTextW(fw::Integer Index) = 0;
  // Rows have no 8-bit text; they are drawn and measured as GetItemTextW.
  fw::String GetItemText(fw::Integer /*Index*/) override { return {}; }
  std::u16string GetItemDisplayText(fw::Integer Index) override { return GetItemTextW(Index); }
  toolbars::TTBItemViewerClass GetItemViewerClass(toolbars::TTBView* AView) override;
};

class TCsCustomListViewer : public tx::TTxCustomListViewer {
 public:
  using tx::TTxCustomListViewer::TTxCustomListViewer;
};

class TCsStringList : public TCsCustomList {
 public:
  explicit TCsStringList(fw::TComponent* AOwner);
  ~TCsStringList() override;

  TUniStringList* Strings() const { return FStrings.get(); }
  // Copies the lines (a framework string list's through the 8-bit view of the wide list).
  void SetStrings(fw::TPersistent* Value) { FStrings->Assign(Value); }

  WideString GetItemTextW(fw::Integer Index) override { return FStrings->Get(int(Index)); }
  fw::Integer GetCount() override { return FStrings->GetCount(); }

 private:
  std::unique_ptr<TUniStringList> FStrings;
};

}  // namespace cs
