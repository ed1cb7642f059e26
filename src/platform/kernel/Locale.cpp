#include "platform/kernel/Locale.h"

#include <atomic>
#include <cstring>
#include <string>

#include "platform/kernel/LastError.h"

namespace win {
namespace {

constexpr char kDefaultDecimal = ',';
constexpr char16_t kDefaultThousand = 0x00A0;

std::atomic<char> gDecimal{kDefaultDecimal};
std::atomic<char16_t> gThousand{kDefaultThousand};

constexpr const char16_t* kDayNames[7] = {u"понедельник", u"вторник", u"среда", u"четверг",
                                          u"пятница", u"суббота", u"воскресенье"};
constexpr const char16_t* kAbbrevDayNames[7] = {u"Пн", u"Вт", u"Ср", u"Чт", u"Пт", u"Сб", u"Вс"};
constexpr const char16_t* kMonthNames[12] = {u"Январь", u"Февраль", u"Март",     u"Апрель",
                                             u"Май",    u"Июнь",    u"Июль",     u"Август",
                                             u"Сентябрь", u"Октябрь", u"Ноябрь", u"Декабрь"};
constexpr const char16_t* kAbbrevMonthNames[12] = {u"янв", u"фев", u"мар", u"апр", u"май", u"июн",
                                                   u"июл", u"авг", u"сен", u"окт", u"ноя", u"дек"};

bool IsSupportedLocale(LCID lcid) {
  return lcid == LOCALE_RUSSIAN || lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_SYSTEM_DEFAULT || lcid == 0;
}

// Numeric items: their value, for both the text and the LOCALE_RETURN_NUMBER forms.
bool NumericItem(LCTYPE type, DWORD& value) {
  switch (type) {
    case LOCALE_ILANGUAGE: value = 0x0419; return true;
    case LOCALE_ICOUNTRY:
    case LOCALE_IDEFAULTCOUNTRY: value = 7; return true;
    case LOCALE_IDEFAULTCODEPAGE: value = 866; return true;
    case LOCALE_IDEFAULTANSICODEPAGE: value = 1251; return true;
    case LOCALE_IMEASURE: value = 0; return true;
    case LOCALE_IDIGITS: value = 2; return true;
    case LOCALE_ILZERO: value = 1; return true;
    case LOCALE_IFIRSTDAYOFWEEK: value = 0; return true;
    default: return false;
  }
}

bool TextItem(LCTYPE type, std::u16string& text) {
  DWORD number = 0;
  if (type == LOCALE_ILANGUAGE || type == LOCALE_IDEFAULTLANGUAGE) {
    text = u"0419";  // hexadecimal, as the system writes the language id
    return true;
  }
  if (NumericItem(type, number)) {
    const std::string digits = std::to_string(number);
    text.assign(digits.begin(), digits.end());
    return true;
  }
  if (type >= LOCALE_SDAYNAME1 && type < LOCALE_SDAYNAME1 + 7) {
    text = kDayNames[type - LOCALE_SDAYNAME1];
    return true;
  }
  if (type >= LOCALE_SABBREVDAYNAME1 && type < LOCALE_SABBREVDAYNAME1 + 7) {
    text = kAbbrevDayNames[type - LOCALE_SABBREVDAYNAME1];
    return true;
  }
  if (type >= LOCALE_SMONTHNAME1 && type < LOCALE_SMONTHNAME1 + 12) {
    text = kMonthNames[type - LOCALE_SMONTHNAME1];
    return true;
  }
  if (type >= LOCALE_SABBREVMONTHNAME1 && type < LOCALE_SABBREVMONTHNAME1 + 12) {
    text = kAbbrevMonthNames[type - LOCALE_SABBREVMONTHNAME1];
    return true;
  }
  switch (type) {
    case LOCALE_SLANGUAGE: text = u"Русский"; return true;
    case LOCALE_SABBREVLANGNAME: text = u"RUS"; return true;
    case LOCALE_SNATIVELANGNAME: text = u"русский"; return true;
    case LOCALE_SENGLANGUAGE: text = u"Russian"; return true;
    case LOCALE_SENGCOUNTRY: text = u"Russia"; return true;
    case LOCALE_SLIST: text = u";"; return true;
    case LOCALE_SDECIMAL:
    case LOCALE_SMONDECIMALSEP: text = std::u16string(1, char16_t(locale::RegionalDecimalSeparator())); return true;
    case LOCALE_STHOUSAND:
    case LOCALE_SMONTHOUSANDSEP: text = std::u16string(1, locale::RegionalThousandSeparator()); return true;
    case LOCALE_SGROUPING: text = u"3;0"; return true;
    case LOCALE_SCURRENCY: text = u"р."; return true;
    case LOCALE_SDATE: text = u"."; return true;
    case LOCALE_STIME: text = u":"; return true;
    case LOCALE_SSHORTDATE: text = u"dd.MM.yyyy"; return true;
    case LOCALE_SLONGDATE: text = u"d MMMM yyyy 'г.'"; return true;
    case LOCALE_STIMEFORMAT: text = u"H:mm:ss"; return true;
    case LOCALE_SPOSITIVESIGN: text = u""; return true;
    case LOCALE_SNEGATIVESIGN: text = u"-"; return true;
    default: return false;
  }
}

}  // namespace

LCID GetUserDefaultLCID() { return LOCALE_RUSSIAN; }
LCID GetSystemDefaultLCID() { return LOCALE_RUSSIAN; }
LCID GetThreadLocale() { return LOCALE_RUSSIAN; }
LANGID GetUserDefaultLangID() { return LANGID(LOCALE_RUSSIAN); }
LANGID GetSystemDefaultLangID() { return LANGID(LOCALE_RUSSIAN); }

int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int count) {
  if (!IsSupportedLocale(locale) || count < 0 || (count > 0 && !data)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const LCTYPE item = type & ~(LOCALE_NOUSEROVERRIDE | LOCALE_RETURN_NUMBER);
  std::u16string text;
  if (type & LOCALE_RETURN_NUMBER) {
    DWORD number = 0;
    if (!NumericItem(item, number)) {
      SetLastError(ERROR_INVALID_FLAGS);
      return 0;
    }
    constexpr int kUnits = int(sizeof(DWORD) / sizeof(WCHAR));
    if (count == 0) return kUnits;
    if (count < kUnits) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    std::memcpy(data, &number, sizeof number);
    return kUnits;
  }
  if (!TextItem(item, text)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const int needed = int(text.size()) + 1;
  if (count == 0) return needed;
  if (count < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(data, text.c_str(), size_t(needed) * sizeof(char16_t));
  return needed;
}

namespace locale {

char RegionalDecimalSeparator() { return gDecimal.load(); }
void SetRegionalDecimalSeparator(char separator) { gDecimal.store(separator); }
char16_t RegionalThousandSeparator() { return gThousand.load(); }
void SetRegionalThousandSeparator(char16_t separator) { gThousand.store(separator); }
void ResetRegionalSettings() {
  gDecimal.store(kDefaultDecimal);
  gThousand.store(kDefaultThousand);
}

}  // namespace locale
}  // namespace win
