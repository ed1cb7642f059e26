#include "presenter/WindowKinds.h"

#include "platform/user/windows/WinUserTypes.h"

namespace win::presenter {

Qt::WindowFlags NativeFlagsFor(DWORD style, DWORD exStyle, bool owned) {
  // A popup with a caption is a window the user works in (a dialog, a modeless analysis window),
  // which the window manager is to focus and stack, whatever floats it.
  bool popup = (style & WS_POPUP) != 0 && (style & WS_CAPTION) != WS_CAPTION;
  bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
  bool topmost = (exStyle & WS_EX_TOPMOST) != 0;
  bool layered = (exStyle & WS_EX_LAYERED) != 0;
  Qt::WindowFlags flags = Qt::FramelessWindowHint;
  if (popup && (tool || topmost || layered))
    flags |= Qt::ToolTip;
  else if (tool)
    flags |= Qt::Tool;
  else if (owned)
    flags |= Qt::Dialog;
  else
    flags |= Qt::Window;
  if (topmost) flags |= Qt::WindowStaysOnTopHint;
  if (exStyle & WS_EX_NOACTIVATE) flags |= Qt::WindowDoesNotAcceptFocus;
  return flags;
}

}  // namespace win::presenter
