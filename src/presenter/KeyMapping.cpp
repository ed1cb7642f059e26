// The evdev key codes of a PC keyboard and the virtual keys and set-1 scan codes they stand for.

#include "presenter/KeyMapping.h"

#include <array>

#include "platform/user/windows/WinUserTypes.h"

namespace win::presenter {
namespace {

constexpr uint32_t kX11KeycodeOffset = 8;
constexpr UINT kVkOem102 = 0xE2;  // the extra key beside left Shift on ISO keyboards

struct Entry {
  UINT vk;
  UINT scan;
  bool extended;
};

// Evdev codes 1..88 are the set-1 scan codes themselves.
constexpr std::array<UINT, 89> kMainBlock = {
    0,           VK_ESCAPE,   '1',         '2',        '3',         '4',          '5',       '6',
    '7',         '8',         '9',         '0',        VK_OEM_MINUS, VK_OEM_PLUS, VK_BACK,   VK_TAB,
    'Q',         'W',         'E',         'R',        'T',         'Y',          'U',       'I',
    'O',         'P',         VK_OEM_4,    VK_OEM_6,   VK_RETURN,   VK_CONTROL,   'A',       'S',
    'D',         'F',         'G',         'H',        'J',         'K',          'L',       VK_OEM_1,
    VK_OEM_7,    VK_OEM_3,    VK_SHIFT,    VK_OEM_5,   'Z',         'X',          'C',       'V',
    'B',         'N',         'M',         VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2, VK_SHIFT,  VK_MULTIPLY,
    VK_MENU,     VK_SPACE,    VK_CAPITAL,  VK_F1,      VK_F2,       VK_F3,        VK_F4,     VK_F5,
    VK_F6,       VK_F7,       VK_F8,       VK_F9,      VK_F10,      VK_NUMLOCK,   VK_SCROLL, VK_HOME,
    VK_UP,       VK_PRIOR,    VK_SUBTRACT, VK_LEFT,    VK_CLEAR,    VK_RIGHT,     VK_ADD,    VK_END,
    VK_DOWN,     VK_NEXT,     VK_INSERT,   VK_DELETE,  0,           0,            kVkOem102, VK_F11,
    VK_F12};

// Keypad keys 71..83 when Num Lock gives digits.
constexpr UINT KeypadDigitVk(uint32_t evdev) {
  switch (evdev) {
    case 71: return VK_NUMPAD0 + 7;
    case 72: return VK_NUMPAD0 + 8;
    case 73: return VK_NUMPAD0 + 9;
    case 75: return VK_NUMPAD0 + 4;
    case 76: return VK_NUMPAD0 + 5;
    case 77: return VK_NUMPAD0 + 6;
    case 79: return VK_NUMPAD0 + 1;
    case 80: return VK_NUMPAD0 + 2;
    case 81: return VK_NUMPAD0 + 3;
    case 82: return VK_NUMPAD0;
    case 83: return VK_DECIMAL;
    default: return 0;
  }
}

// Keys beyond the main block, all but Pause with the E0 prefix.
Entry ExtendedKey(uint32_t evdev) {
  switch (evdev) {
    case 96: return {VK_RETURN, 0x1C, true};     // keypad Enter
    case 97: return {VK_CONTROL, 0x1D, true};    // right Ctrl
    case 98: return {VK_DIVIDE, 0x35, true};     // keypad /
    case 99: return {VK_SNAPSHOT, 0x37, true};   // Print Screen
    case 100: return {VK_MENU, 0x38, true};      // right Alt
    case 102: return {VK_HOME, 0x47, true};
    case 103: return {VK_UP, 0x48, true};
    case 104: return {VK_PRIOR, 0x49, true};
    case 105: return {VK_LEFT, 0x4B, true};
    case 106: return {VK_RIGHT, 0x4D, true};
    case 107: return {VK_END, 0x4F, true};
    case 108: return {VK_DOWN, 0x50, true};
    case 109: return {VK_NEXT, 0x51, true};
    case 110: return {VK_INSERT, 0x52, true};
    case 111: return {VK_DELETE, 0x53, true};
    case 119: return {VK_PAUSE, 0x45, false};
    case 125: return {VK_LWIN, 0x5B, true};
    case 126: return {VK_RWIN, 0x5C, true};
    case 127: return {VK_APPS, 0x5D, true};
    default: return {0, 0, false};
  }
}

constexpr uint32_t kKeysymKeypad0 = 0xFFB0, kKeysymKeypad9 = 0xFFB9, kKeysymKeypadDecimal = 0xFFAE;
constexpr uint32_t kKeysymLevel3Shift = 0xFE03, kKeysymModeSwitch = 0xFF7E;

}  // namespace

PhysicalKey KeyFromNativeScanCode(uint32_t nativeScanCode, uint32_t keysym) {
  if (nativeScanCode < kX11KeycodeOffset) return {};
  uint32_t evdev = nativeScanCode - kX11KeycodeOffset;
  if (evdev < kMainBlock.size()) {
    UINT vk = kMainBlock[evdev];
    if (!vk) return {};
    bool keypadDigit = (keysym >= kKeysymKeypad0 && keysym <= kKeysymKeypad9) || keysym == kKeysymKeypadDecimal;
    if (keypadDigit)
      if (UINT digit = KeypadDigitVk(evdev)) vk = digit;
    // Num Lock carries the E0 flag in Win32's key messages although its set-1 code has none.
    return {vk, evdev, evdev == 69};
  }
  Entry e = ExtendedKey(evdev);
  bool altGr = e.vk == VK_MENU && (keysym == kKeysymLevel3Shift || keysym == kKeysymModeSwitch);
  return {e.vk, e.scan, e.extended, altGr};
}

std::vector<UINT> HeldModifierKeys(Qt::KeyboardModifiers mods) {
  std::vector<UINT> held;
  if (mods & Qt::ShiftModifier) held.push_back(VK_SHIFT);
  if (mods & Qt::ControlModifier) held.push_back(VK_CONTROL);
  if (mods & Qt::AltModifier) held.push_back(VK_MENU);
  return held;
}

bool IsModifierKey(UINT vk) {
  switch (vk) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT:
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
    case VK_MENU: case VK_LMENU: case VK_RMENU:
    case VK_LWIN: case VK_RWIN: case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
      return true;
    default:
      return false;
  }
}

}  // namespace win::presenter
