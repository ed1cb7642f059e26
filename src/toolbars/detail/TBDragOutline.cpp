#include "toolbars/detail/TBDragOutline.h"

#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace toolbars::detail {

TDragOutline::TDragOutline() {
  win::LockWindowUpdate(win::GetDesktopWindow());
  FDC = win::GetDCEx(win::GetDesktopWindow(), nullptr,
                     win::DCX_WINDOW | win::DCX_CACHE | win::DCX_LOCKWINDOWUPDATE);
}

TDragOutline::~TDragOutline() {
  Erase();
  if (FDC) win::ReleaseDC(win::GetDesktopWindow(), FDC);
  win::LockWindowUpdate(nullptr);
}

void TDragOutline::Show(const TRect& Rect, win::SIZE Width) {
  if (FShown && Rect == FRect && Width == FWidth) return;
  if (FDC) DrawHalftoneInvertRect(FDC, &Rect, FShown ? &FRect : nullptr, Width, FWidth);
  FRect = Rect;
  FWidth = Width;
  FShown = true;
}

void TDragOutline::Erase() {
  if (!FShown) return;
  if (FDC) DrawHalftoneInvertRect(FDC, nullptr, &FRect, win::SIZE{0, 0}, FWidth);
  FShown = false;
}

}  // namespace toolbars::detail
