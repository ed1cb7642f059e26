#pragma once
// Physical keys of the desktop as our virtual keys. The key is found from the position on the
// keyboard (the native scan code), not from the symbol the active layout gives it, so that
// Ctrl+C is VK 'C' on a Russian layout just as on an English one.

#include <cstdint>

#include "platform/kernel/WinDef.h"

namespace win::presenter {

struct PhysicalKey {
  UINT vk = 0;          // 0: a key we do not know
  UINT scan = 0;        // PC set-1 scan code
  bool extended = false;  // the E0-prefixed keys (right Ctrl/Alt, arrows above the keypad ...)
  // The right Alt key of layouts that type a third level with it (AltGr). Such a key comes as
  // left Ctrl plus right Alt, so that what it types stays characters, not menu keys.
  bool altGr = false;
};

// `nativeScanCode` is the X11 keycode (the evdev code plus 8); `keysym` tells keypad digits from
// keypad navigation keys (the same physical key under Num Lock).
PhysicalKey KeyFromNativeScanCode(uint32_t nativeScanCode, uint32_t keysym);

}  // namespace win::presenter
