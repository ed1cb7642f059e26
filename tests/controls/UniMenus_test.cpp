// Wide menu items, hot-key markers and wide shortcut text; the wide popup list's hint.
#include <gtest/gtest.h>

#include "controls/UniApplication.h"
#include "controls/UniMenus.h"
#include "framework/control_fixture.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace cs {
namespace {

TEST(WideShortCuts, NamedKeysCharactersAndKeyNames) {
  using fw::scAlt;
  using fw::scCtrl;
  using fw::scShift;
  const struct {
    fw::TShortCut shortCut;
    WideString text;
  } cases[] = {
      {fw::TShortCut(scCtrl | 'S'), u"Ctrl+S"},
      {fw::TShortCut(scShift | scCtrl | 'A'), u"Shift+Ctrl+A"},
      {fw::TShortCut(scAlt | win::VK_F4), u"Alt+F4"},
      {fw::TShortCut(scShift | scCtrl | win::VK_F5), u"Shift+Ctrl+F5"},
      {fw::TShortCut(win::VK_DELETE), u"Del"},
      {fw::TShortCut(scCtrl | '5'), u"Ctrl+5"},
      {fw::TShortCut(scCtrl | (win::VK_NUMPAD0 + 3)), u"Ctrl+3"},  // the character, not "Num 3"
      {fw::TShortCut(scCtrl | win::VK_OEM_PLUS), u"Ctrl+="},      // the keyboard's key name
      {fw::TShortCut(scCtrl | 0xFF), u""},                        // no name: nothing
  };
  for (const auto& c : cases) EXPECT_EQ(WideShortCutToText(c.shortCut), c.text) << c.shortCut;
}

TEST(WideHotKeys, StripAndMoveMarkers) {
  EXPECT_EQ(StripHotKeys(u"&Файл"), u"Файл");
  EXPECT_EQ(StripHotKeys(u"A&&B"), u"A&B");
  EXPECT_EQ(StripHotKeys(u"Файл(&F)"), u"Файл(F)");
  FarEastHotKeys = true;
  EXPECT_EQ(StripHotKeys(u"Файл(&F)"), u"Файл");
  FarEastHotKeys = false;
  EXPECT_TRUE(SameCaptionText(u"&Файл", u"Фа&йл", false));
  EXPECT_FALSE(SameCaptionText(u"&файл", u"Фа&йл", false));
  EXPECT_TRUE(SameCaptionText(u"&файл", u"Фа&йл", true));
  WideString wide = u"Фа&йл\u4E2D";
  SyncHotKeyPosition(u"&Файл\u4E2D", wide);
  EXPECT_EQ(wide, u"&Файл\u4E2D");
  WideString unchanged = u"Другое";
  SyncHotKeyPosition(u"&Файл", unchanged);  // not the same text: left alone
  EXPECT_EQ(unchanged, u"Другое");
}

std::u16string MenuString(win::HMENU menu, int pos) {
  char16_t buf[128] = {};
  win::GetMenuStringW(menu, win::UINT(pos), buf, 128, win::MF_BYPOSITION);
  return buf;
}

using WideMenuTest = fw::testing::ControlTest;

TEST_F(WideMenuTest, MenuBarShowsWideCaptionsAndShortcutsOnlyOnLeafItems) {
  fw::TForm form(nullptr);
  auto* mainMenu = new fw::TMainMenu(&form);
  auto* file = new TUniMenuItem(&form);
  file->SetCaption(u"&Файл ✓");
  file->SetShortCut(fw::ShortCut('F', {fw::ssCtrl}));  // on the bar: no shortcut text
  mainMenu->Items()->Add(file);
  auto* save = new TUniMenuItem(&form);
  save->SetCaption(u"Со&хранить \U0001F4BE");
  save->SetShortCut(fw::ShortCut('S', {fw::ssCtrl}));
  file->Add(save);
  auto* recent = new TUniMenuItem(&form);
  recent->SetCaption(u"Недавние");
  recent->SetShortCut(fw::ShortCut('R', {fw::ssCtrl}));
  file->Add(recent);
  recent->Add(new TUniMenuItem(&form));  // with sub-items: no shortcut text
  form.SetMenu(mainMenu);
  form.Show();
  Pump();
  win::HMENU bar = win::GetMenu(form.Handle());
  EXPECT_EQ(MenuString(bar, 0), u"&Файл ✓");
  EXPECT_EQ(MenuString(win::GetSubMenu(bar, 0), 0), u"Со&хранить \U0001F4BE\tCtrl+S");
  EXPECT_EQ(MenuString(win::GetSubMenu(bar, 0), 1), u"Недавние");
  save->SetCaption(u"Сохранить &как…");
  bar = win::GetMenu(form.Handle());
  EXPECT_EQ(MenuString(win::GetSubMenu(bar, 0), 0), u"Сохранить &как…\tCtrl+S");
  EXPECT_EQ(save->fw::TMenuItem::Caption(), "Сохранить &как…");
}

TEST_F(WideMenuTest, CaptionKeepsWideTextWhenOnlyTheMarkerMoved) {
  TUniMenuItem item(nullptr);
  const WideString wide(u"Фа\xD800йл", 5);  // more than the framework's text holds
  item.SetCaption(wide);
  EXPECT_EQ(item.Caption(), wide);
  item.fw::TMenuItem::SetCaption("&" + item.fw::TMenuItem::Caption());  // the marker moved elsewhere
  EXPECT_EQ(item.Caption(), WideString(u"&Фа\xD800йл", 6));
  item.fw::TMenuItem::SetCaption("Другое");
  EXPECT_EQ(item.Caption(), u"Другое");
}

// Lets a test report a change of the item without the framework building the menu again.
class ChangingMenuItem : public TUniMenuItem {
 public:
  using TUniMenuItem::TUniMenuItem;
  using TUniMenuItem::MenuChanged;
};

// A change of any item of a right-to-left menu also gives the bar's first item its wide text
// back, should the window system's menu hold another; left to right, only the changed item is.
TEST_F(WideMenuTest, RightToLeftMenuRefreshesItsFirstItemOnAnyChange) {
  for (const bool middleEast : {false, true}) {
    fw::TForm form(nullptr);
    auto* mainMenu = new fw::TMainMenu(&form);
    auto* file = new TUniMenuItem(&form);
    file->SetCaption(u"&Файл ✓");
    mainMenu->Items()->Add(file);
    auto* edit = new ChangingMenuItem(&form);
    edit->SetCaption(u"&Правка");
    mainMenu->Items()->Add(edit);
    form.SetMenu(mainMenu);
    form.Show();
    Pump();
    const win::HMENU bar = win::GetMenu(form.Handle());
    std::u16string stale = u"Файл";
    win::MENUITEMINFOW info{};
    info.fMask = win::MIIM_STRING;
    info.dwTypeData = stale.data();
    info.cch = win::UINT(stale.size());
    ASSERT_TRUE(win::SetMenuItemInfoW(bar, 0, win::TRUE, &info));
    MiddleEastMenus = middleEast;
    edit->MenuChanged(false);
    MiddleEastMenus = false;
    EXPECT_EQ(MenuString(bar, 0), middleEast ? u"&Файл ✓" : u"Файл") << middleEast;
    EXPECT_EQ(MenuString(bar, 1), u"&Правка");
  }
}

TEST_F(WideMenuTest, HighlightedPopupItemSetsTheWideApplicationHint) {
  StartUniApplication();
  fw::TPopupMenu menu(nullptr);
  auto* item = new TUniMenuItem(&menu);
  item->SetCaption(u"Сохранить");
  item->SetHint(u"Сохранить|Записывает файл ✓");
  menu.Items()->Add(item);
  fw::TForm form(nullptr);
  form.Show();
  Pump();
  WideString seen;
  fw::Application->OnHint = [&](fw::TObject*) {
    if (!fw::Application->Hint().empty()) seen = UniApplication->Hint();
  };
  desktop->script([&] {
    desktop->press_key(win::VK_DOWN);
    desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
  });
  menu.Popup(10, 10);
  Pump();
  EXPECT_EQ(seen, u"Записывает файл ✓");
  fw::Application->OnHint = nullptr;
  StopUniApplication();
}

}  // namespace
}  // namespace cs
