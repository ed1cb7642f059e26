#pragma once
// Drop shadows on the real desktop: for each shown window that casts one (CS_DROPSHADOW while
// shadows are on) a translucent native window, transparent to input, lies just below it and
// shows the shadow band. Whether the desktop can blend at all is asked of the X server (a
// compositing manager owns the _NET_WM_CM_S selection); Wayland always composes; other
// platforms do not blend.

#include <atomic>
#include <functional>
#include <map>
#include <memory>

#include "platform/kernel/WinDef.h"

class QWindow;

namespace win::presenter {

class ShadowWindow;

class DropShadowWindows {
 public:
  DropShadowWindows();
  ~DropShadowWindows();
  DropShadowWindows(const DropShadowWindows&) = delete;
  DropShadowWindows& operator=(const DropShadowWindows&) = delete;

  // Whether translucent windows show as such (checked again at most once a second).
  bool CanBlend() const;

  // Brings every shadow in line with its window: shows, moves, restacks or hides it. `shown`
  // lists the native windows of our top-level windows; shadows of windows not in it go.
  // `restacked`: the windows' stacking changed since the last call.
  void Sync(const std::map<HWND, QWindow*>& shown, bool restacked);
  bool Empty() const { return shadows_.empty(); }
  // The shadow of a window, null when it has none (for tests).
  QWindow* ShadowOf(HWND topLevel) const;

 private:
  bool AskDesktop() const;
  std::map<HWND, std::unique_ptr<ShadowWindow>> shadows_;
  // Asked from whichever thread reads SPI_GETDROPSHADOW.
  mutable std::atomic<bool> canBlend_{false};
  mutable std::atomic<long long> askedAtMs_{-1};  // -1: never asked
};

}  // namespace win::presenter
