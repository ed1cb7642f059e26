#pragma once
// Desktop input handed to the window system: it is queued as hardware input, so targets,
// double clicks, activation by click and capture are decided by the window system's own rules
// when the messages are retrieved.

#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/WinDef.h"
#include "presenter/KeyMapping.h"

namespace win::presenter {

enum class MouseButton { Left, Right, Middle, X1, X2 };

// Points are in screen coordinates.
void InjectMouseMove(POINT pt);
// A press or release; a move comes first when the pointer is elsewhere.
void InjectMouseButton(POINT pt, MouseButton button, bool down);
// `delta` in WHEEL_DELTA units (120 a notch).
void InjectWheel(POINT pt, int delta, bool horizontal);
// A key going down (again when auto-repeating) or up. `text` is what the key typed: its first
// UTF-16 unit is the key's character, any further units follow as characters of their own.
// With Ctrl held (and not Alt) the character comes from the key itself, as control characters do.
void InjectKey(const PhysicalKey& key, bool down, std::u16string_view text, bool ctrlWithoutAlt);
// Text typed without a key (an input method's result): one character per UTF-16 unit.
void InjectText(std::u16string_view text);

// The window that would take files dropped at `pt`: the window under it or its nearest
// ancestor with WS_EX_ACCEPTFILES; null when none.
HWND FileDropTargetAt(POINT pt);
// Posts WM_DROPFILES with the names to that window; false when there is none or the names are
// unusable.
bool InjectFileDrop(POINT pt, const std::vector<std::u16string>& files);

}  // namespace win::presenter
