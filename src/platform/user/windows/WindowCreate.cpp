// Creating and destroying windows.

#include <algorithm>

#include "platform/kernel/LastError.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {
namespace {

constexpr DWORD kErrorTlwWithWsChild = 1406;
int g_cascade = 0;

void NotifyParents(WindowObj& w, WORD event) {
  if (!(w.style & WS_CHILD) || (w.exStyle & WS_EX_NOPARENTNOTIFY)) return;
  HWND child = w.hwnd;
  WPARAM wParam = MAKEWPARAM(event, WORD(w.id));
  WindowObj* p = w.parent;
  while (p && !p->isDesktop && !p->isMessageRoot) {
    HWND ph = p->hwnd;
    bool goOn = (p->style & WS_CHILD) && !(p->exStyle & WS_EX_NOPARENTNOTIFY);
    SendMessageW(ph, WM_PARENTNOTIFY, wParam, reinterpret_cast<LPARAM>(child));
    if (!goOn || !(p = FindWindowObj(ph))) break;
    p = p->parent;
  }
}

void Discard(HWND h) {
  if (WindowObj* w = FindWindowObj(h)) {
    UnlinkFromParent(*w);
    RemoveWindow(h);
  }
}

void SendDestroyMessages(HWND h) {
  WindowObj* w = FindWindowObj(h);
  if (!w) return;
  w->destroying = true;
  ForgetWindowInput(*w);
  if (!(w = FindWindowObj(h))) return;
  SendMessageW(h, WM_DESTROY, 0, 0);
  if (!(w = FindWindowObj(h))) return;
  std::vector<HWND> kids;
  for (WindowObj* c : w->children) kids.push_back(c->hwnd);
  for (HWND k : kids) SendDestroyMessages(k);
}

void FinishDestroy(HWND h) {
  WindowObj* w = FindWindowObj(h);
  if (!w) return;
  std::vector<HWND> kids;
  for (WindowObj* c : w->children) kids.push_back(c->hwnd);
  for (HWND k : kids) FinishDestroy(k);
  if (!(w = FindWindowObj(h))) return;
  SendMessageW(h, WM_NCDESTROY, 0, 0);
  if (!(w = FindWindowObj(h))) return;
  menu::DestroyWindowBar(h);
  KillWindowTimers(CurrentQueue(), h);
  ForgetWindowInput(*w);
  OnWindowDestroyed(*w);
  for (WindowObj* t : Desktop()->children)
    if (t->owner == w) t->owner = nullptr;
  for (WindowObj* t : MessageRoot()->children)
    if (t->owner == w) t->owner = nullptr;
  for (WindowObj* c : w->children) c->parent = nullptr;  // none left unless created during destroy
  w->children.clear();
  UnlinkFromParent(*w);
  RemoveWindow(h);
}

}  // namespace
}  // namespace user

using namespace user;

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, void* param) {
  auto cls = FindClass(className);
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  WindowObj* parentObj = nullptr;
  WindowObj* owner = nullptr;
  if (parent == HWND_MESSAGE) {
    parentObj = MessageRoot();
    style &= ~WS_CHILD;
  } else if (style & WS_CHILD) {
    parentObj = FindWindowObj(parent);
    if (!parentObj) {
      SetLastError(parent ? ERROR_INVALID_WINDOW_HANDLE : kErrorTlwWithWsChild);
      return nullptr;
    }
  } else {
    parentObj = Desktop();
    if (parent) {
      owner = FindWindowObj(parent);
      if (!owner) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
      }
      owner = TopLevelOf(owner);
    }
  }
  // A top-level window's menu handle is its menu bar; a child's is its identifier.
  HMENU bar = parentObj == Desktop() ? menu : nullptr;
  if (bar && !IsMenu(bar)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return nullptr;
  }
  bool overlapped = !(style & (WS_CHILD | WS_POPUP)) && parentObj == Desktop();
  if (overlapped) {
    style |= WS_CLIPSIBLINGS | WS_CAPTION;
    exStyle |= WS_EX_WINDOWEDGE;
  }
  if (x == CW_USEDEFAULT) {
    if (overlapped) {
      int step = 26 * (g_cascade++ % 10);
      x = 60 + step;
      y = 60 + step;
    } else {
      x = y = 0;
    }
  }
  if (width == CW_USEDEFAULT) {
    if (overlapped) {
      width = 800;
      height = 600;
    } else {
      width = height = 0;
    }
  }
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (width > 32767 || height > 32767) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }

  auto w = std::make_shared<WindowObj>();
  w->threadId = CurrentThreadId();
  w->cls = cls;
  w->style = style & ~WS_VISIBLE;
  w->exStyle = exStyle;
  w->proc = cls->proc;
  w->instance = instance;
  w->owner = owner;
  w->id = (style & WS_CHILD) ? reinterpret_cast<LONG_PTR>(menu) : 0;
  w->extra.assign(size_t(cls->wndExtra), 0);
  w->window = RECT{x, y, x + width, y + height};
  w->client = w->window;
  w->normalRect = w->window;
  WindowObj* raw = w.get();
  HWND h = AddWindow(std::move(w));
  if (!h) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (parentObj == Desktop()) {
    raw->parent = parentObj;
    PlaceTopLevel(*raw, HWND_TOP);
  } else {
    LinkToParent(*raw, parentObj, parentObj->children.size());  // new children go to the bottom
  }

  CREATESTRUCTW cs;
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menu;
  cs.hwndParent = parent == HWND_MESSAGE ? parent : (parentObj == Desktop() ? (owner ? owner->hwnd : nullptr) : parent);
  cs.cx = width;
  cs.cy = height;
  cs.x = x;
  cs.y = y;
  cs.style = LONG(style);
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;

  ThreadQueue& q = CurrentQueue();
  if (HasHooks(q, WH_CBT)) {
    CBT_CREATEWNDW cbt{&cs, HWND_TOP};
    if (CallHooks(q, WH_CBT, HCBT_CREATEWND, WPARAM(h), LPARAM(&cbt)) != 0) {
      Discard(h);
      return nullptr;
    }
    if (!(raw = FindWindowObj(h))) return nullptr;
    raw->window = RECT{cs.x, cs.y, cs.x + std::max(cs.cx, 0), cs.y + std::max(cs.cy, 0)};
    raw->client = raw->window;
  }

  if (bar && !menu::AttachCreatedBar(h, bar)) {  // a hook destroyed the menu
    Discard(h);
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return nullptr;
  }

  if ((style & WS_THICKFRAME) || overlapped) {
    MINMAXINFO mmi;
    mmi.ptMinTrackSize = POINT{1, 1};
    mmi.ptMaxTrackSize = POINT{32767, 32767};
    mmi.ptMaxSize = POINT{32767, 32767};
    SendMessageW(h, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
    if (!(raw = FindWindowObj(h))) return nullptr;
    int cw = std::clamp<int>(raw->window.right - raw->window.left, mmi.ptMinTrackSize.x,
                             std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
    int ch = std::clamp<int>(raw->window.bottom - raw->window.top, mmi.ptMinTrackSize.y,
                             std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
    raw->window.right = raw->window.left + cw;
    raw->window.bottom = raw->window.top + ch;
    raw->client = raw->window;
  }

  if (!SendMessageW(h, WM_NCCREATE, 0, LPARAM(&cs))) {
    if (bar) menu::ForgetWindowBar(h);  // the failed call leaves the menu with the caller
    if (FindWindowObj(h)) FinishDestroy(h);
    SetLastError(1400);
    return nullptr;
  }
  if (!(raw = FindWindowObj(h))) return nullptr;
  raw->created = true;

  RECT rc = raw->window;
  SendMessageW(h, WM_NCCALCSIZE, FALSE, LPARAM(&rc));
  if (!(raw = FindWindowObj(h))) return nullptr;
  raw->client = rc;

  if (SendMessageW(h, WM_CREATE, 0, LPARAM(&cs)) == -1) {
    if (bar) menu::ForgetWindowBar(h);
    DestroyWindow(h);
    return nullptr;
  }
  if (!(raw = FindWindowObj(h))) return nullptr;
  NotifyParents(*raw, WORD(WM_CREATE));
  if (!(raw = FindWindowObj(h))) return nullptr;

  SendMessageW(h, WM_SIZE, SIZE_RESTORED,
               MAKELPARAM(WORD(raw->client.right - raw->client.left), WORD(raw->client.bottom - raw->client.top)));
  if (!(raw = FindWindowObj(h))) return nullptr;
  SendMessageW(h, WM_MOVE, 0, MAKELPARAM(WORD(SHORT(raw->client.left)), WORD(SHORT(raw->client.top))));
  if (!(raw = FindWindowObj(h))) return nullptr;

  if (style & WS_MAXIMIZE)
    ShowWindow(h, SW_SHOWMAXIMIZED);
  else if (style & WS_MINIMIZE)
    ShowWindow(h, SW_SHOWMINIMIZED);
  if (!FindWindowObj(h)) return nullptr;
  if (style & WS_VISIBLE) ShowWindow(h, SW_SHOW);
  return FindWindowObj(h) ? h : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || w->isDesktop || w->isMessageRoot) return FALSE;
  if (w->threadId != CurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (w->destroying) return TRUE;
  ThreadQueue& q = CurrentQueue();
  if (HasHooks(q, WH_CBT) && CallHooks(q, WH_CBT, HCBT_DESTROYWND, WPARAM(hwnd), 0) != 0) return FALSE;
  if (!(w = FindWindowObj(hwnd))) return TRUE;
  w->destroying = true;

  // Owned windows go first.
  std::vector<HWND> owned;
  for (WindowObj* t : Desktop()->children)
    if (t->owner == w) owned.push_back(t->hwnd);
  for (HWND o : owned) DestroyWindow(o);
  if (!(w = FindWindowObj(hwnd))) return TRUE;

  NotifyParents(*w, WORD(WM_DESTROY));
  if (!(w = FindWindowObj(hwnd))) return TRUE;
  if (w->style & WS_VISIBLE) {
    w->destroying = false;  // let the hide run its normal course
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!(w = FindWindowObj(hwnd))) return TRUE;
    w->destroying = true;
  }
  SendDestroyMessages(hwnd);
  FinishDestroy(hwnd);
  return TRUE;
}

}  // namespace win
