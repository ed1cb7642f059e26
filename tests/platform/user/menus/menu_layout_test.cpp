// Measuring popup menus with the fixed test font, owner-drawn items, and placement on the screen.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/HeadlessFixture.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/menus/PopupMenu.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"

using namespace win;

namespace {

class MenuLayoutTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    // The test font: every character 7 pixels wide, 13 high.
    NONCLIENTMETRICSW ncm;
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    std::fill(std::begin(ncm.lfMenuFont.lfFaceName), std::end(ncm.lfMenuFont.lfFaceName), u'\0');
    std::copy(kTestFontFace.begin(), kTestFontFace.end(), ncm.lfMenuFont.lfFaceName);
    ncm.lfMenuFont.lfHeight = -13;
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    owner = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 400, 300}, nullptr, 0,
                   [this](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
                     if (m == WM_MEASUREITEM) {
                       auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
                       measured.push_back(*mis);
                       mis->itemWidth = 50;
                       mis->itemHeight = 30;
                       return TRUE;
                     }
                     if (m == WM_DRAWITEM) {
                       drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
                       return TRUE;
                     }
                     return std::nullopt;
                   });
    menu = CreatePopupMenu();
  }
  void TearDown() override {
    DestroyMenu(menu);
    ResetSystemParameters();
    HeadlessTest::TearDown();
  }
  RECT ItemRect(int pos) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(nullptr, menu, UINT(pos), &r));
    return r;
  }

  HWND owner = nullptr;
  HMENU menu = nullptr;
  std::vector<MEASUREITEMSTRUCT> measured;
  std::vector<DRAWITEMSTRUCT> drawn;
};

TEST_F(MenuLayoutTest, TextItemsHaveCheckLabelAcceleratorAndArrowColumns) {
  AppendMenuW(menu, MF_STRING, 1, u"&Open\tCtrl+O");  // label 4 characters, accelerator 6
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, 2, u"Save &as...");   // label 10 characters
  desktop->script([this] {
    RECT a = ItemRect(0), sep = ItemRect(1), b = ItemRect(2);
    int check = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    int height = std::max(13 + 4, GetSystemMetrics(SM_CYMENUCHECK) + 4);
    // check column + widest label + gap of two characters + widest accelerator + arrow column
    EXPECT_EQ(a.right - a.left, check + 10 * 7 + 2 * 7 + 6 * 7 + check);
    EXPECT_EQ(a.bottom - a.top, height);
    EXPECT_EQ(sep.top, a.bottom);
    EXPECT_EQ(sep.bottom - sep.top, height / 2);
    EXPECT_EQ(b.top, sep.bottom);
    EXPECT_EQ(b.right - b.left, a.right - a.left);  // one column, one width
    // The window is the items plus a 3-pixel frame, placed at the point asked for.
    HWND popup = WindowFromPoint(POINT{a.left + 1, a.top + 1});
    RECT win;
    GetWindowRect(popup, &win);
    EXPECT_EQ(win, (RECT{200, 150, a.right + 3, b.bottom + 3}));
    EXPECT_EQ(a.left, 203);
    desktop->press_key(VK_ESCAPE);
  });
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 150, owner, nullptr), 0);
}

TEST_F(MenuLayoutTest, DisabledTextIsEmbossedAndGreyWhenHighlighted) {
  AppendMenuW(menu, MF_STRING | MF_GRAYED, 1, u"Grey");
  AppendMenuW(menu, MF_STRING, 2, u"Fine");
  auto pixel = [this](HWND popup, int x, int y) {
    RECT win;
    GetWindowRect(popup, &win);
    return desktop->surface_pixel(popup, x - win.left, y - win.top);
  };
  desktop->script([&] {
    RECT r = ItemRect(0);
    HWND popup = WindowFromPoint(POINT{r.left + 1, r.top + 1});
    // The label starts after the check-mark column; a 13-pixel line centred in the item has its
    // baseline 12 pixels down. Glyphs of the test font are boxes 6 pixels wide.
    int x = r.left + GetSystemMetrics(SM_CXMENUCHECK) + 4, baseline = r.top + 2 + 10;
    EXPECT_EQ(pixel(popup, x, baseline - 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel(popup, x + 6, baseline), GetSysColor(COLOR_BTNHIGHLIGHT));  // the shifted copy
    // The enabled item below is drawn once, in the menu text colour.
    RECT f = ItemRect(1);
    EXPECT_EQ(pixel(popup, x, f.top + 2), GetSysColor(COLOR_MENUTEXT));
    EXPECT_EQ(pixel(popup, x + 6, f.top + 12), GetSysColor(COLOR_MENU));
    desktop->press_key(VK_DOWN);
  });
  desktop->script([&] {
    RECT r = ItemRect(0);
    HWND popup = WindowFromPoint(POINT{r.left + 1, r.top + 1});
    int x = r.left + GetSystemMetrics(SM_CXMENUCHECK) + 4;
    EXPECT_EQ(pixel(popup, x, r.top + 2), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(pixel(popup, x + 6, r.top + 12), GetSysColor(COLOR_HIGHLIGHT));
    desktop->press_key(VK_ESCAPE);
  });
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 150, owner, nullptr), 0);
}

TEST_F(MenuLayoutTest, TheMenuBackgroundBrushFillsTheItems) {
  AppendMenuW(menu, MF_STRING, 1, u"One");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(10, 200, 30));
  MENUINFO mi;
  mi.fMask = MIM_BACKGROUND;
  mi.hbrBack = brush;
  ASSERT_TRUE(SetMenuInfo(menu, &mi));
  desktop->script([this] {
    RECT r = ItemRect(0), sep = ItemRect(1);
    HWND popup = WindowFromPoint(POINT{r.left + 1, r.top + 1});
    RECT win;
    GetWindowRect(popup, &win);
    EXPECT_EQ(desktop->surface_pixel(popup, r.right - 2 - win.left, r.top + 1 - win.top), RGB(10, 200, 30));
    EXPECT_EQ(desktop->surface_pixel(popup, sep.right - 2 - win.left, sep.top - win.top), RGB(10, 200, 30));
    desktop->press_key(VK_ESCAPE);
  });
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 150, owner, nullptr), 0);
  DeleteObject(brush);
}

TEST_F(MenuLayoutTest, MenuBreaksStartNewColumns) {
  AppendMenuW(menu, MF_STRING, 1, u"One");
  AppendMenuW(menu, MF_STRING, 2, u"Two");
  AppendMenuW(menu, MF_STRING | MF_MENUBARBREAK, 3, u"Three");
  desktop->script([this] {
    RECT one = ItemRect(0), two = ItemRect(1), three = ItemRect(2);
    EXPECT_EQ(two.top, one.bottom);
    EXPECT_EQ(three.top, one.top);
    EXPECT_GE(three.left, one.right);
    desktop->press_key(VK_DOWN);
    desktop->press_key(VK_END);
    desktop->press_key(VK_RETURN);
  });
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 150, owner, nullptr), 3);
}

TEST_F(MenuLayoutTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner) {
  AppendMenuW(menu, MF_OWNERDRAW, 7, reinterpret_cast<LPCWSTR>(uintptr_t(0xBEEF)));
  AppendMenuW(menu, MF_STRING, 8, u"Text");
  desktop->script([this] {
    RECT r = ItemRect(0);
    EXPECT_EQ(r.bottom - r.top, 30);
    ASSERT_EQ(measured.size(), 1u);
    EXPECT_EQ(measured[0].CtlType, ODT_MENU);
    EXPECT_EQ(measured[0].itemID, 7u);
    EXPECT_EQ(measured[0].itemData, 0xBEEFu);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().itemState & ODS_SELECTED, 0u);
    EXPECT_EQ(drawn.back().hwndItem, reinterpret_cast<HWND>(menu));
    EXPECT_EQ(drawn.back().rcItem.top, 3);  // client coordinates of the menu window
    drawn.clear();
    desktop->press_key(VK_DOWN);
  });
  desktop->script([this] {
    ASSERT_FALSE(drawn.empty());
    EXPECT_TRUE(drawn.back().itemState & ODS_SELECTED);
    EXPECT_EQ(drawn.back().itemID, 7u);
    desktop->press_key(VK_RETURN);
  });
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 150, owner, nullptr), 7);
}

TEST_F(MenuLayoutTest, AMenuNearTheScreenCornerStaysOnTheWorkArea) {
  for (int i = 0; i < 5; ++i) AppendMenuW(menu, MF_STRING, UINT_PTR(i + 1), u"Item");
  TPMPARAMS tpm;
  tpm.rcExclude = RECT{700, 500, 790, 520};
  desktop->script([this] {
    RECT first = ItemRect(0), last = ItemRect(4);
    // The headless work area ends 40 pixels above the screen's bottom.
    EXPECT_LE(last.bottom + 3, desktop->height() - 40);
    EXPECT_LE(first.right + 3, 790);
    EXPECT_LE(last.bottom + 3, 500);  // above the excluded rectangle
    desktop->press_key(VK_ESCAPE);
  });
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_VERTICAL, 700, 520, owner, &tpm), 0);
}

}  // namespace

// A picture given for the check-mark column is drawn centred in it: the item's own picture beside
// its text, and the checked and unchecked pictures by the item's state.
TEST_F(MenuLayoutTest, PicturesInTheCheckColumnAreDrawnByState) {
  struct Case {
    UINT mask;
    bool checked;
    COLORREF colour;
  };
  const Case cases[] = {
      {MIIM_BITMAP, false, RGB(10, 200, 30)},
      {MIIM_CHECKMARKS, true, RGB(200, 30, 10)},
      {MIIM_CHECKMARKS, false, RGB(30, 10, 200)},
  };
  std::vector<HBITMAP> pictures;
  UINT id = 1;
  for (const Case& c : cases) {
    // A 4 x 4 picture of one colour (rows of blue, green, red, unused).
    const DWORD pixel = (DWORD(GetRValue(c.colour)) << 16) | (DWORD(GetGValue(c.colour)) << 8) | GetBValue(c.colour);
    std::vector<DWORD> bits(16, pixel);
    HBITMAP picture = CreateBitmap(4, 4, 1, 32, bits.data());
    ASSERT_TRUE(picture);
    pictures.push_back(picture);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | c.mask;
    mii.wID = id++;
    mii.fState = c.checked ? MFS_CHECKED : 0;
    mii.dwTypeData = const_cast<char16_t*>(u"Item");
    if (c.mask == MIIM_BITMAP) mii.hbmpItem = picture;
    if (c.mask == MIIM_CHECKMARKS) (c.checked ? mii.hbmpChecked : mii.hbmpUnchecked) = picture;
    ASSERT_TRUE(InsertMenuItemW(menu, UINT(-1), TRUE, &mii));
  }
  desktop->script([&] {
    for (int i = 0; i < 3; ++i) {
      RECT r = ItemRect(i);
      HWND popup = WindowFromPoint(POINT{r.left + 1, r.top + 1});
      RECT win;
      GetWindowRect(popup, &win);
      const int cx = r.left + (GetSystemMetrics(SM_CXMENUCHECK) + 4) / 2, cy = (r.top + r.bottom) / 2;
      EXPECT_EQ(desktop->surface_pixel(popup, cx - win.left, cy - win.top), cases[i].colour) << "item " << i;
    }
    desktop->press_key(VK_ESCAPE);
  });
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 150, owner, nullptr), 0);
  for (HBITMAP b : pictures) DeleteObject(b);
}
