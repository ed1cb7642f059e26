#include <gtest/gtest.h>

#include "framework/Menus.h"
#include "platform/user/windows/WinUserTypes.h"

namespace fw {
namespace {

TEST(ShortCutText, ModifiersComeInShiftCtrlAltOrderBeforeTheKeyName) {
  EXPECT_EQ(ShortCutToText(ShortCut('S', {ssCtrl})), "Ctrl+S");
  EXPECT_EQ(ShortCutToText(ShortCut(win::VK_F5, {ssCtrl, ssShift})), "Shift+Ctrl+F5");
  EXPECT_EQ(ShortCutToText(ShortCut(win::VK_DELETE, {ssAlt, ssCtrl, ssShift})), "Shift+Ctrl+Alt+Del");
  EXPECT_EQ(ShortCutToText(ShortCut(win::VK_NUMPAD0 + 5, {})), "Num 5");
  EXPECT_EQ(ShortCutToText(ShortCut(win::VK_F12, {})), "F12");
  EXPECT_EQ(ShortCutToText(ShortCut(win::VK_PRIOR, {ssAlt})), "Alt+PgUp");
  EXPECT_EQ(ShortCutToText(ShortCut(win::VK_BACK, {})), "BkSp");
  EXPECT_EQ(ShortCutToText(ShortCut('7', {})), "7");
  // A key without a name gives no text, whatever the modifiers.
  EXPECT_EQ(ShortCutToText(ShortCut(0x07, {ssCtrl})), "");
  EXPECT_EQ(ShortCutToText(0), "");
}

TEST(ShortCutText, EveryNamedKeyRoundTripsWithEveryModifierSet) {
  int named = 0;
  for (Word key = 1; key <= 0xFF; ++key) {
    String name = KeyName(key);
    if (name.empty()) continue;
    ++named;
    for (TShortCut mods : {TShortCut(0), scShift, scCtrl, scAlt, TShortCut(scShift | scCtrl | scAlt)}) {
      TShortCut sc = TShortCut(key | mods);
      String text = ShortCutToText(sc);
      EXPECT_EQ(TextToShortCut(text), sc) << text;
    }
  }
  // Letters, digits, F1-F24, the numeric pad, navigation and editing keys at least.
  EXPECT_GE(named, 26 + 10 + 24 + 10 + 15);
}

TEST(ShortCutText, ParsingIgnoresCaseAndModifierOrderAndRejectsUnknownKeys) {
  EXPECT_EQ(TextToShortCut("ctrl+shift+f5"), ShortCut(win::VK_F5, {ssCtrl, ssShift}));
  EXPECT_EQ(TextToShortCut("Alt+Ctrl+x"), ShortCut('X', {ssCtrl, ssAlt}));
  EXPECT_EQ(TextToShortCut("Esc"), ShortCut(win::VK_ESCAPE, {}));
  EXPECT_EQ(TextToShortCut("Enter"), ShortCut(win::VK_RETURN, {}));
  EXPECT_EQ(TextToShortCut("Space"), ShortCut(win::VK_SPACE, {}));
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut("Ctrl+Banana"), 0);
  EXPECT_EQ(TextToShortCut(""), 0);
}

TEST(ShortCutText, ShortCutToKeySplitsWhatShortCutJoins) {
  Word key = 0;
  TShiftState shift;
  ShortCutToKey(ShortCut('Q', {ssAlt, ssShift}), key, shift);
  EXPECT_EQ(key, 'Q');
  EXPECT_EQ(shift, (TShiftState{ssAlt, ssShift}));
  // Keys above a byte cannot be shortcuts.
  EXPECT_EQ(ShortCut(0x1FF, {ssCtrl}), 0);
}

TEST(Hotkeys, StripAndFindTheAcceleratorIncludingCyrillic) {
  EXPECT_EQ(StripHotkey("&File"), "File");
  EXPECT_EQ(StripHotkey("Save && &Exit"), "Save & Exit");
  EXPECT_EQ(StripHotkey("&&"), "&");
  EXPECT_EQ(GetHotkey("&File"), "F");
  EXPECT_EQ(GetHotkey("Sa&ve"), "V");
  EXPECT_EQ(GetHotkey("Tom && Jerry"), "");
  EXPECT_EQ(GetHotkey("trailing &"), "");
  EXPECT_EQ(GetHotkey("&файл"), "Ф");
  EXPECT_TRUE(IsAccel(u'ф', "&Файл"));
  EXPECT_TRUE(IsAccel(u'F', "&file"));
  EXPECT_FALSE(IsAccel(u'i', "&file"));
  EXPECT_FALSE(IsAccel(u'x', "no accelerator"));
}

}  // namespace
}  // namespace fw
