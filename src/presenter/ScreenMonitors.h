#pragma once
// The desktop's screens as our monitors: geometry gives the monitor rectangle, the available
// geometry its work area, the primary screen comes first.

#include <vector>

#include "platform/user/services/MonitorLayout.h"

class QScreen;

namespace win::presenter {

std::vector<MonitorArea> MonitorsFromScreens(const QScreen* primary, const std::vector<const QScreen*>& screens);
// Reads the screens now and hands them to the window system (with the desktop window's size).
void ApplyScreensAsMonitors();

}  // namespace win::presenter
