#pragma once
// A group item that shows, in place of itself in its parent menu, one radio item per string of
// a list; and the one that lists the registered toolbar themes and switches the current theme
// when an entry is chosen (the menu "Тема оформления").

#include <memory>

#include "controls/CsItems.h"
#include "framework/StringList.h"

namespace cs {

using TCsGetThemeCaptionEvent = std::function<void(fw::TObject* Sender, WideString& ThemeName)>;

class TCsRadioGroupItem : public toolbars::TTBGroupItem {
 public:
  // The group index of the generated items; other sub-items are left alone by Recreate.
  static constexpr Integer RadioGroupIndex = 8888;

  // Fills the group at once (a descendant fills it again from its own constructor, where its
  // overrides are in place).
  explicit TCsRadioGroupItem(fw::TComponent* AOwner);
  ~TCsRadioGroupItem() override;

  fw::TStringList* Strings() const { return FStrings.get(); }
  // Where among the group's sub-items the generated items start.
  Integer InsertIndex() const { return FInsertIndex; }
  void SetInsertIndex(Integer Value) { FInsertIndex = Value; }
  // The entry checked when the items are made; -1 none.
  Integer CheckedIndex() const { return FCheckedIndex; }
  void SetCheckedIndex(Integer Value) { FCheckedIndex = Value; }

  // Fired after an entry was chosen, with the chosen item as Sender.
  fw::TNotifyEvent OnClick;
  TCsGetThemeCaptionEvent OnGetCaption;
  // Fired after the items were made again.
  fw::TNotifyEvent OnUpdate;

  // The handler of every generated item: an entry not yet checked, of a Tag inside the list,
  // gets checked and DoClick runs.
  virtual void ItemClick(fw::TObject* Sender);
  virtual void DoClick(fw::TObject* Sender);
  virtual void DoGetCaption(const String& Entry, WideString& Caption);
  virtual void DoFillStrings() {}
  // Makes the generated items again from DoFillStrings; the entry at CheckedIndex is checked
  // without being chosen, so rebuilding announces nothing and switches nothing.
  virtual void Recreate();

 private:
  std::unique_ptr<fw::TStringList> FStrings;
  Integer FInsertIndex = 0;
  Integer FCheckedIndex = 0;
};

class TCsThemeGroupItem : public TCsRadioGroupItem {
 public:
  // Lists the themes registered by now.
  explicit TCsThemeGroupItem(fw::TComponent* AOwner);
  // Makes the chosen theme current, then OnClick. An entry naming no registered theme switches
  // nothing: the current theme's entry stays checked and OnClick does not fire.
  void DoClick(fw::TObject* Sender) override;
  // The registered themes, sorted, "Default" first; the current one checked.
  void DoFillStrings() override;
};

}  // namespace cs
