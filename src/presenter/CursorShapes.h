#pragma once
// Our cursors as the desktop's: system shapes by their IDC_ number, the program's own cursors
// from their images, and a blank cursor while the pointer is hidden.

#include <QCursor>

#include "platform/kernel/WinDef.h"

namespace win::presenter {

QCursor NativeCursorFor(HCURSOR cursor, bool visible);

}  // namespace win::presenter
