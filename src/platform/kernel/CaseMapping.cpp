#include "platform/kernel/CaseMapping.h"

#include "platform/kernel/LastError.h"
#include "platform/kernel/TextConvert.h"

namespace win {
namespace {

bool InRange(char16_t c, char16_t lo, char16_t hi) { return c >= lo && c <= hi; }

// Latin Extended-A pairs upper/lower as even/odd in some runs and odd/even in others.
bool LatinExtAUpperIsEven(char16_t c) {
  return InRange(c, 0x0100, 0x012F) || InRange(c, 0x0132, 0x0137) || InRange(c, 0x014A, 0x0177);
}
bool LatinExtAUpperIsOdd(char16_t c) { return InRange(c, 0x0139, 0x0148) || InRange(c, 0x0179, 0x017E); }
// Cyrillic supplement runs paired even (upper) / odd (lower).
bool CyrillicPairEven(char16_t c) {
  return InRange(c, 0x0460, 0x0481) || InRange(c, 0x048A, 0x04BF) || InRange(c, 0x04D0, 0x04FF);
}

// Primary sort weight of an already lower-cased unit: Ё/ё between Е/е and Ж/ж.
uint32_t SortWeight(char16_t lower) {
  if (lower == 0x0451) return uint32_t(0x0435) * 2 + 1;
  return uint32_t(lower) * 2;
}

int Sign(int64_t v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

// Primary comparison without case; when `caseTieBreak`, equal texts that differ in case are
// ordered by the first such difference (lower before upper).
int Compare(std::u16string_view a, std::u16string_view b, bool caseTieBreak) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  int caseOrder = 0;
  for (size_t i = 0; i < n; ++i) {
    const char16_t la = ToLowerChar(a[i]), lb = ToLowerChar(b[i]);
    if (la != lb) return Sign(int64_t(SortWeight(la)) - int64_t(SortWeight(lb)));
    if (caseOrder == 0 && a[i] != b[i]) caseOrder = (a[i] == la) ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return caseTieBreak ? caseOrder : 0;
}

}  // namespace

char16_t ToLowerChar(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
  if (InRange(c, 0x00C0, 0x00DE) && c != 0x00D7) return char16_t(c + 32);
  if (InRange(c, 0x0100, 0x017F)) {
    if (c == 0x0178) return 0x00FF;
    if (LatinExtAUpperIsEven(c) && c % 2 == 0) return char16_t(c + 1);
    if (LatinExtAUpperIsOdd(c) && c % 2 == 1) return char16_t(c + 1);
    return c;
  }
  if (InRange(c, 0x0391, 0x03A9) && c != 0x03A2) return char16_t(c + 32);
  if (InRange(c, 0x0410, 0x042F)) return char16_t(c + 32);
  if (InRange(c, 0x0400, 0x040F)) return char16_t(c + 80);
  if (CyrillicPairEven(c) && c % 2 == 0) return char16_t(c + 1);
  if (InRange(c, 0x04C1, 0x04CE) && c % 2 == 1) return char16_t(c + 1);
  if (c == 0x04C0) return 0x04CF;
  return c;
}

char16_t ToUpperChar(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
  if (InRange(c, 0x00E0, 0x00FE) && c != 0x00F7) return char16_t(c - 32);
  if (c == 0x00FF) return 0x0178;
  if (InRange(c, 0x0100, 0x017F)) {
    if (LatinExtAUpperIsEven(char16_t(c - 1)) && c % 2 == 1) return char16_t(c - 1);
    if (LatinExtAUpperIsOdd(char16_t(c - 1)) && c % 2 == 0) return char16_t(c - 1);
    return c;
  }
  if (InRange(c, 0x03B1, 0x03C9) && c != 0x03C2) return char16_t(c - 32);
  if (InRange(c, 0x0430, 0x044F)) return char16_t(c - 32);
  if (InRange(c, 0x0450, 0x045F)) return char16_t(c - 80);
  if (CyrillicPairEven(char16_t(c - 1)) && c % 2 == 1) return char16_t(c - 1);
  if (InRange(c, 0x04C2, 0x04CE) && c % 2 == 0) return char16_t(c - 1);
  if (c == 0x04CF) return 0x04C0;
  return c;
}

std::u16string UpperCase(std::u16string_view text) {
  std::u16string out(text);
  for (auto& c : out) c = ToUpperChar(c);
  return out;
}

std::u16string LowerCase(std::u16string_view text) {
  std::u16string out(text);
  for (auto& c : out) c = ToLowerChar(c);
  return out;
}

namespace {
// A "pointer" below 0x10000 carries a single character in its low word.
bool IsSingleChar(LPWSTR text) { return (reinterpret_cast<uintptr_t>(text) >> 16) == 0; }
LPWSTR AsPointer(char16_t c) { return reinterpret_cast<LPWSTR>(uintptr_t(c)); }
}  // namespace

LPWSTR CharUpperW(LPWSTR text) {
  if (IsSingleChar(text)) return AsPointer(ToUpperChar(char16_t(reinterpret_cast<uintptr_t>(text))));
  for (LPWSTR p = text; *p; ++p) *p = ToUpperChar(*p);
  return text;
}

LPWSTR CharLowerW(LPWSTR text) {
  if (IsSingleChar(text)) return AsPointer(ToLowerChar(char16_t(reinterpret_cast<uintptr_t>(text))));
  for (LPWSTR p = text; *p; ++p) *p = ToLowerChar(*p);
  return text;
}

DWORD CharUpperBuffW(LPWSTR text, DWORD length) {
  if (!text) return 0;
  for (DWORD i = 0; i < length; ++i) text[i] = ToUpperChar(text[i]);
  return length;
}

DWORD CharLowerBuffW(LPWSTR text, DWORD length) {
  if (!text) return 0;
  for (DWORD i = 0; i < length; ++i) text[i] = ToLowerChar(text[i]);
  return length;
}

int CompareTextIgnoreCase(std::u16string_view a, std::u16string_view b) { return Compare(a, b, false); }
bool SameTextIgnoreCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && Compare(a, b, false) == 0;
}
int CompareTextIgnoreCase(std::string_view a, std::string_view b) {
  return Compare(Utf8ToWide(a), Utf8ToWide(b), false);
}
bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
  return CompareTextIgnoreCase(a, b) == 0;
}

int CompareStringW(LCID, DWORD flags, LPCWSTR a, int countA, LPCWSTR b, int countB) {
  if (!a || !b || countA < -1 || countB < -1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::u16string_view va = countA < 0 ? std::u16string_view(a) : std::u16string_view(a, size_t(countA));
  const std::u16string_view vb = countB < 0 ? std::u16string_view(b) : std::u16string_view(b, size_t(countB));
  const int order = Compare(va, vb, (flags & NORM_IGNORECASE) == 0);
  return order < 0 ? CSTR_LESS_THAN : (order > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL);
}

}  // namespace win
