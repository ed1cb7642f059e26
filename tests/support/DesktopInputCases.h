#pragma once
// One table of desktop input for both desktops: what the real X server is asked to do (xdotool
// arguments, the pointer already over the window) and what the headless desktop is told, with
// a message both must deliver to the window under the pointer (among others).

#include <functional>

#include "platform/desktop/HeadlessDesktop.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/WinUserTypes.h"

namespace kvtest {

struct DesktopInputCase {
  const char* name;
  const char* xdotool;
  std::function<void(win::desktop::HeadlessDesktop&, win::POINT)> headless;
  win::UINT message;
  win::WPARAM wParam;  // compared under `mask`
  win::WPARAM mask;
};

inline const DesktopInputCase kDesktopInputCases[] = {
    {"X1 button", "click 8", [](auto& d, win::POINT p) { d.click(p, 3); }, win::WM_XBUTTONUP,
     win::MAKEWPARAM(0, 1), 0xFFFF0000u},
    {"X2 button", "click 9", [](auto& d, win::POINT p) { d.click(p, 4); }, win::WM_XBUTTONUP,
     win::MAKEWPARAM(0, 2), 0xFFFF0000u},
    {"wheel to the right", "click 7", [](auto& d, win::POINT p) { d.wheel(p, win::WHEEL_DELTA, true); },
     win::WM_MOUSEHWHEEL, win::MAKEWPARAM(0, win::WHEEL_DELTA), 0xFFFF0000u},
    {"wheel down", "click 5", [](auto& d, win::POINT p) { d.wheel(p, -win::WHEEL_DELTA); }, win::WM_MOUSEWHEEL,
     win::MAKEWPARAM(0, win::WORD(-win::WHEEL_DELTA)), 0xFFFF0000u},
    {"a typed letter", "key a", [](auto& d, win::POINT) { d.press_key('A', u'a'); }, win::WM_CHAR, u'a', 0xFFFFu},
    {"Ctrl+Z", "key ctrl+z", [](auto& d, win::POINT) {
       d.key_down(win::VK_CONTROL);
       d.press_key('Z');
       d.key_up(win::VK_CONTROL);
     }, win::WM_KEYDOWN, 'Z', 0xFFFFu},
};

}  // namespace kvtest
