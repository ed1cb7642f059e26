#include "toolbars/TBMRU.h"

#include <filesystem>

#include "framework/SysUtils.h"
#include "toolbars/TBCommon.h"

namespace toolbars {

namespace {

// Accelerators: "1".."9", then "A".."Z"; none after that.
constexpr Integer kDigitKeys = 9, kLetterKeys = 26;

String ExpandFileName(const String& Name) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(std::filesystem::path(Name), ec);
  if (ec) return Name;
  return p.lexically_normal().string();
}

// The title a file shows under: its name without folder and extension.
String FileTitle(const String& Name) {
  std::filesystem::path p(Name);
  String stem = p.stem().string();
  return stem.empty() ? p.filename().string() : stem;
}

}  // namespace

// ---- strings ----

TTBMRUListStrings::TTBMRUListStrings(TTBMRUList* AList) : FList(AList), FStrings(std::make_unique<fw::TStringList>()) {}
TTBMRUListStrings::~TTBMRUListStrings() = default;

String TTBMRUListStrings::Get(Integer Index) const { return FStrings->Strings(Index); }
Integer TTBMRUListStrings::GetCount() const { return FStrings->Count(); }

void TTBMRUListStrings::Changed() {
  FList->RebuildItems();
  FList->NotifyChange();
}

void TTBMRUListStrings::Put(Integer Index, const String& S) {
  FStrings->SetStrings(Index, S);
  Changed();
}

void TTBMRUListStrings::Clear() {
  for (Integer i = GetCount() - 1; i >= 0; --i) Delete(i);
}

void TTBMRUListStrings::Delete(Integer Index) {
  TTBCustomItem* item = FList->FRootItem->Items(Index);
  FStrings->Delete(Index);
  delete item;
  Changed();
}

Integer TTBMRUListStrings::IndexOf(std::string_view S) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (FStrings->Strings(i) == S) return i;
  return -1;
}

void TTBMRUListStrings::Insert(Integer Index, const String& S) {
  TTBCustomItem* item = FList->GetItemClass().Create(FList->FRootItem.get());
  item->OnClick = [list = FList](TObject* Sender) { list->ItemClick(Sender); };
  FList->FRootItem->Insert(Index, item);
  FStrings->Insert(Index, S);
  Changed();
}

void TTBMRUListStrings::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  FStrings->Move(CurIndex, NewIndex);
  FList->FRootItem->Move(CurIndex, NewIndex);
  Changed();
}

// ---- list ----

TTBMRUList::TTBMRUList(TComponent* AOwner) : TComponent(AOwner) {
  FRootItem = std::make_unique<TTBCustomItem>(nullptr);
  FItems = std::make_unique<TTBMRUListStrings>(this);
}

TTBMRUList::~TTBMRUList() {
  // The items go before the strings that describe them.
  FRootItem.reset();
  FItems.reset();
}

Integer TTBMRUList::GetFirstKey() { return 0; }

TTBItemClass TTBMRUList::GetItemClass() { return TTBItemClass::Of<TTBCustomItem>(); }

void TTBMRUList::Add(const String& Filename) {
  String name = FAddFullPath ? ExpandFileName(Filename) : Filename;
  Integer i = FItems->IndexOf(name);
  if (i < 0) {
    FItems->Insert(0, name);
    return;
  }
  if (i > 0) FItems->Move(i, 0);
  FItems->Put(0, name);
}

void TTBMRUList::SetItems(fw::TStrings* Value) {
  FItems->Clear();
  if (Value == nullptr) return;
  for (Integer i = 0; i < Value->Count() && i < std::max<Integer>(FMaxItems, 0); ++i)
    FItems->Insert(FItems->Count(), Value->Strings(i));
}

void TTBMRUList::SetHidePathExtension(bool Value) {
  if (FHidePathExtension == Value) return;
  FHidePathExtension = Value;
  RebuildItems();
}

void TTBMRUList::SetMaxItems(Integer Value) {
  FMaxItems = std::max<Integer>(Value, 0);
  RebuildItems();
}

void TTBMRUList::RebuildItems() {
  if (FRebuilding) return;
  FRebuilding = true;
  try {
    // Deleting an entry rebuilds too; this pass does all the work.
    while (FItems->Count() > FMaxItems) FItems->Delete(FItems->Count() - 1);
    Integer key = GetFirstKey();
    for (Integer i = 0; i < FRootItem->Count(); ++i, ++key) {
      String text = FItems->Get(i);
      if (FHidePathExtension) text = FileTitle(text);
      text = EscapeAmpersands(text);
      String accel;
      if (key >= 0 && key < kDigitKeys)
        accel = String(1, char('1' + key));
      else if (key >= kDigitKeys && key < kDigitKeys + kLetterKeys)
        accel = String(1, char('A' + key - kDigitKeys));
      FRootItem->Items(i)->SetCaption(accel.empty() ? text : "&" + accel + " " + text);
    }
  } catch (...) {
    FRebuilding = false;
    throw;
  }
  FRebuilding = false;
}

void TTBMRUList::NotifyChange() {
  if (OnChange && !ComponentState().Contains(fw::csLoading)) OnChange(this);
}

void TTBMRUList::ItemClick(TObject* Sender) {
  Integer i = FRootItem->IndexOf(static_cast<TTBCustomItem*>(Sender));
  if (i < 0) return;
  if (i > 0) FItems->Move(i, 0);
  if (OnClick) OnClick(this, FItems->Get(0));
}

}  // namespace toolbars
