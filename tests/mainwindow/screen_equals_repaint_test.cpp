// What the main window shows after an everyday action is what a whole repaint of it draws: after
// a theme switch, a stepped resize across the chevron point, presses on the grips and the menu
// bar, a bar dragged, floated and docked back, a menu opened and closed, the pointer passed over
// a bar and a spin pressed, in every theme. A paint that skips what changed, or a rectangle taken
// for drawn that was not, leaves pixels that differ from the repaint.

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "controls/CsEditItems.h"
#include "framework/StringList.h"
#include "mainwindow/GraphToolbar.h"
#include "mainwindow/MainWindowBars.h"
#include "mainwindow_fixture.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "support/Snapshot.h"
#include "toolbars/TBDockableWindow.h"
#include "toolbars/TBFloatingParent.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"
#include "toolbars/ToolbarsFixture.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"

namespace mainwindowtest {
namespace {

using toolbars::dpBottom;
using toolbars::dpTop;

// Every theme the program registers (the test checks the list is whole).
const char* const kThemes[] = {"Default", "Aluminum", "DefaultXP", "Dream",  "Miranda", "Monai",
                               "Nexos5",  "OfficeK",  "SentimoX",  "Stripes", "Zezio"};

struct Picture {
  win::RECT box{};
  std::vector<win::COLORREF> pixels;
};

class ScreenEqualsRepaint : public MainWindowTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // A menu caught half faded in is not what a repaint draws: menus open whole.
    win::SystemParametersInfoW(win::SPI_GETMENUANIMATION, 0, &menuAnimation, 0);
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
    tx::SetCurrentTheme("Default");
    form->SetBounds(20, 20, 760, 560);  // within the test screen
    Pump();
    form->OpenFileNames({WriteFile("graph.txt", "1 2\n2 4\n3 9\n")});
    Pump();
  }
  void TearDown() override {
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(uintptr_t(menuAnimation)), 0);
    MainWindowTest::TearDown();
  }
  workspace::TBar* Bar(const char* Name) { return form->Bars()->Toolbar(Name); }
  static win::RECT ScreenRect(fw::TWinControl* C) {
    win::RECT r{};
    win::GetWindowRect(C->Handle(), &r);
    return r;
  }
  Picture Capture() {
    Picture p;
    p.box = ScreenRect(form);
    desktop->composite_screen();
    for (int y = p.box.top; y < p.box.bottom; ++y)
      for (int x = p.box.left; x < p.box.right; ++x) p.pixels.push_back(desktop->screen_pixel(x, y));
    return p;
  }
  // Every window invalidated, frames and children included, and painted whole at once.
  static void RepaintEverything() {
    std::vector<win::HWND> shown;
    win::EnumWindows(
        [](win::HWND W, win::LPARAM L) -> win::BOOL {
          if (win::IsWindowVisible(W)) reinterpret_cast<std::vector<win::HWND>*>(L)->push_back(W);
          return win::TRUE;
        },
        win::LPARAM(&shown));
    for (win::HWND w : shown)
      win::RedrawWindow(w, nullptr, nullptr,
                        win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME | win::RDW_ALLCHILDREN |
                            win::RDW_UPDATENOW);
  }
  // The screen over the main window, then after a whole repaint: the same to the pixel.
  void ExpectScreenEqualsRepaint(const std::string& After) {
    SCOPED_TRACE(After);
    const Picture shown = Capture();
    RepaintEverything();
    const Picture whole = Capture();
    ASSERT_EQ(shown.pixels.size(), whole.pixels.size());
    const int width = shown.box.right - shown.box.left;
    int differing = 0;
    win::RECT bounds{width, int(shown.pixels.size()) / width, -1, -1};
    for (size_t i = 0; i < shown.pixels.size(); ++i) {
      if (shown.pixels[i] == whole.pixels[i]) continue;
      ++differing;
      const int x = int(i) % width, y = int(i) / width;
      bounds = {std::min<int>(bounds.left, x), std::min<int>(bounds.top, y), std::max<int>(bounds.right, x + 1),
                std::max<int>(bounds.bottom, y + 1)};
    }
    EXPECT_EQ(differing, 0) << GetParam() << ": " << differing << " pixels differ from a whole repaint, within ("
                            << bounds.left << ", " << bounds.top << ")-(" << bounds.right << ", " << bounds.bottom
                            << ") of the window";
    if (differing != 0) {
      std::string name = std::string(GetParam()) + "-" + After;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      Save(shown, name + "-shown");
      Save(whole, name + "-repainted");
    }
  }
  static void Save(const Picture& P, const std::string& Label) {
    std::vector<uint32_t> bits;
    for (win::COLORREF c : P.pixels)
      bits.push_back(0xFF000000u | (uint32_t(c & 0xFF) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu));
    win::HBITMAP bmp = win::CreateBitmap(P.box.right - P.box.left, P.box.bottom - P.box.top, 1, 32, bits.data());
    kvtest::SaveSnapshot(bmp, Label);
    win::DeleteObject(bmp);
  }
  // A press at P (screen) on W, as the non-client code given or (0) a client press, released
  // where it went down: the drag loop it starts takes the scripted release.
  void PressInPlace(fw::TWinControl* W, win::POINT P, fw::Integer NonClientCode) {
    desktop->mouse_move(P);
    Pump();
    desktop->script([this, P] { desktop->mouse_up(P); });
    win::POINT c = P;
    if (NonClientCode == 0) win::ScreenToClient(W->Handle(), &c);
    win::SendMessageW(W->Handle(), NonClientCode ? win::WM_NCLBUTTONDOWN : win::WM_LBUTTONDOWN,
                      win::WPARAM(NonClientCode), win::MAKELPARAM(c.x, c.y));
    Pump();
    EXPECT_EQ(desktop->pending_script(), 0u) << "no drag loop took the release at " << P.x << "," << P.y;
  }
  // A press on the drag handle (or caption) code at From, moved through the points and let go
  // at the last one, Ctrl held throughout when asked.
  void Drag(fw::TWinControl* W, win::POINT From, fw::Integer Code, std::vector<win::POINT> Path, bool Ctrl = false) {
    desktop->mouse_move(From);
    Pump();
    if (Ctrl) desktop->script([this] { desktop->key_down(win::VK_CONTROL); });
    for (const win::POINT& p : Path) desktop->script([this, p] { desktop->mouse_move(p); });
    desktop->script([this, Path, Ctrl] {
      desktop->mouse_up(Path.back());
      if (Ctrl) desktop->key_up(win::VK_CONTROL);
    });
    win::SendMessageW(W->Handle(), win::WM_NCLBUTTONDOWN, win::WPARAM(Code), win::MAKELPARAM(From.x, From.y));
    Pump();
  }
  win::BOOL menuAnimation = win::TRUE;
  win::POINT Away() {
    const win::RECT r = ScreenRect(form);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2 + 40};
  }
};

TEST_P(ScreenEqualsRepaint, AfterEveryActionOfTheTable) {
  const std::string theme = GetParam();
  {
    // The table holds every theme the program registers.
    fw::TStringList names;
    tx::GetRegisteredThemes(&names);
    std::vector<std::string> registered, listed(std::begin(kThemes), std::end(kThemes));
    for (fw::Integer i = 0; i < names.Count(); ++i) registered.push_back(names.Strings(i));
    std::sort(registered.begin(), registered.end());
    std::sort(listed.begin(), listed.end());
    ASSERT_EQ(registered, listed);
  }
  // The theme chosen while the program runs, from Default and back again.
  tx::SetCurrentTheme(theme);
  Pump();
  ExpectScreenEqualsRepaint("switch from Default");
  tx::SetCurrentTheme("Default");
  Pump();
  ExpectScreenEqualsRepaint("switch back to Default");
  tx::SetCurrentTheme(theme);
  Pump();

  // Narrowed in steps past the point where the bars hide buttons behind their chevrons, then
  // widened at once.
  for (const int width : {700, 650, 420, 760}) {
    form->SetWidth(width);
    Pump();
    ExpectScreenEqualsRepaint("width " + std::to_string(width));
  }

  // A press on each grip and on the menu bar's empty part, released where it went down.
  for (workspace::TBar* bar : form->Bars()->Toolbars()) {
    if (!bar->Visible() || bar->Floating()) continue;
    const win::RECT r = ScreenRect(bar);
    PressInPlace(bar, {r.left + 3, (r.top + r.bottom) / 2}, toolbars::HTDockBorder);
    ExpectScreenEqualsRepaint("press on the grip of " + bar->Name());
  }
  {
    workspace::TBar* menu = form->Bars()->MenuBar();
    const win::RECT r = ScreenRect(menu);
    PressInPlace(menu, {r.right - 20, (r.top + r.bottom) / 2}, 0);
    ExpectScreenEqualsRepaint("press on the menu bar");
  }

  // "Стандартная" dragged onto the bottom dock, floated with Ctrl and docked back on top.
  workspace::TBar* standard = Bar("StandardToolbar");
  form->SetBounds(20, 20, 700, 480);
  Pump();
  {
    const win::RECT r = ScreenRect(standard);
    const win::RECT onto = ScreenRect(Bar("FormatToolbar"));
    const win::POINT target{(onto.left + onto.right) / 2, (onto.top + onto.bottom) / 2};
    Drag(standard, {r.left + 3, (r.top + r.bottom) / 2}, toolbars::HTDockBorder,
         {{target.x, target.y - 20}, target});
    EXPECT_EQ(standard->CurrentDock(), form->Bars()->Dock(dpBottom));
    ExpectScreenEqualsRepaint("bar dragged to the bottom dock");
  }
  {
    const win::RECT r = ScreenRect(standard);
    const win::POINT from{r.left + 3, (r.top + r.bottom) / 2};
    const win::POINT over{Away().x - 100, Away().y - 60};
    Drag(standard, from, toolbars::HTDockBorder, {{from.x, from.y - 40}, over}, true);
    EXPECT_TRUE(standard->Floating());
    ExpectScreenEqualsRepaint("bar floated");
  }
  if (standard->Floating()) {
    toolbars::TTBFloatingWindowParent* frame = standard->FloatingParent();
    const win::RECT r = ScreenRect(frame);
    const fw::TRect caption = frame->GetCaptionRect(true, true);
    const win::POINT from{r.left + caption.left + 10, r.top + caption.top + 4};
    const win::RECT onto = ScreenRect(form->GraphBar()->Bar());
    const win::POINT target{onto.left + 20, (onto.top + onto.bottom) / 2};
    Drag(frame, from, toolbars::HTDockCaption, {{target.x, target.y + 30}, target});
    EXPECT_EQ(standard->CurrentDock(), form->Bars()->Dock(dpTop));
    ExpectScreenEqualsRepaint("bar docked back");
  }

  // The first menu opened from the menu bar, looked at while open, and closed with Esc.
  {
    workspace::TBar* menu = form->Bars()->MenuBar();
    const fw::TRect file = menu->View()->Viewers(0)->BoundsRect();
    win::POINT at{(file.left + file.right) / 2, (file.top + file.bottom) / 2};
    win::ClientToScreen(menu->Handle(), &at);
    bool opened = false;
    desktop->script([&] {
      opened = !toolbars::testing::Popups().empty();
      ExpectScreenEqualsRepaint("menu open");
      desktop->press_key(win::VK_ESCAPE);
    });
    desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
    desktop->click(at);
    Pump();
    EXPECT_TRUE(opened);
    desktop->mouse_move(Away());
    Pump();
    ExpectScreenEqualsRepaint("menu closed");
  }

  // The pointer passed along "Анализ" and away.
  {
    const win::RECT r = ScreenRect(Bar("AnalysisToolbar"));
    for (int x = r.left + 2; x < r.right; x += 7) {
      desktop->mouse_move({x, (r.top + r.bottom) / 2});
      Pump();
    }
    ExpectScreenEqualsRepaint("pointer over a bar");
    desktop->mouse_move(Away());
    Pump();
    ExpectScreenEqualsRepaint("pointer passed over a bar");
  }

  // The width spin of the graph toolbar pressed on its upper half and let go.
  {
    workspace::TBar* graphBar = form->GraphBar()->Bar();
    toolbars::TTBItemViewer* spin = graphBar->View()->Find(form->GraphBar()->WidthItem());
    ASSERT_TRUE(spin->Show());
    const fw::TRect b = spin->BoundsRect();
    win::POINT at{b.right - 4, b.top + 4};
    win::ClientToScreen(graphBar->Handle(), &at);
    desktop->mouse_move(at);
    Pump();
    // The press runs the bar's loop, which takes the release and ends: the bar keeps neither the
    // keyboard nor a button drawn hot.
    desktop->script([&] { desktop->mouse_up(at); });
    desktop->mouse_down(at);
    Pump();
    desktop->mouse_move(Away());
    Pump();
    ExpectScreenEqualsRepaint("spin pressed");
  }
}

INSTANTIATE_TEST_SUITE_P(EveryTheme, ScreenEqualsRepaint, ::testing::ValuesIn(kThemes),
                         [](const ::testing::TestParamInfo<const char*>& Info) { return std::string(Info.param); });

}  // namespace
}  // namespace mainwindowtest
