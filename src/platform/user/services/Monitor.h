#pragma once
// Display monitors: which monitor holds a point, a rectangle or a window, and its rectangles.
// The layout comes from MonitorLayout.h. A handle names one monitor of one layout: after the
// layout changes, older handles fail.

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr DWORD MONITOR_DEFAULTTONULL = 0x00000000;
inline constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 0x00000001;
inline constexpr DWORD MONITOR_DEFAULTTONEAREST = 0x00000002;
inline constexpr DWORD MONITORINFOF_PRIMARY = 0x00000001;
inline constexpr int CCHDEVICENAME = 32;

struct MONITORINFO {
  DWORD cbSize = 0;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags = 0;
};
struct MONITORINFOEXW : MONITORINFO {
  WCHAR szDevice[CCHDEVICENAME] = {};
};
struct MONITORINFOEXA : MONITORINFO {
  char szDevice[CCHDEVICENAME] = {};
};

using MONITORENUMPROC = BOOL (*)(HMONITOR, HDC, RECT*, LPARAM);

// A rectangle with no area counts as its top-left point.
HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags);
HMONITOR MonitorFromRect(const RECT* lprc, DWORD dwFlags);
// NULL for a dead window handle whatever the flags (ERROR_INVALID_WINDOW_HANDLE).
HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags);
// lpmi->cbSize must be the size of MONITORINFO or of the EX record; the device names are
// "\\.\DISPLAY1", "\\.\DISPLAY2" ... in layout order.
BOOL GetMonitorInfoW(HMONITOR hMonitor, MONITORINFO* lpmi);
BOOL GetMonitorInfoA(HMONITOR hMonitor, MONITORINFO* lpmi);
// Calls the procedure for every monitor meeting lprcClip (all monitors when null), with the
// monitor rectangle clipped to lprcClip, until it returns FALSE. Enumerating over a device
// context is not supported: a non-null hdc fails with ERROR_INVALID_PARAMETER.
BOOL EnumDisplayMonitors(HDC hdc, const RECT* lprcClip, MONITORENUMPROC lpfnEnum, LPARAM dwData);

// Registers the monitor functions above as optional entry points of "user32.dll", where code
// written for systems without them looks them up.
void RegisterMonitorEntryPoints();

}  // namespace win
