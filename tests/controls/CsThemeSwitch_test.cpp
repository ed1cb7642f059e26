// The control set under the themed engine: the effective theme type follows the current theme,
// and every themed control asks one repaint per theme switch while it lives, none once freed.
#include <gtest/gtest.h>

#include "controls/CsPanels.h"
#include "framework/stdctrls_support.h"
#include "tx/Tx.h"
#include "tx/TxDefaultTheme.h"

namespace cs {
namespace {

class TCountingPanel : public TCsPanel {
 public:
  using TCsPanel::TCsPanel;
  int Repaints = 0;

 protected:
  void ThemeChanged() override {
    ++Repaints;
    TCsPanel::ThemeChanged();
  }
};

class CsThemeSwitchTest : public fw::testing::StdCtrlsTest {
 protected:
  void SetUp() override {
    StdCtrlsTest::SetUp();
    tx::InitTx();
    if (!tx::IsThemeRegistered("Plain")) tx::RegisterTheme("Plain", &tx::ThemeClassOf<tx::TTxDefaultTheme>);
  }
  void TearDown() override {
    tx::SetCurrentTheme("Default");
    tx::DoneTx();
    StdCtrlsTest::TearDown();
  }
};

TEST_F(CsThemeSwitchTest, EffectiveThemeTypeFollowsCurrentTheme) {
  EXPECT_EQ(GetEffectiveThemeType(thtTx), thtNone);  // "Default" without visual styles
  tx::SetCurrentTheme("Plain");
  EXPECT_EQ(GetEffectiveThemeType(thtTx), thtTx);
  EXPECT_EQ(GetEffectiveThemeType(thtWindows), thtNone);
  tx::SetCurrentTheme("Default");
  EXPECT_EQ(GetEffectiveThemeType(thtTx), thtNone);
}

TEST_F(CsThemeSwitchTest, OneRepaintPerSwitchWhileAlive) {
  auto* panel = Add<TCountingPanel>(10, 10, 100, 40);
  ShowForm();
  panel->Repaints = 0;
  tx::SetCurrentTheme("Plain");
  EXPECT_EQ(panel->Repaints, 1);
  tx::SetCurrentTheme("Default");
  EXPECT_EQ(panel->Repaints, 2);
  const tx::Integer listeners = tx::Nexus->ListenerCount();
  delete panel;
  EXPECT_EQ(tx::Nexus->ListenerCount(), listeners - 1);
  tx::SetCurrentTheme("Plain");  // a freed control is not told
}

}  // namespace
}  // namespace cs

TEST(CsThemeTypeBeforeEngine, NoEngineMeansClassicLook) {
  ASSERT_EQ(tx::Nexus, nullptr);
  EXPECT_EQ(cs::GetEffectiveThemeType(cs::thtTx), cs::thtNone);
}
