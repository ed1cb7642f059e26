#pragma once
// The one way desktop input reaches the window system, for every desktop (the headless one and
// the real one alike). Input is queued as hardware input, so targets, double clicks, activation
// by click and capture are decided by the window system's own rules when the messages are
// retrieved. Points are in screen coordinates.

#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win::desktop {

enum class MouseButton { Left, Right, Middle, X1, X2 };

// A key by its place on the keyboard.
struct PhysicalKey {
  UINT vk = 0;            // 0: a key we do not know
  UINT scan = 0;          // PC set-1 scan code
  bool extended = false;  // the E0-prefixed keys (right Ctrl/Alt, arrows above the keypad ...)
  // The right Alt key of layouts that type a third level with it (AltGr). Such a key comes as
  // left Ctrl plus right Alt, so that what it types stays characters, not menu keys.
  bool altGr = false;
};
// The key with this virtual key code and its standard scan code.
PhysicalKey KeyOfVirtualKey(UINT vk);

void InjectMouseMove(POINT pt);
// A press or release; a move comes first when the pointer is elsewhere.
void InjectMouseButton(POINT pt, MouseButton button, bool down);
// `delta` in WHEEL_DELTA units (120 a notch); a move comes first when the pointer is elsewhere.
void InjectWheel(POINT pt, int delta, bool horizontal);
// A key going down (again when auto-repeating) or up. `text` is what the key typed: its first
// UTF-16 unit is the key's character, any further units follow as characters of their own.
// With Ctrl held (and not Alt) the character comes from the key itself, as control characters do.
// `dead`: the key is a dead key (its character combines with the next one).
void InjectKey(const PhysicalKey& key, bool down, std::u16string_view text, bool ctrlWithoutAlt = false,
               bool dead = false);
// Text typed without a key (an input method's result): one character per UTF-16 unit.
void InjectText(std::u16string_view text);

// Our windows gained or lost the keyboard of the desktop. Keys pressed or released meanwhile
// went elsewhere, so the key state is taken again from what the desktop says is held now
// (virtual keys of the modifiers still down); every other key counts as up.
void InjectKeyboardResync(const std::vector<UINT>& heldKeys);
// A key other than a modifier is about to be injected, and the desktop says these modifiers
// (Shift, Ctrl, Alt) are held with it. When ours differ, a press or release went to another
// client while our window kept the focus (a window manager's key grab: its Alt+F4 takes Alt's
// release), and the key state is taken again as InjectKeyboardResync does; Alt+Return would
// otherwise stay a system key. Not while right Alt is down: AltGr holds Ctrl and Alt for us
// that the desktop reports as neither.
void InjectHeldModifiers(const std::vector<UINT>& heldKeys);
// The application as a whole gained or lost the desktop's foreground.
void InjectApplicationActive(bool active);

// The window that would take files dropped at `pt`: the window under it or its nearest
// ancestor with WS_EX_ACCEPTFILES; null when none.
HWND FileDropTargetAt(POINT pt);
// Posts WM_DROPFILES with the names to that window; false when there is none or the names are
// unusable.
bool InjectFileDrop(POINT pt, const std::vector<std::u16string>& files);

}  // namespace win::desktop
