#include "platform/kernel/CaseMapping.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/kernel/LastError.h"

namespace win {
namespace {

TEST(CaseMapping, MapsLatinLatin1AndCyrillicBothWays) {
  const std::u16string lower = u"abcxyz àéöþ ÿ абвгдеёжзийклмнопрстуфхцчшщъыьэюя ђѓєѕіїјљњћќўџ ґ ā ł ž";
  const std::u16string upper = u"ABCXYZ ÀÉÖÞ Ÿ АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ ЂЃЄЅІЇЈЉЊЋЌЎЏ Ґ Ā Ł Ž";
  EXPECT_EQ(UpperCase(lower), upper);
  EXPECT_EQ(LowerCase(upper), lower);
}

TEST(CaseMapping, LeavesNonLettersAndUncasedLettersAlone) {
  const std::u16string other = u"0123456789 !@#[]_{}~ ×÷ ß µ № € \u4E2D";
  EXPECT_EQ(UpperCase(other), other);
  EXPECT_EQ(LowerCase(other), other);
  // Dotless i and dotted capital I are left as they are (no Turkish rules).
  EXPECT_EQ(ToUpperChar(u'\u0131'), u'\u0131');
  EXPECT_EQ(ToLowerChar(u'\u0130'), u'\u0130');
}

TEST(CaseMapping, InPlaceFunctionsHonourLengthAndTerminator) {
  char16_t text[] = u"Mixed Текст";
  EXPECT_EQ(CharUpperW(text), text);
  EXPECT_EQ(std::u16string(text), u"MIXED ТЕКСТ");
  EXPECT_EQ(CharLowerBuffW(text, 3), 3u);
  EXPECT_EQ(std::u16string(text), u"mixED ТЕКСТ");
  CharLowerW(text);
  EXPECT_EQ(std::u16string(text), u"mixed текст");
  EXPECT_EQ(CharUpperBuffW(text + 6, 2), 2u);
  EXPECT_EQ(std::u16string(text), u"mixed ТЕкст");
  EXPECT_EQ(CharUpperW(nullptr), nullptr);
  // One character carried in the pointer's low word.
  EXPECT_EQ(reinterpret_cast<uintptr_t>(CharUpperW(reinterpret_cast<LPWSTR>(uintptr_t(u'ж')))), uintptr_t(u'Ж'));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(CharLowerW(reinterpret_cast<LPWSTR>(uintptr_t(u'Q')))), uintptr_t(u'q'));
  EXPECT_EQ(CharLowerBuffW(nullptr, 4), 0u);
}

TEST(CaseMapping, IgnoreCaseComparisonIsAlphabetical) {
  EXPECT_TRUE(SameTextIgnoreCase(u"Файл.TXT", u"фАЙЛ.txt"));
  EXPECT_FALSE(SameTextIgnoreCase(u"file", u"files"));
  EXPECT_TRUE(SameTextIgnoreCase("Ёлка Ü", "ёЛКА ü"));
  EXPECT_FALSE(SameTextIgnoreCase("abc", "abd"));
  EXPECT_LT(CompareTextIgnoreCase(u"apple", u"Banana"), 0);
  EXPECT_GT(CompareTextIgnoreCase(u"Жук", u"ёж"), 0);
  EXPECT_LT(CompareTextIgnoreCase(u"ель", u"ёж"), 0);   // Е < Ё
  EXPECT_LT(CompareTextIgnoreCase(u"ёж", u"жук"), 0);   // Ё < Ж
  EXPECT_LT(CompareTextIgnoreCase(u"ab", u"ABC"), 0);
  EXPECT_EQ(CompareTextIgnoreCase(u"", u""), 0);
}

TEST(CaseMapping, CompareStringWithAndWithoutIgnoreCase) {
  EXPECT_EQ(CompareStringW(1049, NORM_IGNORECASE, u"Привет", -1, u"ПРИВЕТ", -1), CSTR_EQUAL);
  EXPECT_EQ(CompareStringW(1049, 0, u"привет", -1, u"Привет", -1), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringW(1049, 0, u"Привет", -1, u"привет", -1), CSTR_GREATER_THAN);
  EXPECT_EQ(CompareStringW(1049, 0, u"abc", -1, u"ABD", -1), CSTR_LESS_THAN);
  // Counted prefixes: compare only the given number of units.
  EXPECT_EQ(CompareStringW(1049, NORM_IGNORECASE, u"Combo box", 5, u"COMBO", 5), CSTR_EQUAL);
  EXPECT_EQ(CompareStringW(1049, NORM_IGNORECASE, u"Com", 3, u"COMBO", 5), CSTR_LESS_THAN);
  SetLastError(0);
  EXPECT_EQ(CompareStringW(1049, 0, nullptr, -1, u"x", -1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
}  // namespace win

#include "platform/kernel/Utf16.h"

namespace win {
namespace {

TEST(Utf16, SurrogatePairsAreRecognisedAndCombined) {
  const std::u16string text = u"a\U0001F600b\xD800" u"c\xDC00";
  EXPECT_FALSE(IsPairAt(text, 0));
  EXPECT_TRUE(IsPairAt(text, 1));
  EXPECT_FALSE(IsPairAt(text, 2));  // a low surrogate does not start a pair
  EXPECT_FALSE(IsPairAt(text, 4));  // a high surrogate followed by "c"
  EXPECT_FALSE(IsPairAt(text, 6));  // the last unit
  EXPECT_EQ(CombineSurrogates(text[1], text[2]), U'\U0001F600');
  EXPECT_EQ(CombineSurrogates(0xDBFF, 0xDFFF), char32_t(0x10FFFF));
  EXPECT_TRUE(IsHighSurrogate(0xD800));
  EXPECT_FALSE(IsHighSurrogate(0xDC00));
  EXPECT_TRUE(IsLowSurrogate(0xDFFF));
  EXPECT_FALSE(IsSurrogate(0xE000));
}

}  // namespace
}  // namespace win
