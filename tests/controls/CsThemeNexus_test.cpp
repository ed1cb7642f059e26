// The control set's shared visual-style handles: 0 on this system, which has no visual-style
// library; opened through a stand-in library, closed before and opened again after each system
// change the theme manager announces; and the hand cursor of link text.
#include <gtest/gtest.h>

#include <set>

#include "controls/CsThemeNexus.h"
#include "framework/control_fixture.h"
#include "platform/kernel/Modules.h"
#include "platform/user/messages/Cursor.h"
#include "tx/Tx.h"
#include "tx/TxThemesManager.h"

namespace cs {
namespace {

// A stand-in visual-style library: each open hands out a new handle; the handles open now.
std::set<tx::HTHEME>& OpenHandles() {
  static std::set<tx::HTHEME> open;
  return open;
}
std::set<std::u16string>& Classes() {
  static std::set<std::u16string> classes;
  return classes;
}
tx::HTHEME StandInOpen(win::HWND, win::LPCWSTR ClassName) {
  static std::intptr_t next = 0x100;
  auto* handle = reinterpret_cast<tx::HTHEME>(next++);
  OpenHandles().insert(handle);
  Classes().insert(ClassName);
  return handle;
}
tx::HRESULT StandInClose(tx::HTHEME Theme) {
  OpenHandles().erase(Theme);
  return tx::S_OK;
}

class CsThemeNexusTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    tx::InitTx();
  }
  void TearDown() override {
    StopControlSet();
    tx::DoneTx();
    win::modules::Unregister(u"uxtheme.dll");
    OpenHandles().clear();
    ControlTest::TearDown();
  }
  void Announce(win::WPARAM Phase) { tx::ThemeManager->Broadcast(tx::TXM_SYSCHANGE, Phase, 0); }
};

TEST_F(CsThemeNexusTest, WithoutAVisualStyleLibraryTheHandlesStay0ButTheNexusListens) {
  EXPECT_EQ(ThemeNexus(), nullptr);
  const int listeners = tx::ThemeManager->ListenerCount();
  StartControlSet();
  ASSERT_NE(ThemeNexus(), nullptr);
  EXPECT_EQ(tx::ThemeManager->ListenerCount(), listeners + 1);
  for (win::WPARAM phase : {tx::TSC_BEFORE_CHANGE, tx::TSC_CHANGE, tx::TSC_AFTER_CHANGE}) {
    Announce(phase);
    EXPECT_EQ(ThemeNexus()->TabThemeHandle(), nullptr);
    EXPECT_EQ(ThemeNexus()->ProgressThemeHandle(), nullptr);
    EXPECT_EQ(ThemeNexus()->TrackBarThemeHandle(), nullptr);
  }
  StopControlSet();
  EXPECT_EQ(ThemeNexus(), nullptr);
  EXPECT_EQ(tx::ThemeManager->ListenerCount(), listeners);
}

TEST_F(CsThemeNexusTest, HandlesFollowTheSystemChanges) {
  win::modules::RegisterFunction(u"uxtheme.dll", "OpenThemeData", &StandInOpen);
  win::modules::RegisterFunction(u"uxtheme.dll", "CloseThemeData", &StandInClose);
  StartControlSet();
  StartControlSet();  // counted: one nexus
  TSpThemeNexus* nexus = ThemeNexus();
  EXPECT_EQ(Classes(), (std::set<std::u16string>{u"TAB", u"PROGRESS", u"TRACKBAR"}));
  EXPECT_EQ(OpenHandles(), (std::set<tx::HTHEME>{nexus->TabThemeHandle(), nexus->ProgressThemeHandle(),
                                                 nexus->TrackBarThemeHandle()}));
  Announce(tx::TSC_BEFORE_CHANGE);
  EXPECT_TRUE(OpenHandles().empty());
  EXPECT_EQ(nexus->TabThemeHandle(), nullptr);
  Announce(tx::TSC_CHANGE);
  EXPECT_TRUE(OpenHandles().empty());
  Announce(tx::TSC_AFTER_CHANGE);
  EXPECT_EQ(OpenHandles().size(), 3u);
  EXPECT_NE(nexus->TrackBarThemeHandle(), nullptr);
  StopControlSet();
  EXPECT_EQ(ThemeNexus(), nexus);
  StopControlSet();
  EXPECT_TRUE(OpenHandles().empty());  // the last stop closes them
}

TEST(CsHandCursor, IsTheSystemsHand) {
  EXPECT_NE(HandCursorHandle(), nullptr);
  EXPECT_EQ(HandCursorHandle(), win::LoadCursorW(nullptr, win::IDC_HAND));
}

}  // namespace
}  // namespace cs
