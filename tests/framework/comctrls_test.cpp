// Track bars and up-down controls on a form: properties reaching the window, keyboard and mouse
// through the platform classes, events, vetoes and what a new window keeps.

#include <string>
#include <vector>

#include "framework/ComCtrls.h"
#include "framework/StdCtrlsEdit.h"
#include "platform/controls/CommCtrl.h"
#include "stdctrls_support.h"

namespace fw::testing {
namespace {

class ComCtrlsTests : public StdCtrlsTest {
 protected:
  // A point in a window's rectangle on the screen, by fractions of its size.
  static win::POINT InWindow(win::HWND h, double fx, double fy) {
    win::RECT r{};
    win::GetWindowRect(h, &r);
    return win::POINT{r.left + int((r.right - r.left) * fx), r.top + int((r.bottom - r.top) * fy)};
  }
};

TEST_F(ComCtrlsTests, TrackBarPropertiesReachTheWindowAndTheUsersMovesFireOnChange) {
  auto* bar = Add<TTrackBar>(10, 10, 200, 40);
  bar->SetMax(20);
  bar->SetPosition(5);
  bar->SetLineSize(2);
  bar->SetPageSize(5);
  bar->SetFrequency(5);
  bar->SetSelStart(3);
  bar->SetSelEnd(8);
  bar->SetTickMarks(tmBoth);
  int changes = 0;
  bar->OnChange = [&](TObject* s) {
    EXPECT_EQ(s, bar);
    ++changes;
  };
  ShowForm();
  win::HWND h = bar->Handle();
  EXPECT_EQ(win::SendMessageW(h, win::TBM_GETRANGEMAX, 0, 0), 20);
  EXPECT_EQ(win::SendMessageW(h, win::TBM_GETPOS, 0, 0), 5);
  EXPECT_EQ(win::SendMessageW(h, win::TBM_GETLINESIZE, 0, 0), 2);
  EXPECT_EQ(win::SendMessageW(h, win::TBM_GETPAGESIZE, 0, 0), 5);
  EXPECT_EQ(win::SendMessageW(h, win::TBM_GETSELSTART, 0, 0), 3);
  EXPECT_EQ(win::SendMessageW(h, win::TBM_GETSELEND, 0, 0), 8);
  EXPECT_NE(win::GetWindowLongW(h, win::GWL_STYLE) & win::LONG(win::TBS_BOTH), 0);
  EXPECT_NE(win::GetWindowLongW(h, win::GWL_STYLE) & win::LONG(win::TBS_AUTOTICKS), 0);

  bar->SetFocus();
  Key(win::VK_RIGHT);
  EXPECT_EQ(bar->Position(), 7);
  EXPECT_EQ(changes, 1);
  Key(win::VK_NEXT);
  EXPECT_EQ(bar->Position(), 12);
  Key(win::VK_END);
  EXPECT_EQ(bar->Position(), 20);
  EXPECT_EQ(changes, 3);
  bar->SetPosition(99);
  EXPECT_EQ(bar->Position(), 20);
  bar->SetPosition(4);
  EXPECT_EQ(changes, 3) << "positions set in code are no user moves";

  bar->SetOrientation(trVertical);
  Pump();
  EXPECT_NE(bar->Handle(), h);
  EXPECT_NE(win::GetWindowLongW(bar->Handle(), win::GWL_STYLE) & win::LONG(win::TBS_VERT), 0);
  EXPECT_EQ(bar->Width(), 40);
  EXPECT_EQ(win::SendMessageW(bar->Handle(), win::TBM_GETPOS, 0, 0), 4);
  EXPECT_EQ(win::SendMessageW(bar->Handle(), win::TBM_GETRANGEMAX, 0, 0), 20);
}

TEST_F(ComCtrlsTests, UpDownStepsItsAssociateAndReportsTheButton) {
  auto* edit = Add<TEdit>(10, 10, 80, 21);
  auto* updown = Add<TUpDown>(100, 10, 17, 21);
  updown->SetMax(10);
  updown->SetIncrement(3);
  updown->SetPosition(5);
  updown->SetAssociate(edit);
  std::vector<TUDBtnType> clicks;
  updown->OnClick = [&](TObject*, TUDBtnType b) { clicks.push_back(b); };
  ShowForm();
  EXPECT_EQ(edit->Text(), "5");
  desktop->click(InWindow(updown->Handle(), 0.5, 0.25));
  AppPump();
  EXPECT_EQ(updown->Position(), 8);
  EXPECT_EQ(edit->Text(), "8");
  desktop->click(InWindow(updown->Handle(), 0.5, 0.25));
  AppPump();
  EXPECT_EQ(updown->Position(), 10) << "kept within Max";
  desktop->click(InWindow(updown->Handle(), 0.5, 0.75));
  AppPump();
  EXPECT_EQ(updown->Position(), 7);
  EXPECT_EQ(clicks, (std::vector<TUDBtnType>{btNext, btNext, btPrev}));

  // A veto keeps the position.
  updown->OnChanging = [](TObject*, bool& allow) { allow = false; };
  desktop->click(InWindow(updown->Handle(), 0.5, 0.75));
  AppPump();
  EXPECT_EQ(updown->Position(), 7);
  EXPECT_EQ(clicks.size(), 3u);
  updown->OnChanging = nullptr;

  // The arrow keys in the associate step it.
  edit->SetFocus();
  Key(win::VK_DOWN);
  EXPECT_EQ(updown->Position(), 4);
  EXPECT_EQ(edit->Text(), "4");
  // Typed text is the position.
  edit->SetText("9");
  EXPECT_EQ(updown->Position(), 9);

  delete edit;
  EXPECT_EQ(updown->Associate(), nullptr);
  EXPECT_EQ(win::SendMessageW(updown->Handle(), win::UDM_GETBUDDY, 0, 0), 0);
}

TEST_F(ComCtrlsTests, UpDownWrapsAndKeepsItsSettingsOverANewWindow) {
  auto* edit = Add<TEdit>(10, 10, 80, 21);
  auto* updown = Add<TUpDown>(100, 10, 17, 21);
  updown->SetMin(1);
  updown->SetMax(3);
  updown->SetPosition(3);
  updown->SetAssociate(edit);
  std::vector<TUDBtnType> clicks;
  updown->OnClick = [&](TObject*, TUDBtnType b) { clicks.push_back(b); };
  ShowForm();
  updown->SetWrap(true);
  Pump();
  EXPECT_NE(win::GetWindowLongW(updown->Handle(), win::GWL_STYLE) & win::LONG(win::UDS_WRAP), 0);
  EXPECT_EQ(updown->Position(), 3);
  EXPECT_EQ(win::SendMessageW(updown->Handle(), win::UDM_GETBUDDY, 0, 0),
            reinterpret_cast<win::LRESULT>(edit->Handle()));
  desktop->click(InWindow(updown->Handle(), 0.5, 0.25));
  AppPump();
  EXPECT_EQ(updown->Position(), 1);
  EXPECT_EQ(clicks, (std::vector<TUDBtnType>{btNext}));

  updown->SetMax(5000);
  updown->SetPosition(1234);
  EXPECT_EQ(edit->Text().find("1234"), std::string::npos) << "thousands are separated";
  updown->SetThousands(false);
  Pump();
  EXPECT_EQ(edit->Text(), "1234");
}

}  // namespace
}  // namespace fw::testing
