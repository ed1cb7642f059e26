#include "platform/user/services/Monitor.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/kernel/LastError.h"
#include "platform/kernel/Modules.h"
#include "platform/kernel/Rects.h"
#include "platform/user/services/MonitorLayout.h"
#include "platform/user/services/SysWindowLink.h"

namespace win {
namespace {

// Handle value: layout generation in the high bits, 1-based monitor index in the low 16 bits.
HMONITOR MakeHandle(uint32_t generation, size_t index) {
  return reinterpret_cast<HMONITOR>((uintptr_t(generation) << 16) | uintptr_t(index + 1));
}

// The monitor a handle names in the current layout, or nothing.
bool Decode(HMONITOR h, MonitorArea* out, size_t* indexOut) {
  auto value = reinterpret_cast<uintptr_t>(h);
  auto snap = CurrentMonitorLayout();
  size_t index = value & 0xFFFF;
  if (index == 0 || (value >> 16) != snap.generation || index > snap.monitors.size()) return false;
  *out = snap.monitors[index - 1];
  *indexOut = index - 1;
  return true;
}

// Squared distance between two rectangles' pixel sets (0 when they overlap).
int64_t GapSquared(const RECT& a, const RECT& b) {
  int64_t dx = std::max<int64_t>({0, int64_t(b.left) - (a.right - 1), int64_t(a.left) - (b.right - 1)});
  int64_t dy = std::max<int64_t>({0, int64_t(b.top) - (a.bottom - 1), int64_t(a.top) - (b.bottom - 1)});
  return dx * dx + dy * dy;
}

int64_t OverlapArea(const RECT& a, const RECT& b) {
  int64_t w = int64_t(std::min(a.right, b.right)) - std::max(a.left, b.left);
  int64_t h = int64_t(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
  return (w > 0 && h > 0) ? w * h : 0;
}

// The monitor with the largest overlap with `r` (the first on ties); none overlapping falls back
// as the flags say. `r` always has area here.
HMONITOR FromArea(const RECT& r, DWORD flags) {
  auto snap = CurrentMonitorLayout();
  const auto& mons = snap.monitors;
  size_t best = mons.size();
  int64_t bestArea = 0;
  for (size_t i = 0; i < mons.size(); ++i) {
    int64_t a = OverlapArea(r, mons[i].monitor);
    if (a > bestArea) {
      bestArea = a;
      best = i;
    }
  }
  if (best == mons.size()) {
    if (flags & MONITOR_DEFAULTTONEAREST) {
      int64_t bestGap = INT64_MAX;
      for (size_t i = 0; i < mons.size(); ++i) {
        int64_t g = GapSquared(r, mons[i].monitor);
        if (g < bestGap) {
          bestGap = g;
          best = i;
        }
      }
    } else if (flags & MONITOR_DEFAULTTOPRIMARY) {
      best = 0;
    } else {
      return nullptr;
    }
  }
  return MakeHandle(snap.generation, best);
}

template <class Char>
void FillDeviceName(Char* dst, size_t index) {
  std::string name = "\\\\.\\DISPLAY" + std::to_string(index + 1);
  size_t n = std::min(name.size(), size_t(CCHDEVICENAME - 1));
  for (size_t i = 0; i < n; ++i) dst[i] = Char(name[i]);
  dst[n] = Char(0);
}

template <class InfoEx>
BOOL FillInfo(HMONITOR h, MONITORINFO* lpmi) {
  if (!lpmi || (lpmi->cbSize != sizeof(MONITORINFO) && lpmi->cbSize != sizeof(InfoEx))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  MonitorArea area;
  size_t index = 0;
  if (!Decode(h, &area, &index)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  lpmi->rcMonitor = area.monitor;
  lpmi->rcWork = area.work;
  lpmi->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
  if (lpmi->cbSize == sizeof(InfoEx)) FillDeviceName(static_cast<InfoEx*>(lpmi)->szDevice, index);
  return TRUE;
}

}  // namespace

HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags) {
  return FromArea(RECT{pt.x, pt.y, pt.x + 1, pt.y + 1}, dwFlags);
}

HMONITOR MonitorFromRect(const RECT* lprc, DWORD dwFlags) {
  if (!lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (IsRectEmpty(lprc)) return MonitorFromPoint(POINT{lprc->left, lprc->top}, dwFlags);
  return FromArea(*lprc, dwFlags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags) {
  RECT rc;
  if (!LinkWindowRect(hwnd, &rc)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return MonitorFromRect(&rc, dwFlags);
}

BOOL GetMonitorInfoW(HMONITOR hMonitor, MONITORINFO* lpmi) { return FillInfo<MONITORINFOEXW>(hMonitor, lpmi); }

BOOL GetMonitorInfoA(HMONITOR hMonitor, MONITORINFO* lpmi) { return FillInfo<MONITORINFOEXA>(hMonitor, lpmi); }

BOOL EnumDisplayMonitors(HDC hdc, const RECT* lprcClip, MONITORENUMPROC lpfnEnum, LPARAM dwData) {
  if (hdc || !lpfnEnum) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto snap = CurrentMonitorLayout();
  for (size_t i = 0; i < snap.monitors.size(); ++i) {
    RECT r = snap.monitors[i].monitor;
    if (lprcClip && !IntersectRect(&r, &r, lprcClip)) continue;
    if (!lpfnEnum(MakeHandle(snap.generation, i), nullptr, &r, dwData)) break;
  }
  return TRUE;
}

void RegisterMonitorEntryPoints() {
  modules::RegisterFunction(u"user32.dll", "MonitorFromPoint", &MonitorFromPoint);
  modules::RegisterFunction(u"user32.dll", "MonitorFromRect", &MonitorFromRect);
  modules::RegisterFunction(u"user32.dll", "MonitorFromWindow", &MonitorFromWindow);
  modules::RegisterFunction(u"user32.dll", "GetMonitorInfoA", &GetMonitorInfoA);
  modules::RegisterFunction(u"user32.dll", "GetMonitorInfoW", &GetMonitorInfoW);
  modules::RegisterFunction(u"user32.dll", "EnumDisplayMonitors", &EnumDisplayMonitors);
}

}  // namespace win
