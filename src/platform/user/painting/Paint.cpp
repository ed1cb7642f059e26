// Update regions, WM_PAINT, BeginPaint/EndPaint and window DCs. Every top-level window owns a
// 32-bit surface; its children paint into it through DCs clipped to what they may touch.

#include "platform/user/painting/Paint.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/desktop/Screen.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/SurfaceDC.h"
#include "platform/kernel/LastError.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/DefaultHandlers.h"
#include "platform/user/detail/PaintCore.h"

namespace win {
namespace user {
namespace {

int W(const RECT& r) { return r.right - r.left; }
int H(const RECT& r) { return r.bottom - r.top; }

struct SurfaceInfo {
  HBITMAP bitmap = nullptr;
  uint32_t* bits = nullptr;
  int width = 0, height = 0;
  int stride = 0;  // pixels from one row to the next
};
std::vector<std::pair<WindowObj*, SurfaceInfo>>& Surfaces() {
  static std::vector<std::pair<WindowObj*, SurfaceInfo>> s;
  return s;
}
SurfaceInfo* FindSurface(const WindowObj& top) {
  for (auto& [w, info] : Surfaces())
    if (w == &top) return &info;
  return nullptr;
}

struct DCRecord {
  HDC hdc;
  HWND hwnd;
  WindowObj* top;
  RECT bounds;  // surface coordinates of what the DC may touch
};
std::vector<DCRecord>& DCs() {
  static std::vector<DCRecord> d;
  return d;
}

HWND g_locked = nullptr;
HBITMAP g_desktopSurface = nullptr;

// Paints redirected into a caller's DC (WM_PRINTCLIENT), innermost last.
struct Redirect {
  HWND hwnd;
  HDC hdc;
  int saved = 0;  // SaveDC level while between BeginPaint and EndPaint
};
std::vector<Redirect>& Redirects() {
  static std::vector<Redirect> r;
  return r;
}
Redirect* FindRedirect(HWND hwnd, HDC hdc) {
  auto& r = Redirects();
  for (auto it = r.rbegin(); it != r.rend(); ++it)
    if (it->hwnd == hwnd && (!hdc || it->hdc == hdc)) return &*it;
  return nullptr;
}

RECT LocalWindowRect(const WindowObj& w) { return RECT{0, 0, W(w.window), H(w.window)}; }
RECT LocalClientRect(const WindowObj& w) {
  int dx = w.client.left - w.window.left, dy = w.client.top - w.window.top;
  return RECT{dx, dy, dx + W(w.client), dy + H(w.client)};
}
POINT ClientOffset(const WindowObj& w) { return POINT{w.client.left - w.window.left, w.client.top - w.window.top}; }

Region WithRegion(const WindowObj& w, Region r, POINT off) {
  if (w.windowRgn) {
    Region wr = *w.windowRgn;
    wr.Offset(off.x, off.y);
    r = r.Intersect(wr);
  }
  return r;
}

Region WindowAreaInSurface(const WindowObj& w) {
  POINT off = OffsetInTop(w);
  RECT r = LocalWindowRect(w);
  return WithRegion(w, Region(RECT{r.left + off.x, r.top + off.y, r.right + off.x, r.bottom + off.y}), off);
}

bool LockedFor(const WindowObj& w) {
  if (!g_locked) return false;
  WindowObj* l = FindWindowObj(g_locked);
  return l && (l == &w || IsDescendant(l, &w));
}

// `visible` (surface coordinates) replaces what the window itself may touch when given.
HDC MakeDC(WindowObj& w, bool windowArea, bool clipChildren, bool clipSiblings, const Region* extra, bool exclude,
           bool ignoreLock, const Region* visible = nullptr) {
  WindowObj* top = TopLevelOf(&w);
  if (!top || IsRoot(top)) return nullptr;
  HBITMAP surface = EnsureSurface(*top);
  if (!surface) return nullptr;
  POINT off = OffsetInTop(w);
  if (!windowArea) {
    POINT c = ClientOffset(w);
    off.x += c.x;
    off.y += c.y;
  }
  Region vis;
  if (IsReallyVisible(w)) vis = visible ? *visible : VisibleInSurface(w, !windowArea, clipChildren, clipSiblings);
  if (!ignoreLock && LockedFor(w)) vis = Region();
  vis.Offset(-off.x, -off.y);
  if (extra) vis = exclude ? vis.Subtract(*extra) : vis.Intersect(*extra);
  HDC hdc = CreateSurfaceDC(surface, off, &vis);
  if (!hdc) return nullptr;
  Region surfVis = vis;
  surfVis.Offset(off.x, off.y);
  DCs().push_back(DCRecord{hdc, w.hwnd, top, surfVis.Bounds()});
  return hdc;
}

// What a child may touch with a parent-clipped DC: the parent's visible client area, clipped as
// the parent is (its siblings by its WS_CLIPSIBLINGS; when it has WS_CLIPCHILDREN, the child's
// siblings; never the child itself, which is the one drawing).
Region ParentClipArea(const WindowObj& w) {
  const WindowObj& p = *w.parent;
  Region vis = VisibleInSurface(p, true, false, (p.style & WS_CLIPSIBLINGS) != 0);
  if (p.style & WS_CLIPCHILDREN)
    for (const WindowObj* s : p.children)
      if (s != &w && (s->style & WS_VISIBLE)) vis = vis.Subtract(WindowAreaInSurface(*s));
  return vis;
}

void ReleaseRecord(HDC hdc) {
  auto& d = DCs();
  auto it = std::find_if(d.begin(), d.end(), [&](const DCRecord& r) { return r.hdc == hdc; });
  if (it == d.end()) return;
  DCRecord rec = *it;
  d.erase(it);
  DeleteDC(hdc);
  if (WindowObj* w = FindWindowObj(rec.hwnd); w && w->isDesktop)
    if (desktop::Screen* s = desktop::GetScreen()) s->DesktopDrawn();
  if (WindowObj* top = FindWindowObj(rec.top ? rec.top->hwnd : nullptr))
    if (W(rec.bounds) > 0 && H(rec.bounds) > 0) NotifyRepainted(*top, rec.bounds);
}

void SendNcPaint(WindowObj& w) {
  HWND h = w.hwnd;
  RECT client = LocalClientRect(w);
  Region nc = w.update.Subtract(Region(client));
  bool whole = w.framePending && nc.IsEmpty();
  w.framePending = false;
  w.update = w.update.Intersect(Region(client));
  if (nc.IsEmpty() && !whole) return;
  if (whole) {
    SendNcPaintMessage(h, 1);
    return;
  }
  POINT o = WindowOrigin(w);
  nc.Offset(o.x, o.y);
  HRGN rgn = HandleFromRegion(nc);
  SendNcPaintMessage(h, WPARAM(rgn));
  DeleteObject(rgn);
}

bool EraseNow(WindowObj& w, const Region& clientArea) {
  HWND h = w.hwnd;
  Region clip = clientArea;
  HDC hdc = MakeDC(w, false, (w.style & WS_CLIPCHILDREN) != 0, (w.style & WS_CLIPSIBLINGS) != 0, &clip, false, false);
  if (!hdc) return false;
  LRESULT r = SendMessageW(h, WM_ERASEBKGND, WPARAM(hdc), 0);
  ReleaseRecord(hdc);
  return r != 0;
}

bool IncludeChildren(const WindowObj& w, UINT flags) {
  if (flags & RDW_ALLCHILDREN) return true;
  if (flags & RDW_NOCHILDREN) return false;
  return !(w.style & WS_CLIPCHILDREN);
}

void ValidateWindowArea(WindowObj& w, const Region& area, UINT flags, bool children) {
  w.update = w.update.Subtract(area);
  if (flags & RDW_NOERASE) w.erasePending = false;
  if (flags & RDW_NOFRAME) {
    w.framePending = false;
    w.update = w.update.Intersect(Region(LocalClientRect(w)));
  }
  if (flags & RDW_NOINTERNALPAINT) w.internalPaint = false;
  if (w.update.IsEmpty()) w.erasePending = false;
  if (!children) return;
  for (WindowObj* c : w.children) {
    Region a = area;
    POINT co = ClientOffset(w);
    a.Offset(-(c->window.left + co.x), -(c->window.top + co.y));
    ValidateWindowArea(*c, a.Intersect(Region(LocalWindowRect(*c))), flags, IncludeChildren(*c, flags));
  }
}

void PaintTree(WindowObj& w, bool children) {
  HWND h = w.hwnd;
  if (NeedsPaint(w)) {
    SendMessageW(h, WM_PAINT, 0, 0);
    if (WindowObj* again = FindWindowObj(h); again && again->internalPaint && again->update.IsEmpty())
      again->internalPaint = false;
  }
  WindowObj* cur = FindWindowObj(h);
  if (!cur || !children) return;
  std::vector<HWND> kids;
  for (WindowObj* c : cur->children) kids.push_back(c->hwnd);
  for (HWND k : kids)
    if (WindowObj* c = FindWindowObj(k)) PaintTree(*c, true);
}

void EraseTree(WindowObj& w, bool children) {
  HWND h = w.hwnd;
  if (w.framePending || !w.update.Subtract(Region(LocalClientRect(w))).IsEmpty()) SendNcPaint(w);
  WindowObj* cur = FindWindowObj(h);
  if (cur && cur->erasePending && IsReallyVisible(*cur)) {
    cur->erasePending = false;
    Region area = cur->update.Intersect(Region(LocalClientRect(*cur)));
    POINT co = ClientOffset(*cur);
    area.Offset(-co.x, -co.y);
    EraseNow(*cur, area);
  }
  cur = FindWindowObj(h);
  if (!cur || !children) return;
  std::vector<HWND> kids;
  for (WindowObj* c : cur->children) kids.push_back(c->hwnd);
  for (HWND k : kids)
    if (WindowObj* c = FindWindowObj(k)) EraseTree(*c, true);
}

HBRUSH ClassBrush(const WindowObj& w, bool* temporary) {
  *temporary = false;
  if (!w.cls || !w.cls->background) return nullptr;
  uintptr_t v = reinterpret_cast<uintptr_t>(w.cls->background);
  if (v > 0 && v <= 31) {  // COLOR_xxx + 1
    *temporary = true;
    return CreateSolidBrush(GetSysColor(int(v - 1)));
  }
  return w.cls->background;
}

}  // namespace

LRESULT OnEraseBkgnd(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w) return 0;
  bool temp;
  HBRUSH b = ClassBrush(*w, &temp);
  if (!b) return 0;
  RECT r{0, 0, W(w->client), H(w->client)};
  FillRect(reinterpret_cast<HDC>(wParam), &r, b);
  if (temp) DeleteObject(b);
  return 1;
}

LRESULT OnPaint(HWND hwnd, UINT, WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnNcPaint(HWND, UINT, WPARAM, LPARAM) { return 0; }

void SendNcPaintMessage(HWND hwnd, WPARAM region) {
  if (WindowObj* w = FindWindowObj(hwnd)) w->classicFramePainted = false;
  SendMessageW(hwnd, WM_NCPAINT, region, 0);
  if (WindowObj* w = FindWindowObj(hwnd)) w->ownsFrame = !w->classicFramePainted;
}

HBITMAP EnsureSurface(WindowObj& top) {
  int w = std::max(1, W(top.window)), h = std::max(1, H(top.window));
  SurfaceInfo* info = FindSurface(top);
  if (info && info->width == w && info->height == h) return info->bitmap;
  // What the window showed stays where it still fits, as a resized window keeps the bits of the
  // parts it does not repaint (a child that is not invalidated must not turn black). In place
  // when no DC paints on the surface: resizing a window step by step moves no rows.
  void* kept = nullptr;
  int keptStride = 0;
  if (info && info->bitmap && ResizeSurface(info->bitmap, w, h, &kept, &keptStride)) {
    *info = SurfaceInfo{info->bitmap, static_cast<uint32_t*>(kept), w, h, keptStride / 4};
    return info->bitmap;
  }
  BITMAPINFO bmi;
  bmi.bmiHeader.biWidth = w;
  bmi.bmiHeader.biHeight = -h;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp) return nullptr;
  if (info && info->bitmap) {
    SettleSurface(info->bitmap);
    if (info->bits) {
      const int rows = std::min(h, info->height), cols = std::min(w, info->width);
      for (int y = 0; y < rows; ++y)
        std::copy_n(info->bits + size_t(y) * size_t(info->stride), cols, static_cast<uint32_t*>(bits) + size_t(y) * size_t(w));
    }
    DeleteObject(info->bitmap);
    info->bitmap = nullptr;
  }
  if (!info) {
    Surfaces().push_back({&top, SurfaceInfo{}});
    info = &Surfaces().back().second;
  }
  *info = SurfaceInfo{bmp, static_cast<uint32_t*>(bits), w, h, w};
  top.surface = bmp;
  return bmp;
}

const uint32_t* SurfacePixels(const WindowObj& top, int* width, int* height, int* stride) {
  SurfaceInfo* info = FindSurface(top);
  if (!info || !info->bits) return nullptr;
  // Shown at the window's present size, also before it painted since its last resize.
  if (info->width != std::max(1, W(top.window)) || info->height != std::max(1, H(top.window))) {
    EnsureSurface(const_cast<WindowObj&>(top));
    info = FindSurface(top);
    if (!info || !info->bits) return nullptr;
  }
  SettleSurface(info->bitmap);  // the screen shows every pixel
  *width = info->width;
  *height = info->height;
  *stride = info->stride;
  return info->bits;
}

POINT OffsetInTop(const WindowObj& w) {
  const WindowObj* top = TopLevelOf(const_cast<WindowObj*>(&w));
  POINT a = WindowOrigin(w), b = WindowOrigin(*top);
  return POINT{a.x - b.x, a.y - b.y};
}

Region VisibleInSurface(const WindowObj& w, bool clientOnly, bool clipChildren, bool clipSiblings) {
  const WindowObj* top = TopLevelOf(const_cast<WindowObj*>(&w));
  POINT off = OffsetInTop(w);
  RECT local = clientOnly ? LocalClientRect(w) : LocalWindowRect(w);
  Region vis(RECT{local.left + off.x, local.top + off.y, local.right + off.x, local.bottom + off.y});
  vis = WithRegion(w, vis, off);
  for (const WindowObj* c = &w; c != top && c->parent; c = c->parent) {
    const WindowObj* p = c->parent;
    POINT po = OffsetInTop(*p);
    RECT pc = LocalClientRect(*p);
    vis = vis.Intersect(WithRegion(*p, Region(RECT{pc.left + po.x, pc.top + po.y, pc.right + po.x, pc.bottom + po.y}), po));
    bool clip = (c == &w) ? clipSiblings : (c->style & WS_CLIPSIBLINGS) != 0;
    if (clip) {
      for (const WindowObj* s : p->children) {
        if (s == c) break;
        if (s->style & WS_VISIBLE) vis = vis.Subtract(WindowAreaInSurface(*s));
      }
    }
  }
  if (clipChildren) {
    // A child shows only inside our client area; where it hangs out over the frame (a bar
    // aligned to the bottom of a client area too small for it) the frame stays ours to paint.
    RECT cl = LocalClientRect(w);
    Region client(RECT{cl.left + off.x, cl.top + off.y, cl.right + off.x, cl.bottom + off.y});
    for (const WindowObj* ch : w.children)
      if (ch->style & WS_VISIBLE) vis = vis.Subtract(WindowAreaInSurface(*ch).Intersect(client));
  }
  return vis;
}

std::optional<Region> RegionFromHandle(HRGN rgn) {
  if (!rgn) return std::nullopt;
  DWORD size = GetRegionData(rgn, 0, nullptr);
  if (size < sizeof(RGNDATAHEADER)) return std::nullopt;
  std::vector<char> buf(size);
  auto* data = reinterpret_cast<RGNDATA*>(buf.data());
  if (!GetRegionData(rgn, size, data)) return std::nullopt;
  std::vector<RECT> rects(data->rdh.nCount);
  std::memcpy(rects.data(), buf.data() + data->rdh.dwSize, rects.size() * sizeof(RECT));
  return Region::FromRects(rects);
}

HRGN HandleFromRegion(const Region& r) {
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  for (const RECT& rc : r.Rects()) {
    HRGN part = CreateRectRgnIndirect(&rc);
    CombineRgn(out, out, part, RGN_OR);
    DeleteObject(part);
  }
  return out;
}

void InvalidateWindowArea(WindowObj& w, const Region& area, bool erase, bool children) {
  Region a = area.Intersect(Region(LocalWindowRect(w)));
  if (!a.IsEmpty()) {
    w.update = w.update.Union(a);
    if (erase) w.erasePending = true;
  }
  if (!children) return;
  POINT co = ClientOffset(w);
  Region inClient = area.Intersect(Region(LocalClientRect(w)));
  if (inClient.IsEmpty()) return;
  for (WindowObj* c : w.children) {
    if (!(c->style & WS_VISIBLE)) continue;
    Region ca = inClient;
    ca.Offset(-(c->window.left + co.x), -(c->window.top + co.y));
    InvalidateWindowArea(*c, ca, erase, true);
  }
}

void SetDesktopSurface(HBITMAP screen) { g_desktopSurface = screen; }

void PaintRedirected(HWND hwnd, HDC hdc) {
  Redirects().push_back(Redirect{hwnd, hdc});
  SendMessageW(hwnd, WM_PAINT, 0, 0);
  auto& r = Redirects();
  for (auto it = r.rbegin(); it != r.rend(); ++it)
    if (it->hwnd == hwnd && it->hdc == hdc) {
      if (it->saved) RestoreDC(hdc, it->saved);  // the window never called EndPaint
      r.erase(std::next(it).base());
      break;
    }
}

void NotifyRepainted(WindowObj& top, const RECT& dirty) {
  if (desktop::Screen* s = desktop::GetScreen()) s->WindowRepainted(top.hwnd, dirty);
}

bool NeedsPaint(const WindowObj& w) {
  return (!w.update.IsEmpty() || w.internalPaint || w.framePending) && IsReallyVisible(w);
}

namespace {
WindowObj* FindPaintIn(WindowObj* w, DWORD thread, HWND filter) {
  for (WindowObj* c : w->children) {
    if (c->threadId != thread || !(c->style & WS_VISIBLE)) continue;
    if (NeedsPaint(*c) && (!filter || c->hwnd == filter || IsChild(filter, c->hwnd))) return c;
    if (WindowObj* d = FindPaintIn(c, thread, filter)) return d;
  }
  return nullptr;
}
}  // namespace

WindowObj* FindPaintWindow(ThreadQueue& q, HWND filter) {
  if (filter == reinterpret_cast<HWND>(-1)) return nullptr;
  return FindPaintIn(Desktop(), q.threadId, filter);
}

void ClearInternalPaint(WindowObj& w) { w.internalPaint = false; }

void OnWindowGeometryChanged(WindowObj& w, const RECT& oldScreen, bool wasVisible, bool resized, bool redraw) {
  bool visible = IsReallyVisible(w);
  RECT now = ScreenWindowRect(w);
  if (IsTopLevel(w) && w.parent->isDesktop) {
    if (visible && (resized || !wasVisible)) {
      // A resized surface takes the new size when something paints or shows it: a window
      // resized several times before it paints reshapes its surface once.
      if (!FindSurface(w)) EnsureSurface(w);
      InvalidateWindowArea(w, Region(LocalWindowRect(w)), true, true);
      w.framePending = true;
    }
    if (desktop::Screen* s = desktop::GetScreen()) {
      if (visible && !wasVisible)
        s->WindowShown(w.hwnd, now);
      else if (!visible && wasVisible)
        s->WindowHidden(w.hwnd);
      else if (visible && (now.left != oldScreen.left || now.top != oldScreen.top || resized))
        s->WindowMoved(w.hwnd, now);
      // The list of visible windows changed: a screen that stacks by that list must see the
      // new one, or it raises the others over it.
      if (visible != wasVisible) OnZOrderChanged();
    }
    return;
  }
  if (!redraw || !w.parent || IsRoot(w.parent)) return;
  WindowObj& p = *w.parent;
  if (!IsReallyVisible(p)) return;
  POINT po = WindowOrigin(p);
  if (wasVisible) {
    Region old(RECT{oldScreen.left - po.x, oldScreen.top - po.y, oldScreen.right - po.x, oldScreen.bottom - po.y});
    InvalidateWindowArea(p, old, true, true);
  }
  if (visible) {
    Region cur(RECT{now.left - po.x, now.top - po.y, now.right - po.x, now.bottom - po.y});
    InvalidateWindowArea(p, cur, true, true);
    InvalidateWindowArea(w, Region(LocalWindowRect(w)), true, true);
    w.framePending = true;
  }
}

void OnWindowDestroyed(WindowObj& w) {
  auto& d = DCs();
  for (auto it = d.begin(); it != d.end();) {
    if (it->hwnd == w.hwnd || it->top == &w) {
      DeleteDC(it->hdc);
      it = d.erase(it);
    } else {
      ++it;
    }
  }
  if (g_locked == w.hwnd) g_locked = nullptr;
  auto& s = Surfaces();
  for (auto it = s.begin(); it != s.end(); ++it)
    if (it->first == &w) {
      if (it->second.bitmap) DeleteObject(it->second.bitmap);
      s.erase(it);
      break;
    }
  w.surface = nullptr;
  if (IsTopLevel(w) && w.parent && w.parent->isDesktop)
    if (desktop::Screen* sc = desktop::GetScreen()) sc->WindowDestroyed(w.hwnd);
}

void OnZOrderChanged() {
  desktop::Screen* s = desktop::GetScreen();
  if (!s) return;
  std::vector<HWND> order;
  for (WindowObj* t : Desktop()->children)
    if (t->style & WS_VISIBLE) order.push_back(t->hwnd);
  s->ZOrderChanged(order);
}

}  // namespace user

using namespace user;

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags) {
  if (!hwnd) {
    std::vector<HWND> tops;
    for (WindowObj* t : Desktop()->children) tops.push_back(t->hwnd);
    for (HWND t : tops) RedrawWindow(t, nullptr, nullptr, flags | RDW_ALLCHILDREN | RDW_FRAME);
    return TRUE;
  }
  WindowObj* w = CheckWindow(hwnd);
  if (!w || IsRoot(w)) return FALSE;
  RECT client = LocalClientRect(*w);
  POINT co{client.left, client.top};
  Region area;
  if (rgn) {
    auto r = RegionFromHandle(rgn);
    if (!r) return FALSE;
    area = *r;
    area.Offset(co.x, co.y);
  } else if (rect) {
    area = Region(RECT{rect->left + co.x, rect->top + co.y, rect->right + co.x, rect->bottom + co.y});
  } else {
    area = Region((flags & RDW_FRAME) ? LocalWindowRect(*w) : client);
  }
  if (!(flags & RDW_FRAME) && !(rgn || rect)) area = area.Intersect(Region(client));
  if (!(flags & RDW_FRAME)) area = area.Intersect(Region(client));
  bool children = IncludeChildren(*w, flags);
  if (flags & RDW_INVALIDATE) {
    InvalidateWindowArea(*w, area, (flags & RDW_ERASE) != 0, children);
    if (flags & RDW_FRAME) w->framePending = true;
  }
  if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
  if (flags & RDW_VALIDATE) ValidateWindowArea(*w, area, flags, children);
  if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  if (flags & RDW_ERASENOW) EraseTree(*w, children);
  if ((flags & RDW_UPDATENOW) && (w = FindWindowObj(hwnd))) PaintTree(*w, children);
  return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  return RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) { return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN); }
BOOL ValidateRgn(HWND hwnd, HRGN rgn) { return RedrawWindow(hwnd, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN); }

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return FALSE;
  RECT client = LocalClientRect(*w);
  Region u = w->update.Intersect(Region(client));
  if (rect) {
    if (u.IsEmpty()) {
      *rect = RECT{};
    } else {
      RECT b = u.Bounds();
      *rect = RECT{b.left - client.left, b.top - client.top, b.right - client.left, b.bottom - client.top};
    }
  }
  if (erase && !u.IsEmpty()) EraseTree(*w, false);
  return u.IsEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !rgn) return ERROR;
  RECT client = LocalClientRect(*w);
  Region u = w->update.Intersect(Region(client));
  u.Offset(-client.left, -client.top);
  HRGN tmp = HandleFromRegion(u);
  CombineRgn(rgn, tmp, nullptr, RGN_COPY);
  DeleteObject(tmp);
  if (erase && !u.IsEmpty()) EraseTree(*w, false);
  return u.Complexity();
}

BOOL UpdateWindow(HWND hwnd) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return FALSE;
  PaintTree(*w, true);
  return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !ps) return nullptr;
  if (Redirect* r = FindRedirect(hwnd, nullptr); r && !r->saved) {
    *ps = PAINTSTRUCT{};
    ps->hdc = r->hdc;
    ps->rcPaint = RECT{0, 0, W(w->client), H(w->client)};
    r->saved = SaveDC(r->hdc);
    return r->hdc;
  }
  HideCaret(hwnd);
  if (!(w = FindWindowObj(hwnd))) return nullptr;
  if (w->framePending || !w->update.Subtract(Region(LocalClientRect(*w))).IsEmpty()) {
    SendNcPaint(*w);
    if (!(w = FindWindowObj(hwnd))) return nullptr;
  }
  RECT client = LocalClientRect(*w);
  Region u = w->update.Intersect(Region(client));
  u.Offset(-client.left, -client.top);
  bool erase = w->erasePending;
  w->update = w->update.Subtract(Region(client));
  w->erasePending = false;
  w->internalPaint = false;
  *ps = PAINTSTRUCT{};
  ps->hdc = MakeDC(*w, false, (w->style & WS_CLIPCHILDREN) != 0, (w->style & WS_CLIPSIBLINGS) != 0, &u, false, false);
  ps->rcPaint = u.IsEmpty() ? RECT{} : u.Bounds();
  if (erase && ps->hdc) ps->fErase = SendMessageW(hwnd, WM_ERASEBKGND, WPARAM(ps->hdc), 0) ? FALSE : TRUE;
  return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (Redirect* r = ps ? FindRedirect(hwnd, ps->hdc) : nullptr; r && r->saved) {
    RestoreDC(r->hdc, r->saved);
    r->saved = 0;
    return TRUE;
  }
  if (ps && ps->hdc) ReleaseRecord(ps->hdc);
  if (IsWindow(hwnd)) ShowCaret(hwnd);
  return TRUE;
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
  if (!hwnd) hwnd = GetDesktopWindow();
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return nullptr;
  if (w->isDesktop) {
    if (!g_desktopSurface) return nullptr;
    if (desktop::Screen* s = desktop::GetScreen()) s->PrepareDesktopDrawing();
    HDC hdc = CreateSurfaceDC(g_desktopSurface, POINT{0, 0}, nullptr);
    if (hdc) DCs().push_back(DCRecord{hdc, hwnd, nullptr, RECT{}});
    return hdc;
  }
  std::optional<Region> extra;
  if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) extra = RegionFromHandle(clip);
  bool clipChildren = (flags & DCX_CLIPCHILDREN) || (w->style & WS_CLIPCHILDREN);
  bool clipSiblings = (flags & DCX_CLIPSIBLINGS) || (w->style & WS_CLIPSIBLINGS);
  std::optional<Region> parentArea;
  if ((flags & DCX_PARENTCLIP) && w->parent && !IsRoot(w->parent))
    parentArea = ParentClipArea(*w);
  return MakeDC(*w, (flags & DCX_WINDOW) != 0, clipChildren, clipSiblings, extra ? &*extra : nullptr,
                (flags & DCX_EXCLUDERGN) != 0, (flags & DCX_LOCKWINDOWUPDATE) != 0,
                parentArea ? &*parentArea : nullptr);
}

HDC GetDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, DCX_CACHE); }
HDC GetWindowDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE); }

int ReleaseDC(HWND, HDC hdc) {
  auto& d = DCs();
  bool known = std::any_of(d.begin(), d.end(), [&](const DCRecord& r) { return r.hdc == hdc; });
  if (!known) return 0;
  ReleaseRecord(hdc);
  return 1;
}

HWND WindowFromDC(HDC hdc) {
  for (const DCRecord& r : DCs())
    if (r.hdc == hdc) return r.hwnd;
  return nullptr;
}

BOOL LockWindowUpdate(HWND hwnd) {
  if (!hwnd) {
    HWND was = g_locked;
    g_locked = nullptr;
    if (was && IsWindow(was)) RedrawWindow(was, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    return TRUE;
  }
  if (!CheckWindow(hwnd) || g_locked) return FALSE;
  g_locked = hwnd;
  return TRUE;
}

}  // namespace win
