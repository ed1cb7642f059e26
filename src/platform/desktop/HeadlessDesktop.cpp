// The headless desktop: input injection, the idle pump and the compositor.

#include "platform/desktop/HeadlessDesktop.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Snapshot.h"
#include "platform/kernel/Clock.h"
#include "platform/user/Cursor.h"
#include "platform/user/DragDrop.h"
#include "platform/user/Input.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messages.h"
#include "platform/user/MonitorLayout.h"
#include "platform/user/SysColors.h"
#include "platform/user/Window.h"
#include "platform/user/detail/PaintCore.h"
#include "platform/user/detail/UserCore.h"

namespace win::desktop {
namespace {

UINT DownMessage(int button) { return button == 1 ? WM_RBUTTONDOWN : button == 2 ? WM_MBUTTONDOWN : WM_LBUTTONDOWN; }

uint32_t ToPixel(COLORREF c) { return 0xFF000000u | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c); }
COLORREF FromPixel(uint32_t p) { return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p)); }

uint32_t Blend(uint32_t dst, uint32_t src, unsigned alpha, bool premultiplied) {
  unsigned sa = premultiplied ? ((src >> 24) * alpha + 127) / 255 : alpha;
  auto ch = [&](int shift) {
    unsigned s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    unsigned v = premultiplied ? (s * alpha + 127) / 255 + (d * (255 - sa) + 127) / 255 : (s * sa + d * (255 - sa) + 127) / 255;
    return std::min(v, 255u) << shift;
  };
  return 0xFF000000u | ch(16) | ch(8) | ch(0);
}

}  // namespace

HeadlessDesktop::HeadlessDesktop(int width, int height) : width_(width), height_(height) {
  wasVirtual_ = clock::IsVirtual();
  clock::UseVirtual(true);
  RECT mon{0, 0, width, height};
  RECT work{0, 0, width, std::max(1, height - 40)};
  SetMonitorLayout({MonitorArea{mon, work}});
  user::Desktop()->window = mon;
  user::Desktop()->client = mon;
  BITMAPINFO bmi;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  screen_ = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  screenBits_ = static_cast<uint32_t*>(bits);
  user::SetDesktopSurface(screen_);
  // Each desktop starts like a fresh session: arrow cursor, pointer free at the screen's centre,
  // nothing pressed, so nothing one test did leaks into the next.
  ResetCursorState();
  user::ResetInputState(POINT{width / 2, height / 2});
  SetScreen(this);
}

HeadlessDesktop::~HeadlessDesktop() {
  if (GetScreen() == this) SetScreen(nullptr);
  // Windows left by a test go away with the desktop they were shown on.
  std::vector<HWND> tops;
  for (user::WindowObj* t : user::Desktop()->children) tops.push_back(t->hwnd);
  for (user::WindowObj* t : user::MessageRoot()->children) tops.push_back(t->hwnd);
  for (HWND h : tops)
    if (IsWindow(h)) DestroyWindow(h);
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
  user::SetApplicationActive(false);
  user::SetDesktopSurface(nullptr);
  if (screen_) DeleteObject(screen_);
  ResetMonitorLayout();
  clock::UseVirtual(wasVirtual_);
}

void HeadlessDesktop::mouse_move(POINT pt) {
  user::InputEvent e;
  e.kind = user::InputEvent::Kind::Mouse;
  e.message = WM_MOUSEMOVE;
  e.pt = pt;
  user::AddInputEvent(e);
}

void HeadlessDesktop::MouseButton(POINT pt, int button, bool down) {
  POINT now;
  GetCursorPos(&now);
  if (now != pt) mouse_move(pt);
  user::InputEvent e;
  e.kind = user::InputEvent::Kind::Mouse;
  e.message = DownMessage(button) + (down ? 0 : 1);
  e.pt = pt;
  user::AddInputEvent(e);
}

void HeadlessDesktop::mouse_down(POINT pt, int button) { MouseButton(pt, button, true); }
void HeadlessDesktop::mouse_up(POINT pt, int button) { MouseButton(pt, button, false); }
void HeadlessDesktop::click(POINT pt, int button) {
  mouse_down(pt, button);
  mouse_up(pt, button);
}

void HeadlessDesktop::wheel(POINT pt, int delta) {
  POINT now;
  GetCursorPos(&now);
  if (now != pt) mouse_move(pt);
  user::InputEvent e;
  e.kind = user::InputEvent::Kind::Mouse;
  e.message = WM_MOUSEWHEEL;
  e.pt = pt;
  e.data = WPARAM(delta);
  user::AddInputEvent(e);
}

void HeadlessDesktop::key_down(UINT vk, char16_t ch, bool dead) {
  user::InputEvent e;
  e.kind = user::InputEvent::Kind::Key;
  e.message = WM_KEYDOWN;
  e.vk = vk;
  e.scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  e.ch = ch;
  e.dead = dead;
  user::AddInputEvent(e);
}

void HeadlessDesktop::key_up(UINT vk) {
  user::InputEvent e;
  e.kind = user::InputEvent::Kind::Key;
  e.message = WM_KEYUP;
  e.vk = vk;
  e.scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  user::AddInputEvent(e);
}

void HeadlessDesktop::press_key(UINT vk, char16_t ch) {
  key_down(vk, ch);
  key_up(vk);
}

void HeadlessDesktop::type_char(char16_t ch) {
  user::InputEvent e;
  e.kind = user::InputEvent::Kind::Char;
  e.message = WM_CHAR;
  e.ch = ch;
  user::AddInputEvent(e);
}

bool HeadlessDesktop::drop_files(POINT pt, const std::vector<std::u16string>& files) {
  HWND target = WindowFromPoint(pt);
  while (target && !(GetWindowLongPtrW(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
    target = (GetWindowLongPtrW(target, GWL_STYLE) & WS_CHILD) ? GetParent(target) : nullptr;
  if (!target) return false;
  POINT client = pt;
  ScreenToClient(target, &client);
  RECT rc;
  GetClientRect(target, &rc);
  BOOL nonClient = (client.x < rc.left || client.y < rc.top || client.x >= rc.right || client.y >= rc.bottom);
  HDROP drop = CreateDropHandle(client, files, nonClient);
  if (!drop) return false;
  if (!PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0)) {
    DragFinish(drop);
    return false;
  }
  return true;
}

void HeadlessDesktop::set_app_active(bool active) { user::SetApplicationActive(active); }

void HeadlessDesktop::script(std::function<void()> step) { script_.push_back(std::move(step)); }

void HeadlessDesktop::advance(DWORD ms) { clock::Advance(ms); }

int HeadlessDesktop::run_until_idle(int limit) {
  int n = 0;
  MSG m;
  while (n < limit && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(int(m.wParam));  // left for the loop that owns it
      break;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
    ++n;
  }
  return n;
}

bool HeadlessDesktop::WaitForWork(std::optional<ULONGLONG>) {
  if (!script_.empty()) {
    auto step = std::move(script_.front());
    script_.pop_front();
    step();
    return true;
  }
  if (allowBlocking_) return false;
  starved_ = true;
  PostQuitMessage(0);
  return true;
}

HBITMAP HeadlessDesktop::composite_screen() {
  if (!screenBits_ || dirty_.empty()) return screen_;
  // Only what changed is composed again: drawing done through the desktop DC stays elsewhere,
  // as it does on a real screen until the windows below it repaint.
  Region area = Region::FromRects(dirty_).Intersect(Region(RECT{0, 0, width_, height_}));
  dirty_.clear();
  uint32_t background = ToPixel(GetSysColor(1 /* COLOR_BACKGROUND */));
  for (const RECT& r : area.Rects())
    for (int y = r.top; y < r.bottom; ++y)
      std::fill(screenBits_ + size_t(y) * size_t(width_) + size_t(r.left),
                screenBits_ + size_t(y) * size_t(width_) + size_t(r.right), background);
  std::vector<user::WindowObj*> order(user::Desktop()->children.rbegin(), user::Desktop()->children.rend());
  for (user::WindowObj* w : order) {
    if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) continue;
    int sw = 0, sh = 0;
    const uint32_t* px = user::SurfacePixels(*w, &sw, &sh);
    if (!px) continue;
    RECT wr = user::ScreenWindowRect(*w);
    bool layered = (w->exStyle & WS_EX_LAYERED) != 0;
    bool perPixel = layered && w->perPixelLayered && (w->layeredFlags & 0x100) && (w->layeredFlags & ULW_ALPHA);
    unsigned alpha = 255;
    bool keyed = false;
    COLORREF key = w->layeredKey;
    if (layered && !w->perPixelLayered) {
      if (w->layeredFlags & LWA_ALPHA) alpha = w->layeredAlpha;
      keyed = (w->layeredFlags & LWA_COLORKEY) != 0;
    } else if (layered) {
      if (w->layeredFlags & ULW_ALPHA) alpha = w->layeredAlpha;
      keyed = (w->layeredFlags & ULW_COLORKEY) != 0;
    }
    if (layered && !w->perPixelLayered && w->layeredFlags == 0) continue;  // layered but never given content
    const Region mine = area.Intersect(Region(RECT{wr.left, wr.top, wr.left + sw, wr.top + sh}));
    for (const RECT& r : mine.Rects())
      for (int sy = r.top; sy < r.bottom; ++sy) {
        int y = sy - wr.top;
        for (int sx = r.left; sx < r.right; ++sx) {
          int x = sx - wr.left;
          if (w->windowRgn && !w->windowRgn->Contains(x, y)) continue;
          uint32_t src = px[size_t(y) * size_t(sw) + size_t(x)];
          if (keyed && FromPixel(src) == key) continue;
          uint32_t& d = screenBits_[size_t(sy) * size_t(width_) + size_t(sx)];
          d = (alpha == 255 && !perPixel) ? (src | 0xFF000000u) : Blend(d, src, alpha, perPixel);
        }
      }
  }
  return screen_;
}

COLORREF HeadlessDesktop::screen_pixel(int x, int y) {
  composite_screen();
  if (!screenBits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return FromPixel(screenBits_[size_t(y) * size_t(width_) + size_t(x)]);
}

COLORREF HeadlessDesktop::surface_pixel(HWND topLevel, int x, int y) {
  user::WindowObj* w = user::FindWindowObj(topLevel);
  if (!w) return CLR_INVALID;
  int sw = 0, sh = 0;
  const uint32_t* px = user::SurfacePixels(*w, &sw, &sh);
  if (!px || x < 0 || y < 0 || x >= sw || y >= sh) return CLR_INVALID;
  return FromPixel(px[size_t(y) * size_t(sw) + size_t(x)]);
}

bool HeadlessDesktop::save_png(const std::string& path) { return SaveBitmapAsPng(composite_screen(), path); }

void HeadlessDesktop::MarkAllDirty() { dirty_.assign(1, RECT{0, 0, width_, height_}); }

void HeadlessDesktop::PrepareDesktopDrawing() { composite_screen(); }

void HeadlessDesktop::WindowShown(HWND h, const RECT& r) {
  MarkAllDirty();
  events_.push_back({Event::Shown, h, r});
}
void HeadlessDesktop::WindowMoved(HWND h, const RECT& r) {
  MarkAllDirty();
  events_.push_back({Event::Moved, h, r});
}
void HeadlessDesktop::WindowHidden(HWND h) {
  MarkAllDirty();
  events_.push_back({Event::Hidden, h, RECT{}});
}
void HeadlessDesktop::WindowDestroyed(HWND h) {
  MarkAllDirty();
  events_.push_back({Event::Destroyed, h, RECT{}});
}
void HeadlessDesktop::ZOrderChanged(const std::vector<HWND>&) {
  MarkAllDirty();
  events_.push_back({Event::ZOrder, nullptr, RECT{}});
}
void HeadlessDesktop::WindowRepainted(HWND h, const RECT& r) {
  RECT wr;
  if (dirty_.size() >= 256)  // many small changes between looks: compose everything once
    MarkAllDirty();
  else if (GetWindowRect(h, &wr))
    dirty_.push_back(RECT{wr.left + r.left, wr.top + r.top, wr.left + r.right, wr.top + r.bottom});
  else
    MarkAllDirty();
  events_.push_back({Event::Repainted, h, r});
}
void HeadlessDesktop::CaptureChanged(HWND h) { events_.push_back({Event::Capture, h, RECT{}}); }

}  // namespace win::desktop
