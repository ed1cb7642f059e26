#pragma once
// Internal: the mouse loop of a scroll bar (window bars and the SCROLLBAR control).

#include "platform/user/windows/WinUserTypes.h"

namespace win::frame {

// After a press at `screenPt` on bar SB_HORZ / SB_VERT of `hwnd` or on the SCROLLBAR control
// `hwnd` (SB_CTL): arrows and page areas send SB_LINE* / SB_PAGE* at once, again after the
// keyboard delay and then at the keyboard repeat rate while the mouse stays on that part; the
// thumb follows the mouse with SB_THUMBTRACK and ends with SB_THUMBPOSITION; every press ends
// with SB_ENDSCROLL. Window bars notify the window itself; a control notifies its parent with
// its own handle in lParam.
void TrackScrollBar(HWND hwnd, int bar, POINT screenPt);

// The first repeat delay and the repeat period in milliseconds, from SPI_GETKEYBOARDDELAY
// ((delay + 1) * 250) and SPI_GETKEYBOARDSPEED (0 .. 31: 400 ms down to 33 ms).
UINT ScrollRepeatDelay();
UINT ScrollRepeatPeriod();

}  // namespace win::frame
