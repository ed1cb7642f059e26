#include "framework/Colors.h"

#include <iterator>

#include "framework/SysUtils.h"
#include "platform/user/services/SysColors.h"

namespace fw {
namespace {

struct ColorName {
  TColor color;
  const char* name;
};

// Where two names share a value (clSilver/clLtGray) the first one is the one written.
constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

}  // namespace

Integer ColorToRGB(TColor Color) {
  if (Color < 0) return Integer(win::GetSysColor(Color & 0xFF));
  return Color;
}

bool ColorToIdent(Integer Color, String& Ident) {
  for (const ColorName& c : kColorNames) {
    if (c.color == Color) {
      Ident = c.name;
      return true;
    }
  }
  return false;
}

bool IdentToColor(std::string_view Ident, Integer& Color) {
  for (const ColorName& c : kColorNames) {
    if (SameText(Ident, c.name)) {
      Color = c.color;
      return true;
    }
  }
  return false;
}

String ColorToString(TColor Color) {
  String name;
  if (ColorToIdent(Color, name)) return name;
  return "$" + IntToHex(Int64(uint32_t(Color)), 8);
}

TColor StringToColor(std::string_view S) {
  Integer color = 0;
  if (IdentToColor(S, color)) return color;
  // Hexadecimal fills all 32 bits, so "$80000005" reads back as a system colour.
  return StrToInt(S);
}

}  // namespace fw
