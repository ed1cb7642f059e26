// The title bar: the form it turns borderless, the sizing zones of its edges, its buttons, the
// system menu's state and commands, and moving and maximizing from the caption strip.

#include <memory>
#include <vector>

#include "controls/CsTitleBar.h"
#include "framework/Forms.h"
#include "framework/control_fixture.h"
#include "platform/user/frames/SysMenu.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"
#include "tx/ProbeTheme.h"
#include "tx/Tx.h"

namespace cs {
namespace {

class CsTitleBarTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    tx::InitTx();
    if (!tx::IsThemeRegistered("Probe")) tx::RegisterTheme("Probe", &tx::ThemeClassOf<txtest::TProbeTheme>);
    tx::SetCurrentTheme("Probe");
    form = fw::Application->CreateForm<fw::TForm>();
    form->SetBounds(40, 40, 400, 300);
    form->Show();
    Pump();
    bar = new TCsTitleBar(form);
    bar->SetParent(form);
    Pump();
    previous = form->WindowProc;
    form->WindowProc = [this](fw::TMessage& M) {
      if (M.Msg == win::WM_SYSCOMMAND)
        commands.push_back(M.WParam);  // the window manager's loops are not run here
      else
        previous(M);
    };
  }
  void TearDown() override {
    form->WindowProc = previous;
    delete form;
    tx::SetCurrentTheme("Default");
    tx::DoneTx();
    ControlTest::TearDown();
  }
  static win::LPARAM At(Integer x, Integer y) { return win::LPARAM((y << 16) | (x & 0xFFFF)); }
  fw::TForm* form = nullptr;
  TCsTitleBar* bar = nullptr;
  fw::TWndMessageMethod previous;
  std::vector<win::WPARAM> commands;
};

TEST_F(CsTitleBarTest, TheFormBecomesABorderlessPopupFilledByTheBar) {
  EXPECT_EQ(form->BorderStyle(), fw::bsNone);
  const auto style = win::GetWindowLongW(form->Handle(), win::GWL_STYLE);
  EXPECT_TRUE(style & win::LONG(win::WS_POPUP));
  EXPECT_TRUE(style & win::LONG(win::WS_SYSMENU));
  win::RECT work{};
  win::SystemParametersInfoW(win::SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(form->Constraints()->MaxHeight(), work.bottom - work.top);
  EXPECT_EQ(bar->Align(), fw::alClient);
  TRect r{0, 0, 400, 300};
  bar->AdjustClientRect(r);
  EXPECT_EQ(r.left, 3);
  EXPECT_EQ(r.top, 3);
  EXPECT_EQ(r.right, 400 - 3);
}

TEST_F(CsTitleBarTest, SizingZonesOfTheEdgesAndCorners) {
  bar->SetBounds(0, 0, 400, 300);
  struct Case {
    Integer x, y;
    win::WPARAM command;
    fw::TCursor cursor;
  } cases[] = {
      {2, 2, 61444, fw::crSizeNWSE},   {200, 1, 61443, fw::crSizeNS},     {398, 2, 61445, fw::crSizeNESW},
      {1, 150, 61441, fw::crSizeWE},   {398, 150, 61442, fw::crSizeWE},   {2, 298, 61447, fw::crSizeNESW},
      {200, 298, 61446, fw::crSizeNS}, {398, 298, 61448, fw::crSizeNWSE}, {200, 150, 0, fw::crDefault},
      {5, 2, 61444, fw::crSizeNWSE},  // within 10 pixels of the corner
  };
  for (const Case& c : cases) {
    fw::TCursor cursor = fw::crDefault;
    EXPECT_EQ(bar->SizingCommandAt(fw::TPoint{c.x, c.y}, &cursor), c.command) << c.x << ',' << c.y;
    EXPECT_EQ(cursor, c.cursor) << c.x << ',' << c.y;
  }
  // A press on an edge sizes the form from there.
  win::SendMessageW(bar->Handle(), win::WM_LBUTTONDOWN, win::MK_LBUTTON, At(398, 298));
  EXPECT_EQ(commands, std::vector<win::WPARAM>{61448});
  form->SetWindowState(fw::wsMaximized);
  Pump();
  EXPECT_EQ(bar->SizingCommandAt(fw::TPoint{2, 2}), 0u);  // no sizing while maximized
  TRect r{0, 0, 400, 300};
  bar->AdjustClientRect(r);
  EXPECT_EQ(r.left, 0);
  form->SetWindowState(fw::wsNormal);
  Pump();
}

TEST_F(CsTitleBarTest, ButtonsAndBorderIcons) {
  TCsTitleBarButtonOptions* o = bar->Options();
  const std::vector<toolbars::TTBCustomItem*> order{o->SystemButton(), o->Spacer(), o->MinimizeButton(),
                                                    o->MaximizeButton(), o->CloseButton()};
  ASSERT_EQ(bar->Items()->Count(), 5);
  for (Integer i = 0; i < 5; ++i) EXPECT_EQ(bar->Items()->Items(i), order[size_t(i)]);
  for (TCsItem* b : {o->SystemButton(), o->MinimizeButton(), o->MaximizeButton(), o->CloseButton()}) {
    EXPECT_EQ(b->CustomWidth(), 17);
    EXPECT_EQ(b->CustomHeight(), 17);
    EXPECT_TRUE(b->Visible());
  }
  o->SetBorderIcons(TSpBorderIcons{briClose});
  EXPECT_FALSE(o->SystemButton()->Visible());
  EXPECT_FALSE(o->MinimizeButton()->Visible());
  EXPECT_FALSE(o->MaximizeButton()->Visible());
  EXPECT_TRUE(o->CloseButton()->Visible());
  o->SetBorderIcons(TSpBorderIcons{briSystemMenu, briMinimize, briMaximize, briClose});
  // The maximize button shows the restore image while the form is maximized.
  o->SetMaximizeImageIndex(1);
  o->SetRestoreImageIndex(2);
  EXPECT_EQ(o->MaximizeButton()->ImageIndex(), 1);
  o->MaximizeButton()->Click();
  Pump();
  EXPECT_EQ(form->WindowState(), fw::wsMaximized);
  EXPECT_EQ(o->MaximizeButton()->ImageIndex(), 2);
  o->MaximizeButton()->Click();
  Pump();
  EXPECT_EQ(form->WindowState(), fw::wsNormal);
  EXPECT_EQ(o->MaximizeButton()->ImageIndex(), 1);
  o->MinimizeButton()->Click();
  EXPECT_EQ(commands, std::vector<win::WPARAM>{win::SC_MINIMIZE});
}

TEST_F(CsTitleBarTest, CaptionStripMovesAndMaximizes) {
  TCsToolbar* strip = bar->Toolbar();
  const Integer x = strip->Width() / 2, y = strip->Height() / 2;  // over the spacer, a label
  win::SendMessageW(strip->Handle(), win::WM_LBUTTONDOWN, win::MK_LBUTTON, At(x, y));
  EXPECT_EQ(commands, std::vector<win::WPARAM>{win::SC_MOVE + 2});
  win::SendMessageW(strip->Handle(), win::WM_LBUTTONDBLCLK, win::MK_LBUTTON, At(x, y));
  Pump();
  EXPECT_EQ(form->WindowState(), fw::wsMaximized);
  commands.clear();
  win::SendMessageW(strip->Handle(), win::WM_LBUTTONDOWN, win::MK_LBUTTON, At(x, y));
  EXPECT_TRUE(commands.empty());  // a maximized form is not moved
  win::SendMessageW(strip->Handle(), win::WM_LBUTTONDBLCLK, win::MK_LBUTTON, At(x, y));
  Pump();
  EXPECT_EQ(form->WindowState(), fw::wsNormal);
}

TEST_F(CsTitleBarTest, SystemMenuStateAndCommands) {
  const win::HMENU menu = win::GetSystemMenu(form->Handle(), false);
  ASSERT_NE(menu, nullptr);
  const auto grayed = [&](win::WPARAM c) {
    return (win::GetMenuState(menu, win::UINT(c), win::MF_BYCOMMAND) & win::MF_GRAYED) != 0;
  };
  UpdateSystemMenuItems(form);
  EXPECT_TRUE(grayed(win::SC_RESTORE));
  EXPECT_FALSE(grayed(win::SC_MAXIMIZE));
  EXPECT_FALSE(grayed(win::SC_MOVE));
  EXPECT_FALSE(grayed(win::SC_SIZE));
  ExecuteSystemCommand(form, win::SC_MAXIMIZE);
  Pump();
  EXPECT_EQ(form->WindowState(), fw::wsMaximized);
  UpdateSystemMenuItems(form);
  EXPECT_FALSE(grayed(win::SC_RESTORE));
  EXPECT_TRUE(grayed(win::SC_MAXIMIZE));
  EXPECT_TRUE(grayed(win::SC_MOVE));
  EXPECT_TRUE(grayed(win::SC_SIZE));
  ExecuteSystemCommand(form, win::SC_RESTORE);
  Pump();
  EXPECT_EQ(form->WindowState(), fw::wsNormal);
  ExecuteSystemCommand(form, win::SC_MINIMIZE);
  ExecuteSystemCommand(form, 0);  // nothing chosen
  EXPECT_EQ(commands, std::vector<win::WPARAM>{win::SC_MINIMIZE});
}

TEST_F(CsTitleBarTest, FrameAndCaptionPaintedThroughTheTheme) {
  auto* probe = dynamic_cast<txtest::TProbeTheme*>(tx::CurrentTheme);
  probe->Calls.clear();
  win::RedrawWindow(bar->Handle(), nullptr, nullptr,
                    win::RDW_INVALIDATE | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW);
  Pump();
  // The bar's frame and the caption strip (the dock's background) both come from the theme.
  EXPECT_GE(probe->Of("FloatingBorder").size(), 2u);
  // The frame is asked for the bar's whole rectangle.
  const TRect whole = bar->ClientRect();
  int frames = 0;
  for (const auto& call : probe->Of("FloatingBorder")) frames += call.R == whole;
  EXPECT_GE(frames, 1);
}

}  // namespace
}  // namespace cs
