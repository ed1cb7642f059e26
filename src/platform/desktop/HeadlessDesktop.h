#pragma once
// The headless desktop every test runs on: a virtual screen, injected input, a pump that runs
// until nothing is pending, and pictures of the composited screen and of window surfaces.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/desktop/Screen.h"
#include "platform/desktop/ScreenCompositor.h"

namespace win::desktop {

class HeadlessDesktop final : public Screen {
 public:
  // Installs itself as the screen, switches the kernel clock to virtual time and sets a single
  // monitor of the given size.
  explicit HeadlessDesktop(int width = 1920, int height = 1080);
  ~HeadlessDesktop() override;
  HeadlessDesktop(const HeadlessDesktop&) = delete;
  HeadlessDesktop& operator=(const HeadlessDesktop&) = delete;

  // Input (screen coordinates), through the same calls as the real desktop's. Buttons: 0 left,
  // 1 right, 2 middle, 3 and 4 the X buttons.
  void mouse_move(POINT pt);
  void mouse_down(POINT pt, int button = 0);
  void mouse_up(POINT pt, int button = 0);
  // A left-button release queued with no move to its point before it, as when the moves that led
  // there were merged away: a loop that ends on a release must still end at the release's point.
  void mouse_up_alone(POINT pt);
  void click(POINT pt, int button = 0);
  void wheel(POINT pt, int delta, bool horizontal = false);
  // A key; `ch` is the character the key types (0: from the fixed layout), `dead` for dead keys.
  void key_down(UINT vk, char16_t ch = 0, bool dead = false);
  void key_up(UINT vk);
  void press_key(UINT vk, char16_t ch = 0);
  void type_char(char16_t ch);
  // Files dropped at a screen point: WM_DROPFILES goes to the window under it that accepts files
  // (itself or its nearest ancestor). False when no such window exists.
  bool drop_files(POINT pt, const std::vector<std::u16string>& files);
  void set_app_active(bool active);
  // The keyboard came back to our windows with only `heldKeys` down.
  void resync_keyboard(const std::vector<UINT>& heldKeys);

  // Steps run one at a time whenever a message loop would wait with nothing to do.
  void script(std::function<void()> step);
  std::size_t pending_script() const { return script_.size(); }
  // Moves the virtual clock.
  void advance(DWORD ms);
  // Dispatches everything pending (posted, input, paints, due timers) without waiting. Returns
  // the number of messages dispatched; stops after `limit` messages.
  int run_until_idle(int limit = 1000000);
  // A loop waited with an empty script: WM_QUIT was posted so that it ends, and this turns true.
  bool starved() const { return starved_; }
  void clear_starved() { starved_ = false; }
  // With blocking allowed, a waiting loop blocks until another thread posts instead of starving.
  void allow_blocking(bool allow) { allowBlocking_ = allow; }
  // Stands for a desktop without compositing (translucency cannot show): shadows turn off.
  void set_can_blend(bool can) {
    canBlend_ = can;
    MarkAllDirty();
  }

  // The composited screen (32-bit bitmap owned by the desktop) and pixels of it and of surfaces.
  HBITMAP composite_screen();
  COLORREF screen_pixel(int x, int y);
  COLORREF surface_pixel(HWND topLevel, int x, int y);
  // Rows of the screen where something was drawn over the windows (through the desktop's DC).
  std::vector<RECT> drawn_over() { return screen_.DrawnOver(); }
  bool save_png(const std::string& path);
  int width() const { return width_; }
  int height() const { return height_; }

  // What the window system told the screen (for tests of the presenter interface).
  struct Event {
    enum Kind { Shown, Moved, Hidden, Destroyed, ZOrder, Repainted, Capture } kind;
    HWND hwnd;  // for ZOrder, the topmost visible window (null when none)
    RECT rect;
  };
  const std::vector<Event>& events() const { return events_; }
  void clear_events() { events_.clear(); }

  // Screen
  void WindowShown(HWND topLevel, const RECT& screenRect) override;
  void WindowMoved(HWND topLevel, const RECT& screenRect) override;
  void WindowHidden(HWND topLevel) override;
  void WindowDestroyed(HWND topLevel) override;
  void ZOrderChanged(const std::vector<HWND>& topFirst) override;
  void WindowRepainted(HWND topLevel, const RECT& dirty) override;
  void CaptureChanged(HWND hwnd) override;
  bool WaitForWork(std::optional<ULONGLONG> deadlineMs) override;
  void PrepareDesktopDrawing() override;
  bool CanBlend() const override { return canBlend_; }

 private:
  void MarkAllDirty();
  int width_, height_;
  ScreenCompositor screen_;
  bool starved_ = false;
  bool allowBlocking_ = false;
  bool wasVirtual_ = false;
  bool canBlend_ = true;
  std::deque<std::function<void()>> script_;
  std::vector<Event> events_;
};

}  // namespace win::desktop
