#include "themes/ThemeColors.h"

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace themes {

using namespace tx;

TColor ContrastEnsured(TColor Color, TColor Background, Integer Threshold) {
  EnsureContrast(Color, Background, Threshold);
  return Color;
}

void BuildSystemColorTable(TColor Accent, TColor ToolbarColor, TColor PopupColor, TColor DisabledText,
                           TPartColors (&Buttons)[8], TPartColors (&MenuLines)[4]) {
  const TColor normalText = ContrastEnsured(fw::clBtnText, ToolbarColor, 180);
  Buttons[0] = {fw::clNone, normalText, fw::clNone};
  Buttons[1] = {fw::clNone, ContrastEnsured(BlendColors(fw::clGrayText, fw::clWindow, 70), ToolbarColor, 80),
                BlendColors(fw::clBtnFace, fw::clWindow, 50)};
  Buttons[2] = {fw::clNone, normalText, fw::clBtnShadow};
  Buttons[3] = {BlendColors(Accent, 0xFFFFFF, 50), fw::clBtnText, Accent};
  Buttons[4] = {BlendColors(fw::clHighlight, fw::clWindow, 20), fw::clBtnText, fw::clBtnShadow};
  Buttons[5] = {fw::clBtnHighlight, DisabledText, fw::clNone};
  Buttons[6] = {ContrastEnsured(BlendColors(Accent, 0xFFFFFF, 25), ToolbarColor, 30), fw::clBtnText, fw::clBtnShadow};
  Buttons[7] = {BlendColors(Accent, 0xFFFFFF, 80), fw::clBtnText, fw::clBtnShadow};
  MenuLines[0] = {fw::clNone, ContrastEnsured(fw::clBtnText, PopupColor, 180), fw::clNone};
  MenuLines[1] = {fw::clNone, ContrastEnsured(BlendColors(fw::clGrayText, fw::clWindow, 70), PopupColor, 80), fw::clNone};
  MenuLines[2] = {fw::clHighlight, fw::clHighlightText, Buttons[4].Frame};
  MenuLines[3] = {PopupColor, BlendColors(fw::clGrayText, fw::clWindow, 50), fw::clNone};
}

TColor NearestScreenColor(TColor Color) {
  if (Color == fw::clNone) return Color;
  const TColor c = ResolveColor(Color);
  if (!NearestColorBitmap) return c;
  return TColor(win::GetNearestColor(NearestColorBitmap->Canvas()->Handle(), win::COLORREF(c)));
}

void SnapToScreen(TPartColors& Colors) {
  Colors.Fill = NearestScreenColor(Colors.Fill);
  Colors.Text = NearestScreenColor(Colors.Text);
  Colors.Frame = NearestScreenColor(Colors.Frame);
}

}  // namespace themes
