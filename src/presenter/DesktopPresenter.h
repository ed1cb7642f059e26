#pragma once
// The real desktop: every visible top-level window of ours is shown as a native window through
// Qt, the desktop's input becomes ours, and our message loop waits in Qt's event loop. The
// presenter must live on the thread that runs our windows, and be made before anything draws
// text (the drawing layer would otherwise start an offscreen application of its own).

#include <memory>
#include <optional>
#include <vector>

#include "platform/desktop/Screen.h"

class QWindow;

namespace win::presenter {

class DesktopPresenter final : public desktop::Screen {
 public:
  // True when there is a display to show windows on (an X or Wayland display, or a platform
  // chosen for Qt explicitly).
  static bool DisplayAvailable();

  // Starts the desktop's GUI application (kept for the rest of the process) unless one runs,
  // installs itself as the screen, mirrors the clipboard, follows our cursor, and gives the
  // window system the desktop's screens as monitors.
  DesktopPresenter();
  ~DesktopPresenter() override;
  DesktopPresenter(const DesktopPresenter&) = delete;
  DesktopPresenter& operator=(const DesktopPresenter&) = delete;

  // The native window showing a top-level window of ours; null when it is not shown.
  QWindow* NativeWindowOf(HWND topLevel) const;
  // The translucent native window showing its drop shadow; null when it casts none.
  QWindow* ShadowWindowOf(HWND topLevel) const;

  // desktop::Screen
  void WindowShown(HWND topLevel, const RECT& screenRect) override;
  void WindowMoved(HWND topLevel, const RECT& screenRect) override;
  void WindowHidden(HWND topLevel) override;
  void WindowDestroyed(HWND topLevel) override;
  void ZOrderChanged(const std::vector<HWND>& topFirst) override;
  void WindowRepainted(HWND topLevel, const RECT& dirty) override;
  void CaptureChanged(HWND hwnd) override;
  void PrepareDesktopDrawing() override;
  void DesktopDrawn() override;
  bool WaitForWork(std::optional<ULONGLONG> deadlineMs) override;
  void Wake() override;
  bool CanBlend() const override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace win::presenter
