// The window tree: geometry helpers, z-order placement, tree queries, coordinate mapping and
// lookups by point.

#include <algorithm>

#include "platform/kernel/LastError.h"
#include "platform/kernel/Rects.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {

bool IsRoot(const WindowObj* w) { return w->isDesktop || w->isMessageRoot; }

POINT ClientOrigin(const WindowObj& w) {
  POINT p{0, 0};
  for (const WindowObj* c = &w; c && !IsRoot(c); c = c->parent) {
    p.x += c->client.left;
    p.y += c->client.top;
  }
  return p;
}

POINT WindowOrigin(const WindowObj& w) {
  if (IsRoot(&w)) return POINT{w.window.left, w.window.top};
  POINT p = w.parent ? ClientOrigin(*w.parent) : POINT{0, 0};
  return POINT{p.x + w.window.left, p.y + w.window.top};
}

RECT ScreenWindowRect(const WindowObj& w) {
  POINT o = WindowOrigin(w);
  return RECT{o.x, o.y, o.x + (w.window.right - w.window.left), o.y + (w.window.bottom - w.window.top)};
}

RECT ScreenClientRect(const WindowObj& w) {
  POINT o = ClientOrigin(w);
  return RECT{o.x, o.y, o.x + (w.client.right - w.client.left), o.y + (w.client.bottom - w.client.top)};
}

bool IsTopLevel(const WindowObj& w) { return w.parent && IsRoot(w.parent); }

WindowObj* TopLevelOf(WindowObj* w) {
  while (w && w->parent && !IsRoot(w->parent)) w = w->parent;
  return w;
}

bool IsReallyVisible(const WindowObj& w) {
  const WindowObj* c = &w;
  for (; c && !IsRoot(c); c = c->parent)
    if (!(c->style & WS_VISIBLE)) return false;
  return c && c->isDesktop;
}

bool IsDescendant(const WindowObj* ancestor, const WindowObj* w) {
  for (const WindowObj* c = w ? w->parent : nullptr; c; c = c->parent)
    if (c == ancestor) return true;
  return false;
}

void UnlinkFromParent(WindowObj& w) {
  if (!w.parent) return;
  std::erase(w.parent->children, &w);
  w.parent = nullptr;
}

void LinkToParent(WindowObj& w, WindowObj* parent, size_t index) {
  w.parent = parent;
  index = std::min(index, parent->children.size());
  parent->children.insert(parent->children.begin() + ptrdiff_t(index), &w);
}

namespace {

// A window stays in the topmost band when it is topmost itself or when a window that owns it
// is: a box a topmost window opens stays above that window and with it above the others, though
// the box is not topmost by its own style.
bool InTopmostBand(const WindowObj& w) {
  int depth = 0;
  for (const WindowObj* o = &w; o && depth <= 32; o = o->owner, ++depth)
    if (o->exStyle & WS_EX_TOPMOST) return true;
  return false;
}

size_t FirstNonTopmost(const std::vector<WindowObj*>& list) {
  size_t i = 0;
  while (i < list.size() && InTopmostBand(*list[i])) ++i;
  return i;
}

size_t IndexOf(const std::vector<WindowObj*>& list, const WindowObj* w) {
  auto it = std::find(list.begin(), list.end(), w);
  return it == list.end() ? list.size() : size_t(it - list.begin());
}

void RaiseOwned(std::vector<WindowObj*>& list, WindowObj* owner, int depth) {
  if (depth > 32) return;
  size_t at = IndexOf(list, owner);
  std::vector<WindowObj*> owned;
  for (size_t i = at + 1; i < list.size(); ++i)
    if (list[i]->owner == owner) owned.push_back(list[i]);
  if (owned.empty()) return;
  for (WindowObj* o : owned) std::erase(list, o);
  at = IndexOf(list, owner);
  list.insert(list.begin() + ptrdiff_t(at), owned.begin(), owned.end());
  for (WindowObj* o : owned) RaiseOwned(list, o, depth + 1);
}

}  // namespace

void PlaceTopLevel(WindowObj& w, HWND insertAfter) {
  WindowObj* root = w.parent;
  if (!root) return;
  auto& list = root->children;
  std::erase(list, &w);
  bool topmost = InTopmostBand(w);
  size_t band = FirstNonTopmost(list);
  size_t index;
  if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
    index = topmost ? 0 : band;
  } else if (insertAfter == HWND_BOTTOM) {
    index = list.size();
  } else {
    WindowObj* after = FindWindowObj(insertAfter);
    size_t i = after ? IndexOf(list, after) : list.size();
    index = i < list.size() ? i + 1 : (topmost ? 0 : band);
  }
  if (topmost)
    index = std::min(index, band);
  else
    index = std::max(index, band);
  if (w.owner) index = std::min(index, IndexOf(list, w.owner));
  list.insert(list.begin() + ptrdiff_t(std::min(index, list.size())), &w);
  RaiseOwned(list, &w, 0);
  // A window that left the band may still have windows it owns above band windows: they go down
  // with it, each keeping its place among the others.
  std::stable_partition(list.begin(), list.end(), [](const WindowObj* t) { return InTopmostBand(*t); });
}

namespace {

bool InRegionOf(const WindowObj& w, POINT screenPt) {
  if (!w.windowRgn) return true;
  POINT o = WindowOrigin(w);
  return w.windowRgn->Contains(screenPt.x - o.x, screenPt.y - o.y);
}

bool ContainsScreenPoint(const WindowObj& w, POINT pt) {
  RECT r = ScreenWindowRect(w);
  return PtInRect(&r, pt) && InRegionOf(w, pt);
}

WindowObj* Deepest(WindowObj* w, POINT pt, const std::vector<WindowObj*>& excluded) {
  RECT client = ScreenClientRect(*w);
  if (!PtInRect(&client, pt)) return w;
  for (WindowObj* c : w->children) {
    if (!(c->style & WS_VISIBLE) || !ContainsScreenPoint(*c, pt)) continue;
    if (std::find(excluded.begin(), excluded.end(), c) != excluded.end()) continue;
    if (c->style & WS_DISABLED) return w;  // a disabled child's input goes to its parent
    return Deepest(c, pt, excluded);
  }
  return w;
}

WindowObj* FindAt(POINT pt, const std::vector<WindowObj*>& excluded) {
  for (WindowObj* top : Desktop()->children) {
    if (!(top->style & WS_VISIBLE) || !ContainsScreenPoint(*top, pt)) continue;
    if (std::find(excluded.begin(), excluded.end(), top) != excluded.end()) continue;
    if (top->style & WS_DISABLED) return top;
    return Deepest(top, pt, excluded);
  }
  return nullptr;
}

}  // namespace

WindowObj* HitTestWindow(POINT pt, LRESULT* hitCode) {
  std::vector<WindowObj*> excluded;
  for (int guard = 0; guard < 256; ++guard) {
    WindowObj* w = FindAt(pt, excluded);
    if (!w) {
      *hitCode = HTNOWHERE;
      return nullptr;
    }
    if (w->style & WS_DISABLED) {
      *hitCode = HTERROR;
      return w;
    }
    HWND h = w->hwnd;
    LRESULT hit = SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(WORD(SHORT(pt.x)), WORD(SHORT(pt.y))));
    w = FindWindowObj(h);
    if (!w) continue;  // destroyed by its own hit-test: look again
    if (hit != HTTRANSPARENT) {
      *hitCode = hit;
      return w;
    }
    excluded.push_back(w);
  }
  *hitCode = HTNOWHERE;
  return nullptr;
}

}  // namespace user

using namespace user;

HWND GetDesktopWindow() { return Desktop()->hwnd; }

BOOL IsWindow(HWND hwnd) { return FindWindowObj(hwnd) ? TRUE : FALSE; }

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return 0;
  if (processId) *processId = 1;
  return w->threadId;
}

HWND GetParent(HWND hwnd) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return nullptr;
  if (w->style & WS_CHILD) return w->parent && !IsRoot(w->parent) ? w->parent->hwnd : nullptr;
  return w->owner ? w->owner->hwnd : nullptr;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return nullptr;
  auto sibling = [&](int delta) -> HWND {
    if (!w->parent) return nullptr;
    auto& l = w->parent->children;
    size_t i = IndexOf(l, w);
    if (i >= l.size()) return nullptr;
    if (delta > 0) return i + 1 < l.size() ? l[i + 1]->hwnd : nullptr;
    return i > 0 ? l[i - 1]->hwnd : nullptr;
  };
  switch (cmd) {
    case GW_HWNDFIRST: return w->parent && !w->parent->children.empty() ? w->parent->children.front()->hwnd : nullptr;
    case GW_HWNDLAST: return w->parent && !w->parent->children.empty() ? w->parent->children.back()->hwnd : nullptr;
    case GW_HWNDNEXT: return sibling(1);
    case GW_HWNDPREV: return sibling(-1);
    case GW_OWNER: return w->owner ? w->owner->hwnd : nullptr;
    case GW_CHILD: return w->children.empty() ? nullptr : w->children.front()->hwnd;
    case GW_ENABLEDPOPUP:
      for (WindowObj* t : Desktop()->children)
        if (t->owner == w && (t->style & WS_VISIBLE) && !(t->style & WS_DISABLED)) return t->hwnd;
      return nullptr;
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || IsRoot(w)) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->parent ? w->parent->hwnd : nullptr;
    case GA_ROOT: return TopLevelOf(w)->hwnd;
    case GA_ROOTOWNER: {
      WindowObj* r = TopLevelOf(w);
      for (int guard = 0; r->owner && guard < 64; ++guard) r = TopLevelOf(r->owner);
      return r->hwnd;
    }
    default: return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  WindowObj* w = hwnd ? CheckWindow(hwnd) : Desktop();
  if (!w || w->children.empty()) return nullptr;
  return w->children.front()->hwnd;
}

namespace {
void CollectDescendants(WindowObj* w, std::vector<HWND>& out) {
  for (WindowObj* c : w->children) {
    out.push_back(c->hwnd);
    CollectDescendants(c, out);
  }
}
}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
  if (!parent) return EnumWindows(proc, lParam);
  WindowObj* p = CheckWindow(parent);
  if (!p || !proc) return FALSE;
  std::vector<HWND> list;
  CollectDescendants(p, list);
  for (HWND h : list)
    if (IsWindow(h) && !proc(h, lParam)) return FALSE;
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  if (!proc) return FALSE;
  std::vector<HWND> list;
  for (WindowObj* c : Desktop()->children) list.push_back(c->hwnd);
  for (HWND h : list)
    if (IsWindow(h) && !proc(h, lParam)) return FALSE;
  return TRUE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam) {
  if (!proc) return FALSE;
  std::vector<HWND> list;
  for (WindowObj* c : Desktop()->children)
    if (c->threadId == threadId) list.push_back(c->hwnd);
  for (HWND h : list)
    if (IsWindow(h) && !proc(h, lParam)) return FALSE;
  return TRUE;
}

BOOL IsChild(HWND parent, HWND hwnd) {
  WindowObj* p = FindWindowObj(parent);
  WindowObj* w = FindWindowObj(hwnd);
  if (!p || !w) return FALSE;
  while (w && (w->style & WS_CHILD)) {
    w = w->parent;
    if (w == p) return TRUE;
  }
  return FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  WindowObj* w = FindWindowObj(hwnd);
  return w && IsReallyVisible(*w) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  WindowObj* w = FindWindowObj(hwnd);
  return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
  WindowObj* w = FindWindowObj(hwnd);
  return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
  WindowObj* w = FindWindowObj(hwnd);
  return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !rect) return FALSE;
  *rect = ScreenWindowRect(*w);
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !rect) return FALSE;
  *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* pt) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !pt) return FALSE;
  POINT o = ClientOrigin(*w);
  pt->x += o.x;
  pt->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* pt) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !pt) return FALSE;
  POINT o = ClientOrigin(*w);
  pt->x -= o.x;
  pt->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from) {
    WindowObj* f = CheckWindow(from);
    if (!f) return 0;
    a = ClientOrigin(*f);
  }
  if (to) {
    WindowObj* t = CheckWindow(to);
    if (!t) return 0;
    b = ClientOrigin(*t);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);
  return int(MAKELONG(WORD(SHORT(dx)), WORD(SHORT(dy))));
}

HWND WindowFromPoint(POINT pt) {
  LRESULT hit;
  WindowObj* w = HitTestWindow(pt, &hit);
  return w ? w->hwnd : nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
  WindowObj* p = CheckWindow(parent);
  if (!p) return nullptr;
  RECT client{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
  if (!PtInRect(&client, pt)) return nullptr;
  for (WindowObj* c : p->children) {
    if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT)) continue;
    if (PtInRect(&c->window, pt)) return c->hwnd;
  }
  return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) { return ChildWindowFromPointEx(parent, pt, CWP_ALL); }

HWND RealChildWindowFromPoint(HWND parent, POINT pt) {
  WindowObj* p = CheckWindow(parent);
  if (!p) return nullptr;
  POINT screen = pt;
  ClientToScreen(parent, &screen);
  std::vector<HWND> candidates;
  for (WindowObj* c : p->children)
    if ((c->style & WS_VISIBLE) && PtInRect(&c->window, pt)) candidates.push_back(c->hwnd);
  for (HWND h : candidates) {
    LRESULT hit = SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(WORD(SHORT(screen.x)), WORD(SHORT(screen.y))));
    if (hit != HTTRANSPARENT && IsWindow(h)) return h;
  }
  return parent;
}

}  // namespace win
