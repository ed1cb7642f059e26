// The menu loop with a menu bar as its root: drop-down menus, keys that move between them, the
// system-menu key, and a second click on the open item.

#include "ToolbarsFixture.h"
#include "framework/GraphicsCanvas.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "toolbars/TBItemModal.h"
#include "toolbars/TBItemViewer.h"

namespace toolbars::testing {
namespace {

// The smallest host of a menu bar: a child window showing a toolbar view of a root item.
class BarHost : public fw::TCustomControl {
 public:
  BarHost(win::HWND ParentWnd, TTBCustomItem* Root) : fw::TCustomControl(nullptr) {
    SetParentWindow(ParentWnd);
    SetBounds(0, 0, 300, 22);
    FView = TTBViewClass::Of<TTBView>().Create(this, nullptr, Root, this, true, false, false);
    FView->SetStyle(tbvoMenuBar);
    HandleNeeded();
    win::ShowWindow(Handle(), win::SW_SHOWNA);
  }
  ~BarHost() override { DestroyComponents(); }
  TTBView* View() const { return FView; }
  win::POINT ScreenCentreOf(TTBCustomItem* Item) {
    TRect r = FView->Find(Item)->ScreenBoundsRect();
    return win::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // What a press on the bar does: select the item under it and run the loop.
  void PressOn(TTBCustomItem* Item) {
    FView->SetSelected(FView->Find(Item), true);
    FView->EnterToolbarLoop(tbetMouseDown);
  }

 protected:
  void Paint() override {
    if (FView) FView->DrawSubitems(Canvas());
  }

 private:
  TTBView* FView = nullptr;
};

class MenuBarLoop : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
    form = Create(win::WS_POPUP | win::WS_VISIBLE, {50, 50, 400, 300});
    win::SetActiveWindow(form);
    win::SetFocus(form);
    file = Menu("&File");
    Command(file, "&New");
    edit = Menu("&Edit");
    Command(edit, "&Undo");
    bar = std::make_unique<BarHost>(form, &root);
    Pump();
    ClearLog();
  }
  void TearDown() override {
    bar.reset();
    root.Clear();
    ToolbarsTest::TearDown();
  }
  TTBCustomItem* Menu(const char* caption) {
    auto* it = new StyledItem(&root, caption, tbisSubmenu);
    root.Add(it);
    return it;
  }
  TTBCustomItem* Command(TTBCustomItem* parent, const char* caption) {
    auto* it = new StyledItem(&root, caption);
    it->OnClick = [this, caption](TObject*) { chosen.push_back(caption); };
    parent->Add(it);
    return it;
  }
  static TTBCustomItem* OpenMenuItem() {
    auto popups = Popups();
    return popups.empty() ? nullptr : popups[0]->View()->ParentItem();
  }

  TTBRootItem root{nullptr};
  TTBCustomItem *file = nullptr, *edit = nullptr;
  win::HWND form = nullptr;
  std::unique_ptr<BarHost> bar;
  std::vector<std::string> chosen;
};

TEST_F(MenuBarLoop, APressOpensTheMenuAndKeysMoveAlongTheBar) {
  TTBCustomItem *first = nullptr, *afterRight = nullptr, *afterLeft = nullptr;
  desktop->script([&] {
    first = OpenMenuItem();
    desktop->press_key(win::VK_DOWN);   // New
    desktop->press_key(win::VK_RIGHT);  // a plain item: the bar moves on
  });
  desktop->script([&] {
    afterRight = OpenMenuItem();
    desktop->press_key(win::VK_LEFT);
  });
  desktop->script([&] {
    afterLeft = OpenMenuItem();
    desktop->press_key(win::VK_DOWN);
    desktop->press_key(win::VK_RETURN);
  });
  bar->PressOn(file);
  EXPECT_EQ(first, file);
  EXPECT_EQ(afterRight, edit);
  EXPECT_EQ(afterLeft, file);
  Pump();
  EXPECT_EQ(chosen, (std::vector<std::string>{"&New"}));
  EXPECT_EQ(bar->View()->Selected(), nullptr) << "the bar lets go of its item after the loop";
}

TEST_F(MenuBarLoop, EscClosesTheMenuAndKeepsTheBarItem) {
  bool closed = false;
  TTBCustomItem* barSelection = nullptr;
  desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
  desktop->script([&] {
    closed = Popups().empty();
    if (bar->View()->Selected()) barSelection = bar->View()->Selected()->Item();
    desktop->press_key(win::VK_ESCAPE);
  });
  bar->PressOn(file);
  EXPECT_TRUE(closed);
  EXPECT_EQ(barSelection, file);
  EXPECT_EQ(bar->View()->State() & tbvsDropDownMenus, 0);
}

TEST_F(MenuBarLoop, ASecondClickOnTheOpenItemClosesTheMenu) {
  desktop->script([&] {
    win::POINT p = bar->ScreenCentreOf(file);
    desktop->mouse_move(p);
    desktop->click(p);
  });
  bar->PressOn(file);
  EXPECT_TRUE(Popups().empty());
  Pump();
  EXPECT_TRUE(chosen.empty());
}

TEST_F(MenuBarLoop, SpaceWithoutAMatchOpensTheSystemMenu) {
  desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });  // close File, stay in the bar
  desktop->script([&] { desktop->type_char(u' '); });
  bar->PressOn(file);
  int keyMenu = 0;
  for (auto& m : Log(form))
    if (m.msg == win::WM_SYSCOMMAND && m.wParam == win::SC_KEYMENU && m.lParam == ' ') ++keyMenu;
  EXPECT_EQ(keyMenu, 1);
}

TEST_F(MenuBarLoop, MovingTheMouseAlongTheBarOpensTheNextMenu) {
  TTBCustomItem* open = nullptr;
  desktop->script([&] { desktop->mouse_move(bar->ScreenCentreOf(edit)); });
  desktop->script([&] {
    open = OpenMenuItem();
    desktop->press_key(win::VK_ESCAPE);
    desktop->press_key(win::VK_ESCAPE);
  });
  bar->PressOn(file);
  EXPECT_EQ(open, edit) << "in drop-down mode the new item's menu opens at once";
}

class TrackButton : public ToolbarsTest {};

TEST_F(TrackButton, RightPressesInsideAreIgnored) {
  win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
  win::HWND owner = Create(win::WS_POPUP | win::WS_VISIBLE, {0, 0, 60, 40});
  win::SetActiveWindow(owner);
  Pump();
  TTBPopupMenu menu(nullptr);
  int clicks = 0;
  auto* it = new StyledItem(&menu, "&Go");
  it->OnClick = [&](TObject*) { ++clicks; };
  menu.Items()->Add(it);
  menu.SetTrackRightButton(false);
  bool stillOpen = false;
  desktop->script([&] {
    TRect r = Popups()[0]->View()->Find(it)->ScreenBoundsRect();
    win::POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    desktop->mouse_move(p);
    desktop->click(p, 1);
  });
  desktop->script([&] {
    stillOpen = Popups().size() == 1;
    desktop->press_key(win::VK_ESCAPE);
  });
  menu.Popup(100, 100);
  Pump();
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(clicks, 0);
}

}  // namespace
}  // namespace toolbars::testing
