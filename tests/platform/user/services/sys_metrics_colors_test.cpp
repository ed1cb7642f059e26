#include <gtest/gtest.h>

#include <vector>

#include "platform/user/services/MonitorLayout.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysWindowLink.h"
#include "platform/user/services/sys_link_scope.h"

namespace win {
namespace {

TEST(SysMetrics, ClassicSizesAt96Dpi) {
  struct Expected {
    int index;
    int value;
  };
  const Expected table[] = {
      {SM_CXVSCROLL, 16}, {SM_CYHSCROLL, 16}, {SM_CYVTHUMB, 16}, {SM_CXHTHUMB, 16},
      {SM_CYCAPTION, 19}, {SM_CXBORDER, 1},   {SM_CYBORDER, 1},  {SM_CXEDGE, 2},
      {SM_CYEDGE, 2},     {SM_CXFRAME, 4},    {SM_CYSIZEFRAME, 4}, {SM_CXDLGFRAME, 3},
      {SM_CYFIXEDFRAME, 3}, {SM_CYMENU, 19},  {SM_CXSMICON, 16}, {SM_CXICON, 32},
      {SM_CYSMCAPTION, 16}, {SM_CXSIZE, 18},  {SM_CYSIZE, 18},   {SM_CXSMSIZE, 12},
      {SM_CYSMSIZE, 15},  {SM_CXDRAG, 4},     {SM_CYDRAG, 4},    {SM_CXDOUBLECLK, 4},
      {SM_CYDOUBLECLK, 4}, {SM_CMOUSEBUTTONS, 3}, {SM_SWAPBUTTON, 0}, {SM_CXMENUCHECK, 13},
      {SM_CYMENUCHECK, 13}, {SM_CXMINTRACK, 112}, {SM_CYMINTRACK, 27}, {SM_MENUDROPALIGNMENT, 0},
  };
  for (const auto& e : table) EXPECT_EQ(GetSystemMetrics(e.index), e.value) << "index " << e.index;
}

TEST(SysMetrics, UnknownIndexesAnswerZero) {
  EXPECT_EQ(GetSystemMetrics(-1), 0);
  EXPECT_EQ(GetSystemMetrics(25), 0);
  EXPECT_EQ(GetSystemMetrics(100000), 0);
}

TEST(SysMetrics, OverridesWinUntilReset) {
  ResetMonitorLayout();
  OverrideSystemMetric(SM_CXVSCROLL, 21);
  OverrideSystemMetric(SM_CMONITORS, 3);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 21);
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 3);
  EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 16);
  ResetSystemMetrics();
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
}

class SysColorsTest : public ::testing::Test {
 protected:
  void TearDown() override { ResetSysColors(); }

  testing_support::ScopedSysWindowLink linkScope;
};

TEST_F(SysColorsTest, ClassicSchemeValues) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_3DFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(64, 64, 64));
  EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 36, 106));
  EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), RGB(10, 36, 106));
  EXPECT_EQ(GetSysColor(COLOR_GRADIENTACTIVECAPTION), RGB(166, 202, 240));
  EXPECT_EQ(GetSysColor(COLOR_INACTIVECAPTION), RGB(128, 128, 128));
  EXPECT_EQ(GetSysColor(COLOR_GRADIENTINACTIVECAPTION), RGB(192, 192, 192));
  EXPECT_EQ(GetSysColor(COLOR_INACTIVECAPTIONTEXT), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), RGB(128, 128, 128));
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
  EXPECT_EQ(GetSysColor(COLOR_MENUBAR), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(kSysColorCount), 0u);
}

TEST_F(SysColorsTest, SetSysColorsChangesColoursAndTellsTopLevelWindows) {
  std::vector<UINT> sent;
  SysWindowLink link;
  link.sendToTopLevelWindows = [&](UINT msg, WPARAM, LPARAM) { sent.push_back(msg); };
  SetSysWindowLink(link);

  const INT which[] = {COLOR_BTNFACE, COLOR_HIGHLIGHT};
  const COLORREF what[] = {RGB(1, 2, 3), 0xFF000000 | RGB(4, 5, 6)};
  ASSERT_TRUE(SetSysColors(2, which, what));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(4, 5, 6));  // the flag byte is not kept
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0], 0x0015u);  // WM_SYSCOLORCHANGE

  ResetSysColors();
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(sent.size(), 1u);
}

TEST_F(SysColorsTest, ABadIndexRejectsTheWholeCall) {
  int calls = 0;
  SysWindowLink link;
  link.sendToTopLevelWindows = [&](UINT, WPARAM, LPARAM) { ++calls; };
  SetSysWindowLink(link);
  const INT which[] = {COLOR_BTNFACE, 99};
  const COLORREF what[] = {RGB(1, 2, 3), RGB(4, 5, 6)};
  EXPECT_FALSE(SetSysColors(2, which, what));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_FALSE(SetSysColors(1, nullptr, what));
  EXPECT_FALSE(SetSysColors(-1, which, what));
  EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace win
