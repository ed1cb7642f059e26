#include "controls/UniCodePages.h"


#include "platform/kernel/LastError.h"
#include "platform/kernel/Locale.h"
#include "platform/kernel/TextConvert.h"

namespace cs {
namespace {

// The pages that resolve to the process's ANSI page (Windows Cyrillic).
bool IsAnsiPage(win::UINT CodePage) {
  return CodePage == win::CP_ACP || CodePage == win::CP_THREAD_ACP || CodePage == win::GetACP();
}

[[noreturn]] void RaiseUnknownPage(win::UINT CodePage) {
  throw EUniGeneralError(fw::Format("Code page %d is not supported", int(CodePage)));
}

}  // namespace

WideString Utf8ToWide(std::string_view S) { return win::Utf8ToWide(S); }
String WideToUtf8(std::u16string_view W) { return win::WideToUtf8(W); }

WideString AnsiToWideCP(std::string_view S, win::UINT CodePage) {
  if (CodePage == CP_UTF7) return Utf7ToWide(S);
  if (CodePage == win::CP_UTF8) return win::Utf8ToWide(S);
  if (IsAnsiPage(CodePage)) return win::Cp1251ToWide(S);
  if (S.empty()) return {};
  const int n = win::MultiByteToWideChar(CodePage, 0, S.data(), int(S.size()), nullptr, 0);
  if (n <= 0) RaiseUnknownPage(CodePage);
  WideString out(size_t(n), u'\0');
  win::MultiByteToWideChar(CodePage, 0, S.data(), int(S.size()), out.data(), n);
  return out;
}

std::string WideToAnsiCP(std::u16string_view W, win::UINT CodePage) {
  if (CodePage == CP_UTF7) return WideToUtf7(W);
  if (CodePage == win::CP_UTF8) return win::WideToUtf8(W);
  if (IsAnsiPage(CodePage)) return win::WideToCp1251(W);
  if (W.empty()) return {};
  const int n = win::WideCharToMultiByte(CodePage, 0, W.data(), int(W.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) RaiseUnknownPage(CodePage);
  std::string out(size_t(n), '\0');
  win::WideCharToMultiByte(CodePage, 0, W.data(), int(W.size()), out.data(), n, nullptr, nullptr);
  return out;
}

void Utf8ToWide(std::string_view S, WideString& Out) { win::Utf8ToWide(S, Out); }
void WideToUtf8(std::u16string_view W, String& Out) { win::WideToUtf8(W, Out); }

void AnsiToWideCP(std::string_view S, win::UINT CodePage, WideString& Out) {
  if (CodePage == win::CP_UTF8) win::Utf8ToWide(S, Out);
  else if (IsAnsiPage(CodePage)) win::Cp1251ToWide(S, Out);
  else Out = AnsiToWideCP(S, CodePage);
}

void WideToAnsiCP(std::u16string_view W, win::UINT CodePage, std::string& Out) {
  if (CodePage == win::CP_UTF8) win::WideToUtf8(W, Out);
  else if (IsAnsiPage(CodePage)) win::WideToCp1251(W, Out);
  else Out = WideToAnsiCP(W, CodePage);
}

std::string WideToAnsi(std::u16string_view W) { return WideToAnsiCP(W, DefaultAnsiCodePage); }
WideString AnsiToWide(std::string_view S) { return AnsiToWideCP(S, DefaultAnsiCodePage); }

win::UINT LocaleAnsiCodePage(win::LCID Locale) {
  char16_t buffer[6] = {};
  const int n = win::GetLocaleInfoW(Locale, win::LOCALE_IDEFAULTANSICODEPAGE, buffer, 6);
  win::UINT page = 0;
  bool number = n > 1;
  for (int i = 0; i + 1 < n && number; ++i) {
    if (buffer[i] < u'0' || buffer[i] > u'9') number = false;
    else page = page * 10 + win::UINT(buffer[i] - u'0');
  }
  return number ? page : win::GetACP();
}

void SwapWideByteOrder(char16_t* Buffer) {
  for (; *Buffer != 0; ++Buffer) *Buffer = char16_t((*Buffer << 8) | (*Buffer >> 8));
}

bool WideCharFitsAnsi(char16_t Character) {
  win::BOOL usedDefault = 0;
  char byte = 0;
  win::WideCharToMultiByte(DefaultAnsiCodePage, 0, &Character, 1, &byte, 1, nullptr,
                           &usedDefault);
  return !usedDefault;
}

}  // namespace cs
