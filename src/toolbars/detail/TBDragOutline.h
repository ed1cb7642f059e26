#pragma once
// The frame a drag or a sizing by outline draws on the screen instead of moving or sizing the
// window: the desktop stays locked against updates while the frame is up, and each new place
// redraws only where it differs from the last (a halftone frame drawn inverted, so drawing it
// again takes it away). Each drawing takes a DC of the screen and gives it back at once, so that
// a screen that shows such drawing only when the DC is released keeps up with every step.

#include "toolbars/TBCommon.h"

namespace toolbars::detail {

class TDragOutline {
 public:
  // Locks the desktop against updates; nothing is drawn yet.
  TDragOutline();
  // Erases the frame and unlocks the desktop, also on the way out of an error.
  ~TDragOutline();
  TDragOutline(const TDragOutline&) = delete;
  TDragOutline& operator=(const TDragOutline&) = delete;

  // Moves the frame to Rect (screen coordinates), Width thick on each side.
  void Show(const TRect& Rect, win::SIZE Width);
  void Erase();

 private:
  // Inverts the old frame and the new one (Rect nil: none) where they differ; false when the
  // screen gave no DC.
  bool Draw(const TRect* Rect, win::SIZE Width);
  TRect FRect{};
  win::SIZE FWidth{};
  bool FShown = false;
};

}  // namespace toolbars::detail
