// The menu handle given to CreateWindowExW: a top-level window's menu bar (kept from WM_CREATE on,
// destroyed with the window unless still in use elsewhere), a child's identifier.

#include <gtest/gtest.h>

#include <optional>

#include "support/HeadlessFixture.h"
#include "platform/kernel/LastError.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/Window.h"

using namespace win;

namespace {

class WindowMenuOwnership : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 11, u"&New");
    bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, UINT_PTR(file), u"&File");
    AppendMenuW(bar, MF_STRING, 31, u"&Help");
  }
  void TearDown() override {
    DestroyMenu(bar);  // fails harmlessly when a window took it along
    HeadlessTest::TearDown();
  }
  // A top-level window of the recording class with `menu` as CreateWindowExW's menu handle.
  HWND CreateWithMenu(HMENU menu, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND parent = nullptr,
                      kvtest::Handler handler = nullptr) {
    SetHandler(nullptr, std::move(handler));  // picked up by the window being created
    HWND h = CreateWindowExW(0, u"KvTestWindow", u"", style, 100, 100, 300, 200, parent, menu, nullptr, nullptr);
    SetHandler(nullptr, nullptr);
    return h;
  }

  HMENU bar = nullptr, file = nullptr;
};

TEST_F(WindowMenuOwnership, ATopLevelWindowShowsItsMenuAsTheBarFromCreationOn) {
  std::optional<HMENU> seenInCreate;
  std::optional<int> clientHeightInCreate;
  HWND h = CreateWithMenu(bar, WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr,
                          [&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
                            if (msg == WM_CREATE) {
                              seenInCreate = GetMenu(hwnd);
                              RECT rc{};
                              GetClientRect(hwnd, &rc);
                              clientHeightInCreate = rc.bottom;
                            }
                            return std::nullopt;
                          });
  ASSERT_NE(h, nullptr);
  HWND plain = CreateWithMenu(nullptr);
  ASSERT_NE(plain, nullptr);

  EXPECT_EQ(GetMenu(h), bar);
  EXPECT_EQ(GetMenu(plain), nullptr);
  ASSERT_TRUE(seenInCreate.has_value());
  EXPECT_EQ(*seenInCreate, bar);
  // The frame left room for the bar before WM_CREATE.
  RECT withBar{}, without{};
  GetClientRect(h, &withBar);
  GetClientRect(plain, &without);
  EXPECT_EQ(without.bottom - withBar.bottom, GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(clientHeightInCreate, withBar.bottom);
  MENUBARINFO mbi;
  ASSERT_TRUE(GetMenuBarInfo(h, OBJID_MENU, 0, &mbi));
  EXPECT_EQ(mbi.hMenu, bar);
  EXPECT_EQ(mbi.rcBar.bottom - mbi.rcBar.top, GetSystemMetrics(SM_CYMENU));

  // Popups take their bar too.
  HMENU other = CreateMenu();
  AppendMenuW(other, MF_STRING, 41, u"&Go");
  HWND popup = CreateWithMenu(other, WS_POPUP | WS_CAPTION | WS_VISIBLE);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(GetMenu(popup), other);
  DestroyWindow(popup);
}

TEST_F(WindowMenuOwnership, AChildTakesTheHandleAsItsIdentifierAndNeverAsAMenu) {
  HWND parent = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  // Even a value that happens to be a live menu handle is only an identifier for a child.
  HWND child = CreateWindowExW(0, u"KvTestWindow", u"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent, bar, nullptr,
                               nullptr);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(GetDlgCtrlID(child), int(reinterpret_cast<uintptr_t>(bar)));
  EXPECT_EQ(GetMenu(parent), nullptr);
  ASSERT_TRUE(DestroyWindow(child));
  EXPECT_TRUE(IsMenu(bar));
  EXPECT_TRUE(IsMenu(file));
}

TEST_F(WindowMenuOwnership, ABadMenuHandleFailsCreation) {
  SetLastError(0);
  HWND h = CreateWithMenu(reinterpret_cast<HMENU>(uintptr_t(0x4567)));
  EXPECT_EQ(h, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
  HMENU gone = CreateMenu();
  DestroyMenu(gone);
  EXPECT_EQ(CreateWithMenu(gone), nullptr);
}

TEST_F(WindowMenuOwnership, AFailedCreationLeavesTheMenuWithTheCaller) {
  auto refuse = [](UINT when) {
    return [when](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (msg == when) return when == WM_CREATE ? LRESULT(-1) : LRESULT(FALSE);
      return std::nullopt;
    };
  };
  EXPECT_EQ(CreateWithMenu(bar, WS_OVERLAPPEDWINDOW, nullptr, refuse(WM_CREATE)), nullptr);
  EXPECT_TRUE(IsMenu(bar));
  EXPECT_TRUE(IsMenu(file));
  EXPECT_EQ(CreateWithMenu(bar, WS_OVERLAPPEDWINDOW, nullptr, refuse(WM_NCCREATE)), nullptr);
  EXPECT_TRUE(IsMenu(bar));
  EXPECT_EQ(GetMenuItemCount(bar), 2);
}

TEST_F(WindowMenuOwnership, DestroyingTheWindowDestroysItsBarWithItsSubmenus) {
  std::optional<HMENU> seenInDestroy;
  HWND h = CreateWithMenu(bar, WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr,
                          [&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
                            if (msg == WM_NCDESTROY) seenInDestroy = GetMenu(hwnd);
                            return std::nullopt;
                          });
  ASSERT_NE(h, nullptr);
  HMENU unrelated = CreatePopupMenu();
  ASSERT_TRUE(DestroyWindow(h));
  EXPECT_EQ(seenInDestroy, bar);  // still there for the window's last messages
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_FALSE(IsMenu(file));
  EXPECT_TRUE(IsMenu(unrelated));
  DestroyMenu(unrelated);
}

TEST_F(WindowMenuOwnership, ABarSetLaterIsDestroyedTooButNotOneTakenAwayFirst) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  ASSERT_TRUE(SetMenu(h, bar));
  ASSERT_TRUE(DestroyWindow(h));
  EXPECT_FALSE(IsMenu(bar));

  HMENU kept = CreateMenu();
  HWND g = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  ASSERT_TRUE(SetMenu(g, kept));
  ASSERT_TRUE(SetMenu(g, nullptr));
  ASSERT_TRUE(DestroyWindow(g));
  EXPECT_TRUE(IsMenu(kept));
  DestroyMenu(kept);
}

TEST_F(WindowMenuOwnership, MenusStillInUseElsewhereSurvive) {
  // `shared` is both a submenu of the bar and of a context menu; `viewBar` is shown by two windows.
  HMENU shared = CreatePopupMenu();
  AppendMenuW(shared, MF_STRING, 51, u"&Zoom");
  HMENU deep = CreatePopupMenu();
  AppendMenuW(deep, MF_STRING, 52, u"&Fit");
  AppendMenuW(shared, MF_POPUP, UINT_PTR(deep), u"&More");
  AppendMenuW(bar, MF_POPUP, UINT_PTR(shared), u"&View");
  HMENU context = CreatePopupMenu();
  AppendMenuW(context, MF_POPUP, UINT_PTR(shared), u"&View");

  HWND h = CreateWithMenu(bar);
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(DestroyWindow(h));
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_FALSE(IsMenu(file));
  EXPECT_TRUE(IsMenu(shared));
  EXPECT_TRUE(IsMenu(deep));
  EXPECT_EQ(GetSubMenu(context, 0), shared);
  EXPECT_EQ(GetSubMenu(shared, 1), deep);

  HMENU viewBar = CreateMenu();
  AppendMenuW(viewBar, MF_STRING, 61, u"&Close");
  HWND first = CreateWithMenu(viewBar);
  HWND second = CreateWithMenu(viewBar);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  ASSERT_TRUE(DestroyWindow(first));
  EXPECT_TRUE(IsMenu(viewBar));
  EXPECT_EQ(GetMenu(second), viewBar);
  ASSERT_TRUE(DestroyWindow(second));
  EXPECT_FALSE(IsMenu(viewBar));

  DestroyMenu(context);
  EXPECT_FALSE(IsMenu(shared));
}

}  // namespace
