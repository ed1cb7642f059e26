#pragma once
// Passes the window system's accessibility events (NotifyWinEvent) to the desktop's assistive
// technology through Qt's accessibility: each event becomes the matching Qt event on the native
// window that shows the event's top-level window. Each native window answers for itself as one
// accessible object (its text, role — popup menu, dialog or window — screen rectangle and state).
// A window that draws its own items and describes them (AccessibleParts.h) lists them as its
// children, and an event about one of them (idChild) names that child; any other event about an
// item is told as an event of its window.
// Events of windows not shown, of other threads and without a Qt counterpart are dropped.

#include <functional>

#include "platform/user/services/WinEvents.h"

class QAccessibleEvent;
class QWindow;

namespace win::presenter {

class AccessibilityBridge {
 public:
  // Where the Qt events go: Qt's accessibility (which tells the desktop only while an assistive
  // technology listens), or a test's recorder.
  using Deliver = std::function<void(QAccessibleEvent* event)>;

  explicit AccessibilityBridge(std::function<QWindow*(HWND topLevel)> nativeWindowOf, Deliver deliver = {});
  ~AccessibilityBridge();
  AccessibilityBridge(const AccessibilityBridge&) = delete;
  AccessibilityBridge& operator=(const AccessibilityBridge&) = delete;

 private:
  static void Heard(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD thread,
                    DWORD time);
  void Pass(DWORD event, HWND hwnd, LONG idChild) const;

  std::function<QWindow*(HWND)> nativeWindowOf_;
  Deliver deliver_;
  HWINEVENTHOOK hook_ = nullptr;
  AccessibilityBridge* previous_ = nullptr;
};

}  // namespace win::presenter
