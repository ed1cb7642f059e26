// The list box's keyboard and mouse: moving the caret and the selection, type-ahead search,
// clicking and dragging with capture and auto-scroll, and the combo box's drop-down tracking.

#include <algorithm>

#include "platform/controls/ListBox.h"
#include "platform/controls/ListBoxInternal.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/Rects.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/messages/Timers.h"
#include "platform/user/windows/Window.h"

namespace win::listbox {
namespace {

constexpr UINT_PTR kDragTimer = 1;
constexpr UINT kDragTimerMs = 100;

bool KeyHeld(int vk) { return GetKeyState(vk) < 0; }

// The pop-up list of a drop-down combo box (a simple combo box's list behaves as a list box).
bool DropList(const State& s) { return s.combo && (Style(s) & WS_POPUP); }

std::vector<bool> Selection(const State& s) {
  std::vector<bool> out(s.items.size());
  for (size_t i = 0; i < s.items.size(); ++i) out[i] = s.items[i].selected;
  return out;
}

// Extended selection: the base selection with anchor..index set to the anchor's state.
bool ApplyDragRange(State& s, int index) {
  if (s.anchor < 0) s.anchor = index;
  int lo = std::min(s.anchor, index), hi = std::max(s.anchor, index);
  bool on = true;
  if (!s.baseSelection.empty() && size_t(s.anchor) < s.baseSelection.size()) on = s.items[size_t(s.anchor)].selected;
  bool changed = false;
  for (int i = 0; i < Count(s); ++i) {
    bool base = size_t(i) < s.baseSelection.size() && s.baseSelection[size_t(i)];
    changed |= SetItemSel(s, i, (i >= lo && i <= hi) ? on : base);
  }
  return changed;
}

// Moves the caret to `index` the way the keyboard does, and selects according to the style.
void MoveTo(State& s, int index, bool shift, bool ctrl) {
  if (Count(s) == 0) return;
  index = std::clamp(index, 0, Count(s) - 1);
  bool changed = false;
  if (NoSel(s)) {
    // nothing is ever selected
  } else if (!MultiSel(s)) {
    changed = SelectSingle(s, index);
  } else if (Extended(s)) {
    if (shift) {
      if (s.anchor < 0) s.anchor = s.caret;
      if (ctrl) {
        for (int i = std::min(s.anchor, index); i <= std::max(s.anchor, index); ++i) changed |= SetItemSel(s, i, true);
      } else {
        changed = SelectOnlyRange(s, s.anchor, index);
      }
    } else if (!ctrl) {
      changed = SelectOnlyRange(s, index, index);
      s.anchor = index;
    }
  }
  SetCaret(s, index);
  if (changed) Notify(s, LBN_SELCHANGE);
}

void ToggleWithSpace(State& s, bool shift, bool ctrl) {
  if (Count(s) == 0 || NoSel(s) || !MultiSel(s)) return;
  bool changed = false;
  if (!Extended(s) || ctrl) {
    changed = SetItemSel(s, s.caret, !s.items[size_t(s.caret)].selected);
    s.anchor = s.caret;
  } else if (shift) {
    if (s.anchor < 0) s.anchor = s.caret;
    changed = SelectOnlyRange(s, s.anchor, s.caret);
  } else {
    changed = SelectOnlyRange(s, s.caret, s.caret);
    s.anchor = s.caret;
  }
  if (changed) Notify(s, LBN_SELCHANGE);
}

// The answer of WM_VKEYTOITEM / WM_CHARTOITEM: -2 done, -1 default action, else go to that item.
bool HandledByOwner(State& s, UINT msg, WORD code) {
  if (s.combo || !(Style(s) & LBS_WANTKEYBOARDINPUT)) return false;
  HWND parent = GetParent(s.hwnd);
  if (!parent) return false;
  LRESULT r = SendMessageW(parent, msg, MAKEWPARAM(code, WORD(s.caret)), LPARAM(s.hwnd));
  if (!IsWindow(s.hwnd) || r == -2) return true;
  if (r >= 0) {
    MoveTo(s, int(r), false, false);
    return true;
  }
  return false;
}

// Follows the mouse during a drag: the item under it becomes the caret and the selection.
void TrackTo(State& s, int index) {
  if (index < 0) return;
  bool changed = false;
  if (NoSel(s)) {
  } else if (!MultiSel(s)) {
    changed = SelectSingle(s, index);
  } else if (Extended(s)) {
    changed = ApplyDragRange(s, index);
  }
  SetCaret(s, index);
  if (changed && !DropList(s)) Notify(s, LBN_SELCHANGE);
}

void ForwardClick(HWND combo, POINT screen, WPARAM keys) {
  HWND target = WindowFromPoint(screen);
  if (!target || target == combo || IsChild(combo, target)) return;
  LRESULT hit = SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(WORD(screen.x), WORD(screen.y)));
  if (hit == HTCLIENT) {
    POINT pt = screen;
    ScreenToClient(target, &pt);
    PostMessageW(target, WM_LBUTTONDOWN, (keys & ~WPARAM(MK_LBUTTON)) | MK_LBUTTON, MAKELPARAM(WORD(pt.x), WORD(pt.y)));
  } else if (hit != HTNOWHERE && hit != HTERROR && hit != HTTRANSPARENT) {
    PostMessageW(target, WM_NCLBUTTONDOWN, WPARAM(hit), MAKELPARAM(WORD(screen.x), WORD(screen.y)));
  }
}

LRESULT ComboButtonDown(State& s, POINT pt, WPARAM keys) {
  RECT client;
  GetClientRect(s.hwnd, &client);
  if (PtInRect(&client, pt)) {
    bool outside = false;
    int index = ItemAt(s, pt.y, &outside);
    if (!outside) TrackTo(s, index);
    return 0;
  }
  POINT screen = pt;
  ClientToScreen(s.hwnd, &screen);
  RECT window;
  GetWindowRect(s.hwnd, &window);
  if (PtInRect(&window, screen)) {
    // The list's own scroll bar: its loop takes the capture for a while; take it back after.
    LRESULT hit = SendMessageW(s.hwnd, WM_NCHITTEST, 0, MAKELPARAM(WORD(screen.x), WORD(screen.y)));
    s.tracking = false;
    DefWindowProcW(s.hwnd, WM_NCLBUTTONDOWN, WPARAM(hit), MAKELPARAM(WORD(screen.x), WORD(screen.y)));
    if (IsWindow(s.hwnd) && IsWindowVisible(s.hwnd)) {
      s.tracking = true;
      s.comboPress = false;
      SetCapture(s.hwnd);
    }
    return 0;
  }
  HWND combo = s.combo;
  SendMessageW(combo, kDropDownEnded, FALSE, 0);
  ForwardClick(combo, screen, keys);
  return 0;
}

}  // namespace

LRESULT OnKeyDown(State& s, WPARAM vk) {
  if (HandledByOwner(s, WM_VKEYTOITEM, WORD(vk))) return 0;
  int n = Count(s);
  if (n == 0) return 0;
  bool shift = KeyHeld(VK_SHIFT), ctrl = KeyHeld(VK_CONTROL);
  int page = std::max(1, PageCount(s) - 1);
  int target;
  switch (vk) {
    case VK_UP: case VK_LEFT: target = s.caret - 1; break;
    case VK_DOWN: case VK_RIGHT: target = s.caret + 1; break;
    case VK_PRIOR: target = s.caret - page; break;
    case VK_NEXT: target = s.caret + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = n - 1; break;
    case VK_SPACE: ToggleWithSpace(s, shift, ctrl); return 0;
    default: return 0;
  }
  // A single-selection list without a selection starts from its caret item.
  if (!MultiSel(s) && s.cur < 0 && (vk == VK_DOWN || vk == VK_RIGHT || vk == VK_UP || vk == VK_LEFT))
    target = s.caret;
  MoveTo(s, target, shift, ctrl);
  return 0;
}

LRESULT OnChar(State& s, char16_t ch) {
  if (!HasStrings(s)) {
    HandledByOwner(s, WM_CHARTOITEM, WORD(ch));
    return 0;
  }
  if (HandledByOwner(s, WM_CHARTOITEM, WORD(ch))) return 0;
  if (ch < 0x20 || (ch == u' ' && MultiSel(s)) || Count(s) == 0) return 0;
  DWORD now = GetTickCount();
  if (s.search.empty() || now - s.searchTime >= kListBoxTypeAheadMs) s.search.clear();
  s.searchTime = now;
  s.search += ch;
  int found;
  if (s.search.size() == 1) {
    found = FindPrefix(s, s.caret, s.search, false);  // the next item with that letter
  } else {
    found = FindPrefix(s, s.caret - 1, s.search, false);
    bool sameLetter = std::all_of(s.search.begin(), s.search.end(), [&](char16_t c) { return c == s.search[0]; });
    if (found < 0 && sameLetter) {
      // Pressing one letter again and again steps through the items starting with it.
      s.search.assign(1, ch);
      found = FindPrefix(s, s.caret, s.search, false);
      s.search.assign(s.search.size(), ch);
    }
  }
  if (found >= 0) MoveTo(s, found, false, false);
  return 0;
}

LRESULT OnButtonDown(State& s, POINT pt, WPARAM keys, bool dbl) {
  if (DropList(s) && s.tracking) return ComboButtonDown(s, pt, keys);
  if (!s.focused || s.combo) {
    // The list of a simple combo box leaves the focus with the combo's field.
    HWND target = s.combo ? s.combo : s.hwnd;
    if (!s.combo || !IsChild(s.combo, GetFocus())) SetFocus(target);
    if (!IsWindow(s.hwnd)) return 0;
  }
  bool outside = false;
  int index = ItemAt(s, pt.y, &outside);
  if (index < 0 || outside) return 0;
  bool ctrl = (keys & MK_CONTROL) != 0, shift = (keys & MK_SHIFT) != 0;
  bool changed = false;
  if (NoSel(s)) {
  } else if (!MultiSel(s)) {
    changed = SelectSingle(s, index);
  } else if (!Extended(s)) {
    changed = SetItemSel(s, index, !s.items[size_t(index)].selected);
    s.anchor = index;
  } else if (shift) {
    s.baseSelection = ctrl ? Selection(s) : std::vector<bool>(s.items.size());
    if (s.anchor < 0) s.anchor = index;
    if (ctrl) s.baseSelection[size_t(s.anchor)] = true;
    changed = ApplyDragRange(s, index);
  } else if (ctrl) {
    changed = SetItemSel(s, index, !s.items[size_t(index)].selected);
    s.anchor = index;
    s.baseSelection = Selection(s);
  } else {
    changed = SelectOnlyRange(s, index, index);
    s.anchor = index;
    s.baseSelection.assign(s.items.size(), false);
  }
  SetCaret(s, index);
  if (changed) Notify(s, LBN_SELCHANGE);
  if (!IsWindow(s.hwnd)) return 0;
  if (dbl) {
    Notify(s, LBN_DBLCLK);
    return 0;
  }
  s.tracking = true;
  SetCapture(s.hwnd);
  return 0;
}

LRESULT OnMouseMove(State& s, POINT pt, WPARAM keys) {
  (void)keys;
  if (!s.tracking) return 0;
  RECT client;
  GetClientRect(s.hwnd, &client);
  bool outside = false;
  int index = ItemAt(s, pt.y, &outside);
  if (DropList(s)) {
    if (PtInRect(&client, pt) && !outside) TrackTo(s, index);
    return 0;
  }
  if (pt.y < 0 || pt.y >= client.bottom) {
    if (!s.dragTimer) {
      s.dragTimer = true;
      SetTimer(s.hwnd, kDragTimer, kDragTimerMs, nullptr);
    }
    return 0;
  }
  if (s.dragTimer) {
    KillTimer(s.hwnd, kDragTimer);
    s.dragTimer = false;
  }
  if (!outside && !(MultiSel(s) && !Extended(s))) TrackTo(s, index);
  return 0;
}

LRESULT OnButtonUp(State& s, POINT pt) {
  if (!s.tracking) return 0;
  if (!DropList(s)) {
    EndTracking(s, false);
    return 0;
  }
  RECT client;
  GetClientRect(s.hwnd, &client);
  bool outside = false;
  int index = ItemAt(s, pt.y, &outside);
  if (PtInRect(&client, pt) && index >= 0 && !outside) {
    TrackTo(s, index);
    SendMessageW(s.combo, kDropDownEnded, TRUE, 0);
    return 0;
  }
  s.comboPress = false;  // the release that ends the press on the combo keeps the list open
  return 0;
}

void OnDragTimer(State& s) {
  if (!s.tracking || DropList(s)) return;
  POINT pt;
  GetCursorPos(&pt);
  ScreenToClient(s.hwnd, &pt);
  RECT client;
  GetClientRect(s.hwnd, &client);
  int index;
  if (pt.y < 0) {
    index = s.caret - 1;
    if (index < s.top) SetTop(s, index);
  } else if (pt.y >= client.bottom) {
    index = s.caret + 1;
  } else {
    return;
  }
  if (index < 0 || index >= Count(s)) return;
  if (MultiSel(s) && !Extended(s)) SetCaret(s, index); else TrackTo(s, index);
}

void EndTracking(State& s, bool cancelled) {
  if (!s.tracking) return;
  s.tracking = false;
  s.comboPress = false;
  if (s.dragTimer) {
    KillTimer(s.hwnd, kDragTimer);
    s.dragTimer = false;
  }
  if (GetCapture() == s.hwnd) ReleaseCapture();
  if (DropList(s)) {
    // Someone else took the capture while the list was down: the drop-down ends, cancelled.
    if (cancelled && IsWindowVisible(s.hwnd)) SendMessageW(s.combo, kDropDownEnded, FALSE, 0);
    return;
  }
  if (cancelled) Notify(s, LBN_SELCANCEL);
}

void StartComboTracking(State& s, bool pressed) {
  s.tracking = true;
  s.comboPress = pressed;
  SetCapture(s.hwnd);
}

}  // namespace win::listbox
