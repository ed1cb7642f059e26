// Accessibility events: listeners installed with SetWinEventHook hear what NotifyWinEvent
// reports, and the menu loop reports a menu's start and end, its popups and the selected item.

#include <gtest/gtest.h>

#include <vector>

#include "platform/kernel/LastError.h"
#include "platform/kernel/Threads.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/menus/PopupMenu.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/WinEvents.h"
#include "platform/user/windows/Window.h"
#include "support/HeadlessFixture.h"

using namespace win;

namespace {

struct Heard {
  DWORD event;
  HWND hwnd;
  LONG idObject;
  LONG idChild;
  bool operator==(const Heard&) const = default;
};
std::vector<Heard> gHeard, gHeardToo;

void Listen(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD, DWORD) {
  gHeard.push_back({event, hwnd, idObject, idChild});
}
void ListenToo(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD, DWORD) {
  gHeardToo.push_back({event, hwnd, idObject, idChild});
}

class MenuEvents : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    gHeard.clear();
    gHeardToo.clear();
    owner = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 400, 300});
    sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 201, u"&Alpha");
    menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 101, u"&Open");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_POPUP, UINT_PTR(sub), u"&More");
    hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, Listen, 0, 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
  }
  void TearDown() override {
    if (hook) UnhookWinEvent(hook);
    DestroyMenu(menu);
    HeadlessTest::TearDown();
  }
  // The popup menu windows in the order they opened.
  std::vector<HWND> Popups() const {
    std::vector<HWND> out;
    for (const Heard& h : gHeard)
      if (h.event == EVENT_SYSTEM_MENUPOPUPSTART) out.push_back(h.hwnd);
    return out;
  }

  HWND owner = nullptr;
  HMENU menu = nullptr, sub = nullptr;
  HWINEVENTHOOK hook = nullptr;
};

TEST_F(MenuEvents, APopupMenuReportsItsStartPopupsSelectionAndEnd) {
  desktop->script([&] {
    desktop->press_key(VK_DOWN);   // Open
    desktop->press_key(VK_DOWN);   // More (the separator is skipped)
    desktop->press_key(VK_RIGHT);  // opens More with Alpha selected
    desktop->press_key(VK_ESCAPE);
    desktop->press_key(VK_ESCAPE);
  });
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 150, owner, nullptr), 0);
  std::vector<HWND> popups = Popups();
  ASSERT_EQ(popups.size(), 2u);
  const std::vector<Heard> want{
      {EVENT_SYSTEM_MENUSTART, owner, OBJID_WINDOW, CHILDID_SELF},
      {EVENT_SYSTEM_MENUPOPUPSTART, popups[0], OBJID_CLIENT, CHILDID_SELF},
      {EVENT_OBJECT_FOCUS, popups[0], OBJID_CLIENT, 1},
      {EVENT_OBJECT_FOCUS, popups[0], OBJID_CLIENT, 3},
      {EVENT_SYSTEM_MENUPOPUPSTART, popups[1], OBJID_CLIENT, CHILDID_SELF},
      {EVENT_OBJECT_FOCUS, popups[1], OBJID_CLIENT, 1},
      {EVENT_SYSTEM_MENUPOPUPEND, popups[1], OBJID_CLIENT, CHILDID_SELF},
      {EVENT_SYSTEM_MENUPOPUPEND, popups[0], OBJID_CLIENT, CHILDID_SELF},
      {EVENT_SYSTEM_MENUEND, owner, OBJID_WINDOW, CHILDID_SELF},
  };
  EXPECT_EQ(gHeard, want);
}

TEST_F(MenuEvents, TheMenuBarReportsItsStartAndEndForTheOwner) {
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_STRING, 31, u"&Help");
  ASSERT_TRUE(SetMenu(owner, bar));
  SetFocus(owner);
  gHeard.clear();
  desktop->script([&] { desktop->press_key(VK_ESCAPE); });
  desktop->press_key(VK_F10);
  desktop->run_until_idle();
  const std::vector<Heard> want{
      {EVENT_SYSTEM_MENUSTART, owner, OBJID_MENU, CHILDID_SELF},
      {EVENT_OBJECT_FOCUS, owner, OBJID_MENU, 1},
      {EVENT_SYSTEM_MENUEND, owner, OBJID_MENU, CHILDID_SELF},
  };
  EXPECT_EQ(gHeard, want);
  SetMenu(owner, nullptr);
  DestroyMenu(bar);
}

TEST_F(MenuEvents, ListenersHearOnlyTheirRangeAndNothingOnceRemoved) {
  HWINEVENTHOOK starts = SetWinEventHook(EVENT_SYSTEM_MENUSTART, EVENT_SYSTEM_MENUEND, nullptr, ListenToo, 0, 0, 0);
  ASSERT_NE(starts, nullptr);
  NotifyWinEvent(EVENT_SYSTEM_MENUSTART, owner, OBJID_MENU, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_FOCUS, owner, OBJID_MENU, 2);
  EXPECT_EQ(gHeard.size(), 2u);
  ASSERT_EQ(gHeardToo.size(), 1u);
  EXPECT_EQ(gHeardToo[0].event, EVENT_SYSTEM_MENUSTART);

  EXPECT_TRUE(UnhookWinEvent(starts));
  EXPECT_FALSE(UnhookWinEvent(starts));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  NotifyWinEvent(EVENT_SYSTEM_MENUEND, owner, OBJID_MENU, CHILDID_SELF);
  EXPECT_EQ(gHeardToo.size(), 1u);
  EXPECT_EQ(gHeard.size(), 3u);

  // Another thread's listener and a listener that skips its own thread hear nothing from here.
  HWINEVENTHOOK other = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, ListenToo, 0, GetCurrentThreadId() + 1, 0);
  HWINEVENTHOOK skipping = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, ListenToo, 0, 0, WINEVENT_SKIPOWNTHREAD);
  NotifyWinEvent(EVENT_OBJECT_SHOW, owner, OBJID_WINDOW, CHILDID_SELF);
  EXPECT_EQ(gHeardToo.size(), 1u);
  UnhookWinEvent(other);
  UnhookWinEvent(skipping);

  EXPECT_EQ(SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_SYSTEM_MENUSTART, nullptr, ListenToo, 0, 0, 0), nullptr);
  EXPECT_EQ(SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, nullptr, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
