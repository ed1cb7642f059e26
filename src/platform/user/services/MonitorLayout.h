#pragma once
// The screen the window system runs on: a list of monitors with their work areas, primary first.
// The headless desktop and the presenter set it; the monitor functions, the screen metrics and
// SPI_GETWORKAREA read it. The default is one 1920x1080 monitor whose work area leaves out a
// 40-pixel task bar along the bottom.

#include <cstddef>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win {

struct MonitorArea {
  RECT monitor;  // in virtual-screen coordinates
  RECT work;     // inside `monitor`
  friend constexpr bool operator==(const MonitorArea&, const MonitorArea&) = default;
};

// The colour depth WM_DISPLAYCHANGE reports: the screen's surfaces are 32-bit.
inline constexpr int kScreenBitsPerPixel = 32;

// Replaces the layout; screen device contexts then report the primary monitor's size. Refused
// (false, layout unchanged) when the list is empty, a monitor rectangle is empty, or a work area
// is empty or not inside its monitor. Monitor handles given out earlier stay valid when the new
// layout equals the old one and fail otherwise. When a monitor's rectangle changed (or monitors
// came or went), WM_DISPLAYCHANGE goes to every top-level window, hidden ones included (WPARAM
// kScreenBitsPerPixel, LPARAM the primary monitor's width and height).
bool SetMonitorLayout(const std::vector<MonitorArea>& monitors);
std::vector<MonitorArea> MonitorLayout();
// Back to the default single monitor.
void ResetMonitorLayout();
// Changes the work area of the monitor at `index` (SPI_SETWORKAREA); false when out of range or
// not inside the monitor. Handles stay valid.
bool SetMonitorWorkArea(std::size_t index, const RECT& work);

// Bounding rectangle of all monitors.
RECT VirtualScreenRect();
MonitorArea PrimaryMonitorArea();

// The layout with the counter that changes whenever monitor handles are invalidated (the counter
// is part of every handle value), read together.
struct MonitorLayoutSnapshot {
  std::vector<MonitorArea> monitors;
  uint32_t generation = 0;
};
MonitorLayoutSnapshot CurrentMonitorLayout();

}  // namespace win
