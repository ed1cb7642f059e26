#pragma once
// Physical keys of the desktop as our virtual keys. The key is found from the position on the
// keyboard (the native scan code), not from the symbol the active layout gives it, so that
// Ctrl+C is VK 'C' on a Russian layout just as on an English one.

#include <Qt>
#include <cstdint>
#include <vector>

#include "platform/desktop/DesktopInput.h"

namespace win::presenter {

using desktop::PhysicalKey;

// `nativeScanCode` is the X11 keycode (the evdev code plus 8); `keysym` tells keypad digits from
// keypad navigation keys (the same physical key under Num Lock).
PhysicalKey KeyFromNativeScanCode(uint32_t nativeScanCode, uint32_t keysym);

// The virtual keys of the modifiers the desktop says are held (Shift, Ctrl, Alt).
std::vector<UINT> HeldModifierKeys(Qt::KeyboardModifiers mods);

// Shift, Ctrl, Alt, the Windows keys or a lock key: a key whose own event does not yet carry
// the modifier state it makes.
bool IsModifierKey(UINT vk);

}  // namespace win::presenter
