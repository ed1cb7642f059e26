// The modal menu loop: holds the mouse capture on a hidden window, takes every message of the
// thread off the queue itself and drives the chain of open menus, until an item is chosen or
// the menus are dismissed. A click outside every menu ends the loop but stays queued, so it
// reaches the window under the pointer afterwards.

#include "platform/user/detail/MenuLoop.h"

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/Rects.h"
#include "platform/user/services/Beep.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/detail/MenuInternal.h"
#include "platform/user/detail/MenuLayout.h"
#include "platform/user/detail/MenuPlacement.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/services/WinEvents.h"
#include "platform/user/detail/FrameState.h"
#include "platform/user/messages/Timers.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/DefaultHandlers.h"

namespace win::menu {
namespace {

inline constexpr UINT_PTR kShowTimer = 1;

class Tracker;
thread_local Tracker* tCurrent = nullptr;

LRESULT CaptureWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

struct Level {
  HMENU menu = nullptr;
  HWND wnd = nullptr;
  int sel = -1;
};

struct Hit {
  int level = -1;  // an open popup, -1 none
  int pos = -1;    // the item in it (or in the bar)
  bool onBar = false;
};

// Snapshot of one item for decisions made without the lock.
struct ItemInfo {
  bool exists = false;
  bool selectable = false;
  bool disabled = false;
  HMENU sub = nullptr;
  UINT id = 0;
  UINT flags = 0;  // MF_ type and state bits
  std::u16string text;
  RECT rect{};
};

ItemInfo InfoAt(HMENU menu, int pos) {
  std::lock_guard lock(MenuLock());
  ItemInfo r;
  MenuObj* m = FindMenu(menu);
  if (!m || pos < 0 || size_t(pos) >= m->items.size()) return r;
  const Item& it = m->items[size_t(pos)];
  r.exists = true;
  r.selectable = it.Selectable();
  r.disabled = it.IsDisabled();
  r.sub = it.subMenu && FindMenu(it.subMenu) ? it.subMenu : nullptr;
  r.id = it.id;
  r.flags = (it.type & ~MFT_RADIOCHECK) | it.state;
  r.text = it.HasText() ? it.text : std::u16string();
  r.rect = it.rect;
  return r;
}

int CountItems(HMENU menu) {
  std::lock_guard lock(MenuLock());
  MenuObj* m = FindMenu(menu);
  return m ? int(m->items.size()) : 0;
}

DWORD MenuStyle(HMENU menu) {
  std::lock_guard lock(MenuLock());
  MenuObj* m = FindMenu(menu);
  return m ? m->style : 0;
}

RECT ScreenRectOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

class Tracker {
 public:
  explicit Tracker(const TrackRequest& req)
      : req_(req), notify_(!(req.flags & TPM_NONOTIFY)), barMode_(req.bar != nullptr) {}

  bool Start();
  UINT Run();
  // The object the menu start and end events name: the bar, the system menu or a popup of its own.
  LONG MenuObjectId() const {
    if (barMode_) return OBJID_MENU;
    frame::FrameState* frameState = frame::StateOf(req_.owner);
    return frameState && req_.popup && frameState->sysMenu == req_.popup ? OBJID_SYSMENU : OBJID_WINDOW;
  }
  void Cancel() { cancelled_ = true; }
  HWND CaptureWindow() const { return captureWnd_; }
  bool Ending() const { return ending_; }
  HWND Owner() const { return req_.owner; }
  int BarSel() const { return barMode_ ? barSel_ : -1; }
  bool BarOpen() const { return barMode_ && !levels_.empty(); }

 private:
  void Send(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (notify_ && IsWindow(req_.owner)) SendMessageW(req_.owner, msg, wParam, lParam);
  }
  void Handle(const MSG& peeked);
  bool Remove(const MSG& peeked, MSG* out) {
    return PeekMessageW(out, peeked.hwnd, peeked.message, peeked.message, PM_REMOVE | PM_NOYIELD) != FALSE;
  }
  void OnMouse(const MSG& m, bool* removeIt);
  void OnKeyDown(UINT vk);
  void OnChar(char16_t ch);
  void OnTimer();

  Hit HitTest(POINT screen) const;
  void Select(int level, int pos, bool byMouse);
  void SelectBar(int pos);
  void NotifySelect(HMENU menu, int pos, bool byMouse);
  bool OpenSubmenu(int level, bool selectFirst);
  bool OpenBarPopup(bool selectFirst);
  bool ShowLevel(HMENU menu, const RECT& place);
  void CloseFrom(int level);
  void Choose(int level, int pos);
  void Activate(int level, int pos, bool byKey);
  void MoveSelection(int level, int step, bool fromEnd);
  void MoveBar(int step);
  void RepaintBar();
  int NextSelectable(HMENU menu, int from, int step) const;
  HMENU CurrentMenu() const { return levels_.empty() ? req_.bar : levels_.back().menu; }
  void StartShowTimer(int level);

  TrackRequest req_;
  bool notify_;
  bool barMode_;
  HWND captureWnd_ = nullptr;
  std::vector<Level> levels_;
  int barSel_ = -1;
  bool cancelled_ = false;
  bool ended_ = false;
  bool ending_ = false;
  bool chosen_ = false;
  UINT chosenId_ = 0;
  HMENU chosenMenu_ = nullptr;
  int chosenPos_ = -1;
  UINT endOnKeyUp_ = 0;
  int pendingLevel_ = -1;
  POINT lastMouse_{INT32_MIN, INT32_MIN};
};

// --- Selection and opening --------------------------------------------------------------------------

void Tracker::NotifySelect(HMENU menu, int pos, bool byMouse) {
  ItemInfo info = InfoAt(menu, pos);
  if (!info.exists) return;
  UINT flags = (info.flags & 0xFFFF) | MF_HILITE | (byMouse ? MF_MOUSESELECT : 0);
  if (info.sub) flags |= MF_POPUP;
  WORD item = info.sub ? WORD(pos) : WORD(info.id);
  Send(WM_MENUSELECT, MAKEWPARAM(item, WORD(flags)), reinterpret_cast<LPARAM>(menu));
}

void Tracker::Select(int level, int pos, bool byMouse) {
  if (level < 0 || size_t(level) >= levels_.size()) return;
  Level& l = levels_[size_t(level)];
  if (l.sel == pos) return;
  l.sel = pos;
  SetMenuWindowSelection(l.wnd, pos);
  if (pos >= 0) {
    NotifyWinEvent(EVENT_OBJECT_FOCUS, l.wnd, OBJID_CLIENT, pos + 1);
    NotifySelect(l.menu, pos, byMouse);
  }
}

void Tracker::RepaintBar() {
  if (barMode_ && IsWindow(req_.owner))
    RedrawWindow(req_.owner, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

void Tracker::SelectBar(int pos) {
  if (barSel_ == pos) return;
  barSel_ = pos;
  RepaintBar();
  if (pos >= 0) {
    NotifyWinEvent(EVENT_OBJECT_FOCUS, req_.owner, OBJID_MENU, pos + 1);
    NotifySelect(req_.bar, pos, false);
  }
}

bool Tracker::ShowLevel(HMENU menu, const RECT& place) {
  HWND wnd = CreateMenuWindow(menu, req_.owner);
  if (!wnd) return false;
  levels_.push_back(Level{menu, wnd, -1});
  SetWindowPos(wnd, HWND_TOPMOST, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  UpdateWindow(wnd);
  NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, wnd, OBJID_CLIENT, CHILDID_SELF);
  return true;
}

bool Tracker::OpenSubmenu(int level, bool selectFirst) {
  Level parent = levels_[size_t(level)];
  ItemInfo info = InfoAt(parent.menu, parent.sel);
  if (!info.sub || info.disabled) return false;
  CloseFrom(level + 1);
  Send(WM_INITMENUPOPUP, WPARAM(info.sub), MAKELPARAM(WORD(parent.sel), 0));
  if (!IsMenu(info.sub) || !IsWindow(parent.wnd)) return false;
  SIZE size = LayoutPopup(info.sub, req_.owner);
  RECT item = info.rect;
  POINT origin{0, 0};
  ClientToScreen(parent.wnd, &origin);
  OffsetRect(&item, origin.x, origin.y);
  RECT place = PlaceSubmenu(size, ScreenRectOf(parent.wnd), item, WorkAreaAt(POINT{item.left, item.top}));
  if (!ShowLevel(info.sub, place)) return false;
  if (selectFirst) Select(int(levels_.size()) - 1, NextSelectable(info.sub, -1, 1), false);
  return true;
}

bool Tracker::OpenBarPopup(bool selectFirst) {
  CloseFrom(0);
  ItemInfo info = InfoAt(req_.bar, barSel_);
  RepaintBar();
  if (!info.sub) return false;
  Send(WM_INITMENUPOPUP, WPARAM(info.sub), MAKELPARAM(WORD(barSel_), 0));
  if (!IsMenu(info.sub) || !IsWindow(req_.owner)) return false;
  SIZE size = LayoutPopup(info.sub, req_.owner);
  RECT item = InfoAt(req_.bar, barSel_).rect;
  RECT win = ScreenRectOf(req_.owner);
  OffsetRect(&item, win.left, win.top);
  POINT pt{item.left, item.bottom};
  RECT place = PlacePopupMenu(size, pt, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, &item, WorkAreaAt(pt));
  if (!ShowLevel(info.sub, place)) return false;
  RepaintBar();
  if (selectFirst) Select(0, NextSelectable(info.sub, -1, 1), false);
  return true;
}

void Tracker::CloseFrom(int level) {
  if (level < 0) level = 0;
  if (pendingLevel_ >= level) {
    KillTimer(captureWnd_, kShowTimer);
    pendingLevel_ = -1;
  }
  while (int(levels_.size()) > level) {
    Level l = levels_.back();
    levels_.pop_back();
    if (IsWindow(l.wnd)) {
      NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, l.wnd, OBJID_CLIENT, CHILDID_SELF);
      DestroyWindow(l.wnd);
    }
    Send(WM_UNINITMENUPOPUP, WPARAM(l.menu), 0);
  }
  if (barMode_ && level == 0) RepaintBar();
}

void Tracker::StartShowTimer(int level) {
  UINT delay = 400;
  SystemParametersInfoW(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
  KillTimer(captureWnd_, kShowTimer);
  pendingLevel_ = level;
  if (delay == 0) {
    OnTimer();
    return;
  }
  SetTimer(captureWnd_, kShowTimer, delay, nullptr);
}

void Tracker::OnTimer() {
  KillTimer(captureWnd_, kShowTimer);
  int level = pendingLevel_;
  pendingLevel_ = -1;
  if (level < 0 || size_t(level) >= levels_.size()) return;
  if (int(levels_.size()) > level + 1) return;  // already open
  OpenSubmenu(level, false);
}

void Tracker::Choose(int level, int pos) {
  HMENU menu = levels_[size_t(level)].menu;
  ItemInfo info = InfoAt(menu, pos);
  if (!info.exists || !info.selectable || info.disabled || info.sub) return;
  chosen_ = true;
  chosenId_ = info.id;
  chosenMenu_ = menu;
  chosenPos_ = pos;
  ended_ = true;
}

// Enter on an item, or its mnemonic: a submenu opens with its first item selected, a command
// is chosen.
void Tracker::Activate(int level, int pos, bool byKey) {
  Select(level, pos, !byKey);
  ItemInfo info = InfoAt(levels_[size_t(level)].menu, pos);
  if (info.sub)
    OpenSubmenu(level, true);
  else
    Choose(level, pos);
}

int Tracker::NextSelectable(HMENU menu, int from, int step) const {
  int n = CountItems(menu);
  if (n <= 0) return -1;
  int pos = from;
  for (int i = 0; i < n; ++i) {
    pos = ((pos + step) % n + n) % n;
    if (InfoAt(menu, pos).selectable) return pos;
  }
  return -1;
}

void Tracker::MoveSelection(int level, int step, bool fromEnd) {
  Level& l = levels_[size_t(level)];
  int start = fromEnd ? (step > 0 ? -1 : CountItems(l.menu)) : l.sel;
  if (start < 0 && step < 0 && !fromEnd) start = 0;
  int pos = NextSelectable(l.menu, start, step);
  if (pos >= 0) {
    CloseFrom(level + 1);
    Select(level, pos, false);
  }
}

void Tracker::MoveBar(int step) {
  bool wasOpen = !levels_.empty();
  int pos = NextSelectable(req_.bar, barSel_, step);
  if (pos < 0) return;
  CloseFrom(0);
  SelectBar(pos);
  if (wasOpen) OpenBarPopup(true);
}

// --- Input ---------------------------------------------------------------------------------------------

Hit Tracker::HitTest(POINT screen) const {
  for (int i = int(levels_.size()) - 1; i >= 0; --i) {
    RECT r = ScreenRectOf(levels_[size_t(i)].wnd);
    if (!PtInRect(&r, screen)) continue;
    POINT client = screen;
    ScreenToClient(levels_[size_t(i)].wnd, &client);
    return Hit{i, ItemAt(levels_[size_t(i)].menu, client), false};
  }
  if (barMode_ && IsWindow(req_.owner)) {
    RECT win = ScreenRectOf(req_.owner);
    POINT local{screen.x - win.left, screen.y - win.top};
    int pos = ItemAt(req_.bar, local);
    if (pos >= 0) return Hit{-1, pos, true};
  }
  return Hit{};
}

void Tracker::OnMouse(const MSG& m, bool* removeIt) {
  *removeIt = true;
  POINT pt = m.pt;
  Hit h = HitTest(pt);
  switch (m.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
      if (pt == lastMouse_) return;
      lastMouse_ = pt;
      if (h.level >= 0) {
        Level& l = levels_[size_t(h.level)];
        if (h.pos >= 0 && l.sel != h.pos) {
          CloseFrom(h.level + 1);
          Select(h.level, h.pos, true);
          if (InfoAt(l.menu, h.pos).sub) StartShowTimer(h.level);
        } else if (h.pos >= 0) {
          CloseFrom(h.level + 2);
        } else if (size_t(h.level) + 1 == levels_.size()) {
          Select(h.level, -1, true);
        }
      } else if (h.onBar && h.pos != barSel_ && !levels_.empty()) {
        SelectBar(h.pos);
        OpenBarPopup(false);
      }
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      if (h.level >= 0) {
        if (h.pos >= 0) {
          CloseFrom(h.level + 1);
          Select(h.level, h.pos, true);
          if (InfoAt(levels_[size_t(h.level)].menu, h.pos).sub) OpenSubmenu(h.level, false);
        }
      } else if (h.onBar) {
        if (h.pos == barSel_ && !levels_.empty()) {
          ended_ = true;  // a click on the open bar item closes the menu
        } else {
          SelectBar(h.pos);
          OpenBarPopup(false);
        }
      } else {
        // Outside every menu: the loop ends and the press stays queued for its window.
        *removeIt = false;
        ended_ = true;
      }
      return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP: {
      bool right = m.message == WM_RBUTTONUP || m.message == WM_NCRBUTTONUP;
      if (right && !(req_.flags & TPM_RIGHTBUTTON)) return;
      if (h.level >= 0 && h.pos >= 0) Choose(h.level, h.pos);
      return;
    }
    default:
      return;  // other buttons and the wheel do nothing in a menu
  }
}

void Tracker::OnKeyDown(UINT vk) {
  int deepest = int(levels_.size()) - 1;
  switch (vk) {
    case VK_UP:
    case VK_DOWN:
      if (deepest < 0) {
        if (barMode_ && barSel_ >= 0) OpenBarPopup(true);
      } else {
        MoveSelection(deepest, vk == VK_DOWN ? 1 : -1, false);
      }
      return;
    case VK_HOME:
    case VK_END:
      if (deepest >= 0) MoveSelection(deepest, vk == VK_HOME ? 1 : -1, true);
      return;
    case VK_LEFT:
      if (deepest > 0)
        CloseFrom(deepest);
      else if (barMode_)
        MoveBar(-1);
      return;
    case VK_RIGHT:
      if (deepest >= 0 && levels_[size_t(deepest)].sel >= 0 &&
          InfoAt(levels_[size_t(deepest)].menu, levels_[size_t(deepest)].sel).sub) {
        OpenSubmenu(deepest, true);
      } else if (barMode_) {
        MoveBar(1);
      }
      return;
    case VK_RETURN:
      if (deepest < 0) {
        if (barMode_ && barSel_ >= 0) OpenBarPopup(true);
      } else if (levels_[size_t(deepest)].sel >= 0) {
        Activate(deepest, levels_[size_t(deepest)].sel, true);
      }
      return;
    case VK_ESCAPE:
      if (deepest > 0 || (deepest == 0 && barMode_))
        CloseFrom(deepest);
      else
        ended_ = true;
      return;
    case VK_MENU:
    case VK_F10:
      // Alt and F10 close every menu; the loop ends on the key's release, which it swallows so
      // that the release does not enter the menu bar again.
      endOnKeyUp_ = vk;
      return;
    default:
      return;
  }
}

void Tracker::OnChar(char16_t ch) {
  if (ch < 0x20) return;
  HMENU menu = CurrentMenu();
  int level = int(levels_.size()) - 1;
  int current = level >= 0 ? levels_[size_t(level)].sel : barSel_;
  int n = CountItems(menu);
  std::vector<int> matches;
  char16_t wanted = ToUpperChar(ch);
  for (int i = 0; i < n; ++i) {
    ItemInfo info = InfoAt(menu, i);
    if (!info.selectable) continue;
    std::u16string label, accel;
    SplitItemText(info.text, &label, &accel);
    char16_t mn = Mnemonic(label);
    if (mn && ToUpperChar(mn) == wanted) matches.push_back(i);
  }
  auto openBarItem = [&](int pos) {
    SelectBar(pos);
    OpenBarPopup(true);
  };
  if (matches.size() == 1) {
    if (level < 0)
      openBarItem(matches[0]);
    else
      Activate(level, matches[0], true);
    return;
  }
  if (matches.size() > 1) {
    int next = matches[0];
    for (int m : matches)
      if (m > current) {
        next = m;
        break;
      }
    if (level < 0)
      SelectBar(next);
    else
      Select(level, next, false);
    return;
  }
  LRESULT r = 0;
  if (notify_ && IsWindow(req_.owner)) {
    WORD kind = level >= 0 ? WORD(MF_POPUP) : 0;
    r = SendMessageW(req_.owner, WM_MENUCHAR, MAKEWPARAM(ch, kind), reinterpret_cast<LPARAM>(menu));
  }
  int pos = LOWORD(r);
  switch (HIWORD(r)) {
    case MNC_EXECUTE:
      if (level >= 0)
        Activate(level, pos, true);
      else
        openBarItem(pos);
      return;
    case MNC_SELECT:
      if (level >= 0)
        Select(level, pos, false);
      else
        SelectBar(pos);
      return;
    case MNC_CLOSE:
      ended_ = true;
      return;
    default:
      MessageBeep(0);
      return;
  }
}

void Tracker::Handle(const MSG& peeked) {
  MSG m;
  UINT msg = peeked.message;
  bool mouse = (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCXBUTTONDBLCLK);
  if (mouse) {
    bool removeIt = true;
    OnMouse(peeked, &removeIt);
    if (removeIt) Remove(peeked, &m);
    return;
  }
  if (!Remove(peeked, &m)) return;
  switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      TranslateMessage(&m);
      OnKeyDown(UINT(m.wParam));
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (endOnKeyUp_ && m.wParam == endOnKeyUp_) ended_ = true;
      return;
    case WM_CHAR:
    case WM_SYSCHAR:
      OnChar(char16_t(m.wParam));
      return;
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_KEYF1:
    case WM_CONTEXTMENU:
      return;
    case WM_TIMER:
      if (m.hwnd == captureWnd_ && m.wParam == kShowTimer) {
        OnTimer();
        return;
      }
      break;
    default:
      break;
  }
  DispatchMessageW(&m);
}

// --- The loop --------------------------------------------------------------------------------------

bool Tracker::Start() {
  static bool registered = [] {
    WNDCLASSW wc;
    wc.lpfnWndProc = CaptureWindowProc;
    wc.lpszClassName = u"KvMenuTracker";
    return RegisterClassW(&wc) != 0;
  }();
  if (!registered) return false;
  captureWnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, u"KvMenuTracker", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                nullptr, nullptr);
  if (!captureWnd_) return false;
  Send(WM_ENTERMENULOOP, barMode_ ? FALSE : TRUE, 0);
  Send(WM_INITMENU, WPARAM(barMode_ ? req_.bar : req_.popup), 0);
  NotifyWinEvent(EVENT_SYSTEM_MENUSTART, req_.owner, MenuObjectId(), CHILDID_SELF);
  SetCapture(captureWnd_);
  if (!barMode_) {
    Send(WM_INITMENUPOPUP, WPARAM(req_.popup), 0);
    if (!IsMenu(req_.popup)) return true;
    SIZE size = LayoutPopup(req_.popup, req_.owner);
    RECT place = PlacePopupMenu(size, req_.pt, req_.flags, req_.hasExclude ? &req_.exclude : nullptr,
                                WorkAreaAt(req_.pt));
    ShowLevel(req_.popup, place);
    return true;
  }
  if (req_.mnemonic) {
    OnChar(req_.mnemonic);
    if (barSel_ < 0) ended_ = true;  // nothing matched
    return true;
  }
  if (req_.barItem >= 0) {
    SelectBar(req_.barItem);
    if (req_.openBarItem) OpenBarPopup(false);
  } else {
    SelectBar(NextSelectable(req_.bar, -1, 1));
  }
  return true;
}

UINT Tracker::Run() {
  while (!ended_) {
    if (cancelled_ || GetCapture() != captureWnd_ || !IsWindow(req_.owner)) break;
    if (!barMode_ && levels_.empty()) break;  // the menu went away
    MSG m;
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE)) {
      WaitMessage();
      continue;
    }
    if (m.message == WM_QUIT) break;  // left for the application's loop
    Handle(m);
  }
  ending_ = true;
  KillTimer(captureWnd_, kShowTimer);
  CloseFrom(0);
  if (GetCapture() == captureWnd_) ReleaseCapture();
  DestroyWindow(captureWnd_);
  // Characters of keys pressed while the menu was open never reach the focused window.
  MSG drop;
  while (PeekMessageW(&drop, nullptr, WM_CHAR, WM_DEADCHAR, PM_REMOVE)) {
  }
  while (PeekMessageW(&drop, nullptr, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
  }
  barSel_ = -1;
  RepaintBar();
  Send(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  NotifyWinEvent(EVENT_SYSTEM_MENUEND, req_.owner, MenuObjectId(), CHILDID_SELF);
  Send(WM_EXITMENULOOP, barMode_ ? FALSE : TRUE, 0);
  if (!chosen_) return 0;
  if (!(req_.flags & TPM_RETURNCMD) && IsWindow(req_.owner)) {
    if (MenuStyle(chosenMenu_) & MNS_NOTIFYBYPOS)
      PostMessageW(req_.owner, WM_MENUCOMMAND, WPARAM(chosenPos_), reinterpret_cast<LPARAM>(chosenMenu_));
    else if (!barMode_ && chosenId_ >= SC_SIZE && chosenId_ <= 0xFFFF)  // the system menu's commands
      PostMessageW(req_.owner, WM_SYSCOMMAND, chosenId_, 0);
    else
      PostMessageW(req_.owner, WM_COMMAND, MAKEWPARAM(WORD(chosenId_), 0), 0);
  }
  return chosenId_;
}

LRESULT CaptureWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Tracker* t = tCurrent;
  if (t && t->CaptureWindow() == hwnd && !t->Ending()) {
    if (msg == WM_CANCELMODE || msg == WM_CAPTURECHANGED) t->Cancel();
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

// The default handling of WM_CANCELMODE also ends a menu the window is tracking.
LRESULT OnCancelMode(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (tCurrent && tCurrent->Owner() == hwnd) tCurrent->Cancel();
  return user::CallUnderlyingDefault(hwnd, msg, wParam, lParam);
}

UINT RunMenuLoop(const TrackRequest& request, bool* started) {
  *started = false;
  if (tCurrent) return 0;  // one menu loop per thread
  Tracker tracker(request);
  tCurrent = &tracker;
  UINT result = 0;
  if (tracker.Start()) {
    *started = true;
    result = tracker.Run();
  }
  tCurrent = nullptr;
  return result;
}

int TrackedBarItem(HWND owner, bool* open) {
  Tracker* t = tCurrent;
  if (!t || t->Owner() != owner) {
    if (open) *open = false;
    return -1;
  }
  if (open) *open = t->BarOpen();
  return t->BarSel();
}

bool EndCurrentMenu() {
  if (!tCurrent) return false;
  tCurrent->Cancel();
  PostMessageW(tCurrent->CaptureWindow(), WM_NULL, 0, 0);
  return true;
}

}  // namespace win::menu
