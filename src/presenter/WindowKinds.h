#pragma once
// Which kind of native window shows a top-level window of ours, from its styles.

#include <Qt>

#include "platform/kernel/WinDef.h"

namespace win::presenter {

// Always frameless: our own frames are drawn on the surface. Popups that float above the
// others (menus, hints, drop shadows: WS_POPUP without a caption, with WS_EX_TOOLWINDOW or
// WS_EX_TOPMOST, or layered) are tool tips, which the window manager neither decorates nor focuses; other tool
// windows are Qt::Tool; other owned windows (dialogs, message boxes) are Qt::Dialog, so that a
// window manager keeps them above their owner, in its layer when that stays on top; topmost
// windows stay on top; WS_EX_NOACTIVATE windows never take focus.
Qt::WindowFlags NativeFlagsFor(DWORD style, DWORD exStyle, bool owned = false);

}  // namespace win::presenter
