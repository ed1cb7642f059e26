// The current theme, the 1338 relay and the window queries.

#include "framework/ExtCtrls.h"
#include "framework/control_fixture.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/services/SysColors.h"
#include "toolbars/TBItem.h"
#include "toolbars/TBItemView.h"
#include "tx/RecordingTheme.h"
#include "tx/Tx.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace {

using namespace tx;
using txtest::TListener;
using txtest::TRecordingTheme;

class TBrokenTheme : public TRecordingTheme {
 public:
  explicit TBrokenTheme(const String& AName) : TRecordingTheme(AName) { throw fw::Exception("no colours today"); }
};

// A control that answers both queries.
class TAnsweringPanel : public fw::TPanel {
 public:
  using TPanel::TPanel;
  void Dispatch(fw::TMessage& Message) override {
    if (Message.Msg == TXM_GETEFFECTIVECOLOR) {
      Message.WParam = 0x00123456;
      Message.Result = 1;
      return;
    }
    if (Message.Msg == TXM_GETVIEWTYPE) {
      Message.Result = VT_TOOLBAR_NORMAL;
      return;
    }
    TPanel::Dispatch(Message);
  }
};

class CurrentThemeTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    InitTx();
    RegisterTheme("Recording", &ThemeClassOf<TRecordingTheme>);
    RegisterTheme("Broken", &ThemeClassOf<TBrokenTheme>);
  }
  void TearDown() override {
    DoneTx();
    win::ResetSysColors();
    ControlTest::TearDown();
  }
  static std::vector<std::pair<win::WPARAM, win::LPARAM>> Notices(const TListener& l) {
    std::vector<std::pair<win::WPARAM, win::LPARAM>> out;
    for (const auto& m : l.Heard)
      if (m.Msg == TXM_THEMECHANGE) out.emplace_back(m.WParam, m.LParam);
    return out;
  }
  using Seq = std::vector<std::pair<win::WPARAM, win::LPARAM>>;
};

TEST_F(CurrentThemeTest, StartsWithDefault) {
  ASSERT_NE(CurrentTheme, nullptr);
  EXPECT_EQ(GetCurrentThemeName(), "Default");
  EXPECT_NE(dynamic_cast<TTxDefaultTheme*>(CurrentTheme), nullptr);
  EXPECT_EQ(ThemeRegistry()[0].RefCount, 1) << "the relay holds exactly one count";
  InitTx();  // counted: nothing new
  EXPECT_EQ(ThemeRegistry()[0].RefCount, 1);
  DoneTx();
  EXPECT_NE(CurrentTheme, nullptr);
}

TEST_F(CurrentThemeTest, SwitchingIsAnnouncedInThreePhases) {
  TListener a, b;
  AddThemeChangeListener(&a);
  AddThemeChangeListener(&a);
  AddThemeChangeListener(&b);
  EXPECT_EQ(Nexus->ListenerCount(), 2) << "an object is listed once";
  SetCurrentTheme("Recording");
  EXPECT_EQ(GetCurrentThemeName(), "Recording");
  EXPECT_EQ(Notices(a), (Seq{{1, 1}, {2, 1}, {3, 1}}));
  EXPECT_EQ(Notices(b), (Seq{{1, 1}, {2, 1}, {3, 1}}));
  EXPECT_EQ(ThemeRegistry()[0].Instance, nullptr) << "Default was released and freed";

  // The same theme again, in other letters: released, made afresh, announced.
  TRecordingTheme::Destroyed = 0;
  a.Heard.clear();
  SetCurrentTheme("RECORDING");
  EXPECT_EQ(TRecordingTheme::Destroyed, 1);
  EXPECT_EQ(static_cast<TRecordingTheme*>(CurrentTheme)->Heard.size(), 1u) << "the new instance heard 1336";
  EXPECT_EQ(Notices(a), (Seq{{1, 1}, {2, 1}, {3, 1}}));

  a.Heard.clear();
  SetCurrentTheme("Nope");
  EXPECT_EQ(GetCurrentThemeName(), "Recording");
  EXPECT_TRUE(a.Heard.empty()) << "an unknown name changes nothing";
  RemoveThemeChangeListener(&a);
  RemoveThemeChangeListener(&a);
  RemoveThemeChangeListener(&b);
  EXPECT_EQ(Nexus->ListenerCount(), 0);
}

TEST_F(CurrentThemeTest, AThemeThatCannotBeMadeLeavesTheOldOne) {
  TListener a;
  AddThemeChangeListener(&a);
  EXPECT_THROW(SetCurrentTheme("Broken"), fw::Exception);
  ASSERT_NE(CurrentTheme, nullptr);
  EXPECT_EQ(GetCurrentThemeName(), "Default");
  EXPECT_EQ(ThemeRegistry()[0].RefCount, 1);
  EXPECT_EQ(ThemeRegistry()[2].RefCount, 0);
  EXPECT_EQ(ThemeRegistry()[2].Instance, nullptr);
  EXPECT_TRUE(a.Heard.empty());
  RemoveThemeChangeListener(&a);
}

TEST_F(CurrentThemeTest, SystemChangesAreRelayedWithLParam0) {
  TListener a;
  AddThemeChangeListener(&a);
  // The start theme rebuilds its colours before the relay passes phase 2 on.
  TColor seenOnPhase2 = 0;
  a.OnMessage = [&](fw::TMessage& m) {
    if (m.WParam == TSC_CHANGE) seenOnPhase2 = static_cast<TTxDefaultTheme*>(CurrentTheme)->DockPanelColor();
  };
  const win::INT index = win::COLOR_WINDOW;
  const win::COLORREF black = 0;
  win::SetSysColors(1, &index, &black);
  Pump();
  EXPECT_EQ(Notices(a), (Seq{{1, 0}, {2, 0}, {3, 0}}));
  EXPECT_EQ(seenOnPhase2, MixColorsNearest(fw::clBtnFace, 0, 64));
  a.Heard.clear();
  win::SendMessageW(ThemeManager->Handle(), win::WM_ACTIVATEAPP, 1, 0);
  win::SendMessageW(ThemeManager->Handle(), win::WM_ACTIVATEAPP, 0, 0);
  EXPECT_EQ(Notices(a), (Seq{{4, 0}, {5, 0}}));
  RemoveThemeChangeListener(&a);
}

TEST_F(CurrentThemeTest, ListenersMayLeaveOrDieDuringAnnouncement) {
  TListener survivor, removed;
  auto* dying = new TListener;
  dying->OnMessage = [dying](fw::TMessage&) {
    RemoveThemeChangeListener(dying);
    delete dying;
  };
  survivor.OnMessage = [&](fw::TMessage& m) {
    if (m.WParam == TSC_BEFORE_CHANGE) RemoveThemeChangeListener(&removed);
  };
  AddThemeChangeListener(dying);
  AddThemeChangeListener(&survivor);
  AddThemeChangeListener(&removed);
  SetCurrentTheme("Recording");
  EXPECT_EQ(Notices(survivor), (Seq{{1, 1}, {2, 1}, {3, 1}}));
  EXPECT_TRUE(removed.Heard.empty());
  EXPECT_EQ(Nexus->ListenerCount(), 1);
  RemoveThemeChangeListener(&survivor);
}

TEST_F(CurrentThemeTest, WindowQueries) {
  EXPECT_EQ(GetEffectiveColor(nullptr), fw::clBtnFace);
  EXPECT_EQ(GetWinViewType(nullptr), 0);
  fw::TForm form(nullptr);
  auto* plain = new fw::TPanel(&form);
  plain->SetParent(&form);
  plain->SetColor(fw::clNone);
  EXPECT_EQ(GetEffectiveColor(plain), fw::clNone) << "a plain panel gives its own colour";
  EXPECT_EQ(GetWinViewType(plain), 0);
  auto* answering = new TAnsweringPanel(&form);
  answering->SetParent(&form);
  EXPECT_EQ(GetEffectiveColor(answering), 0x00123456);
  EXPECT_EQ(GetWinViewType(answering), VT_TOOLBAR_NORMAL);
  EXPECT_EQ(GetViewType(nullptr), 0);
  toolbars::TTBRootItem root(nullptr);
  toolbars::TTBView owned(&form, nullptr, &root, answering, true, false, false);
  EXPECT_EQ(GetViewType(&owned), VT_TOOLBAR_NORMAL);
  toolbars::TTBView orphan(nullptr, nullptr, &root, answering, true, false, false);
  EXPECT_EQ(GetViewType(&orphan), 0) << "a view without an owner";
  form.SetColor(fw::clRed);
  EXPECT_EQ(GetEffectiveColor(&form), fw::clRed);
  form.SetFormStyle(fw::fsMDIForm);
  EXPECT_EQ(GetEffectiveColor(&form), fw::clBtnFace);
}

}  // namespace
