// Every key of the keypad's digit block: with Num Lock on (the layout gives a keypad digit) it is
// that digit, with Num Lock off (a navigation symbol) the navigation key; its scan code is its
// position either way. The operator keys beside the block never turn into digits.

#include <gtest/gtest.h>

#include "platform/user/windows/WinUserTypes.h"
#include "presenter/KeyMapping.h"

namespace {

using namespace win;
using win::presenter::KeyFromNativeScanCode;

constexpr uint32_t kX11Offset = 8;

struct KeypadKey {
  uint32_t evdev;
  uint32_t digitKeysym;
  UINT digitVk;
  uint32_t navigationKeysym;
  UINT navigationVk;
};

constexpr KeypadKey kKeypad[] = {
    {71, 0xFFB7, VK_NUMPAD0 + 7, 0xFF95, VK_HOME},  {72, 0xFFB8, VK_NUMPAD0 + 8, 0xFF97, VK_UP},
    {73, 0xFFB9, VK_NUMPAD0 + 9, 0xFF9A, VK_PRIOR}, {75, 0xFFB4, VK_NUMPAD0 + 4, 0xFF96, VK_LEFT},
    {76, 0xFFB5, VK_NUMPAD0 + 5, 0xFF9D, VK_CLEAR}, {77, 0xFFB6, VK_NUMPAD0 + 6, 0xFF98, VK_RIGHT},
    {79, 0xFFB1, VK_NUMPAD0 + 1, 0xFF9C, VK_END},   {80, 0xFFB2, VK_NUMPAD0 + 2, 0xFF99, VK_DOWN},
    {81, 0xFFB3, VK_NUMPAD0 + 3, 0xFF9B, VK_NEXT},  {82, 0xFFB0, VK_NUMPAD0, 0xFF9E, VK_INSERT},
    {83, 0xFFAE, VK_DECIMAL, 0xFF9F, VK_DELETE},
};

TEST(KeypadKeys, EachKeyIsItsDigitUnderNumLockAndItsNavigationKeyWithout) {
  for (const KeypadKey& k : kKeypad) {
    const auto digit = KeyFromNativeScanCode(k.evdev + kX11Offset, k.digitKeysym);
    const auto navigation = KeyFromNativeScanCode(k.evdev + kX11Offset, k.navigationKeysym);
    EXPECT_EQ(digit.vk, k.digitVk) << k.evdev;
    EXPECT_EQ(navigation.vk, k.navigationVk) << k.evdev;
    EXPECT_EQ(digit.scan, k.evdev) << k.evdev;
    EXPECT_EQ(navigation.scan, k.evdev) << k.evdev;
    EXPECT_FALSE(digit.extended) << k.evdev;
    EXPECT_FALSE(navigation.extended) << k.evdev;
  }
}

TEST(KeypadKeys, OperatorKeysStayOperatorsWhateverSymbolComesWithThem) {
  struct Operator {
    uint32_t evdev;
    UINT vk;
  } operators[] = {{55, VK_MULTIPLY}, {74, VK_SUBTRACT}, {78, VK_ADD}};
  for (const Operator& o : operators)
    for (uint32_t keysym : {0u, 0xFFB0u, 0xFFB6u, 0xFFB9u, 0xFFAEu})
      EXPECT_EQ(KeyFromNativeScanCode(o.evdev + kX11Offset, keysym).vk, o.vk) << o.evdev << " " << keysym;
}

}  // namespace
