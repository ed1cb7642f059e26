#include "platform/kernel/Locale.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/kernel/LastError.h"

namespace win {
namespace {

std::u16string Info(LCTYPE type, LCID lcid = LOCALE_USER_DEFAULT) {
  const int needed = GetLocaleInfoW(lcid, type, nullptr, 0);
  if (needed <= 0) return u"<error>";
  std::u16string text(size_t(needed), u'\0');
  EXPECT_EQ(GetLocaleInfoW(lcid, type, text.data(), needed), needed);
  EXPECT_EQ(text.back(), u'\0');
  text.pop_back();
  return text;
}

class LocaleService : public ::testing::Test {
 protected:
  void TearDown() override { locale::ResetRegionalSettings(); }
};

TEST_F(LocaleService, ProcessRunsInTheRussianLocale) {
  EXPECT_EQ(GetUserDefaultLCID(), 1049u);
  EXPECT_EQ(GetSystemDefaultLCID(), 1049u);
  EXPECT_EQ(GetThreadLocale(), 1049u);
  EXPECT_EQ(GetUserDefaultLangID(), 0x0419);
  EXPECT_EQ(Info(LOCALE_IDEFAULTANSICODEPAGE), u"1251");
  EXPECT_EQ(Info(LOCALE_IDEFAULTCODEPAGE), u"866");
  EXPECT_EQ(Info(LOCALE_ILANGUAGE, 1049), u"0419");
  EXPECT_EQ(Info(LOCALE_SSHORTDATE), u"dd.MM.yyyy");
  EXPECT_EQ(Info(LOCALE_STIMEFORMAT), u"H:mm:ss");
  EXPECT_EQ(Info(LOCALE_SMONTHNAME1 + 2), u"Март");
  EXPECT_EQ(Info(LOCALE_SDAYNAME1 + 6), u"воскресенье");
}

TEST_F(LocaleService, SeparatorsDefaultToRussianAndCanBeChanged) {
  EXPECT_EQ(locale::RegionalDecimalSeparator(), ',');
  EXPECT_EQ(Info(LOCALE_SDECIMAL), u",");
  EXPECT_EQ(Info(LOCALE_STHOUSAND), u"\u00A0");
  locale::SetRegionalDecimalSeparator('.');
  locale::SetRegionalThousandSeparator(u',');
  EXPECT_EQ(Info(LOCALE_SDECIMAL), u".");
  EXPECT_EQ(Info(LOCALE_STHOUSAND), u",");
  EXPECT_EQ(Info(LOCALE_SDECIMAL | LOCALE_NOUSEROVERRIDE), u".");
  locale::ResetRegionalSettings();
  EXPECT_EQ(Info(LOCALE_SDECIMAL), u",");
}

TEST_F(LocaleService, NumericFormAndFailures) {
  WCHAR buffer[4] = {};
  ASSERT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER, buffer, 4), 2);
  DWORD value = 0;
  static_assert(sizeof value == 2 * sizeof(WCHAR));
  std::memcpy(&value, buffer, sizeof value);
  EXPECT_EQ(value, 1251u);

  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL | LOCALE_RETURN_NUMBER, buffer, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, 0x7777, buffer, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buffer, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoW(0x0411, LOCALE_SDECIMAL, buffer, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, nullptr, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
}  // namespace win
