// Dialog keys (IsDialogMessageW) and key names (GetKeyNameTextW) from the one table.
#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

using namespace win;

namespace {

class DialogKeys : public kvtest::HeadlessTest {
 protected:
  MSG Key(HWND target, WPARAM vk) { return MSG{target, WM_KEYDOWN, vk, 1, 0, {}}; }
};

TEST_F(DialogKeys, TabCyclesTheTabStopsAndEnterAndEscCommandTheDialog) {
  HWND dialog = Create(WS_POPUP | WS_VISIBLE, {10, 10, 200, 100});
  HWND first = Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, {0, 0, 20, 20}, dialog);
  Create(WS_CHILD | WS_VISIBLE, {30, 0, 20, 20}, dialog);  // no tab stop
  HWND third = Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, {60, 0, 20, 20}, dialog);
  HWND other = Create(WS_POPUP | WS_VISIBLE, {300, 10, 50, 50});
  SetFocus(first);
  MSG tab = Key(first, VK_TAB);
  EXPECT_TRUE(IsDialogMessageW(dialog, &tab));
  EXPECT_EQ(GetFocus(), third);
  tab = Key(third, VK_TAB);
  IsDialogMessageW(dialog, &tab);
  EXPECT_EQ(GetFocus(), first);  // wraps
  ClearLog();
  MSG enter = Key(first, VK_RETURN), esc = Key(first, VK_ESCAPE);
  IsDialogMessageW(dialog, &enter);
  IsDialogMessageW(dialog, &esc);
  std::vector<WPARAM> commands;
  for (const auto& m : Log(dialog))
    if (m.msg == WM_COMMAND) commands.push_back(m.wParam);
  EXPECT_EQ(commands, (std::vector<WPARAM>{1, 2}));
  MSG elsewhere = Key(other, VK_TAB);
  EXPECT_FALSE(IsDialogMessageW(dialog, &elsewhere));
}

TEST_F(DialogKeys, ControlThatWantsTabGetsItAndOtherMessagesAreDispatched) {
  HWND dialog = Create(WS_POPUP | WS_VISIBLE, {10, 10, 200, 100});
  HWND edit = Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, {0, 0, 20, 20}, dialog, 0,
                     [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
                       if (msg == WM_GETDLGCODE) return 0x0002;  // wants Tab
                       return std::nullopt;
                     });
  Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, {30, 0, 20, 20}, dialog);
  SetFocus(edit);
  ClearLog();
  MSG tab = Key(edit, VK_TAB);
  EXPECT_TRUE(IsDialogMessageW(dialog, &tab));
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(Count(edit, WM_KEYDOWN), 1);
  MSG ch{edit, WM_CHAR, 0x0416, 1, 0, {}};
  EXPECT_TRUE(IsDialogMessageW(dialog, &ch));
  EXPECT_EQ(Count(edit, WM_CHAR), 1);
}

TEST(KeyNames, OneTableForKeysAndScanCodes) {
  EXPECT_EQ(KeyNameOfVirtualKey('S'), u"S");
  EXPECT_EQ(KeyNameOfVirtualKey(VK_F5), u"F5");
  EXPECT_EQ(KeyNameOfVirtualKey(VK_NUMPAD0 + 3), u"Num 3");
  EXPECT_EQ(KeyNameOfVirtualKey(VK_OEM_PLUS), u"=");
  EXPECT_EQ(KeyNameOfVirtualKey(0xFF), u"");
  char16_t buffer[16];
  EXPECT_EQ(GetKeyNameTextW(LONG(0x1F) << 16, buffer, 16), 1);  // scan code of S
  EXPECT_EQ(std::u16string(buffer), u"S");
  EXPECT_EQ(GetKeyNameTextW(LONG(0x0E) << 16, buffer, 3), 2);  // "BkSp" cut to two
  EXPECT_EQ(std::u16string(buffer), u"Bk");
  EXPECT_EQ(GetKeyNameTextW(LONG(0x7F) << 16, buffer, 16), 0);
  EXPECT_EQ(buffer[0], 0);
}

}  // namespace
