#pragma once
// Scroll bars: the bars of a window's non-client area (WS_HSCROLL, WS_VSCROLL) and the SCROLLBAR
// control, with their ranges, page sizes and positions.

#include "platform/user/services/ObjectIds.h"
#include "platform/user/windows/WinUserTypes.h"

namespace win {

inline constexpr int SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3;
// WM_HSCROLL / WM_VSCROLL requests
inline constexpr WORD SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2,
                      SB_PAGELEFT = 2, SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4,
                      SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8;
inline constexpr UINT SIF_RANGE = 0x0001, SIF_PAGE = 0x0002, SIF_POS = 0x0004, SIF_DISABLENOSCROLL = 0x0008,
                      SIF_TRACKPOS = 0x0010, SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
inline constexpr UINT ESB_ENABLE_BOTH = 0x0000, ESB_DISABLE_BOTH = 0x0003, ESB_DISABLE_LEFT = 0x0001,
                      ESB_DISABLE_RIGHT = 0x0002, ESB_DISABLE_UP = 0x0001, ESB_DISABLE_DOWN = 0x0002,
                      ESB_DISABLE_LTUP = 0x0001, ESB_DISABLE_RTDN = 0x0002;
// SCROLLBAR control styles
inline constexpr DWORD SBS_HORZ = 0x0000, SBS_VERT = 0x0001, SBS_TOPALIGN = 0x0002, SBS_LEFTALIGN = 0x0002,
                       SBS_BOTTOMALIGN = 0x0004, SBS_RIGHTALIGN = 0x0004, SBS_SIZEBOXTOPLEFTALIGN = 0x0002,
                       SBS_SIZEBOXBOTTOMRIGHTALIGN = 0x0004, SBS_SIZEBOX = 0x0008, SBS_SIZEGRIP = 0x0010;
// SCROLLBARINFO::rgstate bits: the STATE_SYSTEM_ values of ObjectIds.h
// SCROLLBAR control messages
inline constexpr UINT SBM_SETPOS = 0x00E0, SBM_GETPOS = 0x00E1, SBM_SETRANGE = 0x00E2, SBM_GETRANGE = 0x00E3,
                      SBM_ENABLE_ARROWS = 0x00E4, SBM_SETRANGEREDRAW = 0x00E6, SBM_SETSCROLLINFO = 0x00E9,
                      SBM_GETSCROLLINFO = 0x00EA, SBM_GETSCROLLBARINFO = 0x00EB;
inline constexpr DWORD ERROR_NO_SCROLLBARS = 1447, ERROR_INVALID_SCROLLBAR_RANGE = 1448;

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

struct SCROLLBARINFO {
  DWORD cbSize = sizeof(SCROLLBARINFO);
  RECT rcScrollBar{};  // screen coordinates
  int dxyLineButton = 0;
  int xyThumbTop = 0;     // relative to rcScrollBar
  int xyThumbBottom = 0;
  int reserved = 0;
  DWORD rgstate[6] = {};  // the bar, top arrow, page up, thumb, page down, bottom arrow
};

// The position is kept within min .. max - max(page - 1, 0); a page larger than the range shrinks
// to range + 1. A window bar whose range or page no longer allows scrolling is hidden, or, with
// SIF_DISABLENOSCROLL, disabled; one that allows it again is shown and enabled. Returns the
// position after the call (0 on failure).
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);  // the previous position
int GetScrollPos(HWND hwnd, int bar);
// Fails with ERROR_INVALID_SCROLLBAR_RANGE when max - min exceeds 0x7FFFFFFF.
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
// ESB_ flags; FALSE when the arrows were in that state already.
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
BOOL GetScrollBarInfo(HWND hwnd, LONG idObject, SCROLLBARINFO* info);

// The SCROLLBAR control class ("ScrollBar"; SBS_HORZ or SBS_VERT): the window bars' drawing and
// mouse loop in a child window that notifies its parent, the SBM_ messages, and the arrow, page,
// Home and End keys while it has the focus. Registered once; later calls do nothing.
BOOL RegisterScrollBarClass();

}  // namespace win
