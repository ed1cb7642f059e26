#pragma once
// What the button's source files share: the per-window state, the style questions and painting.

#include "platform/kernel/WinDef.h"

namespace win::button {

struct State {
  HFONT font = nullptr;
  LRESULT check = 0;      // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
  bool pushed = false;    // drawn pressed
  bool tracking = false;  // the left button went down on it and is held
  bool spaceDown = false;
  bool focused = false;
};

DWORD TypeOf(HWND hwnd);
bool IsCheckBox(DWORD type);
bool IsRadio(DWORD type);
// Push buttons, and check boxes or radio buttons that look like push buttons (BS_PUSHLIKE).
bool LooksPushed(HWND hwnd);

// Paints the whole button on `hdc` (owner-drawn buttons: asks the parent).
void Paint(HWND hwnd, State& s, HDC hdc);

}  // namespace win::button
