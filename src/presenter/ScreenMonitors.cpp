#include "presenter/ScreenMonitors.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/desktop/DesktopView.h"

namespace win::presenter {
namespace {

RECT ToRect(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

MonitorArea AreaOf(const QScreen& s) {
  QRect geometry = s.geometry();
  // A work area outside its screen (a panel reserved on another one) is not a work area.
  QRect available = s.availableGeometry().intersected(geometry);
  if (available.isEmpty()) available = geometry;
  return MonitorArea{ToRect(geometry), ToRect(available)};
}

}  // namespace

std::vector<MonitorArea> MonitorsFromScreens(const QScreen* primary, const std::vector<const QScreen*>& screens) {
  std::vector<MonitorArea> out;
  if (primary && !primary->geometry().isEmpty()) out.push_back(AreaOf(*primary));
  for (const QScreen* s : screens)
    if (s && s != primary && !s->geometry().isEmpty()) out.push_back(AreaOf(*s));
  return out;
}

void ApplyScreensAsMonitors() {
  std::vector<const QScreen*> screens;
  for (const QScreen* s : QGuiApplication::screens()) screens.push_back(s);
  std::vector<MonitorArea> monitors = MonitorsFromScreens(QGuiApplication::primaryScreen(), screens);
  if (monitors.empty() || !SetMonitorLayout(monitors)) return;
  desktop::SetDesktopRect(VirtualScreenRect());
}

}  // namespace win::presenter
