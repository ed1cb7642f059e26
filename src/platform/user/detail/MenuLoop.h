#pragma once
// Internal to the menu code: the modal menu loop behind TrackPopupMenuEx and the menu bar, and
// the popup menu windows it shows.

#include "platform/user/menus/MenuTypes.h"

namespace win::menu {

struct TrackRequest {
  HWND owner = nullptr;
  UINT flags = 0;  // TPM_
  // A popup menu shown at a point ...
  HMENU popup = nullptr;
  POINT pt{};
  bool hasExclude = false;
  RECT exclude{};
  // ... or the owner's menu bar, entered at an item: by the mouse, by F10/Alt (no item open), or
  // by a mnemonic character.
  HMENU bar = nullptr;
  int barItem = -1;
  bool openBarItem = false;
  char16_t mnemonic = 0;
};

// Runs the loop; returns the chosen command (0 when nothing was chosen). Posts the choice unless
// TPM_RETURNCMD. False in *started when the loop could not start.
UINT RunMenuLoop(const TrackRequest& request, bool* started);
// The bar item the loop highlights in `owner`'s bar (-1: none) and whether its popup is open.
int TrackedBarItem(HWND owner, bool* open);

// Ends this thread's menu loop (EndMenu); false when none runs.
bool EndCurrentMenu();

// Popup menu windows (class "#32768").
HWND CreateMenuWindow(HMENU menu, HWND owner);
void SetMenuWindowSelection(HWND wnd, int selected);
HMENU MenuOfWindow(HWND wnd);

}  // namespace win::menu
