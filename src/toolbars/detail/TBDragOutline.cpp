#include "toolbars/detail/TBDragOutline.h"

#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace toolbars::detail {

TDragOutline::TDragOutline() {
  win::LockWindowUpdate(win::GetDesktopWindow());
}

TDragOutline::~TDragOutline() {
  Erase();
  win::LockWindowUpdate(nullptr);
}

void TDragOutline::Show(const TRect& Rect, win::SIZE Width) {
  if (FShown && Rect == FRect && Width == FWidth) return;
  if (!Draw(&Rect, Width)) return;
  FRect = Rect;
  FWidth = Width;
  FShown = true;
}

void TDragOutline::Erase() {
  if (FShown && Draw(nullptr, win::SIZE{0, 0})) FShown = false;
}

bool TDragOutline::Draw(const TRect* Rect, win::SIZE Width) {
  // A DC for each drawing: the screen shows what was drawn on it once the DC is given back.
  win::HWND desktop = win::GetDesktopWindow();
  win::HDC dc = win::GetDCEx(desktop, nullptr, win::DCX_WINDOW | win::DCX_CACHE | win::DCX_LOCKWINDOWUPDATE);
  if (!dc) return false;
  DrawHalftoneInvertRect(dc, Rect, FShown ? &FRect : nullptr, Width, FWidth);
  win::ReleaseDC(desktop, dc);
  return true;
}

}  // namespace toolbars::detail
