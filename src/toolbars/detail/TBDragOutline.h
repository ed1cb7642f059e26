#pragma once
// The frame a sizing by outline draws on the screen instead of changing the window: the desktop
// stays locked against updates while the frame is up, and each new place redraws only where it
// differs from the last (a halftone frame drawn inverted, so drawing it again takes it away).

#include "toolbars/TBCommon.h"

namespace toolbars::detail {

class TDragOutline {
 public:
  // Locks the desktop and takes a DC of the whole screen; nothing is drawn yet.
  TDragOutline();
  // Erases the frame, gives the DC back and unlocks the desktop, also on the way out of an error.
  ~TDragOutline();
  TDragOutline(const TDragOutline&) = delete;
  TDragOutline& operator=(const TDragOutline&) = delete;

  // Moves the frame to Rect (screen coordinates), Width thick on each side.
  void Show(const TRect& Rect, win::SIZE Width);
  void Erase();
  bool Shown() const { return FShown; }
  // Where the frame is, or was last.
  const TRect& Rect() const { return FRect; }

 private:
  win::HDC FDC = nullptr;
  TRect FRect{};
  win::SIZE FWidth{};
  bool FShown = false;
};

}  // namespace toolbars::detail
