#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/kernel/LastError.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/services/SysWindowLink.h"
#include "platform/user/services/sys_link_scope.h"

namespace win {
namespace {

class SysParamsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ResetSystemParameters();
    ResetSystemMetrics();
  }

  testing_support::ScopedSysWindowLink linkScope;

  static BOOL GetBool(UINT action) {
    BOOL v = 12345;
    EXPECT_TRUE(SystemParametersInfoW(action, 0, &v, 0));
    return v;
  }
  static UINT GetUint(UINT action) {
    UINT v = 12345;
    EXPECT_TRUE(SystemParametersInfoW(action, 0, &v, 0));
    return v;
  }
};

TEST_F(SysParamsTest, StartValues) {
  EXPECT_EQ(GetUint(SPI_GETMENUSHOWDELAY), 400u);
  EXPECT_EQ(GetUint(SPI_GETWHEELSCROLLLINES), 3u);
  EXPECT_EQ(GetUint(SPI_GETMOUSEHOVERTIME), 400u);
  EXPECT_EQ(GetUint(SPI_GETMOUSEHOVERWIDTH), 4u);
  EXPECT_EQ(GetUint(SPI_GETMOUSEHOVERHEIGHT), 4u);
  EXPECT_EQ(GetUint(SPI_GETKEYBOARDSPEED), 31u);
  EXPECT_EQ(GetUint(SPI_GETKEYBOARDDELAY), 1u);
  EXPECT_EQ(GetBool(SPI_GETFLATMENU), FALSE);
  EXPECT_EQ(GetBool(SPI_GETKEYBOARDCUES), FALSE);
  EXPECT_EQ(GetBool(SPI_GETMENUUNDERLINES), FALSE);
  EXPECT_EQ(GetBool(SPI_GETUIEFFECTS), TRUE);
  EXPECT_EQ(GetBool(SPI_GETMENUANIMATION), TRUE);
  EXPECT_EQ(GetBool(SPI_GETMENUFADE), TRUE);
  EXPECT_EQ(GetBool(SPI_GETGRADIENTCAPTIONS), TRUE);
  EXPECT_EQ(GetBool(SPI_GETDROPSHADOW), TRUE);
  EXPECT_EQ(GetBool(SPI_GETDRAGFULLWINDOWS), TRUE);
  EXPECT_EQ(GetDoubleClickTime(), 500u);
  EXPECT_EQ(GetCaretBlinkTime(), 530u);
  HIGHCONTRASTW hc;
  hc.cbSize = sizeof(hc);
  hc.dwFlags = 0xFFFF;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0));
  EXPECT_EQ(hc.dwFlags & HCF_HIGHCONTRASTON, 0u);
}

TEST_F(SysParamsTest, SwitchesTakeTheirValueInThePointerArgument) {
  const UINT pairs[][2] = {
      {SPI_GETMENUANIMATION, SPI_SETMENUANIMATION},     {SPI_GETMENUFADE, SPI_SETMENUFADE},
      {SPI_GETCOMBOBOXANIMATION, SPI_SETCOMBOBOXANIMATION}, {SPI_GETGRADIENTCAPTIONS, SPI_SETGRADIENTCAPTIONS},
      {SPI_GETSELECTIONFADE, SPI_SETSELECTIONFADE},     {SPI_GETTOOLTIPANIMATION, SPI_SETTOOLTIPANIMATION},
      {SPI_GETTOOLTIPFADE, SPI_SETTOOLTIPFADE},         {SPI_GETFLATMENU, SPI_SETFLATMENU},
      {SPI_GETDROPSHADOW, SPI_SETDROPSHADOW},           {SPI_GETKEYBOARDCUES, SPI_SETKEYBOARDCUES},
  };
  for (const auto& p : pairs) {
    ASSERT_TRUE(SystemParametersInfoW(p[1], 0, reinterpret_cast<void*>(1), 0));
    EXPECT_EQ(GetBool(p[0]), TRUE) << std::hex << p[0];
    ASSERT_TRUE(SystemParametersInfoW(p[1], 0, nullptr, 0));
    EXPECT_EQ(GetBool(p[0]), FALSE) << std::hex << p[0];
  }
}

TEST_F(SysParamsTest, UiEffectsOffSilencesEffectsAndShowsKeyboardCues) {
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETFLATMENU, 0, reinterpret_cast<void*>(1), 0));
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETUIEFFECTS, 0, nullptr, 0));
  EXPECT_EQ(GetBool(SPI_GETMENUANIMATION), FALSE);
  EXPECT_EQ(GetBool(SPI_GETMENUFADE), FALSE);
  EXPECT_EQ(GetBool(SPI_GETGRADIENTCAPTIONS), FALSE);
  EXPECT_EQ(GetBool(SPI_GETFLATMENU), FALSE);
  EXPECT_EQ(GetBool(SPI_GETKEYBOARDCUES), TRUE);
  // The stored switches come back with the master switch.
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETUIEFFECTS, 0, reinterpret_cast<void*>(1), 0));
  EXPECT_EQ(GetBool(SPI_GETMENUANIMATION), TRUE);
  EXPECT_EQ(GetBool(SPI_GETFLATMENU), TRUE);
  EXPECT_EQ(GetBool(SPI_GETKEYBOARDCUES), FALSE);
}

TEST_F(SysParamsTest, NumbersTakeTheirValueInUiParamAndAreClampedWhereWin32ClampsThem) {
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETMENUSHOWDELAY, 0, nullptr, 0));
  EXPECT_EQ(GetUint(SPI_GETMENUSHOWDELAY), 0u);
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, 7, nullptr, 0));
  EXPECT_EQ(GetUint(SPI_GETWHEELSCROLLLINES), 7u);
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETMOUSEHOVERTIME, 100, nullptr, 0));
  EXPECT_EQ(GetUint(SPI_GETMOUSEHOVERTIME), 100u);
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETKEYBOARDSPEED, 99, nullptr, 0));
  EXPECT_EQ(GetUint(SPI_GETKEYBOARDSPEED), 31u);
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETKEYBOARDDELAY, 9, nullptr, 0));
  EXPECT_EQ(GetUint(SPI_GETKEYBOARDDELAY), 3u);
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, 0, nullptr, 0));
  EXPECT_EQ(GetBool(SPI_GETDRAGFULLWINDOWS), FALSE);

  EXPECT_TRUE(SetDoubleClickTime(250));
  EXPECT_EQ(GetDoubleClickTime(), 250u);
  EXPECT_TRUE(SetDoubleClickTime(9000));
  EXPECT_EQ(GetDoubleClickTime(), 5000u);
  EXPECT_TRUE(SetDoubleClickTime(0));
  EXPECT_EQ(GetDoubleClickTime(), 500u);
  EXPECT_TRUE(SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, 300, nullptr, 0));
  EXPECT_EQ(GetDoubleClickTime(), 300u);
  EXPECT_TRUE(SetCaretBlinkTime(200));
  EXPECT_EQ(GetCaretBlinkTime(), 200u);

  ResetSystemParameters();
  EXPECT_EQ(GetUint(SPI_GETMENUSHOWDELAY), 400u);
  EXPECT_EQ(GetDoubleClickTime(), 500u);
}

TEST_F(SysParamsTest, NonClientMetricsCarryTahomaFontsAndTheMetricSizes) {
  NONCLIENTMETRICSW ncm;
  ncm.cbSize = sizeof(ncm);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
  EXPECT_EQ(std::u16string(ncm.lfMenuFont.lfFaceName), u"Tahoma");
  EXPECT_EQ(ncm.lfMenuFont.lfHeight, -11);
  EXPECT_EQ(ncm.lfMenuFont.lfWeight, FW_NORMAL);
  EXPECT_EQ(ncm.lfCaptionFont.lfWeight, FW_BOLD);
  EXPECT_EQ(std::u16string(ncm.lfSmCaptionFont.lfFaceName), u"Tahoma");
  EXPECT_EQ(ncm.lfSmCaptionFont.lfWeight, FW_NORMAL);
  EXPECT_EQ(std::u16string(ncm.lfStatusFont.lfFaceName), u"Tahoma");
  EXPECT_EQ(std::u16string(ncm.lfMessageFont.lfFaceName), u"Tahoma");
  EXPECT_EQ(ncm.iCaptionHeight, 18);
  EXPECT_EQ(ncm.iSmCaptionHeight, 15);
  EXPECT_EQ(ncm.iMenuHeight, 18);
  EXPECT_EQ(ncm.iScrollWidth, 16);
  EXPECT_EQ(ncm.iBorderWidth, 1);

  OverrideSystemMetric(SM_CXVSCROLL, 20);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 0, &ncm, 0));
  EXPECT_EQ(ncm.iScrollWidth, 20);
}

// Every size in the non-client record is the live system metric of the same part.
TEST_F(SysParamsTest, NonClientSizesFollowTheirSystemMetrics) {
  struct Size {
    int metric;
    int NONCLIENTMETRICSW::*field;
  };
  const Size sizes[] = {
      {SM_CXVSCROLL, &NONCLIENTMETRICSW::iScrollWidth},     {SM_CYHSCROLL, &NONCLIENTMETRICSW::iScrollHeight},
      {SM_CXSIZE, &NONCLIENTMETRICSW::iCaptionWidth},       {SM_CYSIZE, &NONCLIENTMETRICSW::iCaptionHeight},
      {SM_CXSMSIZE, &NONCLIENTMETRICSW::iSmCaptionWidth},   {SM_CYSMSIZE, &NONCLIENTMETRICSW::iSmCaptionHeight},
      {SM_CXMENUSIZE, &NONCLIENTMETRICSW::iMenuWidth},      {SM_CYMENUSIZE, &NONCLIENTMETRICSW::iMenuHeight},
  };
  int value = 31;
  for (const Size& s : sizes) OverrideSystemMetric(s.metric, value++);
  NONCLIENTMETRICSW ncm;
  ncm.cbSize = sizeof(ncm);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
  value = 31;
  for (const Size& s : sizes) EXPECT_EQ(ncm.*s.field, value++) << "metric " << s.metric;
}

TEST_F(SysParamsTest, ShortNonClientRecordIsFilledWithoutTouchingWhatFollows) {
  struct Guarded {
    NONCLIENTMETRICSW ncm;
  } g;
  g.ncm.cbSize = kNonClientMetricsSizeWithoutPadding;
  g.ncm.iPaddedBorderWidth = 777;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSizeWithoutPadding, &g.ncm, 0));
  EXPECT_EQ(g.ncm.iPaddedBorderWidth, 777);
  EXPECT_EQ(std::u16string(g.ncm.lfMessageFont.lfFaceName), u"Tahoma");
}

TEST_F(SysParamsTest, BadRecordSizesAndNullOutputsFail) {
  NONCLIENTMETRICSW ncm;
  ncm.cbSize = 340;  // the narrow record's size is not this call's record
  SetLastError(0);
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  ncm.cbSize = sizeof(ncm);
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm) + 1, &ncm, 0));
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 0, nullptr, 0));
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETMENUSHOWDELAY, 0, nullptr, 0));
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETFLATMENU, 0, nullptr, 0));
  LOGFONTW lf;
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf) - 1, &lf, 0));
  HIGHCONTRASTW hc;
  hc.cbSize = 3;
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETHIGHCONTRAST, 0, &hc, 0));
  EXPECT_FALSE(SystemParametersInfoW(0x7777, 0, &ncm, 0));
}

TEST_F(SysParamsTest, FontsCanBeReplaced) {
  NONCLIENTMETRICSW ncm;
  ncm.cbSize = sizeof(ncm);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
  ncm.lfMenuFont.lfHeight = -15;
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
  NONCLIENTMETRICSW again;
  again.cbSize = sizeof(again);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(again), &again, 0));
  EXPECT_EQ(again.lfMenuFont.lfHeight, -15);

  LOGFONTW lf;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0));
  EXPECT_EQ(std::u16string(lf.lfFaceName), u"Tahoma");
  EXPECT_EQ(lf.lfHeight, -11);
  lf.lfWeight = FW_BOLD;
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof(lf), &lf, 0));
  LOGFONTW back;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(back), &back, 0));
  EXPECT_EQ(back.lfWeight, FW_BOLD);
}

TEST_F(SysParamsTest, SendChangeBroadcastsOnlyForSuccessfulSets) {
  std::vector<std::pair<UINT, WPARAM>> sent;
  SysWindowLink link;
  link.sendToTopLevelWindows = [&](UINT msg, WPARAM wp, LPARAM) { sent.emplace_back(msg, wp); };
  SetSysWindowLink(link);
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETMENUSHOWDELAY, 100, nullptr, SPIF_SENDCHANGE));
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETFLATMENU, 0, nullptr, SPIF_UPDATEINIFILE));
  UINT delay = 0;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETMENUSHOWDELAY, 0, &delay, SPIF_SENDCHANGE));
  EXPECT_FALSE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, 0, nullptr, SPIF_SENDCHANGE));
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].first, 0x001Au);  // WM_SETTINGCHANGE
  EXPECT_EQ(sent[0].second, WPARAM(SPI_SETMENUSHOWDELAY));
}

}  // namespace
}  // namespace win
