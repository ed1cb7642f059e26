#include "platform/user/services/SysMetrics.h"

#include <map>
#include <mutex>

#include "platform/user/services/MonitorLayout.h"

namespace win {
namespace {

struct Overrides {
  std::mutex mutex;
  std::map<int, int> values;
};

Overrides& TheOverrides() {
  static Overrides o;
  return o;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// Fixed sizes of the classic look. The caption metric counts the one-pixel line under the
// caption bar (18 + 1); the button sizes are the caption bar's own heights.
int FixedMetric(int index) {
  switch (index) {
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 16;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYMENU: return 19;
    case SM_CXSIZE: case SM_CYSIZE: return 18;
    case SM_CXMENUSIZE: case SM_CYMENUSIZE: return 18;
    case SM_CYSMCAPTION: return 16;
    case SM_CXSMSIZE: return 12;
    case SM_CYSMSIZE: return 15;
    case SM_CXMIN: case SM_CXMINTRACK: return 112;
    case SM_CYMIN: case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return 75;
    case SM_CXMINSPACING: case SM_CXMINIMIZED: return 160;
    case SM_CYMINSPACING: case SM_CYMINIMIZED: return 24;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
    case SM_CXFOCUSBORDER: case SM_CYFOCUSBORDER: return 1;
    case SM_ARRANGE: return 8;  // ARW_HIDE: minimised windows are not arranged
    case SM_CMOUSEBUTTONS: return 3;
    case SM_MOUSEPRESENT: case SM_MOUSEWHEELPRESENT: case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_NETWORK: return 1;
    default: return 0;  // SM_SWAPBUTTON, SM_DEBUG, SM_MENUDROPALIGNMENT ... and unknown indexes
  }
}

bool IsScreenMetric(int index) {
  switch (index) {
    case SM_CXSCREEN: case SM_CYSCREEN: case SM_CXFULLSCREEN: case SM_CYFULLSCREEN:
    case SM_CXMAXTRACK: case SM_CYMAXTRACK: case SM_CXMAXIMIZED: case SM_CYMAXIMIZED:
    case SM_XVIRTUALSCREEN: case SM_YVIRTUALSCREEN: case SM_CXVIRTUALSCREEN: case SM_CYVIRTUALSCREEN:
    case SM_CMONITORS:
      return true;
    default:
      return false;
  }
}

// Screen geometry from the monitor layout: SM_CXSCREEN is the primary monitor, the virtual
// screen the bounds of all monitors. A maximised window covers the primary work area with its
// sizing frame outside it.
int ScreenMetric(int index) {
  MonitorArea primary = PrimaryMonitorArea();
  RECT virt = VirtualScreenRect();
  int frameX = GetSystemMetrics(SM_CXFRAME), frameY = GetSystemMetrics(SM_CYFRAME);
  switch (index) {
    case SM_CXSCREEN: return Width(primary.monitor);
    case SM_CYSCREEN: return Height(primary.monitor);
    case SM_CXFULLSCREEN: return Width(primary.work);
    case SM_CYFULLSCREEN: return Height(primary.work) - GetSystemMetrics(SM_CYCAPTION);
    case SM_CXMAXIMIZED: return Width(primary.work) + 2 * frameX;
    case SM_CYMAXIMIZED: return Height(primary.work) + 2 * frameY;
    case SM_CXMAXTRACK: return Width(virt) + 2 * frameX;
    case SM_CYMAXTRACK: return Height(virt) + 2 * frameY;
    case SM_XVIRTUALSCREEN: return virt.left;
    case SM_YVIRTUALSCREEN: return virt.top;
    case SM_CXVIRTUALSCREEN: return Width(virt);
    case SM_CYVIRTUALSCREEN: return Height(virt);
    case SM_CMONITORS: return int(MonitorLayout().size());
    default: return 0;
  }
}

}  // namespace

int GetSystemMetrics(int nIndex) {
  {
    auto& o = TheOverrides();
    std::lock_guard lock(o.mutex);
    auto it = o.values.find(nIndex);
    if (it != o.values.end()) return it->second;
  }
  return IsScreenMetric(nIndex) ? ScreenMetric(nIndex) : FixedMetric(nIndex);
}

void OverrideSystemMetric(int nIndex, int value) {
  auto& o = TheOverrides();
  std::lock_guard lock(o.mutex);
  o.values[nIndex] = value;
}

void ResetSystemMetrics() {
  auto& o = TheOverrides();
  std::lock_guard lock(o.mutex);
  o.values.clear();
}

}  // namespace win
