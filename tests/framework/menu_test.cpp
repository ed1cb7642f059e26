#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_fixture.h"
#include "framework/ActnList.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw::testing {
namespace {

std::u16string MenuString(win::HMENU menu, int pos) {
  char16_t buf[128] = {};
  win::GetMenuStringW(menu, win::UINT(pos), buf, 128, win::MF_BYPOSITION);
  return buf;
}

TMenuItem* NewItem(TComponent* owner, const String& caption, TMenuItem* parent) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

using MenuTests = ControlTest;

TEST_F(MenuTests, ItemListOperations) {
  TPopupMenu menu(nullptr);
  TMenuItem* root = menu.Items();
  auto* a = NewItem(&menu, "&Alpha", root);
  auto* b = NewItem(&menu, "Beta", root);
  auto* c = new TMenuItem(&menu);
  c->SetCaption("Gamma");
  root->Insert(1, c);
  EXPECT_EQ(root->Count(), 3);
  EXPECT_EQ(root->Items(1), c);
  EXPECT_EQ(root->IndexOf(b), 2);
  EXPECT_EQ(root->Find("alpha"), a);
  EXPECT_EQ(root->Find("Delta"), nullptr);
  EXPECT_EQ(c->Parent(), root);
  EXPECT_EQ(c->MenuIndex(), 1);
  EXPECT_THROW(root->Add(c), EMenuError);
  EXPECT_THROW(root->Items(3), EMenuError);
  root->Remove(c);
  EXPECT_EQ(root->Count(), 2);
  EXPECT_EQ(c->Parent(), nullptr);
  root->Delete(0);
  EXPECT_EQ(root->Items(0), b);
  delete a;  // freed outside the tree
  root->Clear();
  EXPECT_EQ(root->Count(), 0);
  EXPECT_EQ(menu.ComponentCount(), 1);  // c lives on, owned by the menu
}

TEST_F(MenuTests, TheWindowSystemMenuFollowsEveryChange) {
  TPopupMenu menu(nullptr);
  TMenuItem* root = menu.Items();
  auto* open = NewItem(&menu, "&Open", root);
  open->SetShortCut(ShortCut('O', {ssCtrl}));
  NewItem(&menu, "-", root);
  auto* recent = NewItem(&menu, "Recent", root);
  NewItem(&menu, "a.txt", recent);
  auto* hidden = NewItem(&menu, "Hidden", root);
  hidden->SetVisible(false);

  win::HMENU h = menu.Handle();
  ASSERT_NE(h, nullptr);
  ASSERT_EQ(win::GetMenuItemCount(h), 3);
  EXPECT_EQ(MenuString(h, 0), u"&Open\tCtrl+O");
  EXPECT_EQ(win::GetMenuState(h, 1, win::MF_BYPOSITION) & win::MF_SEPARATOR, win::MF_SEPARATOR);
  win::HMENU sub = win::GetSubMenu(h, 2);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub, recent->Handle());
  EXPECT_EQ(MenuString(sub, 0), u"a.txt");
  EXPECT_EQ(win::GetMenuItemID(h, 0), open->Command());

  open->SetChecked(true);
  open->SetEnabled(false);
  h = menu.Handle();
  win::UINT state = win::GetMenuState(h, open->Command(), win::MF_BYCOMMAND);
  EXPECT_TRUE(state & win::MF_CHECKED);
  EXPECT_TRUE(state & win::MF_GRAYED);
  hidden->SetVisible(true);
  h = menu.Handle();
  EXPECT_EQ(win::GetMenuItemCount(h), 4);
  open->SetCaption("&Open...");
  EXPECT_EQ(MenuString(menu.Handle(), 0), u"&Open...\tCtrl+O");
  EXPECT_EQ(menu.FindItem(open->Command(), TMenu::fkCommand), open);
  EXPECT_EQ(menu.FindItem(win::UINT_PTR(recent->Handle()), TMenu::fkHandle), recent);
}

TEST_F(MenuTests, RadioItemsOfAGroupUncheckEachOther) {
  TPopupMenu menu(nullptr);
  auto* a = NewItem(&menu, "A", menu.Items());
  auto* b = NewItem(&menu, "B", menu.Items());
  auto* other = NewItem(&menu, "C", menu.Items());
  for (TMenuItem* i : {a, b}) {
    i->SetRadioItem(true);
    i->SetGroupIndex(3);
  }
  other->SetRadioItem(true);
  other->SetChecked(true);
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(other->Checked());
  b->SetAutoCheck(true);
  b->Click();
  EXPECT_FALSE(b->Checked());
}

TEST_F(MenuTests, PopupChoosesAnItemWithInjectedKeysAndTheClickArrivesThroughThePopupList) {
  TForm form(nullptr);
  form.SetBounds(10, 10, 300, 200);
  form.Show();
  Pump();
  TPopupMenu menu(nullptr);
  auto* first = NewItem(&menu, "&First", menu.Items());
  auto* second = NewItem(&menu, "&Second", menu.Items());
  auto* disabled = NewItem(&menu, "&Third", menu.Items());
  disabled->SetEnabled(false);
  std::vector<std::string> log;
  first->OnClick = [&](TObject*) { log.push_back("first"); };
  second->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, second);
    log.push_back("second");
  };
  disabled->OnClick = [&](TObject*) { log.push_back("third"); };
  menu.OnPopup = [&](TObject*) { log.push_back("popup"); };
  menu.SetPopupComponent(&form);

  desktop->script([&] {
    desktop->press_key(win::VK_DOWN);
    desktop->press_key(win::VK_DOWN);
    desktop->press_key(win::VK_RETURN);
  });
  menu.Popup(50, 60);
  EXPECT_EQ(menu.PopupPoint(), Point(50, 60));
  Pump();
  // The accelerator of a disabled item chooses nothing; Esc closes the menu.
  desktop->script([&] {
    desktop->press_key('T');
    desktop->press_key(win::VK_ESCAPE);
  });
  menu.Popup(50, 60);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"popup", "second", "popup"}));
}

TEST_F(MenuTests, PopupClickWithTheMouse) {
  TPopupMenu menu(nullptr);
  auto* only = NewItem(&menu, "Only", menu.Items());
  int clicks = 0;
  only->OnClick = [&](TObject*) { ++clicks; };
  TForm form(nullptr);
  form.Show();
  Pump();
  desktop->script([&] {
    win::RECT r;
    win::GetMenuItemRect(nullptr, menu.Handle(), 0, &r);
    desktop->click({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  });
  menu.Popup(100, 100);
  Pump();
  EXPECT_EQ(clicks, 1);
}

TEST_F(MenuTests, MainMenuBecomesTheFormsMenuBarAndCommandsComeBackToItems) {
  TForm form(nullptr);
  auto* mainMenu = new TMainMenu(&form);
  auto* file = NewItem(&form, "&File", mainMenu->Items());
  auto* exitItem = NewItem(&form, "E&xit", file);
  exitItem->SetShortCut(ShortCut('Q', {ssCtrl}));
  int exits = 0;
  exitItem->OnClick = [&](TObject*) { ++exits; };
  form.SetMenu(mainMenu);
  form.Show();
  Pump();
  win::HMENU bar = win::GetMenu(form.Handle());
  ASSERT_EQ(bar, mainMenu->Handle());
  EXPECT_EQ(MenuString(bar, 0), u"&File");
  EXPECT_EQ(MenuString(win::GetSubMenu(bar, 0), 0), u"E&xit\tCtrl+Q");

  win::SendMessageW(form.Handle(), win::WM_COMMAND, exitItem->Command(), 0);
  EXPECT_EQ(exits, 1);

  // The bar is rebuilt and set again when an item changes.
  auto* help = NewItem(&form, "&Help", mainMenu->Items());
  (void)help;
  bar = win::GetMenu(form.Handle());
  EXPECT_EQ(bar, mainMenu->Handle());
  EXPECT_EQ(win::GetMenuItemCount(bar), 2);

  // The shortcut key runs the item through the form.
  desktop->key_down(win::VK_CONTROL);
  desktop->press_key('Q');
  desktop->key_up(win::VK_CONTROL);
  AppPump();
  EXPECT_EQ(exits, 2);
  // A disabled item's shortcut does nothing.
  exitItem->SetEnabled(false);
  desktop->key_down(win::VK_CONTROL);
  desktop->press_key('Q');
  desktop->key_up(win::VK_CONTROL);
  AppPump();
  EXPECT_EQ(exits, 2);

  // Freeing the menu takes the bar off the window.
  delete mainMenu;
  EXPECT_EQ(form.Menu(), nullptr);
  EXPECT_EQ(win::GetMenu(form.Handle()), nullptr);
}

TEST_F(MenuTests, MainMenuSurvivesTheFormsWindowBeingRecreated) {
  TForm form(nullptr);
  auto* mainMenu = new TMainMenu(&form);
  NewItem(&form, "&File", mainMenu->Items());
  form.SetMenu(mainMenu);
  form.Show();
  Pump();
  win::HMENU bar = mainMenu->Handle();
  ASSERT_EQ(win::GetMenu(form.Handle()), bar);

  // The window system destroys a window's menu bar with the window; the menu object owns it.
  form.RecreateWnd();
  form.HandleNeeded();
  Pump();
  EXPECT_TRUE(win::IsMenu(bar));
  EXPECT_EQ(win::GetMenu(form.Handle()), mainMenu->Handle());
  EXPECT_EQ(MenuString(win::GetMenu(form.Handle()), 0), u"&File");
}

TEST_F(MenuTests, OpeningASubmenuOfTheMenuBarUpdatesItsItemsActionsAndSelectionSetsTheHint) {
  TForm form(nullptr);
  auto* mainMenu = new TMainMenu(&form);
  auto* edit = NewItem(&form, "&Edit", mainMenu->Items());
  auto* undo = NewItem(&form, "&Undo", edit);
  auto* action = new TAction(&form);
  bool canUndo = false;
  action->OnUpdate = [&](TObject*) { action->SetEnabled(canUndo); };
  action->SetCaption("&Undo");
  action->SetHint("Undo|Takes back the last change");
  undo->SetAction(action);
  form.SetMenu(mainMenu);
  form.Show();
  Pump();
  win::SendMessageW(form.Handle(), win::WM_INITMENUPOPUP, win::WPARAM(edit->Handle()), 0);
  EXPECT_FALSE(undo->Enabled());
  canUndo = true;
  win::SendMessageW(form.Handle(), win::WM_INITMENUPOPUP, win::WPARAM(edit->Handle()), 0);
  EXPECT_TRUE(undo->Enabled());
  EXPECT_FALSE(win::GetMenuState(edit->Handle(), undo->Command(), win::MF_BYCOMMAND) & win::MF_GRAYED);

  win::SendMessageW(form.Handle(), win::WM_MENUSELECT, win::MAKEWPARAM(win::WORD(undo->Command()), win::MF_HILITE),
                    win::LPARAM(edit->Handle()));
  EXPECT_EQ(Application->Hint(), "Takes back the last change");
  win::SendMessageW(form.Handle(), win::WM_MENUSELECT, win::MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(Application->Hint(), "");
}

TEST_F(MenuTests, ActionListShortCutsOfAFormRunFromTheKeyboard) {
  TForm form(nullptr);
  auto* list = new TActionList(&form);
  auto* action = new TAction(&form);
  action->SetActionList(list);
  action->SetShortCut(ShortCut(win::VK_F5, {}));
  int runs = 0;
  action->OnExecute = [&](TObject*) { ++runs; };
  form.Show();
  Pump();
  desktop->press_key(win::VK_F5);
  AppPump();
  EXPECT_EQ(runs, 1);
}

TEST_F(MenuTests, ItemCommandsAreUniqueAndReturnedWhenItemsGo) {
  std::vector<win::UINT> ids;
  {
    TPopupMenu menu(nullptr);
    ids.push_back(menu.Items()->Command());
    for (int i = 0; i < 50; ++i) ids.push_back(NewItem(&menu, "x", menu.Items())->Command());
  }
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  EXPECT_NE(ids.front(), 0u);
  TMenuItem again(nullptr);
  EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), again.Command()));
}

TEST_F(MenuTests, MenuSelectionSetsTheApplicationHint) {
  TPopupMenu menu(nullptr);
  auto* item = NewItem(&menu, "Save", menu.Items());
  item->SetHint("Save|Writes the file");
  TForm form(nullptr);
  form.Show();  // keys go to the active window
  Pump();
  std::string hintSeen;
  Application->OnHint = [&](TObject*) {
    if (!Application->Hint().empty()) hintSeen = Application->Hint();
  };
  desktop->script([&] {
    desktop->press_key(win::VK_DOWN);
    desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
  });
  menu.Popup(10, 10);
  Pump();
  EXPECT_EQ(hintSeen, "Writes the file");
}

}  // namespace
}  // namespace fw::testing
