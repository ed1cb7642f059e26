#pragma once
// Wide string lists: TUniStrings, the abstract list of wide lines with an object per line and
// text, file and stream input and output; TUniStringList, the list that stores them; the ANSI
// view of a wide list for code that takes the framework's TStrings; and the rules by which wide
// texts are kept in the framework's component streams.
//
// Form storage: a wide list is stored as "WideStrings" (the lines as wide strings), and, when a
// line holds a character above 127, once more as "WideStrings_UTF7" (7-bit UTF-7 texts); it also
// reads "Strings" (the framework list's form) and "WideStringsW" (UTF-8 texts). The UTF-7 and
// UTF-8 copies are read only when `ReaderWantsUtfProperties` (there is no form designer here, so
// only when `UtfStreamingAtRunTime` is set); otherwise "WideStrings" carries the content.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "controls/UniSystem.h"
#include "framework/StringList.h"

namespace fw {
class TFiler;
class TReader;
class TStream;
}  // namespace fw

namespace cs {

class TUniStrings;

// Character set of a text file or stream, as detected from its byte-order mark.
enum TUniCharSet : uint8_t { ucsAnsi = 0, ucsUtf16LE = 1, ucsUtf16BE = 2, ucsUtf8 = 3 };

// FF FE gives UTF-16 LE and FE FF UTF-16 BE (the mark stays read); EF BB BF gives UTF-8 (read);
// anything else is ANSI and nothing is read.
TUniCharSet DetectStreamCharSet(fw::TStream* Stream);

// Whether a reader takes the UTF-7 and UTF-8 companions (it has an owner and the run-time
// switch is on).
extern bool UtfStreamingAtRunTime;
bool ReaderWantsUtfProperties(fw::TReader* Reader);

// The framework's list whose lines are ANSI texts, read and written in a code page.
class TAnsiStrings : public fw::TStrings {
 public:
  virtual void LoadFromStreamEx(fw::TStream* Stream, win::UINT CodePage) = 0;
  virtual void SaveToStreamEx(fw::TStream* Stream, win::UINT CodePage) = 0;
};

// The ANSI view of a wide list. A line read through it is the wide line as the adapter's code
// page can hold it ("?" for what it lacks), given as the framework's UTF-8 text; a line written
// through it is taken without loss (the framework's text is UTF-8, not ANSI).
class TAnsiStringsForWideStringsAdapter : public TAnsiStrings {
 public:
  TAnsiStringsForWideStringsAdapter(TUniStrings* WideStrings, win::UINT AdapterCodePage = 0);
  String Get(fw::Integer Index) const override;
  fw::Integer GetCount() const override;
  void Insert(fw::Integer Index, const String& S) override;
  void Put(fw::Integer Index, const String& S) override;
  void Delete(fw::Integer Index) override;
  void Clear() override;
  fw::TObject* GetObject(fw::Integer Index) const override;
  void PutObject(fw::Integer Index, fw::TObject* AObject) override;
  void LoadFromStreamEx(fw::TStream* Stream, win::UINT CodePage) override;
  void SaveToStreamEx(fw::TStream* Stream, win::UINT CodePage) override;
  win::UINT AdapterCodePage() const { return FAdapterCodePage == 0 ? DefaultAnsiCodePage : FAdapterCodePage; }

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  TUniStrings* FWideStrings;
  win::UINT FAdapterCodePage;
};

class TUniStrings : public fw::TPersistent {
 public:
  TUniStrings();
  ~TUniStrings() override;

  void Assign(fw::TPersistent* Source) override;
  void DefineProperties(fw::TFiler* Filer) override;

  // Storage, supplied by descendants.
  virtual WideString Get(int Index) const = 0;
  virtual int GetCapacity() const { return GetCount(); }
  virtual int GetCount() const = 0;
  virtual fw::TObject* GetObject(int Index) const { return nullptr; }
  virtual WideString GetTextStr() const;
  virtual void Put(int Index, const WideString& S);
  virtual void PutObject(int Index, fw::TObject* AObject) {}
  virtual void SetCapacity(int NewCapacity) {}
  virtual void SetTextStr(std::u16string_view Value);
  virtual void SetUpdateState(bool Updating) {}
  // Case-insensitive (the platform's letters).
  virtual int CompareStrings(std::u16string_view S1, std::u16string_view S2) const;
  virtual int Add(const WideString& S);
  virtual int AddObject(const WideString& S, fw::TObject* AObject);
  virtual void AddStrings(const TUniStrings* Strings);
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  virtual void Exchange(int Index1, int Index2);
  // A heap copy of the text (free it with WideStrDispose).
  virtual char16_t* GetText() const;
  virtual int IndexOf(std::u16string_view S) const;
  virtual int IndexOfName(std::u16string_view Name) const;
  virtual int IndexOfObject(const fw::TObject* AObject) const;
  virtual void Insert(int Index, const WideString& S) = 0;
  virtual void InsertObject(int Index, const WideString& S, fw::TObject* AObject);
  virtual void LoadFromFile(const WideString& FileName);
  // With WithBOM the character set is read from the stream's byte-order mark; without, the
  // stream is UTF-16 LE.
  virtual void LoadFromStream(fw::TStream* Stream, bool WithBOM = true);
  virtual void Move(int CurIndex, int NewIndex);
  virtual void SaveToFile(const WideString& FileName);
  // UTF-16 LE, after FF FE when WithBOM.
  virtual void SaveToStream(fw::TStream* Stream, bool WithBOM = true);
  virtual void SetText(const char16_t* Text);

  int Count() const { return GetCount(); }
  WideString Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const WideString& S) { Put(Index, S); }
  fw::TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, fw::TObject* AObject) { PutObject(Index, AObject); }
  WideString Text() const { return GetTextStr(); }
  int Capacity() const { return GetCapacity(); }

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  char16_t Delimiter() const { return FDelimiter; }
  void SetDelimiter(char16_t Value);
  char16_t QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char16_t Value);
  char16_t NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char16_t Value);

  // The character set the last LoadFromFile found (UTF-16 LE before any).
  TUniCharSet LastFileCharSet() const { return FLastFileCharSet; }

  TAnsiStrings* AnsiStrings() const { return FAnsiStrings.get(); }
  void SetAnsiStrings(fw::TStrings* Value);

  std::shared_ptr<fw::IStringsAdapter> StringsAdapter() const { return FAdapter; }
  void SetStringsAdapter(std::shared_ptr<fw::IStringsAdapter> Value);

 protected:
  void AssignTo(fw::TPersistent* Dest) override;
  // Adds one line read from a text (SetTextStr, LoadFromStream); the list may take the text.
  virtual void AddLoadedLine(WideString&& S) { Add(S); }

 private:
  // Where splitting a text into lines stands between two pieces of it.
  struct TLineSplit {
    WideString Pending;  // the line read so far
    int Skip = 0;        // after a CR: an LF then a LINE SEPARATOR may follow; after an LF: the latter
    bool InLine = false; // a line has begun
  };
  void SplitLines(std::u16string_view Piece, TLineSplit& Split);
  void FinishLines(TLineSplit& Split);
  enum TDefined : uint8_t { sdDelimiter = 1, sdQuoteChar = 2, sdNameValueSeparator = 4 };
  void ReadList(fw::TReader* Reader);
  void ReadUtf7List(fw::TReader* Reader);
  void ReadUtf8List(fw::TReader* Reader);
  bool DiffersFromAncestor(fw::TFiler* Filer) const;

  std::unique_ptr<TAnsiStringsForWideStringsAdapter> FAnsiStrings;
  std::shared_ptr<fw::IStringsAdapter> FAdapter;
  TUniCharSet FLastFileCharSet = ucsUtf16LE;
  uint8_t FDefined = 0;
  char16_t FDelimiter = u',';
  char16_t FQuoteChar = u'"';
  char16_t FNameValueSeparator = u'=';
  int FUpdateCount = 0;
};

class TUniStringList;
using TUniStringListSortCompare = std::function<int(TUniStringList* List, int Index1, int Index2)>;

class TUniStringList : public TUniStrings {
 public:
  TUniStringList() = default;
  ~TUniStringList() override;

  WideString Get(int Index) const override;
  // The lines joined without copying each one first.
  WideString GetTextStr() const override;
  int GetCapacity() const override { return FCapacity; }
  int GetCount() const override { return int(FList.size()); }
  fw::TObject* GetObject(int Index) const override;
  void Put(int Index, const WideString& S) override;
  void PutObject(int Index, fw::TObject* AObject) override;
  void SetCapacity(int NewCapacity) override;
  void SetUpdateState(bool Updating) override;
  int CompareStrings(std::u16string_view S1, std::u16string_view S2) const override;
  int Add(const WideString& S) override;
  int AddObject(const WideString& S, fw::TObject* AObject) override;
  void Clear() override;
  void Delete(int Index) override;
  void Exchange(int Index1, int Index2) override;
  int IndexOf(std::u16string_view S) const override;
  int IndexOfName(std::u16string_view Name) const override;
  void Insert(int Index, const WideString& S) override;
  void InsertObject(int Index, const WideString& S, fw::TObject* AObject) override;

  // Binary search of a sorted list: true when found; Index is the match (the first of equal
  // ones when duplicates are accepted) or the insertion point.
  virtual bool Find(std::u16string_view S, int& Index) const;
  virtual void Sort();
  // Acts only on an unsorted list of two or more lines.
  virtual void CustomSort(const TUniStringListSortCompare& Compare);

  bool Sorted() const { return FSorted; }
  // Sorting a list first, so that finding in it holds from then on.
  void SetSorted(bool Value);
  fw::TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(fw::TDuplicates Value) { FDuplicates = Value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);

  fw::TNotifyEvent OnChange;
  fw::TNotifyEvent OnChanging;

 protected:
  virtual void Changed();
  virtual void Changing();
  virtual void InsertItem(int Index, const WideString& S, fw::TObject* AObject);
  void AddLoadedLine(WideString&& S) override;

 private:
  struct Item {
    WideString S;
    fw::TObject* Object = nullptr;
  };
  void Grow();
  void CheckIndex(int Index) const;
  void QuickSort(int L, int R, const TUniStringListSortCompare& Compare);
  void ExchangeItems(int Index1, int Index2);

  std::vector<Item> FList;
  int FCapacity = 0;
  bool FSorted = false;
  fw::TDuplicates FDuplicates = fw::dupIgnore;
  bool FCaseSensitive = false;
};

// Raises the framework's EStringListError with Message formatted with Data.
[[noreturn]] void WideListError(const char* Message, int Data);

// Defines the wide companions of Instance's published wide properties: for a wide-string
// property P, P + "_UTF7" (written when the value holds a character above 127) and P + "W"
// (read only); for a wide-character property P, P + "W" (a one-character wide string, written
// when it differs from the default) and P + "_UTF7" (read only). Called by the DefineProperties
// of every wide control after the inherited one.
void DefineWideStreamProperties(fw::TFiler* Filer, fw::TPersistent* Instance);

}  // namespace cs
