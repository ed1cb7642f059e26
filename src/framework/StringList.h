#pragma once
// TStrings, the abstract list of text lines with an object per line, and TStringList, the list
// that stores them (sorting, duplicates, case sensitivity, change events). Lines are UTF-8.

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/Persistent.h"

namespace fw {

class TStream;

// Encodings for saving text. Reading detects: UTF-8 when the bytes are valid UTF-8 (a
// byte-order mark is skipped), else Windows Cyrillic.
enum TTextEncoding { teUTF8, teUTF8BOM, teCP1251 };

class TStrings;

// A hook for a view that mirrors a list elsewhere: the list tells it when it starts serving it
// and releases it when it is replaced or the list goes.
class IStringsAdapter {
 public:
  virtual ~IStringsAdapter() = default;
  virtual void ReferenceStrings(TStrings* Strings) = 0;
  virtual void ReleaseStrings() = 0;
};

class TStrings : public TPersistent {
 public:
  ~TStrings() override;

  // Storage, supplied by descendants.
  virtual String Get(Integer Index) const = 0;
  virtual Integer GetCount() const = 0;
  virtual void Insert(Integer Index, const String& S) = 0;
  virtual void Delete(Integer Index) = 0;
  virtual void Clear() = 0;
  virtual void Put(Integer Index, const String& S);
  virtual TObject* GetObject(Integer Index) const;
  virtual void PutObject(Integer Index, TObject* AObject);
  virtual Integer GetCapacity() const { return GetCount(); }
  virtual void SetCapacity(Integer) {}

  Integer Count() const { return GetCount(); }
  String Strings(Integer Index) const { return Get(Index); }
  void SetStrings(Integer Index, const String& S) { Put(Index, S); }
  TObject* Objects(Integer Index) const { return GetObject(Index); }
  void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }

  virtual Integer Add(const String& S);
  virtual Integer AddObject(const String& S, TObject* AObject);
  void Append(const String& S) { Add(S); }
  virtual void AddStrings(const TStrings* Strings);
  virtual void InsertObject(Integer Index, const String& S, TObject* AObject);
  virtual void Exchange(Integer Index1, Integer Index2);
  virtual void Move(Integer CurIndex, Integer NewIndex);
  virtual Integer IndexOf(std::string_view S) const;
  virtual Integer IndexOfName(std::string_view Name) const;
  Integer IndexOfObject(const TObject* AObject) const;
  bool Equals(const TStrings* Strings) const;
  void Assign(TPersistent* Source) override;

  void BeginUpdate();
  void EndUpdate();
  Integer UpdateCount() const { return FUpdateCount; }

  // name=value lines.
  String Names(Integer Index) const;
  String Values(std::string_view Name) const;
  // An empty value deletes the line; a new name adds a line.
  void SetValues(std::string_view Name, const String& Value);
  String ValueFromIndex(Integer Index) const;
  void SetValueFromIndex(Integer Index, const String& Value);
  char NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char Value) { FNameValueSeparator = Value; }

  // Lines joined by CR LF, each line ended by one. Setting splits at CR LF, LF or CR.
  virtual String GetTextStr() const;
  virtual void SetTextStr(std::string_view Value);
  String Text() const { return GetTextStr(); }
  void SetText(std::string_view Value) { SetTextStr(Value); }

  // Lines joined by Delimiter; a line that holds the quote character, the delimiter or (unless
  // StrictDelimiter) a character up to space is quoted with doubled inner quotes.
  String DelimitedText() const;
  void SetDelimitedText(std::string_view Value);
  // DelimitedText with "," and '"', ignoring StrictDelimiter.
  String CommaText() const;
  void SetCommaText(std::string_view Value);
  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char Value) { FDelimiter = Value; }
  char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char Value) { FQuoteChar = Value; }
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }

  std::shared_ptr<IStringsAdapter> StringsAdapter() const { return FAdapter; }
  void SetStringsAdapter(std::shared_ptr<IStringsAdapter> Value);

  // The lines are stored as "Strings", a list of texts, when there are any.
  void DefineProperties(TFiler* Filer) override;

  virtual void LoadFromFile(const String& FileName);
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToFile(const String& FileName, TTextEncoding Encoding = teUTF8) const;
  virtual void SaveToStream(TStream* Stream, TTextEncoding Encoding = teUTF8) const;

 protected:
  // Case-insensitive comparison of the program's letters; TStringList honours CaseSensitive.
  virtual int CompareStrings(std::string_view S1, std::string_view S2) const;
  virtual void SetUpdateState(bool Updating);
  [[noreturn]] void Error(const char* Message, Integer Data) const;

 private:
  String GetDelimited(char delimiter, char quote, bool strict) const;
  void SetDelimited(std::string_view value, char delimiter, char quote, bool strict);

  std::shared_ptr<IStringsAdapter> FAdapter;
  Integer FUpdateCount = 0;
  char FDelimiter = ',';
  char FQuoteChar = '"';
  char FNameValueSeparator = '=';
  bool FStrictDelimiter = false;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, Integer Index1, Integer Index2)>;

class TStringList : public TStrings {
 public:
  TStringList() = default;
  explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;

  String Get(Integer Index) const override;
  Integer GetCount() const override { return Integer(FList.size()); }
  void Insert(Integer Index, const String& S) override;
  void Delete(Integer Index) override;
  void Clear() override;
  void Put(Integer Index, const String& S) override;
  TObject* GetObject(Integer Index) const override;
  void PutObject(Integer Index, TObject* AObject) override;
  Integer GetCapacity() const override { return Integer(FList.capacity()); }
  void SetCapacity(Integer NewCapacity) override;

  Integer Add(const String& S) override;
  Integer AddObject(const String& S, TObject* AObject) override;
  void InsertObject(Integer Index, const String& S, TObject* AObject) override;
  void Exchange(Integer Index1, Integer Index2) override;
  void Move(Integer CurIndex, Integer NewIndex) override;
  Integer IndexOf(std::string_view S) const override;
  Integer IndexOfName(std::string_view Name) const override;

  // Binary search of a sorted list: true when found; Index is the match (the first of equal
  // ones when duplicates are accepted) or the insertion point.
  virtual bool Find(std::string_view S, Integer& Index) const;
  virtual void Sort();
  // Stable; Compare sees the indexes of the list as it was before sorting.
  virtual void CustomSort(const TStringListSortCompare& Compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void Changed();
  virtual void Changing();
  virtual void InsertItem(Integer Index, const String& S, TObject* AObject);
  int CompareStrings(std::string_view S1, std::string_view S2) const override;
  void SetUpdateState(bool Updating) override;

 private:
  struct Item {
    String S;
    TObject* Object = nullptr;
  };
  void CheckIndex(Integer Index) const;
  std::vector<Item> FList;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
};

}  // namespace fw
