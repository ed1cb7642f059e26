// Text formats on the clipboard: each of CF_TEXT, CF_OEMTEXT and CF_UNICODETEXT can be made from
// the others. The byte formats use the ANSI or OEM code page of the clipboard's CF_LOCALE.

#include <string>
#include <string_view>

#include "platform/kernel/CodePages.h"
#include "platform/kernel/Locale.h"
#include "platform/user/services/ClipboardBuiltinRules.h"
#include "platform/user/services/ClipboardFormats.h"
#include "platform/user/services/ClipboardGlobalMemory.h"
#include "platform/user/services/ClipboardSynthesis.h"

namespace win {
namespace {

// A numeric locale item from the locale service, which knows the process's own locale.
bool LocaleNumber(LCID locale, LCTYPE item, UINT* value) {
  if (locale == 0) return false;
  DWORD number = 0;
  if (GetLocaleInfoW(locale, item | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&number), 2) != 2) return false;
  *value = number;
  return true;
}

// Primary language of a locale id (its low ten bits).
WORD PrimaryLanguage(LCID lcid) { return WORD(lcid & 0x3FF); }

bool IsCyrillicLanguage(WORD lang) {
  switch (lang) {
    case 0x19:  // Russian
    case 0x22:  // Ukrainian
    case 0x23:  // Belarusian
    case 0x02:  // Bulgarian
    case 0x2F:  // Macedonian
      return true;
    default:
      return false;
  }
}

bool IsWesternLanguage(WORD lang) {
  switch (lang) {
    case 0x09: case 0x07: case 0x0C: case 0x0A: case 0x10: case 0x13: case 0x16:
    case 0x1D: case 0x14: case 0x06: case 0x0B: case 0x0F: case 0x03:
      return true;  // English, German, French, Spanish, Italian, Dutch, Portuguese, Swedish,
                    // Norwegian, Danish, Finnish, Icelandic, Catalan
    default:
      return false;
  }
}

// The bytes of a text block up to its terminator (or its end when it has none).
template <class Char>
std::basic_string_view<Char> BlockText(HGLOBAL h, const Char* p) {
  std::basic_string_view<Char> text(p, GlobalSize(h) / sizeof(Char));
  return text.substr(0, text.find(Char(0)));
}

HGLOBAL BytesToWide(HANDLE source, UINT codePage) {
  auto* block = static_cast<HGLOBAL>(source);
  auto* p = static_cast<const char*>(GlobalLock(block));
  std::u16string wide;
  if (p) {
    std::string_view bytes = BlockText(block, p);
    int n = bytes.empty() ? 0 : MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    wide.resize(size_t(n));
    if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), wide.data(), n);
    GlobalUnlock(block);
  } else if (GlobalSize(block) != 0 || !IsGlobalBlock(block)) {
    return nullptr;
  }
  return GlobalAllocCopy(wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
}

HGLOBAL WideToBytes(HANDLE source, UINT codePage) {
  auto* block = static_cast<HGLOBAL>(source);
  auto* p = static_cast<const char16_t*>(GlobalLock(block));
  std::string bytes;
  if (p) {
    std::u16string_view wide = BlockText(block, p);
    int n = wide.empty() ? 0
                         : WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr,
                                               nullptr);
    bytes.resize(size_t(n));
    if (n > 0)
      WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), bytes.data(), n, nullptr, nullptr);
    GlobalUnlock(block);
  } else if (GlobalSize(block) != 0 || !IsGlobalBlock(block)) {
    return nullptr;
  }
  return GlobalAllocCopy(bytes.c_str(), bytes.size() + 1);
}

HGLOBAL BytesToBytes(HANDLE source, UINT fromPage, UINT toPage) {
  HGLOBAL wide = BytesToWide(source, fromPage);
  if (!wide) return nullptr;
  HGLOBAL bytes = WideToBytes(wide, toPage);
  GlobalFree(wide);
  return bytes;
}

}  // namespace

// Locales the locale service does not describe are placed by the language alone.
UINT AnsiCodePageOfLocale(LCID locale) {
  UINT page = 0;
  if (LocaleNumber(locale, LOCALE_IDEFAULTANSICODEPAGE, &page)) return page;
  WORD lang = PrimaryLanguage(locale);
  if (IsCyrillicLanguage(lang)) return 1251;
  if (IsWesternLanguage(lang)) return 1252;
  return CP_ACP;
}

UINT OemCodePageOfLocale(LCID locale) {
  UINT page = 0;
  if (LocaleNumber(locale, LOCALE_IDEFAULTCODEPAGE, &page)) return page;
  return IsCyrillicLanguage(PrimaryLanguage(locale)) ? 866 : CP_OEMCP;
}

LCID ClipboardInputLocale() { return GetUserDefaultLCID(); }

void AddTextClipboardRules() {
  AddClipboardSynthesis(CF_TEXT, CF_UNICODETEXT,
                        [](HANDLE h, LCID lcid) { return WideToBytes(h, AnsiCodePageOfLocale(lcid)); });
  AddClipboardSynthesis(CF_TEXT, CF_OEMTEXT, [](HANDLE h, LCID lcid) {
    return BytesToBytes(h, OemCodePageOfLocale(lcid), AnsiCodePageOfLocale(lcid));
  });
  AddClipboardSynthesis(CF_OEMTEXT, CF_UNICODETEXT,
                        [](HANDLE h, LCID lcid) { return WideToBytes(h, OemCodePageOfLocale(lcid)); });
  AddClipboardSynthesis(CF_OEMTEXT, CF_TEXT, [](HANDLE h, LCID lcid) {
    return BytesToBytes(h, AnsiCodePageOfLocale(lcid), OemCodePageOfLocale(lcid));
  });
  AddClipboardSynthesis(CF_UNICODETEXT, CF_TEXT,
                        [](HANDLE h, LCID lcid) { return BytesToWide(h, AnsiCodePageOfLocale(lcid)); });
  AddClipboardSynthesis(CF_UNICODETEXT, CF_OEMTEXT,
                        [](HANDLE h, LCID lcid) { return BytesToWide(h, OemCodePageOfLocale(lcid)); });
}

}  // namespace win
