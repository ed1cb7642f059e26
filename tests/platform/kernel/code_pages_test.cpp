#include "platform/kernel/CodePages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/kernel/LastError.h"
#include "platform/kernel/TextConvert.h"

namespace win {
namespace {

std::u16string DecodePage(UINT page, const std::string& bytes, DWORD flags = 0) {
  const int needed = MultiByteToWideChar(page, flags, bytes.data(), int(bytes.size()), nullptr, 0);
  std::u16string out(size_t(needed), u'\0');
  if (needed > 0) MultiByteToWideChar(page, flags, bytes.data(), int(bytes.size()), out.data(), needed);
  return out;
}

// Reads the same bytes through Python's codec tables, an independent reference.
std::vector<int> PythonDecodeHighHalf(const char* codec) {
  std::string cmd = std::string("/usr/bin/python3 -c \"import sys\nfor b in range(128,256):\n try: "
                                "print(ord(bytes([b]).decode('") +
                    codec + "')))\n except Exception: print(-1)\"";
  std::vector<int> result;
  FILE* pipe = popen(cmd.c_str(), "r");
  if (!pipe) return result;
  int value = 0;
  while (fscanf(pipe, "%d", &value) == 1) result.push_back(value);
  pclose(pipe);
  return result;
}

class SingleBytePage : public ::testing::TestWithParam<std::pair<UINT, const char*>> {};

TEST_P(SingleBytePage, UpperHalfAgreesWithIndependentTableAndRoundTrips) {
  const auto [page, codec] = GetParam();
  const std::vector<int> reference = PythonDecodeHighHalf(codec);
  if (reference.size() != 128) GTEST_SKIP() << "python3 not available";
  for (int b = 0x80; b <= 0xFF; ++b) {
    const std::string one(1, char(b));
    const std::u16string wide = DecodePage(page, one);
    ASSERT_EQ(wide.size(), 1u);
    const int expected = reference[size_t(b - 0x80)];
    // Bytes the page leaves undefined keep their value as a C1 control.
    EXPECT_EQ(int(wide[0]), expected < 0 ? b : expected) << "page " << page << " byte " << b;
    char back = 0;
    BOOL usedDefault = TRUE;
    ASSERT_EQ(WideCharToMultiByte(page, 0, wide.data(), 1, &back, 1, nullptr, &usedDefault), 1);
    EXPECT_EQ(static_cast<unsigned char>(back), b);
    EXPECT_FALSE(usedDefault);
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, SingleBytePage,
                         ::testing::Values(std::make_pair(UINT(1251), "cp1251"),
                                           std::make_pair(UINT(1252), "cp1252"),
                                           std::make_pair(UINT(866), "cp866")));

TEST(CodePages, AnsiIsCyrillicAndOemIs866) {
  EXPECT_EQ(GetACP(), 1251u);
  EXPECT_EQ(GetOEMCP(), 866u);
  EXPECT_EQ(DecodePage(CP_ACP, "\xC0\xFF"), u"А\u044F");
  EXPECT_EQ(DecodePage(CP_OEMCP, "\x80\xF1"), u"А\u0451");
  EXPECT_TRUE(IsValidCodePage(1251));
  EXPECT_TRUE(IsValidCodePage(CP_UTF8));
  EXPECT_FALSE(IsValidCodePage(932));
}

TEST(CodePages, SizeQueryCountsTerminatorOnlyForMinusOne) {
  const char* text = "\xCF\xF0\xE8";  // "При" in 1251
  EXPECT_EQ(MultiByteToWideChar(1251, 0, text, -1, nullptr, 0), 4);
  EXPECT_EQ(MultiByteToWideChar(1251, 0, text, 3, nullptr, 0), 3);
  char16_t buffer[4] = {u'x', u'x', u'x', u'x'};
  ASSERT_EQ(MultiByteToWideChar(1251, 0, text, -1, buffer, 4), 4);
  EXPECT_EQ(std::u16string(buffer), u"При");

  const char16_t* wide = u"Привет";
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr), 13);
  EXPECT_EQ(WideCharToMultiByte(1251, 0, wide, -1, nullptr, 0, nullptr, nullptr), 7);
}

TEST(CodePages, BadArgumentsAndShortBuffersFailWithLastError) {
  char16_t small[2];
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(1251, 0, "abc", 3, small, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(1251, 0, "abc", 0, small, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(1251, 0, nullptr, 3, small, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(932, 0, "abc", 3, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "abc", 3, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(1251, 0, "abc", 3, nullptr, 5), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  char out[2];
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(1251, 0, u"abc", 3, out, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  BOOL used = FALSE;
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"abc", 3, nullptr, 0, nullptr, &used), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"abc", -2, nullptr, 0, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CodePages, InvalidUtf8BecomesReplacementOrFailsOnRequest) {
  // Lone continuation, overlong "/", encoded surrogate, truncated sequence at the end.
  const std::string bad = "a\x80" "b\xC0\xAF" "c\xED\xA0\x80" "d\xE2\x82";
  const std::u16string decoded = DecodePage(CP_UTF8, bad);
  EXPECT_EQ(decoded, u"a\uFFFDb\uFFFD\uFFFDc\uFFFD\uFFFD\uFFFDd\uFFFD");
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bad.data(), int(bad.size()), nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
  // Above U+10FFFF.
  EXPECT_EQ(DecodePage(CP_UTF8, "\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
  // A supplementary character becomes a surrogate pair.
  EXPECT_EQ(DecodePage(CP_UTF8, "\xF0\x9F\x98\x80"), u"\U0001F600");
}

TEST(CodePages, UnmappableCharactersUseTheDefaultCharacter) {
  const std::u16string wide = u"A\u4E2D\U0001F600Я";
  std::string out(8, '\0');
  BOOL used = FALSE;
  int n = WideCharToMultiByte(1251, 0, wide.data(), int(wide.size()), out.data(), 8, nullptr, &used);
  ASSERT_EQ(n, 4);
  EXPECT_EQ(out.substr(0, 4), "A??\xDF");
  EXPECT_TRUE(used);
  n = WideCharToMultiByte(1251, 0, wide.data(), int(wide.size()), out.data(), 8, "#", &used);
  ASSERT_EQ(n, 4);
  EXPECT_EQ(out.substr(0, 4), "A##\xDF");
  n = WideCharToMultiByte(1251, 0, u"Ok", 2, out.data(), 8, "#", &used);
  EXPECT_EQ(n, 2);
  EXPECT_FALSE(used);

  // Lone surrogates to UTF-8: U+FFFD, or failure when asked.
  const char16_t lone[] = {u'x', char16_t(0xD800), u'y'};
  std::string utf8(16, '\0');
  n = WideCharToMultiByte(CP_UTF8, 0, lone, 3, utf8.data(), 16, nullptr, nullptr);
  EXPECT_EQ(utf8.substr(0, size_t(n)), "x\xEF\xBF\xBDy");
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, 3, nullptr, 0, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(TextConvert, RoundTripsBetweenTheThreeForms) {
  const std::string utf8 = "Частота, МГц: 12,5 № ё";
  const std::string cp1251 = Utf8ToCp1251(utf8);
  EXPECT_EQ(cp1251, "\xD7\xE0\xF1\xF2\xEE\xF2\xE0, \xCC\xC3\xF6: 12,5 \xB9 \xB8");
  EXPECT_EQ(Cp1251ToUtf8(cp1251), utf8);
  EXPECT_EQ(WideToUtf8(Utf8ToWide(utf8)), utf8);
  EXPECT_EQ(Cp1251ToWide(cp1251), Utf8ToWide(utf8));
  EXPECT_EQ(WideToCp1251(u"日本"), "??");
  EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98\x80!"), "?!");
}

TEST(TextConvert, Utf8ValidityAndEncodingGuess) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain ascii"));
  EXPECT_TRUE(IsValidUtf8("Привет"));
  EXPECT_FALSE(IsValidUtf8("\xCF\xF0\xE8"));  // 1251 bytes
  EXPECT_FALSE(IsValidUtf8("\xC1\xBF"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));  // overlong three-byte form
  EXPECT_EQ(DecodeTextBytes("Привет"), u"Привет");
  EXPECT_EQ(DecodeTextBytes("\xCF\xF0\xE8\xE2\xE5\xF2"), u"Привет");
  // A text valid in both reads as UTF-8.
  EXPECT_EQ(DecodeTextBytes("x=1"), u"x=1");
  // Decided per line: a Cyrillic line, a letter cut short and CR-only ends leave the others.
  EXPECT_EQ(DecodeTextToUtf8("папка\r\n\xCF\xF0\r\n\r\nпапк\xD0\rок\n"),
            "папка\r\nПр\r\n\r\n" + Cp1251ToUtf8("папк\xD0") + "\rок\n");
}

}  // namespace
}  // namespace win
