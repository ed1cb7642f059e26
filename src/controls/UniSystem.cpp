#include "controls/UniSystem.h"

#include <algorithm>

#include "controls/UniCodePages.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/Resources.h"
#include "platform/user/windows/Window.h"

namespace cs {

void RaiseLastOSError() { throw EUniInternalError(fw::SysErrorMessage(int(win::GetLastError()))); }

win::BOOL WideSetWindowText(win::HWND Wnd, const WideString& Text) { return win::SetWindowTextW(Wnd, Text.c_str()); }

win::DWORD WideGetFileAttributes(const WideString& Name) { return win::GetFileAttributesW(Name.c_str()); }

int WideDrawText(win::HDC DC, const char16_t* Text, int Count, win::RECT* Rect, win::UINT Format) {
  return win::DrawTextW(DC, Text, Count, Rect, Format);
}

win::DWORD WideGetModuleFileNameBuf(win::HMODULE Module, char16_t* Buffer, win::DWORD Size) {
  // The platform truncates into a terminated buffer; the contract here copies exactly Size
  // characters without a terminator when the path does not fit.
  const WideString path = Module == nullptr ? win::ModuleFileName() : WideString();
  if (path.empty()) return 0;
  if (Size > path.size()) {
    std::copy(path.begin(), path.end(), Buffer);
    Buffer[path.size()] = 0;
    return win::DWORD(path.size());
  }
  std::copy_n(path.begin(), Size, Buffer);
  return Size;
}

char16_t WideCharUpper(char16_t Character) { return win::ToUpperChar(Character); }
char16_t WideCharLower(char16_t Character) { return win::ToLowerChar(Character); }
char16_t* WideCharUpper(char16_t* Text) { return win::CharUpperW(Text); }
char16_t* WideCharLower(char16_t* Text) { return win::CharLowerW(Text); }
win::DWORD WideCharUpperBuff(char16_t* Buffer, win::DWORD Count) { return win::CharUpperBuffW(Buffer, Count); }
win::DWORD WideCharLowerBuff(char16_t* Buffer, win::DWORD Count) { return win::CharLowerBuffW(Buffer, Count); }

int WideLoadString(win::HINSTANCE Instance, win::UINT Id, char16_t* Buffer, int Size) {
  if (Buffer == nullptr || Size < 1) {
    // The platform hands out the text itself for a zero size; its length is what is asked.
    const char16_t* text = nullptr;
    const int length = win::LoadStringW(Instance, Id, reinterpret_cast<win::LPWSTR>(&text), 0);
    return length;
  }
  return win::LoadStringW(Instance, Id, Buffer, Size);
}

WideString WideLoadResString(std::string_view Text) {
  if (Text.size() > 3 && Text.substr(0, 3) == "\xEF\xBB\xBF") Text.remove_prefix(3);
  return Utf8ToWide(Text);
}

}  // namespace cs
