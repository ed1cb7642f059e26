// Themed list items: the viewer's size and scroll bar, ItemIndex kept in view, keys, the wheel,
// auto-scrolling below the rows on the clock, and the rows' painting.

#include <memory>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/control_fixture.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/user/messages/Input.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBItemPopup.h"
#include "toolbars/TBItemView.h"
#include "tx/Tx.h"
#include "tx/TxLists.h"
#include "tx/TxPopupWindow.h"

namespace {

using namespace tx;
using toolbars::TTBRootItem;
using toolbars::TTBView;

class TNumberList : public TTxCustomList {
 public:
  using TTxCustomList::TTxCustomList;
  Integer Rows = 20;
  String GetItemText(Integer Index) override { return "Row " + std::to_string(Index); }
  Integer GetCount() override { return Rows; }
};

class ListItemTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    InitTx();
    bmp.SetPixelFormat(fw::pf32bit);
    bmp.SetSize(300, 300);
    list = new TNumberList(root.get());
    list->OnChange = [this](fw::TObject*) { ++changes; };
    root->Add(list);
  }
  void TearDown() override {
    view.reset();
    root.reset();
    DoneTx();
    ControlTest::TearDown();
  }
  TTxCustomListViewer* View() {
    view.reset(new TTBView(nullptr, nullptr, root.get(), nullptr, false, false, false));
    view->AfterConstruction();
    auto* v = static_cast<TTxCustomListViewer*>(view->Viewers(0));
    TPoint size{};
    view->UpdatePositions(size);
    bmp.Canvas()->Handle();
    const TRect b = v->BoundsRect();
    v->Paint(bmp.Canvas(), TRect{0, 0, b.right - b.left, b.bottom - b.top}, false, false, false);
    return v;
  }
  fw::TBitmap bmp;
  std::unique_ptr<TTBRootItem> root = std::make_unique<TTBRootItem>(nullptr);
  std::unique_ptr<TTBView> view;
  TNumberList* list = nullptr;
  int changes = 0;
};

TEST_F(ListItemTest, EightRowsAndAScrollBarOfTheSystemWidth) {
  auto* v = View();
  EXPECT_EQ(v->VisibleRows(), 8);
  EXPECT_EQ(v->ScrollBarWidth(), win::GetSystemMetrics(win::SM_CXVSCROLL));
  EXPECT_EQ(v->BoundsRect().bottom - v->BoundsRect().top, 8 * v->ItemHeight());
  ASSERT_NE(v->ScrollBar(), nullptr);
  EXPECT_EQ(v->ScrollBar()->Range, 20);
  list->Rows = 5;
  v = View();
  EXPECT_EQ(v->VisibleRows(), 5);
  EXPECT_EQ(v->ScrollBarWidth(), 0);
  EXPECT_EQ(v->ScrollBar(), nullptr);
}

// A list asked to show no rows, or fewer than none, shows one, with the scroll bar for the rest.
TEST_F(ListItemTest, NoVisibleRowsAskedGivesOneRow) {
  for (Integer asked : {0, -3}) {
    list->SetMaxVisibleItems(asked);
    EXPECT_EQ(list->MaxVisibleItems(), 1) << asked;
    auto* v = View();
    EXPECT_EQ(v->VisibleRows(), 1) << asked;
    EXPECT_EQ(v->BoundsRect().bottom - v->BoundsRect().top, v->ItemHeight()) << asked;
    EXPECT_EQ(v->ScrollBarWidth(), win::GetSystemMetrics(win::SM_CXVSCROLL)) << asked;
  }
}

TEST_F(ListItemTest, ItemIndexFromCodeScrollsQuietly) {
  auto* v = View();
  int barChanges = 0;
  v->ScrollBar()->OnChange = [&](TTxScrollBar*) { ++barChanges; };
  list->SetItemIndex(15);
  EXPECT_EQ(v->HotIndex(), 15);
  EXPECT_EQ(v->Offset(), 15 - 8 + 1);
  EXPECT_EQ(v->ScrollBar()->Position(), 8);
  EXPECT_EQ(barChanges, 0);
  EXPECT_EQ(changes, 1);
  list->SetItemIndex(-7);
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(ListItemTest, KeysMoveTheHotRowWithinTheList) {
  auto* v = View();
  list->SetItemIndex(0);
  struct Case {
    fw::Word key;
    Integer index;
  } cases[] = {{win::VK_DOWN, 1}, {win::VK_END, 19}, {win::VK_PRIOR, 11}, {win::VK_NEXT, 19},
               {win::VK_DOWN, 19}, {win::VK_HOME, 0}, {win::VK_UP, 0}};
  for (const auto& c : cases) {
    fw::Word key = c.key;
    v->KeyDown(key, fw::TShiftState{});
    EXPECT_EQ(key, 0) << c.key;  // consumed
    EXPECT_EQ(list->ItemIndex(), c.index) << c.key;
  }
  fw::Word other = 'A';
  v->KeyDown(other, fw::TShiftState{});
  EXPECT_EQ(other, 'A');
}

TEST_F(ListItemTest, TwoHalfNotchesScrollOneRow) {
  auto* v = View();
  list->SetItemIndex(19);
  ASSERT_EQ(v->Offset(), 12);
  v->MouseWheel(60, 0, 0);
  EXPECT_EQ(v->Offset(), 12);
  v->MouseWheel(60, 0, 0);
  EXPECT_EQ(v->Offset(), 11);
  v->MouseWheel(-240, 0, 0);
  EXPECT_EQ(v->Offset(), 12);  // stops at the end
}

TEST_F(ListItemTest, HeldBelowTheRowsAutoScrollsByTwoEvery100ms) {
  auto* v = View();
  const Integer h = v->BoundsRect().bottom - v->BoundsRect().top;
  bool onMenu = false;
  v->MouseDown(fw::TShiftState{}, 10, 5, onMenu);
  v->MouseMove(10, h - 1 + 40);
  EXPECT_EQ(v->Offset(), 2);  // one step at once
  Step(100);
  EXPECT_EQ(v->Offset(), 4);
  Step(100);
  EXPECT_EQ(v->Offset(), 6);
  v->MouseMove(10, 5);  // back inside: stops
  Step(300);
  EXPECT_EQ(v->Offset(), 6);
}

TEST_F(ListItemTest, HotRowIsHighlighted) {
  list->SetItemIndex(1);
  auto* v = View();
  const Integer ih = v->ItemHeight();
  EXPECT_EQ(bmp.Canvas()->Pixels(2, ih + ih / 2), fw::ColorToRGB(fw::clHighlight));
  EXPECT_EQ(bmp.Canvas()->Pixels(2, ih / 2), fw::ColorToRGB(fw::clWindow));
}

// The list in a popup menu: the row under the pointer is highlighted on the screen at once.
class ListPopupTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
    InitTx();
    owner = Create(win::WS_POPUP | win::WS_VISIBLE, {0, 0, 60, 40});
    win::SetActiveWindow(owner);
    win::SetFocus(owner);
    Pump();
    menu = new TTxPopupMenu(nullptr);
    list = new TNumberList(menu);
    menu->Items()->Add(list);
  }
  void TearDown() override {
    delete menu;
    DoneTx();
    win::ResetSystemParameters();
    ControlTest::TearDown();
  }
  // The list's viewer in the one popup shown.
  static TTxCustomListViewer* ShownViewer() {
    TTxCustomListViewer* found = nullptr;
    win::EnumWindows(
        [](win::HWND h, win::LPARAM lp) -> win::BOOL {
          auto* p = dynamic_cast<toolbars::TTBPopupWindow*>(fw::FindControl(h));
          if (p && win::IsWindowVisible(h) && p->View()->ViewerCount() > 0)
            *reinterpret_cast<TTxCustomListViewer**>(lp) = dynamic_cast<TTxCustomListViewer*>(p->View()->Viewers(0));
          return win::TRUE;
        },
        reinterpret_cast<win::LPARAM>(&found));
    return found;
  }
  // The screen point a little inside the left end of a row, and its colour on the screen.
  static win::POINT RowPoint(TTxCustomListViewer* V, Integer Row) {
    const TRect s = V->ScreenBoundsRect();
    return win::POINT{s.left + 3, s.top + Row * V->ItemHeight() + V->ItemHeight() / 2};
  }
  static fw::TColor ScreenPixel(win::POINT P) {
    win::HDC dc = win::GetDC(nullptr);
    const fw::TColor c = fw::TColor(win::GetPixel(dc, P.x, P.y) & 0xFFFFFF);
    win::ReleaseDC(nullptr, dc);
    return c;
  }
  win::HWND owner = nullptr;
  TTxPopupMenu* menu = nullptr;
  TNumberList* list = nullptr;
};

TEST_F(ListPopupTest, TheRowUnderThePointerIsHighlightedOnTheScreen) {
  fw::TColor before = 0, after = 0, left = 0;
  desktop->script([&] {
    TTxCustomListViewer* v = ShownViewer();
    ASSERT_NE(v, nullptr);
    before = ScreenPixel(RowPoint(v, 2));
    desktop->mouse_move(RowPoint(v, 2));
  });
  desktop->script([&] {
    TTxCustomListViewer* v = ShownViewer();
    ASSERT_NE(v, nullptr);
    after = ScreenPixel(RowPoint(v, 2));
    desktop->mouse_move(RowPoint(v, 4));
  });
  desktop->script([&] {
    TTxCustomListViewer* v = ShownViewer();
    ASSERT_NE(v, nullptr);
    left = ScreenPixel(RowPoint(v, 2));
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  EXPECT_EQ(before, fw::ColorToRGB(fw::clWindow));
  EXPECT_EQ(after, fw::ColorToRGB(fw::clHighlight));
  EXPECT_EQ(left, fw::ColorToRGB(fw::clWindow)) << "the highlight moved on";
}

}  // namespace
