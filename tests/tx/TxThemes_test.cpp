// The theme registry, the non-client geometry helpers and the theme manager.

#include <string>

#include "framework/StringList.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/MonitorLayout.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "tx/FakeVisualStyles.h"
#include "tx/RecordingTheme.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemesManager.h"
#include "tx/detail/TxFillData.h"

namespace {

using namespace tx;
using txtest::TListener;
using txtest::TRecordingTheme;

class ThemesTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    InitTxThemes();
  }
  void TearDown() override {
    DoneTxThemes();
    win::ResetSysColors();
    win::ResetSystemParameters();
    win::SetDisplayBitsPerPixelForTesting(0);
    HeadlessTest::TearDown();
  }
  static std::string MessageOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const fw::Exception& e) {
      return e.Message();
    }
    return "(nothing raised)";
  }
  win::LRESULT Send(win::UINT msg, win::WPARAM w = 0) { return win::SendMessageW(ThemeManager->Handle(), msg, w, 0); }
  static std::vector<win::WPARAM> Phases(const std::vector<fw::TMessage>& heard) {
    std::vector<win::WPARAM> out;
    for (const auto& m : heard)
      if (m.Msg == TXM_SYSCHANGE) out.push_back(m.WParam);
    return out;
  }
};

TEST_F(ThemesTest, RegistrationRefusesEmptyAndDuplicateNames) {
  RegisterTheme("Default", &ThemeClassOf<TRecordingTheme>);
  EXPECT_EQ(MessageOf([] { RegisterTheme("default", &ThemeClassOf<TRecordingTheme>); }),
            "Theme default is already registered");
  EXPECT_EQ(MessageOf([] { RegisterTheme("", &ThemeClassOf<TRecordingTheme>); }), "Cannot register theme");
  EXPECT_EQ(MessageOf([] { RegisterTheme("Other", nullptr); }), "Cannot register theme");
  ASSERT_EQ(ThemeRegistry().size(), 1u);
  EXPECT_EQ(FindThemeIndex("DEFAULT"), 0);
  EXPECT_EQ(FindThemeIndex("Defaul"), -1);
  EXPECT_TRUE(IsThemeRegistered("deFault"));
}

TEST_F(ThemesTest, ListsNamesInRegistrationOrderWithoutClearing) {
  RegisterTheme("Default", &ThemeClassOf<TRecordingTheme>);
  RegisterTheme("Aluminum", &ThemeClassOf<TRecordingTheme>);
  RegisterTheme("Zezio", &ThemeClassOf<TRecordingTheme>);
  fw::TStringList list;
  list.Add("kept");
  GetRegisteredThemes(&list);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Strings(0), "kept");
  EXPECT_EQ(list.Strings(1), "Default");
  EXPECT_EQ(list.Strings(2), "Aluminum");
  EXPECT_EQ(list.Strings(3), "Zezio");
}

TEST_F(ThemesTest, LongNamesAreCutAndFoundAgain) {
  const std::string longName(300, 'x');
  RegisterTheme(longName, &ThemeClassOf<TRecordingTheme>);
  EXPECT_EQ(ThemeRegistry()[0].Name, std::string(255, 'x'));
  EXPECT_EQ(FindThemeIndex(longName), 0);
  EXPECT_EQ(MessageOf([&] { RegisterTheme(longName, &ThemeClassOf<TRecordingTheme>); }),
            "Theme " + longName + " is already registered");
}

TEST_F(ThemesTest, AcquireAndReleaseCount) {
  RegisterTheme("Spare", &ThemeClassOf<TRecordingTheme>);
  RegisterTheme("Default", &ThemeClassOf<TRecordingTheme>);
  TRecordingTheme::Destroyed = 0;
  TTxTheme* a = AcquireTheme("DEFAULT");
  TTxTheme* b = AcquireTheme("Default");
  ASSERT_EQ(a, b);
  EXPECT_EQ(a->Name(), "Default") << "the name as registered";
  EXPECT_EQ(ThemeRegistry()[1].RefCount, 2);
  // A new instance hears one TXM_SYSCHANGE telling whether the application is active.
  const auto& heard = static_cast<TRecordingTheme*>(a)->Heard;
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].Msg, TXM_SYSCHANGE);
  EXPECT_EQ(heard[0].WParam, 0u) << "no window of ours is active";

  ReleaseTheme(b);
  EXPECT_EQ(b, a) << "the caller's variable keeps its value";
  EXPECT_EQ(TRecordingTheme::Destroyed, 0);
  ReleaseTheme(b);
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(TRecordingTheme::Destroyed, 1);
  EXPECT_EQ(ThemeRegistry()[1].Instance, nullptr);
  EXPECT_EQ(ThemeRegistry()[1].RefCount, 0);
  // Null is held by no entry, although "Spare" holds nothing yet.
  EXPECT_EQ(MessageOf([&] { ReleaseTheme(b); }), "Cannot release theme");
  EXPECT_EQ(ThemeRegistry()[0].RefCount, 0);
  EXPECT_EQ(MessageOf([] { AcquireTheme("Nope"); }), "Unknown theme Nope");

  TTxTheme* again = AcquireTheme("default");
  EXPECT_NE(again, nullptr);
  TTxTheme* stray = again;
  ReleaseTheme(again);
  EXPECT_EQ(MessageOf([&] { ReleaseTheme(stray); }), "Cannot release theme") << "a freed instance is unknown";
}

TEST_F(ThemesTest, NonClientGeometry) {
  TTxToolbarInfo bar;
  bar.AllowDrag = false;
  for (int style : {0, 1, 2}) {
    bar.DragHandleStyle = style;
    EXPECT_EQ(GetDragHandleSize(bar), 0) << "the dock forbids dragging";
  }
  bar.AllowDrag = true;
  const int without[3] = {9, 0, 6};
  for (int style : {0, 1, 2}) {
    bar.DragHandleStyle = style;
    bar.CloseButtonState = 0;
    EXPECT_EQ(GetDragHandleSize(bar), without[style]);
    bar.CloseButtonState = CDBS_VISIBLE | CDBS_HOT;
    EXPECT_EQ(GetDragHandleSize(bar), 14);
  }
  bar.BorderSize = {2, 3};
  bar.ClientWidth = 50;
  TRect r{};
  GetToolbarCloseButtonRect(bar, r);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.top, 3);
  EXPECT_EQ(r.right, 15);
  EXPECT_EQ(r.bottom, 16);
  bar.IsVertical = true;
  GetToolbarCloseButtonRect(bar, r);
  EXPECT_EQ(r.left, 2 + 50 - 13);

  TTxFloatingWindowInfo w;
  w.ClientWidth = 100;
  w.FloatingBorderSize = {4, 5};
  const int caption = win::GetSystemMetrics(win::SM_CYSMCAPTION) - 1;
  GetFloatingCaptionRect(w, false, true, r);
  EXPECT_EQ(r.right, 100 - caption);
  EXPECT_EQ(r.bottom, caption);
  GetFloatingCaptionRect(w, true, false, r);
  EXPECT_EQ(r.left, 4);
  EXPECT_EQ(r.top, 5);
  EXPECT_EQ(r.right, 104);
  GetFloatingCloseButtonRect(w, true, r);
  EXPECT_EQ(r.right - r.left, caption);
  EXPECT_EQ(r.right, 104);
}

TEST_F(ThemesTest, SystemChangesReachListenersInThreePhases) {
  TListener first, second;
  AddSysChangeListener(&first);
  AddSysChangeListener(&second);
  bool seenNewColoursOnPhase1 = false;
  first.OnMessage = [&](fw::TMessage& m) {
    if (m.WParam == TSC_BEFORE_CHANGE) seenNewColoursOnPhase1 = HighContrastColors;
  };
  const win::INT index = win::COLOR_BTNFACE;
  const win::COLORREF white = 0xFFFFFF;
  win::SetSysColors(1, &index, &white);  // heard by the hidden window like every top-level one
  desktop->run_until_idle();
  EXPECT_EQ(Phases(first.Heard), (std::vector<win::WPARAM>{1, 2, 3}));
  EXPECT_EQ(Phases(second.Heard), (std::vector<win::WPARAM>{1, 2, 3}));
  EXPECT_TRUE(seenNewColoursOnPhase1) << "globals are recomputed before phase 1";

  // A new monitor layout reaches the hidden window as the system announces it.
  first.Heard.clear();
  ASSERT_TRUE(win::SetMonitorLayout({{win::RECT{0, 0, 1024, 768}, win::RECT{0, 0, 1024, 740}},
                                     {win::RECT{1024, 0, 2048, 768}, win::RECT{1024, 0, 2048, 768}}}));
  desktop->run_until_idle();
  EXPECT_EQ(Phases(first.Heard), (std::vector<win::WPARAM>{1, 2, 3}));
  win::ResetMonitorLayout();

  for (win::UINT msg : {win::WM_DISPLAYCHANGE, win::WM_THEMECHANGED}) {
    first.Heard.clear();
    Send(msg);
    EXPECT_EQ(Phases(first.Heard), (std::vector<win::WPARAM>{1, 2, 3})) << msg;
  }
  first.Heard.clear();
  Send(win::WM_ACTIVATEAPP, 1);
  Send(win::WM_ACTIVATEAPP, 0);
  EXPECT_EQ(Phases(first.Heard), (std::vector<win::WPARAM>{4, 5}));
  for (const auto& m : first.Heard) EXPECT_EQ(m.LParam, 0);
  RemoveSysChangeListener(&first);
  RemoveSysChangeListener(&second);
}

TEST_F(ThemesTest, ChangesWithoutListenersStillRecompute) {
  EXPECT_FALSE(LowColorDisplay);
  fw::TBitmap target;
  target.SetSize(4, 4);
  BrushedFill(target.Canvas()->Handle(), nullptr, TRect{0, 0, 4, 4}, 0x808080, 256);
  ASSERT_EQ(detail::BrushedCacheCount(), 1);
  win::SetDisplayBitsPerPixelForTesting(8);
  win::SystemParametersInfoW(win::SPI_SETFLATMENU, 0, reinterpret_cast<void*>(uintptr_t(1)), 0);
  EXPECT_EQ(Send(win::WM_SYSCOLORCHANGE), 0);
  EXPECT_TRUE(LowColorDisplay);
  EXPECT_EQ(detail::BrushedCacheCount(), 0) << "the texture cache is cleared";
  EXPECT_FALSE(VisualStylesActive);
  EXPECT_EQ(ToolbarThemeHandle, nullptr);
  EXPECT_EQ(ToolbarColor, fw::clBtnFace);
  EXPECT_EQ(MenuBackColor, fw::clMenu);
}

TEST_F(ThemesTest, ListenersLeavingDuringABroadcastAreNotCalled) {
  TListener a, b, c;
  for (TListener* l : {&a, &b, &c}) AddSysChangeListener(l);
  a.OnMessage = [&](fw::TMessage&) { RemoveSysChangeListener(&b); };
  c.OnMessage = [&](fw::TMessage& m) { m.Result = 7; };
  EXPECT_EQ(ThemeManager->Broadcast(TXM_SYSCHANGE, 2, 0), 7);
  EXPECT_EQ(b.Heard.size(), 0u);
  EXPECT_EQ(c.Heard.size(), 1u);
  EXPECT_EQ(ThemeManager->ListenerCount(), 2);
  RemoveSysChangeListener(&a);
  RemoveSysChangeListener(&c);
  RemoveSysChangeListener(&c);  // not listed: nothing happens
  EXPECT_EQ(ThemeManager->Broadcast(TXM_SYSCHANGE, 2, 0), 0);
}

TEST_F(ThemesTest, VisualStylesThroughAProvider) {
  {
    txtest::FakeVisualStyles fake;
    fake.colors[{u"TOOLBAR", 0, 0, TMT_FILLCOLOR}] = 0x00ABCDEF;
    Send(win::WM_THEMECHANGED);
    EXPECT_TRUE(VisualStylesActive);
    const auto opened = fake.Calls("OpenThemeData");
    ASSERT_EQ(opened.size(), 9u);
    EXPECT_EQ(opened[0].themeClass, u"BUTTON");
    EXPECT_EQ(opened[8].themeClass, u"SPIN");
    EXPECT_NE(SpinThemeHandle, nullptr);
    EXPECT_EQ(ToolbarColor, 0x00ABCDEF);
    EXPECT_EQ(ToolbarTextColor, fw::clBtnText) << "a failing query keeps the value";

    fake.active = false;
    fake.Clear();
    Send(win::WM_THEMECHANGED);
    EXPECT_EQ(fake.Calls("CloseThemeData").size(), 9u);
    EXPECT_FALSE(VisualStylesActive);
    EXPECT_EQ(ButtonThemeHandle, nullptr);
    EXPECT_TRUE(fake.Calls("OpenThemeData").empty()) << "no handles while styles are off";
  }
  Send(win::WM_THEMECHANGED);
  EXPECT_FALSE(VisualStylesActive);
}

}  // namespace
