// Menu objects: handles, item editing, lookups by command and position, item descriptions.

#include <gtest/gtest.h>

#include <string>

#include "platform/kernel/LastError.h"
#include "platform/user/menus/Menu.h"

using namespace win;

namespace {

std::u16string ItemText(HMENU m, UINT item, UINT flags) {
  char16_t buf[64] = {};
  int n = GetMenuStringW(m, item, buf, 64, flags);
  return std::u16string(buf, size_t(n < 0 ? 0 : n));
}

class MenuObjects : public ::testing::Test {
 protected:
  void TearDown() override {
    for (HMENU m : owned_) DestroyMenu(m);
  }
  HMENU Popup() {
    HMENU m = CreatePopupMenu();
    owned_.push_back(m);
    return m;
  }
  std::vector<HMENU> owned_;
};

TEST_F(MenuObjects, HandlesAreValidatedAndDestroyedRecursively) {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  HMENU recent = CreatePopupMenu();
  ASSERT_TRUE(bar && file && recent);
  EXPECT_NE(bar, file);
  ASSERT_TRUE(AppendMenuW(recent, MF_STRING, 11, u"a.txt"));
  ASSERT_TRUE(AppendMenuW(file, MF_POPUP, UINT_PTR(recent), u"&Recent"));
  ASSERT_TRUE(AppendMenuW(bar, MF_POPUP, UINT_PTR(file), u"&File"));
  EXPECT_TRUE(IsMenu(bar));

  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_FALSE(IsMenu(file));
  EXPECT_FALSE(IsMenu(recent));

  // Every call on a dead handle fails the Win32 way.
  SetLastError(0);
  EXPECT_EQ(GetMenuItemCount(bar), -1);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
  EXPECT_FALSE(DestroyMenu(bar));
  EXPECT_FALSE(AppendMenuW(file, MF_STRING, 1, u"x"));
  EXPECT_EQ(GetSubMenu(bar, 0), nullptr);
  EXPECT_EQ(GetMenuItemID(recent, 0), 0xFFFFFFFFu);
  EXPECT_EQ(GetMenuState(recent, 11, MF_BYCOMMAND), 0xFFFFFFFFu);
  EXPECT_FALSE(IsMenu(reinterpret_cast<HMENU>(0x1234)));
  EXPECT_FALSE(IsMenu(nullptr));

  // A new menu never revives the handle of a destroyed one.
  HMENU again = CreatePopupMenu();
  EXPECT_NE(again, bar);
  EXPECT_NE(again, file);
  EXPECT_NE(again, recent);
  DestroyMenu(again);
}

TEST_F(MenuObjects, AppendInsertAndLookups) {
  HMENU m = Popup();
  ASSERT_TRUE(AppendMenuW(m, MF_STRING, 10, u"&Open\tCtrl+O"));
  ASSERT_TRUE(AppendMenuW(m, MF_SEPARATOR, 0, nullptr));
  ASSERT_TRUE(AppendMenuW(m, MF_STRING | MF_GRAYED, 30, u"E&xit"));
  // Before the item with command 30.
  ASSERT_TRUE(InsertMenuW(m, 30, MF_BYCOMMAND | MF_STRING, 20, u"&Save"));
  // By position; a position past the end appends.
  ASSERT_TRUE(InsertMenuW(m, 0, MF_BYPOSITION | MF_STRING, 5, u"&New"));
  ASSERT_TRUE(InsertMenuW(m, 99, MF_BYPOSITION | MF_STRING, 40, u"&About"));
  EXPECT_FALSE(InsertMenuW(m, 777, MF_BYCOMMAND | MF_STRING, 1, u"nowhere"));
  EXPECT_EQ(GetLastError(), ERROR_MENU_ITEM_NOT_FOUND);

  ASSERT_EQ(GetMenuItemCount(m), 6);
  const UINT ids[] = {5, 10, 0, 20, 30, 40};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(GetMenuItemID(m, i), ids[i]) << i;
  EXPECT_EQ(GetMenuItemID(m, 6), 0xFFFFFFFFu);
  EXPECT_EQ(GetMenuItemID(m, -1), 0xFFFFFFFFu);

  EXPECT_EQ(ItemText(m, 10, MF_BYCOMMAND), u"&Open\tCtrl+O");
  EXPECT_EQ(ItemText(m, 3, MF_BYPOSITION), u"&Save");
  EXPECT_EQ(ItemText(m, 2, MF_BYPOSITION), u"");  // separator
  EXPECT_EQ(GetMenuState(m, 30, MF_BYCOMMAND), MF_GRAYED);
  EXPECT_EQ(GetMenuState(m, 2, MF_BYPOSITION), MF_SEPARATOR);
}

TEST_F(MenuObjects, GetMenuStringTruncatesAndReportsLength) {
  HMENU m = Popup();
  ASSERT_TRUE(AppendMenuW(m, MF_STRING, 1, u"Параметры"));
  EXPECT_EQ(GetMenuStringW(m, 1, nullptr, 0, MF_BYCOMMAND), 9);
  char16_t small[5] = {u'#', u'#', u'#', u'#', u'#'};
  EXPECT_EQ(GetMenuStringW(m, 1, small, 5, MF_BYCOMMAND), 4);
  EXPECT_EQ(std::u16string(small), u"Пара");
  EXPECT_EQ(GetMenuStringW(m, 2, small, 5, MF_BYCOMMAND), 0);
}

TEST_F(MenuObjects, ByCommandSearchesSubmenusAndPopupItemsCarryTheirHandle) {
  HMENU bar = CreateMenu();
  owned_.push_back(bar);
  HMENU edit = CreatePopupMenu();
  HMENU deep = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(deep, MF_STRING, 501, u"Deep"));
  ASSERT_TRUE(AppendMenuW(edit, MF_STRING, 201, u"Undo"));
  ASSERT_TRUE(AppendMenuW(edit, MF_POPUP, UINT_PTR(deep), u"More"));
  ASSERT_TRUE(AppendMenuW(bar, MF_POPUP, UINT_PTR(edit), u"Edit"));

  EXPECT_EQ(GetSubMenu(bar, 0), edit);
  EXPECT_EQ(GetSubMenu(edit, 1), deep);
  EXPECT_EQ(GetSubMenu(edit, 0), nullptr);
  // A submenu item reports no command of its own.
  EXPECT_EQ(GetMenuItemID(bar, 0), 0xFFFFFFFFu);

  EXPECT_EQ(ItemText(bar, 501, MF_BYCOMMAND), u"Deep");
  EXPECT_TRUE(EnableMenuItem(bar, 501, MF_BYCOMMAND | MF_GRAYED) == MF_ENABLED);
  EXPECT_EQ(GetMenuState(deep, 0, MF_BYPOSITION), MF_GRAYED);

  // The state of a submenu item carries the submenu's size in its high byte.
  UINT s = GetMenuState(edit, 1, MF_BYPOSITION);
  EXPECT_EQ(s & MF_POPUP, MF_POPUP);
  EXPECT_EQ((s >> 8) & 0xFF, 1u);

  // Found by its submenu handle, as the framework looks submenu items up.
  MENUITEMINFOW info;
  info.fMask = MIIM_SUBMENU | MIIM_STRING;
  char16_t buf[16];
  info.dwTypeData = buf;
  info.cch = 16;
  ASSERT_TRUE(GetMenuItemInfoW(bar, UINT(UINT_PTR(deep)), FALSE, &info));
  EXPECT_EQ(info.hSubMenu, deep);
  EXPECT_EQ(std::u16string(buf), u"More");
}

TEST_F(MenuObjects, SubmenuLoopsAreRefused) {
  HMENU a = Popup();
  HMENU b = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(a, MF_POPUP, UINT_PTR(b), u"b"));
  EXPECT_FALSE(AppendMenuW(a, MF_POPUP, UINT_PTR(a), u"self"));
  EXPECT_FALSE(AppendMenuW(b, MF_POPUP, UINT_PTR(a), u"parent"));
  MENUITEMINFOW info;
  info.fMask = MIIM_SUBMENU;
  info.hSubMenu = a;
  EXPECT_FALSE(InsertMenuItemW(b, 0, TRUE, &info));
  ASSERT_TRUE(AppendMenuW(b, MF_STRING, 3, u"leaf"));
  EXPECT_FALSE(SetMenuItemInfoW(b, 0, TRUE, &info));
  EXPECT_EQ(GetMenuItemCount(b), 1);
  // A dead submenu handle is refused too.
  HMENU dead = CreatePopupMenu();
  DestroyMenu(dead);
  EXPECT_FALSE(AppendMenuW(a, MF_POPUP, UINT_PTR(dead), u"dead"));
  EXPECT_EQ(GetMenuItemCount(a), 1);
}

TEST_F(MenuObjects, RemoveKeepsSubmenuDeleteAndModifyDestroyIt) {
  HMENU m = Popup();
  HMENU s1 = CreatePopupMenu();
  HMENU s2 = CreatePopupMenu();
  HMENU s3 = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(m, MF_POPUP, UINT_PTR(s1), u"one"));
  ASSERT_TRUE(AppendMenuW(m, MF_POPUP, UINT_PTR(s2), u"two"));
  ASSERT_TRUE(RemoveMenu(m, 0, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(s1));
  ASSERT_TRUE(ModifyMenuW(m, 0, MF_BYPOSITION | MF_POPUP, UINT_PTR(s3), u"three"));
  EXPECT_FALSE(IsMenu(s2));
  EXPECT_EQ(ItemText(m, 0, MF_BYPOSITION), u"three");
  ASSERT_TRUE(DeleteMenu(m, 0, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(s3));
  EXPECT_EQ(GetMenuItemCount(m), 0);
  EXPECT_FALSE(DeleteMenu(m, 0, MF_BYPOSITION));
  DestroyMenu(s1);
}

TEST_F(MenuObjects, ItemInfoRoundTrip) {
  HMENU m = Popup();
  HMENU sub = CreatePopupMenu();
  MENUITEMINFOW in;
  in.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING | MIIM_BITMAP |
             MIIM_CHECKMARKS;
  in.fType = MFT_STRING | MFT_RADIOCHECK | MFT_MENUBREAK;
  in.fState = MFS_CHECKED | MFS_DEFAULT | MFS_GRAYED;
  in.wID = 77;
  in.hSubMenu = sub;
  in.dwItemData = 0xABCDEF;
  char16_t text[] = u"&Вид";
  in.dwTypeData = text;
  in.hbmpItem = HBMMENU_POPUP_CLOSE;
  in.hbmpChecked = reinterpret_cast<HBITMAP>(0x50);
  in.hbmpUnchecked = reinterpret_cast<HBITMAP>(0x60);
  ASSERT_TRUE(InsertMenuItemW(m, 0, TRUE, &in));

  MENUITEMINFOW out;
  out.fMask = in.fMask;
  char16_t buf[32];
  out.dwTypeData = buf;
  out.cch = 32;
  ASSERT_TRUE(GetMenuItemInfoW(m, 0, TRUE, &out));
  EXPECT_EQ(out.fType, in.fType);
  EXPECT_EQ(out.fState, in.fState);
  EXPECT_EQ(out.wID, 77u);
  EXPECT_EQ(out.hSubMenu, sub);
  EXPECT_EQ(out.dwItemData, 0xABCDEFu);
  EXPECT_EQ(std::u16string(buf), u"&Вид");
  EXPECT_EQ(out.cch, 4u);
  EXPECT_EQ(out.hbmpItem, HBMMENU_POPUP_CLOSE);
  EXPECT_EQ(out.hbmpChecked, in.hbmpChecked);
  EXPECT_EQ(out.hbmpUnchecked, in.hbmpUnchecked);

  // Asking for the length first, as callers that size their buffer do.
  MENUITEMINFOW len;
  len.fMask = MIIM_STRING;
  ASSERT_TRUE(GetMenuItemInfoW(m, 0, TRUE, &len));
  EXPECT_EQ(len.cch, 4u);

  // A short buffer gets cch - 1 characters and a terminator.
  MENUITEMINFOW shortBuf;
  shortBuf.fMask = MIIM_STRING;
  char16_t two[3] = {u'x', u'x', u'x'};
  shortBuf.dwTypeData = two;
  shortBuf.cch = 3;
  ASSERT_TRUE(GetMenuItemInfoW(m, 0, TRUE, &shortBuf));
  EXPECT_EQ(std::u16string(two), u"&В");
}

TEST_F(MenuObjects, OldTypeMaskAndRecordSizes) {
  HMENU m = Popup();
  ASSERT_TRUE(AppendMenuW(m, MF_STRING, 1, u"Text"));
  // MIIM_TYPE reports the type and the text together; a separator has no text.
  MENUITEMINFOW t;
  t.fMask = MIIM_TYPE;
  char16_t buf[16];
  t.dwTypeData = buf;
  t.cch = 16;
  ASSERT_TRUE(GetMenuItemInfoW(m, 1, FALSE, &t));
  EXPECT_EQ(t.fType, MFT_STRING);
  EXPECT_EQ(std::u16string(buf), u"Text");

  MENUITEMINFOW set;
  set.fMask = MIIM_TYPE;
  set.fType = MFT_SEPARATOR;
  ASSERT_TRUE(SetMenuItemInfoW(m, 1, FALSE, &set));
  EXPECT_EQ(GetMenuState(m, 1, MF_BYCOMMAND), MF_SEPARATOR);
  EXPECT_EQ(GetMenuStringW(m, 1, nullptr, 0, MF_BYCOMMAND), 0);

  // MIIM_TYPE cannot be mixed with its newer parts; a wrong record size fails.
  MENUITEMINFOW mixed;
  mixed.fMask = MIIM_TYPE | MIIM_STRING;
  EXPECT_FALSE(SetMenuItemInfoW(m, 0, TRUE, &mixed));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  MENUITEMINFOW bad;
  bad.cbSize = 12;
  bad.fMask = MIIM_ID;
  EXPECT_FALSE(GetMenuItemInfoW(m, 0, TRUE, &bad));
  EXPECT_FALSE(GetMenuItemInfoW(m, 0, TRUE, nullptr));
  // The record without hbmpItem, as older callers pass it, still works for the other fields.
  MENUITEMINFOW old;
  old.cbSize = UINT(offsetof(MENUITEMINFOW, hbmpItem));
  old.fMask = MIIM_ID;
  ASSERT_TRUE(GetMenuItemInfoW(m, 0, TRUE, &old));
  EXPECT_EQ(old.wID, 1u);
}

TEST_F(MenuObjects, CheckRadioEnableAndDefault) {
  HMENU m = Popup();
  for (UINT id = 100; id < 104; ++id) ASSERT_TRUE(AppendMenuW(m, MF_STRING, id, u"x"));
  ASSERT_TRUE(AppendMenuW(m, MF_STRING | MF_CHECKED, 200, u"outside"));

  EXPECT_EQ(CheckMenuItem(m, 101, MF_BYCOMMAND | MF_CHECKED), DWORD(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(m, 101, MF_BYCOMMAND | MF_CHECKED), DWORD(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(m, 999, MF_BYCOMMAND | MF_CHECKED), 0xFFFFFFFFu);

  ASSERT_TRUE(CheckMenuRadioItem(m, 100, 103, 102, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuState(m, 101, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(GetMenuState(m, 102, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
  EXPECT_EQ(GetMenuState(m, 200, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));  // outside the group
  MENUITEMINFOW t;
  t.fMask = MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfoW(m, 102, FALSE, &t));
  EXPECT_TRUE(t.fType & MFT_RADIOCHECK);
  // By position, and a checked item outside the range is refused.
  ASSERT_TRUE(CheckMenuRadioItem(m, 0, 1, 0, MF_BYPOSITION));
  EXPECT_EQ(GetMenuState(m, 0, MF_BYPOSITION) & MF_CHECKED, UINT(MF_CHECKED));
  EXPECT_EQ(GetMenuState(m, 1, MF_BYPOSITION) & MF_CHECKED, 0u);
  EXPECT_FALSE(CheckMenuRadioItem(m, 100, 103, 200, MF_BYCOMMAND));

  EXPECT_EQ(EnableMenuItem(m, 103, MF_BYCOMMAND | MF_GRAYED), BOOL(MF_ENABLED));
  EXPECT_EQ(EnableMenuItem(m, 103, MF_BYCOMMAND | MF_ENABLED), BOOL(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(m, 999, MF_BYCOMMAND), -1);

  EXPECT_EQ(GetMenuDefaultItem(m, FALSE, 0), 0xFFFFFFFFu);
  ASSERT_TRUE(SetMenuDefaultItem(m, 101, FALSE));
  ASSERT_TRUE(SetMenuDefaultItem(m, 3, TRUE));  // only one default at a time
  EXPECT_EQ(GetMenuDefaultItem(m, FALSE, 0), 103u);
  EXPECT_EQ(GetMenuDefaultItem(m, TRUE, 0), 3u);
  EXPECT_EQ(GetMenuState(m, 101, MF_BYCOMMAND) & MF_DEFAULT, 0u);
  EnableMenuItem(m, 103, MF_BYCOMMAND | MF_GRAYED);
  EXPECT_EQ(GetMenuDefaultItem(m, FALSE, 0), 0xFFFFFFFFu);
  EXPECT_EQ(GetMenuDefaultItem(m, FALSE, 1 /* GMDI_USEDISABLED */), 103u);
  ASSERT_TRUE(SetMenuDefaultItem(m, 0xFFFFFFFF, FALSE));
  EXPECT_EQ(GetMenuDefaultItem(m, FALSE, 1), 0xFFFFFFFFu);
  EXPECT_FALSE(SetMenuDefaultItem(m, 4242, FALSE));
}

TEST_F(MenuObjects, MenuInfoAppliesToSubmenusOnRequest) {
  HMENU m = Popup();
  HMENU sub = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(m, MF_POPUP, UINT_PTR(sub), u"sub"));
  MENUINFO set;
  set.fMask = MIM_STYLE | MIM_MENUDATA;
  set.dwStyle = MNS_NOTIFYBYPOS;
  set.dwMenuData = 42;
  ASSERT_TRUE(SetMenuInfo(m, &set));
  MENUINFO got;
  got.fMask = MIM_STYLE | MIM_MENUDATA;
  ASSERT_TRUE(GetMenuInfo(sub, &got));
  EXPECT_EQ(got.dwStyle, 0u);
  set.fMask |= MIM_APPLYTOSUBMENUS;
  set.dwStyle = MNS_NOCHECK;
  ASSERT_TRUE(SetMenuInfo(m, &set));
  ASSERT_TRUE(GetMenuInfo(sub, &got));
  EXPECT_EQ(got.dwStyle, MNS_NOCHECK);
  EXPECT_EQ(got.dwMenuData, 42u);
  MENUINFO bad;
  bad.cbSize = 4;
  EXPECT_FALSE(GetMenuInfo(m, &bad));
}

TEST_F(MenuObjects, OwnerDrawAndBitmapItemsKeepTheirData) {
  HMENU m = Popup();
  ASSERT_TRUE(AppendMenuW(m, MF_OWNERDRAW, 5, reinterpret_cast<LPCWSTR>(uintptr_t(0x1234))));
  ASSERT_TRUE(AppendMenuW(m, MF_BITMAP, 6, reinterpret_cast<LPCWSTR>(uintptr_t(0x88))));
  MENUITEMINFOW a;
  a.fMask = MIIM_FTYPE | MIIM_DATA;
  ASSERT_TRUE(GetMenuItemInfoW(m, 5, FALSE, &a));
  EXPECT_EQ(a.fType, MFT_OWNERDRAW);
  EXPECT_EQ(a.dwItemData, 0x1234u);
  MENUITEMINFOW b;
  b.fMask = MIIM_TYPE;
  ASSERT_TRUE(GetMenuItemInfoW(m, 6, FALSE, &b));
  EXPECT_EQ(b.fType, MFT_BITMAP);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(b.dwTypeData), 0x88u);
  EXPECT_EQ(GetMenuStringW(m, 5, nullptr, 0, MF_BYCOMMAND), 0);
}

}  // namespace
