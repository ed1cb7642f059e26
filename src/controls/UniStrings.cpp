#include "controls/UniStrings.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "controls/UniCodePages.h"
#include "controls/UniFiles.h"
#include "framework/StreamSlices.h"
#include "framework/Streams.h"
#include "platform/kernel/CaseMapping.h"

namespace cs {

// The ANSI view ---------------------------------------------------------------------------------

TAnsiStringsForWideStringsAdapter::TAnsiStringsForWideStringsAdapter(TUniStrings* WideStrings,
                                                                     win::UINT AdapterCodePage)
    : FWideStrings(WideStrings), FAdapterCodePage(AdapterCodePage) {}

String TAnsiStringsForWideStringsAdapter::Get(fw::Integer Index) const {
  const WideString line = FWideStrings->Get(Index);
  return WideToUtf8(AnsiToWideCP(WideToAnsiCP(line, AdapterCodePage()), AdapterCodePage()));
}

fw::Integer TAnsiStringsForWideStringsAdapter::GetCount() const { return FWideStrings->GetCount(); }
void TAnsiStringsForWideStringsAdapter::Insert(fw::Integer Index, const String& S) {
  FWideStrings->Insert(Index, Utf8ToWide(S));
}
void TAnsiStringsForWideStringsAdapter::Put(fw::Integer Index, const String& S) {
  FWideStrings->Put(Index, Utf8ToWide(S));
}
void TAnsiStringsForWideStringsAdapter::Delete(fw::Integer Index) { FWideStrings->Delete(Index); }
void TAnsiStringsForWideStringsAdapter::Clear() { FWideStrings->Clear(); }
fw::TObject* TAnsiStringsForWideStringsAdapter::GetObject(fw::Integer Index) const {
  return FWideStrings->GetObject(Index);
}
void TAnsiStringsForWideStringsAdapter::PutObject(fw::Integer Index, fw::TObject* AObject) {
  FWideStrings->PutObject(Index, AObject);
}
void TAnsiStringsForWideStringsAdapter::SetUpdateState(bool Updating) {
  if (Updating) FWideStrings->BeginUpdate();
  else FWideStrings->EndUpdate();
}

void TAnsiStringsForWideStringsAdapter::LoadFromStreamEx(fw::TStream* Stream, win::UINT CodePage) {
  const std::string bytes = Stream->ReadRemaining();
  FWideStrings->BeginUpdate();
  try {
    FWideStrings->SetTextStr(AnsiToWideCP(bytes, CodePage));
  } catch (...) {
    FWideStrings->EndUpdate();
    throw;
  }
  FWideStrings->EndUpdate();
}

void TAnsiStringsForWideStringsAdapter::SaveToStreamEx(fw::TStream* Stream, win::UINT CodePage) {
  const std::string bytes = WideToAnsiCP(FWideStrings->GetTextStr(), CodePage);
  if (!bytes.empty()) Stream->WriteBuffer(bytes.data(), fw::Integer(bytes.size()));
}

// TUniStrings ------------------------------------------------------------------------------------

TUniStrings::TUniStrings() : FAnsiStrings(std::make_unique<TAnsiStringsForWideStringsAdapter>(this)) {}

TUniStrings::~TUniStrings() {
  if (FAdapter) FAdapter->ReleaseStrings();
}

void TUniStrings::SetStringsAdapter(std::shared_ptr<fw::IStringsAdapter> Value) {
  if (FAdapter) FAdapter->ReleaseStrings();
  FAdapter = std::move(Value);
  if (FAdapter) FAdapter->ReferenceStrings(FAnsiStrings.get());
}

void TUniStrings::SetDelimiter(char16_t Value) {
  FDelimiter = Value;
  FDefined |= sdDelimiter;
}
void TUniStrings::SetQuoteChar(char16_t Value) {
  FQuoteChar = Value;
  FDefined |= sdQuoteChar;
}
void TUniStrings::SetNameValueSeparator(char16_t Value) {
  FNameValueSeparator = Value;
  FDefined |= sdNameValueSeparator;
}

void TUniStrings::SetAnsiStrings(fw::TStrings* Value) { FAnsiStrings->Assign(Value); }

void TUniStrings::Assign(fw::TPersistent* Source) {
  if (auto* src = dynamic_cast<TUniStrings*>(Source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      FDefined = src->FDefined;
      FNameValueSeparator = src->FNameValueSeparator;
      FQuoteChar = src->FQuoteChar;
      FDelimiter = src->FDelimiter;
      AddStrings(src);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  if (auto* strings = dynamic_cast<fw::TStrings*>(Source)) {
    FAnsiStrings->Assign(strings);
    return;
  }
  fw::TPersistent::Assign(Source);
}

void TUniStrings::AssignTo(fw::TPersistent* Dest) {
  if (auto* strings = dynamic_cast<fw::TStrings*>(Dest)) {
    strings->Assign(FAnsiStrings.get());
    return;
  }
  fw::TPersistent::AssignTo(Dest);
}

int TUniStrings::Add(const WideString& S) {
  const int index = GetCount();
  Insert(index, S);
  return index;
}

int TUniStrings::AddObject(const WideString& S, fw::TObject* AObject) {
  const int index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TUniStrings::AddStrings(const TUniStrings* Strings) {
  BeginUpdate();
  try {
    for (int i = 0; i < Strings->GetCount(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TUniStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TUniStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

int TUniStrings::CompareStrings(std::u16string_view S1, std::u16string_view S2) const {
  return win::CompareTextIgnoreCase(S1, S2);
}

void TUniStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  try {
    const WideString s1 = Get(Index1);
    fw::TObject* o1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

WideString TUniStrings::GetTextStr() const {
  const int count = GetCount();
  std::size_t size = 0;
  for (int i = 0; i < count; ++i) size += Get(i).size() + 2;
  WideString out;
  out.reserve(size);
  for (int i = 0; i < count; ++i) {
    out += Get(i);
    out += u"\r\n";
  }
  return out;
}

namespace {

bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n' || c == u'\u2028'; }

// The first CR, LF or LINE SEPARATOR from p on, eight characters at a time.
const char16_t* FindLineBreak(const char16_t* p, const char16_t* end) {
#ifdef __SSE2__
  const __m128i cr = _mm_set1_epi16(0x0D), lf = _mm_set1_epi16(0x0A), ls = _mm_set1_epi16(0x2028);
  while (end - p >= 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, cr), _mm_cmpeq_epi16(v, lf)),
                                     _mm_cmpeq_epi16(v, ls));
    const int mask = _mm_movemask_epi8(hit);
    if (mask != 0) return p + __builtin_ctz(unsigned(mask)) / 2;
    p += 8;
  }
#endif
  while (p < end && !IsLineBreak(*p)) ++p;
  return p;
}

}  // namespace

// A line ends at CR, LF or LINE SEPARATOR; after it one CR, then one LF, then one LINE
// SEPARATOR are skipped if present, in that order (so CR LF and CR U+2028 are one break, LF CR
// two). The text may come in pieces: a line or a break can span two of them.
void TUniStrings::SplitLines(std::u16string_view Piece, TLineSplit& Split) {
  const char16_t* p = Piece.data();
  const char16_t* end = p + Piece.size();
  while (p < end) {
    if (Split.Skip == 1) {  // after a CR
      Split.Skip = *p == u'\n' ? 2 : 0;
      if (*p == u'\n' || *p == u'\u2028') {
        ++p;
        continue;
      }
    } else if (Split.Skip == 2) {  // after an LF
      Split.Skip = 0;
      if (*p == u'\u2028') {
        ++p;
        continue;
      }
    }
    const char16_t* stop = FindLineBreak(p, end);
    if (stop > p) {
      Split.Pending.append(p, std::size_t(stop - p));
      Split.InLine = true;
    }
    if (stop == end) return;
    AddLoadedLine(std::move(Split.Pending));
    Split.Pending.clear();
    Split.InLine = false;
    Split.Skip = *stop == u'\r' ? 1 : *stop == u'\n' ? 2 : 0;
    p = stop + 1;
  }
}

void TUniStrings::FinishLines(TLineSplit& Split) {
  if (Split.InLine) AddLoadedLine(std::move(Split.Pending));
  Split = TLineSplit();
}

void TUniStrings::SetTextStr(std::u16string_view Value) {
  BeginUpdate();
  try {
    Clear();
    TLineSplit split;
    SplitLines(Value, split);
    FinishLines(split);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

char16_t* TUniStrings::GetText() const { return WideStrNew(GetTextStr().c_str()); }

void TUniStrings::SetText(const char16_t* Text) {
  SetTextStr(Text ? std::u16string_view(Text) : std::u16string_view());
}

int TUniStrings::IndexOf(std::u16string_view S) const {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TUniStrings::IndexOfName(std::u16string_view Name) const {
  for (int i = 0; i < GetCount(); ++i) {
    const WideString line = Get(i);
    const std::size_t at = line.find(FNameValueSeparator);
    if (at != WideString::npos && CompareStrings(std::u16string_view(line).substr(0, at), Name) == 0) return i;
  }
  return -1;
}

int TUniStrings::IndexOfObject(const fw::TObject* AObject) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

void TUniStrings::InsertObject(int Index, const WideString& S, fw::TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TUniStrings::Put(int Index, const WideString& S) {
  fw::TObject* object = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, object);
}

void TUniStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  try {
    const WideString s = Get(CurIndex);
    fw::TObject* object = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, object);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TUniCharSet DetectStreamCharSet(fw::TStream* Stream) {
  const fw::Int64 left = Stream->Size() - Stream->Position();
  if (left < 2) return ucsAnsi;
  unsigned char mark[3] = {};
  Stream->ReadBuffer(mark, 2);
  if (mark[0] == 0xFF && mark[1] == 0xFE) return ucsUtf16LE;
  if (mark[0] == 0xFE && mark[1] == 0xFF) return ucsUtf16BE;
  Stream->Seek(-2, fw::soCurrent);
  if (left >= 3) {
    Stream->ReadBuffer(mark, 3);
    if (mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF) return ucsUtf8;
    Stream->Seek(-3, fw::soCurrent);
  }
  return ucsAnsi;
}

void TUniStrings::LoadFromFile(const WideString& FileName) {
  TUniFileStream stream(FileName, fw::fmOpenRead | fw::fmShareDenyWrite);
  FLastFileCharSet = DetectStreamCharSet(&stream);
  stream.SetPosition(0);
  LoadFromStream(&stream, true);
}

void TUniStrings::LoadFromStream(fw::TStream* Stream, bool WithBOM) {
  BeginUpdate();
  try {
    const TUniCharSet charSet = WithBOM ? DetectStreamCharSet(Stream) : ucsUtf16LE;
    fw::Int64 size = Stream->Size() - Stream->Position();
    if (charSet == ucsUtf16LE || charSet == ucsUtf16BE) {
      // Read and split a piece at a time, so a large file needs no copy of its whole text. An
      // odd last byte is no character and is left unread.
      Clear();
      constexpr std::size_t kPiece = 1 << 18;
      WideString piece(std::size_t(std::min<fw::Int64>(size / 2, kPiece)), u'\0');
      TLineSplit split;
      for (fw::Int64 left = size / 2; left > 0;) {
        const std::size_t n = std::size_t(std::min<fw::Int64>(left, fw::Int64(kPiece)));
        Stream->ReadBuffer(piece.data(), fw::Integer(n * 2));
        // Every character is swapped, NUL characters included.
        if (charSet == ucsUtf16BE)
          for (std::size_t i = 0; i < n; ++i) piece[i] = char16_t((piece[i] << 8) | (piece[i] >> 8));
        SplitLines(std::u16string_view(piece.data(), n), split);
        left -= fw::Int64(n);
      }
      FinishLines(split);
    } else {
      std::string bytes(std::size_t(size), '\0');
      fw::ReadSliced(Stream, bytes.data(), bytes.size());
      SetTextStr(charSet == ucsUtf8 ? Utf8ToWide(bytes) : AnsiToWide(bytes));
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TUniStrings::SaveToFile(const WideString& FileName) {
  TUniFileStream stream(FileName, fw::fmCreate);
  SaveToStream(&stream, true);
}

void TUniStrings::SaveToStream(fw::TStream* Stream, bool WithBOM) {
  if (WithBOM) {
    static const unsigned char kMark[2] = {0xFF, 0xFE};
    Stream->WriteBuffer(kMark, 2);
  }
  const WideString text = GetTextStr();
  // The platform is little-endian: the characters are the bytes.
  fw::WriteSliced(Stream, text.data(), text.size() * 2);
}

}  // namespace cs
