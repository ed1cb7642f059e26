#include "platform/user/services/MonitorLayout.h"

#include <algorithm>
#include <mutex>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/kernel/Rects.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"

namespace win {
namespace {

constexpr LONG kDefaultWidth = 1920, kDefaultHeight = 1080, kTaskBarHeight = 40;

std::vector<MonitorArea> DefaultLayout() {
  return {MonitorArea{RECT{0, 0, kDefaultWidth, kDefaultHeight},
                      RECT{0, 0, kDefaultWidth, kDefaultHeight - kTaskBarHeight}}};
}

struct LayoutState {
  std::mutex mutex;
  std::vector<MonitorArea> monitors = DefaultLayout();
  uint32_t generation = 1;
};

LayoutState& State() {
  static LayoutState s;
  return s;
}

bool HasArea(const RECT& r) { return r.right > r.left && r.bottom > r.top; }

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Valid(const MonitorArea& m) { return HasArea(m.monitor) && HasArea(m.work) && Inside(m.work, m.monitor); }

}  // namespace

// The screen device contexts report the primary monitor's size, as SM_CXSCREEN does.
bool SetMonitorLayout(const std::vector<MonitorArea>& monitors) {
  if (monitors.empty() || !std::all_of(monitors.begin(), monitors.end(), Valid)) return false;
  bool changed = false;
  {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    // A new work area alone is not a display change.
    changed = s.monitors.size() != monitors.size() ||
              !std::equal(monitors.begin(), monitors.end(), s.monitors.begin(),
                          [](const MonitorArea& a, const MonitorArea& b) { return EqualRect(&a.monitor, &b.monitor); });
    if (s.monitors != monitors) {
      s.monitors = monitors;
      ++s.generation;
    }
  }
  const RECT& primary = monitors.front().monitor;
  const int width = primary.right - primary.left, height = primary.bottom - primary.top;
  SetScreenSize(width, height);
  // Every top-level window hears it, hidden ones included; windows of other threads get it
  // without this thread waiting for them.
  if (changed)
    SendNotifyMessageW(HWND_BROADCAST, WM_DISPLAYCHANGE, WPARAM(kScreenBitsPerPixel), MAKELPARAM(width, height));
  return true;
}

std::vector<MonitorArea> MonitorLayout() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  return s.monitors;
}

void ResetMonitorLayout() { SetMonitorLayout(DefaultLayout()); }

bool SetMonitorWorkArea(size_t index, const RECT& work) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  if (index >= s.monitors.size()) return false;
  MonitorArea changed{s.monitors[index].monitor, work};
  if (!Valid(changed)) return false;
  s.monitors[index] = changed;
  return true;
}

RECT VirtualScreenRect() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  RECT r = s.monitors.front().monitor;
  for (const auto& m : s.monitors) {
    r.left = std::min(r.left, m.monitor.left);
    r.top = std::min(r.top, m.monitor.top);
    r.right = std::max(r.right, m.monitor.right);
    r.bottom = std::max(r.bottom, m.monitor.bottom);
  }
  return r;
}

MonitorArea PrimaryMonitorArea() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  return s.monitors.front();
}

MonitorLayoutSnapshot CurrentMonitorLayout() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  return MonitorLayoutSnapshot{s.monitors, s.generation};
}

}  // namespace win
