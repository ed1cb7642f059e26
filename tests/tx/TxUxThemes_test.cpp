// Binding of the visual-style library: absent on this system, present through the stand-in.

#include "platform/kernel/Modules.h"
#include "platform/kernel/Rects.h"
#include "tx/FakeVisualStyles.h"
#include "tx/TxTestSupport.h"
#include "tx/TxUxThemes.h"

namespace {

using namespace tx;

TEST(TxUxThemes, AbsentLibraryLeavesEverythingNull) {
  EXPECT_FALSE(LoadUxTheme());
  EXPECT_FALSE(IsUxThemeActive());
  EXPECT_EQ(ux::OpenThemeData, nullptr);
  EXPECT_EQ(ux::DrawThemeBackground, nullptr);
  EXPECT_EQ(ux::EnableTheming, nullptr);
  FreeUxTheme();  // nothing loaded: nothing happens
  EXPECT_EQ(ux::GetThemeColor, nullptr);
}

TEST(TxUxThemes, ProviderBindsAndFreeClears) {
  {
    txtest::FakeVisualStyles fake;
    ASSERT_TRUE(LoadUxTheme());
    EXPECT_TRUE(LoadUxTheme()) << "loading again changes nothing";
    EXPECT_NE(ux::DrawThemeBackground, nullptr);
    EXPECT_EQ(ux::DrawThemeEdge, nullptr) << "a missing entry point stays null alone";
    EXPECT_TRUE(IsUxThemeActive());
    fake.active = false;
    EXPECT_FALSE(IsUxThemeActive());
    FreeUxTheme();
    EXPECT_EQ(ux::DrawThemeBackground, nullptr);
    EXPECT_FALSE(IsUxThemeActive());
  }
  EXPECT_FALSE(LoadUxTheme()) << "the provider is gone";
}

HTHEME NoTheme(win::HWND, win::LPCWSTR) { return nullptr; }

TEST(TxUxThemes, ALibraryWithoutTheQueriesIsNotActive) {
  win::modules::RegisterFunction(u"uxtheme.dll", "OpenThemeData", &NoTheme);
  ASSERT_TRUE(LoadUxTheme());
  EXPECT_EQ(ux::IsAppThemed, nullptr);
  EXPECT_FALSE(IsUxThemeActive()) << "missing queries are not called";
  FreeUxTheme();
  win::modules::Unregister(u"uxtheme.dll");
  EXPECT_FALSE(LoadUxTheme());
}

}  // namespace
