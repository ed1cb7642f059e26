#pragma once
// What the system services (colours, parameters, monitors, clipboard, dropped files) need from
// the window core, as a set of functions the window core installs when it starts. The services
// never reach into window internals; with no link installed they behave as if no window existed.

#include <functional>

#include "platform/kernel/WinDef.h"

namespace win {

struct SysWindowLink {
  // TRUE for a live window handle.
  std::function<bool(HWND)> isWindow;
  // The window's rectangle in screen coordinates; false for a dead handle.
  std::function<bool(HWND, RECT*)> windowRect;
  // Sends the message to every top-level window (WM_SYSCOLORCHANGE, WM_SETTINGCHANGE).
  std::function<void(UINT, WPARAM, LPARAM)> sendToTopLevelWindows;
  // Sets or clears WS_EX_ACCEPTFILES; false for a dead handle.
  std::function<bool(HWND, bool accept)> setAcceptFiles;
};

// Installs the link (replacing any earlier one); an empty link removes it.
void SetSysWindowLink(SysWindowLink link);
// Copy of the installed link, so a call never races with a replacement.
SysWindowLink CurrentSysWindowLink();

// Convenience wrappers with the "no window system" answers built in.
bool LinkIsWindow(HWND hwnd);
bool LinkWindowRect(HWND hwnd, RECT* rc);
void LinkSendToTopLevelWindows(UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace win
