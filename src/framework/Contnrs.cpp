#include "framework/Contnrs.h"

#include <algorithm>

#include "framework/SysUtils.h"

namespace fw {

TList::~TList() {
  // Descendants' Notify is gone by now; each descendant clears in its own destructor.
  FList.clear();
}

void TList::Error(const char* Message, Integer Data) { throw EListError(Format(Message, Data)); }

void TList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
}

void TList::Notify(void*, TListNotification) {}

Integer TList::Add(void* Item) {
  FList.push_back(Item);
  if (Item) Notify(Item, lnAdded);
  return Count() - 1;
}

void TList::Insert(Integer Index, void* Item) {
  if (Index < 0 || Index > Count()) Error("List index out of bounds (%d)", Index);
  FList.insert(FList.begin() + Index, Item);
  if (Item) Notify(Item, lnAdded);
}

void TList::Delete(Integer Index) {
  CheckIndex(Index);
  void* item = FList[std::size_t(Index)];
  FList.erase(FList.begin() + Index);
  if (item) Notify(item, lnDeleted);
}

Integer TList::Remove(void* Item) {
  Integer i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

void* TList::Extract(void* Item) {
  Integer i = IndexOf(Item);
  if (i < 0) return nullptr;
  FList.erase(FList.begin() + i);
  Notify(Item, lnExtracted);
  return Item;
}

Integer TList::IndexOf(const void* Item) const {
  auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : Integer(it - FList.begin());
}

void TList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[std::size_t(Index1)], FList[std::size_t(Index2)]);
}

void TList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  void* item = FList[std::size_t(CurIndex)];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
}

void TList::Sort(const TListSortCompare& Compare) {
  std::stable_sort(FList.begin(), FList.end(), [&](void* a, void* b) { return Compare(a, b) < 0; });
}

void TList::Pack() { std::erase(FList, nullptr); }

void TList::Clear() {
  while (!FList.empty()) Delete(Count() - 1);
  FList.shrink_to_fit();
}

void* TList::Items(Integer Index) const {
  CheckIndex(Index);
  return FList[std::size_t(Index)];
}

void TList::SetItems(Integer Index, void* Item) {
  CheckIndex(Index);
  void* old = FList[std::size_t(Index)];
  if (old == Item) return;
  FList[std::size_t(Index)] = Item;
  if (old) Notify(old, lnDeleted);
  if (Item) Notify(Item, lnAdded);
}

void TList::SetCount(Integer NewCount) {
  if (NewCount < 0) Error("List count out of bounds (%d)", NewCount);
  while (Count() > NewCount) Delete(Count() - 1);
  FList.resize(std::size_t(NewCount), nullptr);
}

void TList::SetCapacity(Integer NewCapacity) {
  if (NewCapacity < Count()) Error("List capacity out of bounds (%d)", NewCapacity);
  FList.reserve(std::size_t(NewCapacity));
}

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* Ptr, TListNotification Action) {
  if (FOwnsObjects && Action == lnDeleted) delete static_cast<TObject*>(Ptr);
  TList::Notify(Ptr, Action);
}

}  // namespace fw
