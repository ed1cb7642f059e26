#pragma once
// The message box: a modal window with a text, an icon and a row of buttons, answered with the
// mouse or the keyboard, or at once by a scripted answer of the headless desktop.

#include <string>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win {

// Buttons
inline constexpr UINT MB_OK = 0x0000, MB_OKCANCEL = 0x0001, MB_ABORTRETRYIGNORE = 0x0002, MB_YESNOCANCEL = 0x0003,
                      MB_YESNO = 0x0004, MB_RETRYCANCEL = 0x0005, MB_TYPEMASK = 0x000F;
// Icons
inline constexpr UINT MB_ICONHAND = 0x0010, MB_ICONERROR = MB_ICONHAND, MB_ICONSTOP = MB_ICONHAND,
                      MB_ICONQUESTION = 0x0020, MB_ICONEXCLAMATION = 0x0030, MB_ICONWARNING = MB_ICONEXCLAMATION,
                      MB_ICONASTERISK = 0x0040, MB_ICONINFORMATION = MB_ICONASTERISK, MB_ICONMASK = 0x00F0;
// Default button and modality
inline constexpr UINT MB_DEFBUTTON1 = 0x0000, MB_DEFBUTTON2 = 0x0100, MB_DEFBUTTON3 = 0x0200,
                      MB_DEFMASK = 0x0F00, MB_APPLMODAL = 0x0000, MB_SYSTEMMODAL = 0x1000,
                      MB_TASKMODAL = 0x2000, MB_MODEMASK = 0x3000, MB_SETFOREGROUND = 0x00010000,
                      MB_TOPMOST = 0x00040000;
// Results
inline constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

inline constexpr DWORD ERROR_INVALID_MSGBOX_STYLE = 1158;

// Returns the button chosen, or 0 (ERROR_INVALID_MSGBOX_STYLE) for an unknown button set. A null
// caption shows "Ошибка". While the box is up its owner (the top-level window of `owner`) is
// disabled.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
// Text and caption in CP1251.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// Every message box asked for, scripted or shown, for tests to check.
struct MessageBoxRecord {
  std::u16string text;
  std::u16string caption;
  UINT type = 0;
  int result = 0;
};
const std::vector<MessageBoxRecord>& MessageBoxHistory();
void ClearMessageBoxHistory();

}  // namespace win
