#pragma once
// What a window that draws its own items (a menu, a toolbar) tells assistive technology about
// them: its role as their container and the list of its parts, read whenever asked, so that the
// desktop's accessibility can name the items and follow the focus among them (the focus event's
// child id is a part's position plus one). The window's owner installs the source while the
// window lives and removes it before the window goes. A window's parts are its source's, followed
// by one part for each shown window inside it that has a source of its own (a toolbar on a
// form), in reading order (top to bottom, left to right), holding that window's parts as its
// children; a window without a source has only those.

#include <functional>
#include <string>
#include <vector>

#include "platform/kernel/WinDef.h"
#include "platform/user/services/ObjectIds.h"

namespace win {

struct AccessiblePart {
  std::u16string name;
  LONG role = 0;    // ROLE_SYSTEM_ (ObjectIds.h)
  DWORD state = 0;  // STATE_SYSTEM_ bits
  RECT bounds{};  // screen coordinates
  HWND window = nullptr;  // set: the part stands for this window inside, its parts the children
  std::vector<AccessiblePart> children;
  std::u16string shortcut;       // the keys that reach it ("Alt+F", "o"); empty: none
  std::u16string defaultAction;  // what acting on it does ("Press", "Open"...); empty: it cannot be
  // Acting on it and moving the keyboard focus to it, as assistive technology asks; each is done
  // from the message loop after the call returns, and answers false when refused at once.
  std::function<bool()> doDefaultAction;
  std::function<bool()> takeFocus;
};

struct AccessibleWindowInfo {
  LONG role = 0;        // 0: the window says nothing about itself
  std::u16string name;  // empty: the window's text names it
  std::vector<AccessiblePart> parts;
};

using AccessibleInfoSource = std::function<AccessibleWindowInfo()>;

// An empty source removes the window's.
void SetAccessibleInfoSource(HWND hwnd, AccessibleInfoSource source);
// The window's role and parts now; nothing for a window without a source or a dead one.
AccessibleWindowInfo AccessibleInfoOf(HWND hwnd);

}  // namespace win
