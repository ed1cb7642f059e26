#include <algorithm>

#include "controls/UniCodePages.h"
#include "controls/UniStrings.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/Locale.h"

namespace cs {

void WideListError(const char* Message, int Data) {
  throw fw::EStringListError(fw::Format(Message, Data));
}

TUniStringList::~TUniStringList() {
  // No change event while the lines go.
  OnChange = nullptr;
  OnChanging = nullptr;
}

void TUniStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) WideListError("List index out of bounds (%d)", Index);
}

WideString TUniStringList::Get(int Index) const {
  CheckIndex(Index);
  return FList[std::size_t(Index)].S;
}

WideString TUniStringList::GetTextStr() const {
  std::size_t size = 0;
  for (const Item& item : FList) size += item.S.size() + 2;
  WideString out;
  out.reserve(size);
  for (const Item& item : FList) {
    out += item.S;
    out += u"\r\n";
  }
  return out;
}

fw::TObject* TUniStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return FList[std::size_t(Index)].Object;
}

void TUniStringList::Put(int Index, const WideString& S) {
  if (FSorted) WideListError("Operation not allowed on sorted list", 0);
  CheckIndex(Index);
  Changing();
  FList[std::size_t(Index)].S = S;
  Changed();
}

void TUniStringList::PutObject(int Index, fw::TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[std::size_t(Index)].Object = AObject;
  Changed();
}

void TUniStringList::SetCapacity(int NewCapacity) {
  // Lines are never dropped by a smaller capacity.
  if (NewCapacity < GetCount()) WideListError("List capacity out of bounds (%d)", NewCapacity);
  if (NewCapacity > FCapacity) FList.reserve(std::size_t(NewCapacity));
  else if (NewCapacity == 0) FList.shrink_to_fit();
  FCapacity = NewCapacity;
}

void TUniStringList::Grow() {
  const int delta = FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4;
  SetCapacity(FCapacity + delta);
}

void TUniStringList::SetUpdateState(bool Updating) {
  if (Updating) Changing();
  else Changed();
}

void TUniStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TUniStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

int TUniStringList::CompareStrings(std::u16string_view S1, std::u16string_view S2) const {
  if (FCaseSensitive)
    return win::CompareStringW(win::LOCALE_USER_DEFAULT, 0, S1.data(), int(S1.size()), S2.data(), int(S2.size())) - 2;
  return win::CompareTextIgnoreCase(S1, S2);
}

int TUniStringList::Add(const WideString& S) { return AddObject(S, nullptr); }

int TUniStringList::AddObject(const WideString& S, fw::TObject* AObject) {
  int at = GetCount();
  if (FSorted && Find(S, at)) {
    if (FDuplicates == fw::dupIgnore) return at;
    if (FDuplicates == fw::dupError) WideListError("String list does not allow duplicates", 0);
  }
  InsertItem(at, S, AObject);
  return at;
}

void TUniStringList::InsertItem(int Index, const WideString& S, fw::TObject* AObject) {
  Changing();
  if (GetCount() == FCapacity) Grow();
  FList.insert(FList.begin() + Index, Item{S, AObject});
  Changed();
}

void TUniStringList::AddLoadedLine(WideString&& S) {
  if (FSorted) {
    AddObject(S, nullptr);
    return;
  }
  // Lines of a text or file are taken as they are, without a copy.
  Changing();
  FList.push_back(Item{std::move(S), nullptr});
  FCapacity = std::max(FCapacity, int(FList.capacity()));
  Changed();
}

void TUniStringList::Insert(int Index, const WideString& S) { InsertObject(Index, S, nullptr); }

void TUniStringList::InsertObject(int Index, const WideString& S, fw::TObject* AObject) {
  if (FSorted) WideListError("Operation not allowed on sorted list", 0);
  if (Index < 0 || Index > GetCount()) WideListError("List index out of bounds (%d)", Index);
  InsertItem(Index, S, AObject);
}

void TUniStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  FList.clear();
  SetCapacity(0);
  Changed();
}

void TUniStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  FList.erase(FList.begin() + Index);
  Changed();
}

void TUniStringList::ExchangeItems(int Index1, int Index2) {
  std::swap(FList[std::size_t(Index1)], FList[std::size_t(Index2)]);
}

void TUniStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  ExchangeItems(Index1, Index2);
  Changed();
}

bool TUniStringList::Find(std::u16string_view S, int& Index) const {
  bool found = false;
  int lo = 0, hi = GetCount() - 1;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int c = CompareStrings(FList[std::size_t(mid)].S, S);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != fw::dupAccept) lo = mid;
      }
    }
  }
  Index = lo;
  return found;
}

int TUniStringList::IndexOf(std::u16string_view S) const {
  if (!FSorted) return TUniStrings::IndexOf(S);
  int index = 0;
  return Find(S, index) ? index : -1;
}

int TUniStringList::IndexOfName(std::u16string_view Name) const {
  if (!FSorted) return TUniStrings::IndexOfName(Name);
  const WideString key = WideString(Name) + NameValueSeparator();
  int index = 0;
  Find(key, index);
  if (index < GetCount()) {
    const WideString& line = FList[std::size_t(index)].S;
    if (line.size() >= key.size() && CompareStrings(std::u16string_view(line).substr(0, key.size()), key) == 0)
      return index;
  }
  return -1;
}

void TUniStringList::Sort() {
  if (FSorted || GetCount() < 2) return;
  Changing();
  std::sort(FList.begin(), FList.end(),
            [this](const Item& a, const Item& b) { return CompareStrings(a.S, b.S) < 0; });
  Changed();
}

void TUniStringList::QuickSort(int L, int R, const TUniStringListSortCompare& Compare) {
  // Indexes are positions in the list as it is while sorting, as Compare sees them.
  while (L < R) {
    int i = L, j = R;
    const int pivot = (L + R) / 2;
    int p = pivot;
    while (i <= j) {
      while (Compare(this, i, p) < 0) ++i;
      while (Compare(this, j, p) > 0) --j;
      if (i <= j) {
        if (i != j) ExchangeItems(i, j);
        if (p == i) p = j;
        else if (p == j) p = i;
        ++i;
        --j;
      }
    }
    if (j - L < R - i) {
      QuickSort(L, j, Compare);
      L = i;
    } else {
      QuickSort(i, R, Compare);
      R = j;
    }
  }
}

void TUniStringList::CustomSort(const TUniStringListSortCompare& Compare) {
  if (FSorted || GetCount() < 2) return;
  Changing();
  QuickSort(0, GetCount() - 1, Compare);
  Changed();
}

void TUniStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TUniStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) {
    // Re-sorted under the new comparison, so that finding still holds.
    FSorted = false;
    Sort();
    FSorted = true;
  }
}

}  // namespace cs
