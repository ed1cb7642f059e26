// LISTBOX owner-draw and painting: WM_MEASUREITEM, WM_DRAWITEM with the item actions and states,
// WM_COMPAREITEM for sorted lists without strings, WM_DELETEITEM, and the colours of a plain list.

#include <gtest/gtest.h>

#include "listbox_support.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysColors.h"

using namespace win;
using kvtest::ListTest;

namespace {

struct Drawn {
  UINT item, action, state;
  RECT rc;
  DWORD_PTR data;
};

class ListBoxOwnerDraw : public ListTest {
 protected:
  void SetUp() override {
    ListTest::SetUp();
    answer = [this](UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
      switch (m) {
        case WM_MEASUREITEM: {
          auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
          measured.push_back(mis->itemID);
          EXPECT_EQ(mis->CtlType, ODT_LISTBOX);
          EXPECT_EQ(mis->CtlID, 7u);
          mis->itemHeight = mis->itemData ? UINT(mis->itemData) : 20;
          return TRUE;
        }
        case WM_DRAWITEM: {
          auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
          drawn.push_back({dis->itemID, dis->itemAction, dis->itemState, dis->rcItem, dis->itemData});
          return TRUE;
        }
        case WM_COMPAREITEM: {
          auto* cis = reinterpret_cast<COMPAREITEMSTRUCT*>(l);
          ++compared;
          return cis->itemData1 < cis->itemData2 ? -1 : cis->itemData1 > cis->itemData2 ? 1 : 0;
        }
        case WM_DELETEITEM: {
          auto* dis = reinterpret_cast<DELETEITEMSTRUCT*>(l);
          deleted.push_back({dis->itemID, dis->itemData});
          return TRUE;
        }
        default: return std::nullopt;
      }
    };
  }
  std::vector<UINT> measured;
  std::vector<Drawn> drawn;
  std::vector<std::pair<UINT, DWORD_PTR>> deleted;
  int compared = 0;
};

}  // namespace

TEST_F(ListBoxOwnerDraw, FixedHeightIsMeasuredOnceAndEveryVisibleItemIsDrawn) {
  HWND list = MakeList(LBS_OWNERDRAWFIXED, {10, 10, 150, 100});
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(measured, (std::vector<UINT>{0}));
  EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 20);
  for (DWORD_PTR d : {11, 22, 33, 44, 55, 66}) SendMessageW(list, LB_ADDSTRING, 0, LPARAM(d));
  EXPECT_EQ(measured.size(), 1u);  // no more measuring per item
  // Without LBS_HASSTRINGS the "text" is the item data.
  DWORD_PTR data = 0;
  EXPECT_EQ(SendMessageW(list, LB_GETTEXT, 2, LPARAM(&data)), LRESULT(sizeof(DWORD_PTR)));
  EXPECT_EQ(data, 33u);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, WPARAM(-1), 44), 3);

  SendMessageW(list, LB_SETCURSEL, 1, 0);
  drawn.clear();
  desktop->run_until_idle();
  // 100 pixels cut to whole rows: five rows of 20.
  ASSERT_EQ(drawn.size(), 5u);
  for (UINT i = 0; i < 5; ++i) {
    EXPECT_EQ(drawn[i].item, i);
    EXPECT_EQ(drawn[i].action, UINT(ODA_DRAWENTIRE));
    EXPECT_EQ(drawn[i].rc.top, LONG(i * 20));
    EXPECT_EQ(drawn[i].data, (i + 1) * 11);
  }
  EXPECT_EQ(drawn[1].state, UINT(ODS_SELECTED));
  EXPECT_EQ(drawn[0].state, 0u);

  // A selection change redraws just the two items, at once, as a selection change.
  drawn.clear();
  SendMessageW(list, LB_SETCURSEL, 3, 0);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].item, 1u);
  EXPECT_EQ(drawn[0].action, UINT(ODA_SELECT));
  EXPECT_EQ(drawn[0].state, 0u);
  EXPECT_EQ(drawn[1].item, 3u);
  EXPECT_EQ(drawn[1].state, UINT(ODS_SELECTED));
  // Focus arrives: the caret item is redrawn with ODA_FOCUS and ODS_FOCUS.
  drawn.clear();
  SetFocus(list);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().item, 3u);
  EXPECT_EQ(drawn.back().action, UINT(ODA_FOCUS));
  EXPECT_EQ(drawn.back().state, UINT(ODS_SELECTED | ODS_FOCUS));
  // Disabled lists draw their items with ODS_DISABLED.
  EnableWindow(list, FALSE);
  drawn.clear();
  desktop->run_until_idle();
  ASSERT_FALSE(drawn.empty());
  EXPECT_TRUE(drawn[0].state & ODS_DISABLED);
}

TEST_F(ListBoxOwnerDraw, VariableHeightMeasuresEachItem) {
  HWND list = MakeList(LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, {10, 10, 150, 100});
  EXPECT_TRUE(measured.empty());
  // The measure handler answers the item data as the height; strings carry no data, so 20.
  SendMessageW(list, LB_ADDSTRING, 0, LPARAM(u"a"));
  SendMessageW(list, LB_ADDSTRING, 0, LPARAM(u"b"));
  SendMessageW(list, LB_INSERTSTRING, 1, LPARAM(u"c"));
  EXPECT_EQ(measured, (std::vector<UINT>{0, 1, 1}));
  EXPECT_EQ(SendMessageW(list, LB_SETITEMHEIGHT, 1, 35), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 1, 0), 35);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 20);
  RECT rc;
  SendMessageW(list, LB_GETITEMRECT, 2, LPARAM(&rc));
  EXPECT_EQ(rc.top, 55);
  EXPECT_EQ(rc.bottom, 75);
  EXPECT_EQ(Text(list, 1), u"c");
  EXPECT_EQ(SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(3, 54)), MAKELONG(1, 0));
}

TEST_F(ListBoxOwnerDraw, SortedListsWithoutStringsAskTheOwnerToCompare) {
  HWND list = MakeList(LBS_OWNERDRAWFIXED | LBS_SORT);
  for (DWORD_PTR d : {50, 10, 40, 30, 20}) SendMessageW(list, LB_ADDSTRING, 0, LPARAM(d));
  EXPECT_GT(compared, 0);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, i, 0), (i + 1) * 10);
}

TEST_F(ListBoxOwnerDraw, DeletingTellsTheOwnerAboutEveryItem) {
  HWND list = MakeList(LBS_OWNERDRAWFIXED);
  for (DWORD_PTR d : {5, 6, 7, 8}) SendMessageW(list, LB_ADDSTRING, 0, LPARAM(d));
  SendMessageW(list, LB_DELETESTRING, 1, 0);
  ASSERT_EQ(deleted.size(), 1u);
  EXPECT_EQ(deleted[0], (std::pair<UINT, DWORD_PTR>{1, 6}));
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(deleted.size(), 4u);
  SendMessageW(list, LB_ADDSTRING, 0, 9);
  DestroyWindow(list);
  ASSERT_EQ(deleted.size(), 5u);
  EXPECT_EQ(deleted.back().second, 9u);
  // A plain list tells only about items that carry data.
  deleted.clear();
  HWND plain = MakeList(0, {10, 10, 100, 65}, 7);
  Add(plain, {u"x", u"y"});
  SendMessageW(plain, LB_SETITEMDATA, 1, 77);
  SendMessageW(plain, LB_RESETCONTENT, 0, 0);
  ASSERT_EQ(deleted.size(), 1u);
  EXPECT_EQ(deleted[0].second, 77u);
}

TEST_F(ListBoxOwnerDraw, PlainListPaintsTheSelectionInTheHighlightColour) {
  HWND list = MakeList(0, {10, 10, 150, 65});
  Add(list, {u"one", u"two", u"three"});
  SendMessageW(list, LB_SETCURSEL, 1, 0);
  desktop->run_until_idle();
  // Right of the text: row 1 highlighted, row 0 and the empty space below in the window colour.
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + 140, 10 + 13 + 6), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + 140, 10 + 6), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + 140, 10 + 50), GetSysColor(COLOR_WINDOW));
  // The text of the selected row is in the highlight text colour: the test font fills its glyph
  // boxes, so a pixel inside the first letter's box shows it.
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + 2 + 2, 10 + 13 + 5), GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + 2 + 2, 10 + 5), GetSysColor(COLOR_WINDOWTEXT));

  // WM_CTLCOLORLISTBOX gives the background brush.
  HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
  answer = [&](UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_CTLCOLORLISTBOX && HWND(l) == list) return LRESULT(green);
    return std::nullopt;
  };
  InvalidateRect(list, nullptr, TRUE);
  desktop->run_until_idle();
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + 140, 10 + 6), RGB(0, 128, 0));
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + 140, 10 + 13 + 6), GetSysColor(COLOR_HIGHLIGHT));
  answer = nullptr;
  DestroyWindow(list);
  DeleteObject(green);
}

TEST_F(ListBoxOwnerDraw, FocusRectangleMarksTheCaretItem) {
  HWND list = MakeList(0, {10, 10, 150, 65});
  Add(list, {u"one", u"two"});
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  SetFocus(list);
  desktop->run_until_idle();
  // The dotted frame inverts pixels whose coordinates add up to an even number: at (140, 0) of
  // the list (150 + 10 even on the screen) the highlight is inverted.
  COLORREF hl = GetSysColor(COLOR_HIGHLIGHT);
  COLORREF inverted = RGB(255 - GetRValue(hl), 255 - GetGValue(hl), 255 - GetBValue(hl));
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + 140, 10), inverted);
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + 141, 10), hl);
  SetFocus(parent);
  desktop->run_until_idle();
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + 140, 10), hl);
  // An empty list with the focus shows the frame where its first row would be.
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  desktop->run_until_idle();
  COLORREF window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + 140, 10), window);
  SetFocus(list);
  desktop->run_until_idle();
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + 140, 10),
            RGB(255 - GetRValue(window), 255 - GetGValue(window), 255 - GetBValue(window)));
}
