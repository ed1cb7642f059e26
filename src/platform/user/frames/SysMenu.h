#pragma once
// The system menu: each window's own copy of the standard window commands.

#include "platform/user/windows/WinUserTypes.h"

namespace win {

// WM_HELP, sent by the context-help mode (SC_CONTEXTHELP) to the window clicked.
inline constexpr int HELPINFO_WINDOW = 0x0001, HELPINFO_MENUITEM = 0x0002;
struct HELPINFO {
  UINT cbSize = sizeof(HELPINFO);
  int iContextType = HELPINFO_WINDOW;
  int iCtrlId = 0;
  HANDLE hItemHandle = nullptr;
  DWORD_PTR dwContextId = 0;
  POINT MousePos{};
};

// With revert FALSE: the window's copy of the system menu, made on first use, which the program
// may change. With revert TRUE: drops the copy and returns NULL, so the next call starts from the
// standard menu again. NULL for a window without WS_SYSMENU.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);

namespace frame {
// Whether the window's system menu leaves a command usable: a window without its own copy uses
// the standard menu, where every command is; an item removed or greyed by the program is not.
bool SystemMenuCommandEnabled(HWND hwnd, WPARAM command);
// Brings the items' enabled states up to date with the window's state (restored, minimised,
// maximised, sizable, its boxes).
void UpdateSystemMenu(HWND hwnd, HMENU menu);
// Opens the system menu at a screen point and runs it; the chosen command is posted to the window
// as WM_SYSCOMMAND.
void TrackSystemMenu(HWND hwnd, POINT screenPt);
// The context-help mode: the next click sends WM_HELP to the window under it (Escape, a right
// click or losing the capture leave the mode).
void RunContextHelpMode(HWND hwnd);
}  // namespace frame

}  // namespace win
