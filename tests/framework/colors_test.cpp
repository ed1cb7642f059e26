#include <gtest/gtest.h>

#include "framework/Colors.h"
#include "framework/SysUtils.h"
#include "platform/user/services/SysColors.h"

namespace fw {
namespace {

TEST(Colors, NamedColoursHaveRedInTheLowByte) {
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
  EXPECT_EQ(ColorToRGB(clBlue), 0xFF0000);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
}

TEST(Colors, SystemColoursFollowTheCurrentScheme) {
  EXPECT_LT(clBtnFace, 0);
  EXPECT_EQ(ColorToRGB(clBtnFace), Integer(win::GetSysColor(win::COLOR_BTNFACE)));
  const win::INT index = win::COLOR_BTNFACE;
  const win::COLORREF changed = 0x123456;
  ASSERT_TRUE(win::SetSysColors(1, &index, &changed));
  EXPECT_EQ(ColorToRGB(clBtnFace), 0x123456);
  win::ResetSysColors();
  EXPECT_NE(ColorToRGB(clBtnFace), 0x123456);
}

TEST(Colors, TextRoundTrip) {
  EXPECT_EQ(ColorToString(clRed), "clRed");
  EXPECT_EQ(ColorToString(clSilver), "clSilver");  // clLtGray shares the value
  EXPECT_EQ(ColorToString(0x00123456), "$00123456");
  EXPECT_EQ(ColorToString(clWindowText), "clWindowText");
  EXPECT_EQ(ColorToString(SystemColor(25)), "$80000019");
  EXPECT_EQ(StringToColor("clRed"), clRed);
  EXPECT_EQ(StringToColor("CLBTNFACE"), clBtnFace);
  EXPECT_EQ(StringToColor("$00FF0000"), 0xFF0000);
  EXPECT_EQ(StringToColor("$80000019"), SystemColor(25));
  EXPECT_EQ(StringToColor("255"), 255);
  for (TColor c : {clBlack, clNone, clDefault, clInfoBk, TColor(0x00ABCDEF), SystemColor(25)})
    EXPECT_EQ(StringToColor(ColorToString(c)), c) << c;
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
  Integer value = 7;
  EXPECT_FALSE(IdentToColor("$00FF0000", value));
  EXPECT_EQ(value, 7);
}

}  // namespace
}  // namespace fw
