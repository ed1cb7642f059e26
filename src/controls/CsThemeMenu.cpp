#include "controls/CsThemeMenu.h"

#include <algorithm>

#include "platform/kernel/TextConvert.h"
#include "tx/Tx.h"

namespace cs {

TCsRadioGroupItem::TCsRadioGroupItem(fw::TComponent* AOwner)
    : toolbars::TTBGroupItem(AOwner), FStrings(std::make_unique<fw::TStringList>()) {
  Recreate();
}

TCsRadioGroupItem::~TCsRadioGroupItem() = default;

void TCsRadioGroupItem::ItemClick(fw::TObject* Sender) {
  auto* item = dynamic_cast<toolbars::TTBCustomItem*>(Sender);
  if (!item || item->Checked() || item->Tag() < 0 || item->Tag() >= FStrings->Count()) return;
  item->SetChecked(true);
  DoClick(Sender);
}

void TCsRadioGroupItem::DoClick(fw::TObject* Sender) {
  if (OnClick) OnClick(Sender);
}

void TCsRadioGroupItem::DoGetCaption(const String& Entry, WideString& Caption) {
  Caption = win::Utf8ToWide(Entry);
  if (OnGetCaption) OnGetCaption(this, Caption);
}

void TCsRadioGroupItem::Recreate() {
  FStrings->Clear();
  for (Integer i = Count() - 1; i >= 0; --i)
    if (Items(i)->GroupIndex() == RadioGroupIndex) delete Items(i);
  DoFillStrings();
  const Integer at = std::clamp<Integer>(FInsertIndex, 0, Count());
  for (Integer i = 0; i < FStrings->Count(); ++i) {
    auto* item = new TCsItem(this);
    WideString caption;
    DoGetCaption(FStrings->Strings(i), caption);
    item->SetCaption(caption);
    item->SetGroupIndex(RadioGroupIndex);
    item->SetTag(i);
    item->OnClick = [this](fw::TObject* Sender) { ItemClick(Sender); };
    Insert(at + i, item);
    if (i == FCheckedIndex) item->SetChecked(true);
  }
  if (OnUpdate) OnUpdate(this);
}

TCsThemeGroupItem::TCsThemeGroupItem(fw::TComponent* AOwner) : TCsRadioGroupItem(AOwner) {
  Recreate();
}

void TCsThemeGroupItem::DoClick(fw::TObject* Sender) {
  auto* item = dynamic_cast<toolbars::TTBCustomItem*>(Sender);
  if (!item) return;
  const String name = Strings()->Strings(Integer(item->Tag()));
  if (!tx::IsThemeRegistered(name)) {
    // Nothing was switched: the check goes back to the theme in use.
    const Integer current = Strings()->IndexOf(tx::GetCurrentThemeName());
    for (Integer i = 0; i < Count(); ++i)
      if (Items(i)->GroupIndex() == RadioGroupIndex) Items(i)->SetChecked(Items(i)->Tag() == current);
    return;
  }
  tx::SetCurrentTheme(name);
  TCsRadioGroupItem::DoClick(Sender);
}

void TCsThemeGroupItem::DoFillStrings() {
  tx::GetRegisteredThemes(Strings());
  Strings()->Sort();
  if (const Integer i = Strings()->IndexOf("Default"); i > 0) Strings()->Move(i, 0);
  SetCheckedIndex(Strings()->IndexOf(tx::GetCurrentThemeName()));
}

}  // namespace cs
