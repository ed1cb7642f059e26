// The headless desktop: input injection, the idle pump and the compositor.

#include "platform/desktop/HeadlessDesktop.h"

#include <algorithm>

#include "platform/desktop/DesktopInput.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/Snapshot.h"
#include "platform/kernel/Clock.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/MonitorLayout.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/PaintCore.h"
#include "platform/user/detail/UserCore.h"

namespace win::desktop {
namespace {

COLORREF FromPixel(uint32_t p) { return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p)); }

}  // namespace

HeadlessDesktop::HeadlessDesktop(int width, int height) : width_(width), height_(height), screen_(width, height) {
  wasVirtual_ = clock::IsVirtual();
  clock::UseVirtual(true);
  RECT mon{0, 0, width, height};
  RECT work{0, 0, width, std::max(1, height - 40)};
  SetMonitorLayout({MonitorArea{mon, work}});
  user::Desktop()->window = mon;
  user::Desktop()->client = mon;
  user::SetDesktopSurface(screen_.Bitmap());
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
  ResetMonitorLayout();
  clock::UseVirtual(wasVirtual_);
}

namespace {
MouseButton ButtonOf(int button) {
  static constexpr MouseButton kButtons[] = {MouseButton::Left, MouseButton::Right, MouseButton::Middle,
                                             MouseButton::X1, MouseButton::X2};
  return button >= 0 && button < 5 ? kButtons[button] : MouseButton::Left;
}
}  // namespace

void HeadlessDesktop::mouse_move(POINT pt) { InjectMouseMove(pt); }
void HeadlessDesktop::mouse_down(POINT pt, int button) { InjectMouseButton(pt, ButtonOf(button), true); }
void HeadlessDesktop::mouse_up(POINT pt, int button) { InjectMouseButton(pt, ButtonOf(button), false); }
void HeadlessDesktop::mouse_up_alone(POINT pt) {
  user::InputEvent e;
  e.kind = user::InputEvent::Kind::Mouse;
  e.message = WM_LBUTTONUP;
  e.pt = pt;
  user::AddInputEvent(e);
}
void HeadlessDesktop::click(POINT pt, int button) {
  mouse_down(pt, button);
  mouse_up(pt, button);
}

void HeadlessDesktop::wheel(POINT pt, int delta, bool horizontal) { InjectWheel(pt, delta, horizontal); }

void HeadlessDesktop::key_down(UINT vk, char16_t ch, bool dead) {
  InjectKey(KeyOfVirtualKey(vk), true, ch ? std::u16string_view(&ch, 1) : std::u16string_view(), false, dead);
}

void HeadlessDesktop::key_up(UINT vk) { InjectKey(KeyOfVirtualKey(vk), false, {}); }

void HeadlessDesktop::press_key(UINT vk, char16_t ch) {
  key_down(vk, ch);
  key_up(vk);
}

void HeadlessDesktop::type_char(char16_t ch) { InjectText(std::u16string_view(&ch, 1)); }

bool HeadlessDesktop::drop_files(POINT pt, const std::vector<std::u16string>& files) { return InjectFileDrop(pt, files); }

void HeadlessDesktop::set_app_active(bool active) { InjectApplicationActive(active); }

void HeadlessDesktop::resync_keyboard(const std::vector<UINT>& heldKeys) { InjectKeyboardResync(heldKeys); }

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

HBITMAP HeadlessDesktop::composite_screen() { return screen_.Compose(); }

COLORREF HeadlessDesktop::screen_pixel(int x, int y) { return screen_.Pixel(x, y); }

COLORREF HeadlessDesktop::surface_pixel(HWND topLevel, int x, int y) {
  user::WindowObj* w = user::FindWindowObj(topLevel);
  if (!w) return CLR_INVALID;
  int sw = 0, sh = 0, stride = 0;
  const uint32_t* px = user::SurfacePixels(*w, &sw, &sh, &stride);
  if (!px || x < 0 || y < 0 || x >= sw || y >= sh) return CLR_INVALID;
  return FromPixel(px[size_t(y) * size_t(stride) + size_t(x)]);
}

bool HeadlessDesktop::save_png(const std::string& path) { return SaveBitmapAsPng(composite_screen(), path); }

void HeadlessDesktop::MarkAllDirty() { screen_.MarkAllDirty(); }

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
void HeadlessDesktop::ZOrderChanged(const std::vector<HWND>& topFirst) {
  MarkAllDirty();
  events_.push_back({Event::ZOrder, topFirst.empty() ? nullptr : topFirst.front(), RECT{}});
}
void HeadlessDesktop::WindowRepainted(HWND h, const RECT& r) {
  screen_.MarkWindowDirty(h, r);
  events_.push_back({Event::Repainted, h, r});
}
void HeadlessDesktop::CaptureChanged(HWND h) { events_.push_back({Event::Capture, h, RECT{}}); }

}  // namespace win::desktop
