// Physical keys as virtual keys, and window styles as native window kinds.

#include <gtest/gtest.h>

#include "platform/user/windows/WinUserTypes.h"
#include "presenter/KeyMapping.h"
#include "presenter/WindowKinds.h"

namespace {

using namespace win;
using win::presenter::KeyFromNativeScanCode;
using win::presenter::NativeFlagsFor;

constexpr uint32_t X(uint32_t evdev) { return evdev + 8; }  // X11 keycodes are evdev codes plus 8

TEST(KeyMapping, LettersAndDigitsComeFromTheirPositionWhateverTheLayoutTypes) {
  // The keysym is what the layout gives: Cyrillic letters on the A and C keys.
  auto a = KeyFromNativeScanCode(X(30), 0x6C6 /* Cyrillic_ef */);
  EXPECT_EQ(a.vk, UINT('A'));
  EXPECT_EQ(a.scan, 0x1Eu);
  EXPECT_FALSE(a.extended);
  EXPECT_EQ(KeyFromNativeScanCode(X(46), 0x6D3 /* Cyrillic_es */).vk, UINT('C'));
  EXPECT_EQ(KeyFromNativeScanCode(X(2), 0).vk, UINT('1'));
  EXPECT_EQ(KeyFromNativeScanCode(X(11), 0).vk, UINT('0'));
  EXPECT_EQ(KeyFromNativeScanCode(X(16), 0).vk, UINT('Q'));
  EXPECT_EQ(KeyFromNativeScanCode(X(50), 0).vk, UINT('M'));
  EXPECT_EQ(KeyFromNativeScanCode(X(41), 0).vk, VK_OEM_3);
  EXPECT_EQ(KeyFromNativeScanCode(X(53), 0).vk, VK_OEM_2);
}

TEST(KeyMapping, LeftAndRightModifiersShareTheirKeyAndDifferInScanCodeOrExtension) {
  auto lshift = KeyFromNativeScanCode(X(42), 0), rshift = KeyFromNativeScanCode(X(54), 0);
  EXPECT_EQ(lshift.vk, VK_SHIFT);
  EXPECT_EQ(rshift.vk, VK_SHIFT);
  EXPECT_EQ(lshift.scan, 0x2Au);
  EXPECT_EQ(rshift.scan, 0x36u);
  auto lctrl = KeyFromNativeScanCode(X(29), 0), rctrl = KeyFromNativeScanCode(X(97), 0);
  EXPECT_EQ(lctrl.vk, VK_CONTROL);
  EXPECT_EQ(rctrl.vk, VK_CONTROL);
  EXPECT_FALSE(lctrl.extended);
  EXPECT_TRUE(rctrl.extended);
  EXPECT_EQ(rctrl.scan, 0x1Du);
  auto ralt = KeyFromNativeScanCode(X(100), 0xFFEA /* Alt_R */);
  EXPECT_EQ(ralt.vk, VK_MENU);
  EXPECT_TRUE(ralt.extended);
  EXPECT_FALSE(ralt.altGr);
  EXPECT_TRUE(KeyFromNativeScanCode(X(100), 0xFE03 /* ISO_Level3_Shift */).altGr);
  EXPECT_TRUE(KeyFromNativeScanCode(X(100), 0xFF7E /* Mode_switch */).altGr);
  EXPECT_FALSE(KeyFromNativeScanCode(X(56), 0xFE03).altGr) << "left Alt stays Alt";
}

TEST(KeyMapping, KeypadKeysFollowNumLockThroughTheirSymbol) {
  auto digit = KeyFromNativeScanCode(X(71), 0xFFB7 /* KP_7 */);
  auto home = KeyFromNativeScanCode(X(71), 0xFF95 /* KP_Home */);
  EXPECT_EQ(digit.vk, VK_NUMPAD0 + 7);
  EXPECT_EQ(home.vk, VK_HOME);
  EXPECT_FALSE(home.extended) << "the keypad's Home is not the extended Home key";
  EXPECT_TRUE(KeyFromNativeScanCode(X(102), 0xFF50).extended);
  EXPECT_EQ(KeyFromNativeScanCode(X(83), 0xFFAE /* KP_Decimal */).vk, VK_DECIMAL);
  EXPECT_EQ(KeyFromNativeScanCode(X(83), 0xFF9F /* KP_Delete */).vk, VK_DELETE);
  auto enter = KeyFromNativeScanCode(X(96), 0);
  EXPECT_EQ(enter.vk, VK_RETURN);
  EXPECT_TRUE(enter.extended);
  EXPECT_EQ(KeyFromNativeScanCode(X(78), 0).vk, VK_ADD);
  EXPECT_EQ(KeyFromNativeScanCode(X(98), 0).vk, VK_DIVIDE);
}

TEST(KeyMapping, NavigationAndFunctionKeys) {
  EXPECT_EQ(KeyFromNativeScanCode(X(105), 0).vk, VK_LEFT);
  EXPECT_EQ(KeyFromNativeScanCode(X(108), 0).vk, VK_DOWN);
  EXPECT_EQ(KeyFromNativeScanCode(X(111), 0).vk, VK_DELETE);
  EXPECT_EQ(KeyFromNativeScanCode(X(59), 0).vk, VK_F1);
  EXPECT_EQ(KeyFromNativeScanCode(X(68), 0).vk, VK_F10);
  EXPECT_EQ(KeyFromNativeScanCode(X(87), 0).vk, VK_F11);
  EXPECT_EQ(KeyFromNativeScanCode(X(88), 0).vk, VK_F12);
  EXPECT_EQ(KeyFromNativeScanCode(X(1), 0).vk, VK_ESCAPE);
  EXPECT_EQ(KeyFromNativeScanCode(X(127), 0).vk, VK_APPS);
  auto pause = KeyFromNativeScanCode(X(119), 0);
  EXPECT_EQ(pause.vk, VK_PAUSE);
  EXPECT_FALSE(pause.extended);
}

TEST(KeyMapping, UnknownCodesGiveNoKey) {
  EXPECT_EQ(KeyFromNativeScanCode(0, 0).vk, 0u);
  EXPECT_EQ(KeyFromNativeScanCode(7, 0).vk, 0u);
  EXPECT_EQ(KeyFromNativeScanCode(X(84), 0).vk, 0u);
  EXPECT_EQ(KeyFromNativeScanCode(X(240), 0).vk, 0u);
  EXPECT_EQ(KeyFromNativeScanCode(0xFFFFFFFFu, 0).vk, 0u);
}

TEST(WindowKinds, PopupsThatFloatAreToolTipsOtherToolWindowsAreToolsOwnedWindowsDialogs) {
  constexpr DWORD kCaptionedPopup = WS_POPUP | WS_CAPTION;
  struct Case {
    DWORD style, exStyle;
    bool owned;
    Qt::WindowType kind;
  };
  const Case cases[] = {
      {WS_POPUP, WS_EX_TOOLWINDOW, false, Qt::ToolTip},
      {WS_POPUP, WS_EX_TOPMOST, false, Qt::ToolTip},
      {WS_POPUP, WS_EX_LAYERED, true, Qt::ToolTip},
      {WS_POPUP, 0, false, Qt::Window},
      {WS_POPUP, 0, true, Qt::Dialog},
      // A popup with a caption (a dialog, an analysis window kept on top) is one the user works in.
      {kCaptionedPopup, WS_EX_TOPMOST, false, Qt::Window},
      {kCaptionedPopup, WS_EX_TOPMOST, true, Qt::Dialog},
      {kCaptionedPopup, WS_EX_TOOLWINDOW, true, Qt::Tool},
      {WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, true, Qt::Tool},
      {WS_OVERLAPPEDWINDOW, 0, false, Qt::Window},
      {WS_OVERLAPPEDWINDOW, 0, true, Qt::Dialog},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NativeFlagsFor(c.style, c.exStyle, c.owned) & Qt::WindowType_Mask, c.kind)
        << std::hex << c.style << " " << c.exStyle << " owned " << c.owned;
  EXPECT_TRUE(NativeFlagsFor(kCaptionedPopup, WS_EX_TOPMOST) & Qt::WindowStaysOnTopHint);
}

TEST(WindowKinds, AlwaysFramelessTopmostStaysOnTopNoActivateTakesNoFocus) {
  for (DWORD style : {DWORD(WS_POPUP), DWORD(WS_OVERLAPPEDWINDOW)})
    for (DWORD ex : {DWORD(0), DWORD(WS_EX_TOOLWINDOW), DWORD(WS_EX_TOPMOST)})
      EXPECT_TRUE(NativeFlagsFor(style, ex) & Qt::FramelessWindowHint);
  EXPECT_TRUE(NativeFlagsFor(WS_OVERLAPPEDWINDOW, WS_EX_TOPMOST) & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(NativeFlagsFor(WS_OVERLAPPEDWINDOW, 0) & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(NativeFlagsFor(WS_POPUP, WS_EX_NOACTIVATE) & Qt::WindowDoesNotAcceptFocus);
  EXPECT_FALSE(NativeFlagsFor(WS_POPUP, 0) & Qt::WindowDoesNotAcceptFocus);
}

}  // namespace
