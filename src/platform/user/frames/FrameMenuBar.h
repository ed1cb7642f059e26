#pragma once
// The meeting point of the frame and the menu bar. The frame leaves a strip below the caption for
// a top-level window's menu bar; the menu code lays the bar out, paints it and runs its loops.
// Until the menu code installs its handlers no window has a bar.

#include "platform/user/windows/WinUserTypes.h"

namespace win {

struct MenuBarHandlers {
  // Height of the window's bar when it is `width` pixels wide (0: the window has no menu bar).
  int (*height)(HWND hwnd, int width) = nullptr;
  // Paints the bar into a DC of the whole window; `bar` is in window coordinates.
  void (*paint)(HWND hwnd, HDC windowDC, const RECT* bar) = nullptr;
  // WM_SYSCOMMAND SC_MOUSEMENU (lParam: the screen point) or SC_KEYMENU (lParam: the character,
  // 0 for Alt or F10 alone) for a window with a bar.
  void (*track)(HWND hwnd, WPARAM command, LPARAM lParam) = nullptr;
};

// Installs the handlers (null resets them); called once at start-up by the menu code.
void SetMenuBarHandlers(const MenuBarHandlers* handlers);

}  // namespace win
