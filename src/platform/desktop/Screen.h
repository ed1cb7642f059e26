#pragma once
// The window system's view of a screen: what a presenter (the real desktop, or the headless one
// tests use) is told about top-level windows, and how the message loop waits through it.
// Monitor geometry is kept by the window-system services' virtual-screen configuration, which
// the presenter fills in.

#include <optional>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win::desktop {

class Screen {
 public:
  virtual ~Screen() = default;

  // Top-level windows, on the thread that owns them. Rectangles are in screen coordinates.
  virtual void WindowShown(HWND topLevel, const RECT& screenRect) {}
  virtual void WindowMoved(HWND topLevel, const RECT& screenRect) {}
  virtual void WindowHidden(HWND topLevel) {}
  virtual void WindowDestroyed(HWND topLevel) {}
  // Visible top-level windows, topmost first.
  virtual void ZOrderChanged(const std::vector<HWND>& topFirst) {}
  // Part of a top-level window's surface changed (window coordinates of that window).
  virtual void WindowRepainted(HWND topLevel, const RECT& dirty) {}
  // The window holding the mouse capture (null when none), so the presenter can grab the pointer.
  virtual void CaptureChanged(HWND hwnd) {}

  // The message loop found nothing to do. The screen may deliver input or run its own event
  // loop until `deadlineMs` (kernel clock), and returns true when it did something or waited;
  // false lets the queue block on its own until work arrives or the deadline passes.
  virtual bool WaitForWork(std::optional<ULONGLONG> deadlineMs) { return false; }
  // GetDC(NULL) is about to draw on the desktop surface: bring what it shows up to date first.
  virtual void PrepareDesktopDrawing() {}
  // A DC of the desktop surface was released: what was drawn on it should show over every window.
  virtual void DesktopDrawn() {}
  // Another thread added work to a queue (any thread may call this).
  virtual void Wake() {}
  // Whether the screen can blend a translucent window over what lies below it (a compositing
  // desktop): drop shadows are drawn, and reported on, only then.
  virtual bool CanBlend() const { return true; }
};

// The current screen; null means none (windows still work, nothing is presented).
void SetScreen(Screen* screen);
Screen* GetScreen();
// The current screen's CanBlend; true with no screen (windows are composed by our own rules).
bool ScreenCanBlend();

}  // namespace win::desktop
