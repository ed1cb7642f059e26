#include "framework/StringList.h"

#include <algorithm>
#include <numeric>

#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/kernel/TextConvert.h"

namespace fw {

// TStrings -------------------------------------------------------------------------------------

TStrings::~TStrings() {
  if (FAdapter) FAdapter->ReleaseStrings();
}

void TStrings::SetStringsAdapter(std::shared_ptr<IStringsAdapter> Value) {
  if (FAdapter) FAdapter->ReleaseStrings();
  FAdapter = std::move(Value);
  if (FAdapter) FAdapter->ReferenceStrings(this);
}

void TStrings::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  Filer->DefineProperty(
      "Strings",
      [this](TReader* Reader) {
        BeginUpdate();
        try {
          Clear();
          Reader->ReadListBegin();
          while (!Reader->EndOfList()) Add(Reader->ReadString());
          Reader->ReadListEnd();
        } catch (...) {
          EndUpdate();
          throw;
        }
        EndUpdate();
      },
      [this](TWriter* Writer) {
        Writer->WriteListBegin();
        for (Integer i = 0; i < GetCount(); ++i) Writer->WriteString(Get(i));
        Writer->WriteListEnd();
      },
      GetCount() > 0);
}

void TStrings::Error(const char* Message, Integer Data) const { throw EStringListError(Format(Message, Data)); }

void TStrings::Put(Integer Index, const String& S) {
  TObject* obj = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, obj);
}

TObject* TStrings::GetObject(Integer) const { return nullptr; }
void TStrings::PutObject(Integer, TObject*) {}

Integer TStrings::Add(const String& S) {
  Integer at = GetCount();
  Insert(at, S);
  return at;
}

Integer TStrings::AddObject(const String& S, TObject* AObject) {
  Integer at = Add(S);
  PutObject(at, AObject);
  return at;
}

void TStrings::AddStrings(const TStrings* Strings) {
  BeginUpdate();
  try {
    for (Integer i = 0; i < Strings->Count(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::InsertObject(Integer Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Exchange(Integer Index1, Integer Index2) {
  BeginUpdate();
  String s1 = Get(Index1), s2 = Get(Index2);
  TObject* o1 = GetObject(Index1);
  TObject* o2 = GetObject(Index2);
  Put(Index1, s2);
  PutObject(Index1, o2);
  Put(Index2, s1);
  PutObject(Index2, o1);
  EndUpdate();
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  String s = Get(CurIndex);
  TObject* obj = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, s, obj);
  EndUpdate();
}

Integer TStrings::IndexOf(std::string_view S) const {
  for (Integer i = 0; i < GetCount(); ++i) {
    if (CompareStrings(Get(i), S) == 0) return i;
  }
  return -1;
}

Integer TStrings::IndexOfName(std::string_view Name) const {
  for (Integer i = 0; i < GetCount(); ++i) {
    String s = Get(i);
    std::size_t at = s.find(FNameValueSeparator);
    if (at != String::npos && CompareStrings(std::string_view(s).substr(0, at), Name) == 0) return i;
  }
  return -1;
}

Integer TStrings::IndexOfObject(const TObject* AObject) const {
  for (Integer i = 0; i < GetCount(); ++i) {
    if (GetObject(i) == AObject) return i;
  }
  return -1;
}

bool TStrings::Equals(const TStrings* Strings) const {
  if (GetCount() != Strings->GetCount()) return false;
  for (Integer i = 0; i < GetCount(); ++i) {
    if (Get(i) != Strings->Get(i)) return false;
  }
  return true;
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TStrings*>(Source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      FDelimiter = src->FDelimiter;
      FQuoteChar = src->FQuoteChar;
      FNameValueSeparator = src->FNameValueSeparator;
      FStrictDelimiter = src->FStrictDelimiter;
      AddStrings(src);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(std::string_view S1, std::string_view S2) const { return AnsiCompareText(S1, S2); }

String TStrings::Names(Integer Index) const {
  String s = Get(Index);
  std::size_t at = s.find(FNameValueSeparator);
  return at == String::npos ? String() : s.substr(0, at);
}

String TStrings::Values(std::string_view Name) const {
  Integer i = IndexOfName(Name);
  return i >= 0 ? ValueFromIndex(i) : String();
}

void TStrings::SetValues(std::string_view Name, const String& Value) {
  Integer i = IndexOfName(Name);
  if (!Value.empty()) {
    String line = String(Name) + FNameValueSeparator + Value;
    if (i < 0) {
      Add(line);
    } else {
      Put(i, line);
    }
  } else if (i >= 0) {
    Delete(i);
  }
}

String TStrings::ValueFromIndex(Integer Index) const {
  String s = Get(Index);
  std::size_t at = s.find(FNameValueSeparator);
  return at == String::npos ? String() : s.substr(at + 1);
}

void TStrings::SetValueFromIndex(Integer Index, const String& Value) {
  if (Index < 0) {
    Add(String(1, FNameValueSeparator) + Value);
    return;
  }
  String name = Names(Index);
  if (name.empty() && Get(Index).find(FNameValueSeparator) == String::npos) name = Get(Index);
  Put(Index, name + FNameValueSeparator + Value);
}

String TStrings::GetTextStr() const {
  String out;
  for (Integer i = 0; i < GetCount(); ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

void TStrings::SetTextStr(std::string_view Value) {
  BeginUpdate();
  try {
    Clear();
    std::size_t i = 0;
    while (i < Value.size()) {
      std::size_t end = Value.find_first_of("\r\n", i);
      if (end == std::string_view::npos) end = Value.size();
      Add(String(Value.substr(i, end - i)));
      i = end;
      if (i < Value.size() && Value[i] == '\r') ++i;
      if (i < Value.size() && Value[i] == '\n' && (i == end || Value[i - 1] == '\r')) ++i;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::GetDelimited(char delimiter, char quote, bool strict) const {
  Integer n = GetCount();
  if (n == 1 && Get(0).empty()) return String(2, quote);
  String out;
  for (Integer i = 0; i < n; ++i) {
    String s = Get(i);
    bool needsQuotes = false;
    for (char c : s) {
      unsigned char u = static_cast<unsigned char>(c);
      if (c == quote || c == delimiter || u == 0 || (!strict && u <= ' ')) {
        needsQuotes = true;
        break;
      }
    }
    if (needsQuotes) {
      String q(1, quote);
      for (char c : s) {
        q += c;
        if (c == quote) q += quote;
      }
      s = q + quote;
    }
    if (i > 0) out += delimiter;
    out += s;
  }
  return out;
}

void TStrings::SetDelimited(std::string_view value, char delimiter, char quote, bool strict) {
  auto blank = [](char c) { return c != 0 && static_cast<unsigned char>(c) <= ' '; };
  BeginUpdate();
  try {
    Clear();
    std::size_t p = 0, n = value.size();
    if (!strict) {
      while (p < n && blank(value[p])) ++p;
    }
    while (p < n) {
      String s;
      if (value[p] == quote) {
        // A quoted run: doubled quotes stand for one; an unclosed run takes the rest.
        ++p;
        while (p < n) {
          if (value[p] == quote) {
            if (p + 1 < n && value[p + 1] == quote) {
              s += quote;
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          s += value[p++];
        }
      } else {
        std::size_t start = p;
        while (p < n && value[p] != delimiter && (strict || static_cast<unsigned char>(value[p]) > ' ')) ++p;
        s = String(value.substr(start, p - start));
      }
      Add(s);
      if (!strict) {
        while (p < n && blank(value[p])) ++p;
      }
      if (p < n && value[p] == delimiter) {
        if (p + 1 == n) Add("");
        ++p;
        if (!strict) {
          while (p < n && blank(value[p])) ++p;
        }
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::DelimitedText() const { return GetDelimited(FDelimiter, FQuoteChar, FStrictDelimiter); }
void TStrings::SetDelimitedText(std::string_view Value) { SetDelimited(Value, FDelimiter, FQuoteChar, FStrictDelimiter); }
String TStrings::CommaText() const { return GetDelimited(',', '"', false); }
void TStrings::SetCommaText(std::string_view Value) { SetDelimited(Value, ',', '"', false); }

void TStrings::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TStrings::LoadFromStream(TStream* Stream) {
  std::string bytes = Stream->ReadRemaining();
  std::string_view view(bytes);
  if (view.size() >= 3 && view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);
  SetTextStr(win::DecodeTextToUtf8(view));
}

void TStrings::SaveToFile(const String& FileName, TTextEncoding Encoding) const {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream, Encoding);
}

void TStrings::SaveToStream(TStream* Stream, TTextEncoding Encoding) const {
  String text = GetTextStr();
  if (Encoding == teCP1251) {
    text = win::Utf8ToCp1251(text);
  } else if (Encoding == teUTF8BOM) {
    text.insert(0, "\xEF\xBB\xBF");
  }
  Stream->WriteBuffer(text.data(), Integer(text.size()));
}

// TStringList ----------------------------------------------------------------------------------

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects) {
    for (Item& item : FList) delete item.Object;
  }
}

void TStringList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) {
    Changing();
  } else {
    Changed();
  }
}

String TStringList::Get(Integer Index) const {
  CheckIndex(Index);
  return FList[std::size_t(Index)].S;
}

TObject* TStringList::GetObject(Integer Index) const {
  CheckIndex(Index);
  return FList[std::size_t(Index)].Object;
}

void TStringList::Put(Integer Index, const String& S) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(Index);
  Changing();
  FList[std::size_t(Index)].S = S;
  Changed();
}

void TStringList::PutObject(Integer Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  TObject*& slot = FList[std::size_t(Index)].Object;
  // An owning list frees the object it is asked to forget.
  if (FOwnsObjects && slot != AObject) delete slot;
  slot = AObject;
  Changed();
}

void TStringList::SetCapacity(Integer NewCapacity) {
  if (NewCapacity < GetCount()) Error("List capacity out of bounds (%d)", NewCapacity);
  if (NewCapacity > GetCapacity()) FList.reserve(std::size_t(NewCapacity));
}

Integer TStringList::Add(const String& S) { return AddObject(S, nullptr); }

Integer TStringList::AddObject(const String& S, TObject* AObject) {
  Integer at;
  if (!FSorted) {
    at = GetCount();
  } else if (Find(S, at)) {
    switch (FDuplicates) {
      case dupIgnore:
        return at;
      case dupError:
        Error("String list does not allow duplicates", 0);
      case dupAccept:
        break;
    }
  }
  InsertItem(at, S, AObject);
  return at;
}

void TStringList::Insert(Integer Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(Integer Index, const String& S, TObject* AObject) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(Integer Index, const String& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, Item{S, AObject});
  Changed();
}

void TStringList::Delete(Integer Index) {
  CheckIndex(Index);
  Changing();
  TObject* obj = FList[std::size_t(Index)].Object;
  FList.erase(FList.begin() + Index);
  if (FOwnsObjects) delete obj;
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(FList);
  if (FOwnsObjects) {
    for (Item& item : old) delete item.Object;
  }
  Changed();
}

void TStringList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[std::size_t(Index1)], FList[std::size_t(Index2)]);
  Changed();
}

void TStringList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  Changing();
  Item item = std::move(FList[std::size_t(CurIndex)]);  // the object travels with its line
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, std::move(item));
  Changed();
}

Integer TStringList::IndexOf(std::string_view S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  Integer at;
  return Find(S, at) ? at : -1;
}

Integer TStringList::IndexOfName(std::string_view Name) const {
  // A sorted list's order is that of whole lines, which "=" does not split: search linearly.
  return TStrings::IndexOfName(Name);
}

bool TStringList::Find(std::string_view S, Integer& Index) const {
  bool found = false;
  Integer lo = 0, hi = GetCount() - 1;
  while (lo <= hi) {
    Integer mid = lo + (hi - lo) / 2;
    int c = CompareStrings(FList[std::size_t(mid)].S, S);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) lo = mid;
      }
    }
  }
  Index = lo;
  return found;
}

int TStringList::CompareStrings(std::string_view S1, std::string_view S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::Sort() {
  CustomSort([](TStringList* list, Integer a, Integer b) {
    return list->CompareStrings(list->FList[std::size_t(a)].S, list->FList[std::size_t(b)].S);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (GetCount() <= 1) return;
  Changing();
  std::vector<Integer> order(FList.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](Integer a, Integer b) { return Compare(this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(FList.size());
  for (Integer i : order) sorted.push_back(std::move(FList[std::size_t(i)]));
  FList.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) {
    FSorted = false;
    SetSorted(true);
  }
}

}  // namespace fw
