#pragma once
// The locale service: the process runs in the Russian locale (LCID 1049). The regional decimal
// separator is "," unless changed (tests change it to check both forms).

#include "platform/kernel/WinDef.h"

namespace win {

using LCTYPE = DWORD;
using LANGID = WORD;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
inline constexpr LCID LOCALE_RUSSIAN = 0x0419;  // 1049

inline constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;
inline constexpr LCTYPE LOCALE_RETURN_NUMBER = 0x20000000;
inline constexpr LCTYPE LOCALE_ILANGUAGE = 0x0001;
inline constexpr LCTYPE LOCALE_SLANGUAGE = 0x0002;
inline constexpr LCTYPE LOCALE_SABBREVLANGNAME = 0x0003;
inline constexpr LCTYPE LOCALE_SNATIVELANGNAME = 0x0004;
inline constexpr LCTYPE LOCALE_ICOUNTRY = 0x0005;
inline constexpr LCTYPE LOCALE_IDEFAULTLANGUAGE = 0x0009;
inline constexpr LCTYPE LOCALE_IDEFAULTCOUNTRY = 0x000A;
inline constexpr LCTYPE LOCALE_IDEFAULTCODEPAGE = 0x000B;
inline constexpr LCTYPE LOCALE_SLIST = 0x000C;
inline constexpr LCTYPE LOCALE_IMEASURE = 0x000D;
inline constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;
inline constexpr LCTYPE LOCALE_STHOUSAND = 0x000F;
inline constexpr LCTYPE LOCALE_SGROUPING = 0x0010;
inline constexpr LCTYPE LOCALE_IDIGITS = 0x0011;
inline constexpr LCTYPE LOCALE_ILZERO = 0x0012;
inline constexpr LCTYPE LOCALE_SCURRENCY = 0x0014;
inline constexpr LCTYPE LOCALE_SMONDECIMALSEP = 0x0016;
inline constexpr LCTYPE LOCALE_SMONTHOUSANDSEP = 0x0017;
inline constexpr LCTYPE LOCALE_SDATE = 0x001D;
inline constexpr LCTYPE LOCALE_STIME = 0x001E;
inline constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;
inline constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;
inline constexpr LCTYPE LOCALE_SDAYNAME1 = 0x002A;       // Monday; ...7 = 0x0030 Sunday
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x0031;  // ...7 = 0x0037
inline constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x0038;      // ...12 = 0x0043
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x0044;  // ...12 = 0x004F
inline constexpr LCTYPE LOCALE_SPOSITIVESIGN = 0x0050;
inline constexpr LCTYPE LOCALE_SNEGATIVESIGN = 0x0051;
inline constexpr LCTYPE LOCALE_SENGLANGUAGE = 0x1001;
inline constexpr LCTYPE LOCALE_SENGCOUNTRY = 0x1002;
inline constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;
inline constexpr LCTYPE LOCALE_IDEFAULTANSICODEPAGE = 0x1004;
inline constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;

LCID GetUserDefaultLCID();
LCID GetSystemDefaultLCID();
LCID GetThreadLocale();
LANGID GetUserDefaultLangID();
LANGID GetSystemDefaultLangID();

// Returns the number of units written including the terminator, or the number needed when
// `count` is 0. With LOCALE_RETURN_NUMBER a numeric item is written as a DWORD (2 units).
// Fails with ERROR_INVALID_PARAMETER (unknown locale or buffer), ERROR_INVALID_FLAGS (unknown
// item) or ERROR_INSUFFICIENT_BUFFER.
int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int count);

namespace locale {

// The regional (user's) separators that GetLocaleInfoW reports and number reading uses.
char RegionalDecimalSeparator();
void SetRegionalDecimalSeparator(char separator);
char16_t RegionalThousandSeparator();
void SetRegionalThousandSeparator(char16_t separator);
// Back to the Russian defaults: "," and a no-break space.
void ResetRegionalSettings();

}  // namespace locale
}  // namespace win
