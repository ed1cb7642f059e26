// The Nexos5 theme: its colour table and metrics.

#include "themes/ThemeColors.h"
#include "themes/TxNexos5Theme.h"

#include "framework/ControlMessages.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/vrnThemes.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace themes {

using namespace tx;

TColor TTxNexos5Theme::CheckedHotColor() { return BlendColors(BaseColor, ShadeColor, 90); }
TColor TTxNexos5Theme::LightBaseColor() { return BlendColors(BaseColor, 0xFFFFFF, 80); }

void TTxNexos5Theme::UpdateColorCache() {
  MenubarColor = ToolbarColor = PopupColor = DockPanelColor = ViewBaseColor();
  ToolbarEdgeColor = 0xA8A8A8;
  EditFrameColor = BlendColors(0xC0C0C0, 0xFFFFFF, 80);
  PopupFrameColor = 0xC0C0C0;
  const TColor H = ContrastEnsured(BlendColors(BaseColor, 0xFFFFFF, 80), ToolbarColor, 50);
  const TColor D = BlendColors(fw::clBtnShadow, fw::clWindow, 90);
  const TColor border = BlendColors(0x808080, 0xFFFFFF, 80);
  const TColor activeText = ContrastEnsured(0x000000, 0x808080, 180);
  WinFrameColors[0][0] = {border, 0xC0C0C0, activeText};
  WinFrameColors[0][1] = {border, BaseColor, ContrastEnsured(0xC0C0C0, 0xC0C0C0, 120)};
  WinFrameColors[1][0] = {border, 0xC0C0C0, activeText};
  WinFrameColors[1][1] = {0x808080, 0xC0C0C0, ContrastEnsured(0xC0C0C0, 0x808080, 120)};
  const TColor normalText = ContrastEnsured(0x000000, ToolbarColor, 180);
  const TColor grey = BlendColors(0xC0C0C0, 0xFFFFFF, 50);
  const TColor light = BlendColors(BaseColor, 0xFFFFFF, 80);
  ButtonColors[0] = {fw::clNone, normalText, fw::clNone};
  ButtonColors[1] = {0xFFFFFF, ContrastEnsured(BlendColors(0x808080, 0xFFFFFF, 70), ToolbarColor, 80), grey};
  ButtonColors[2] = {ContrastEnsured(0xC0C0C0, ToolbarColor, 5), normalText, grey};
  ButtonColors[3] = {light, 0x000000, BaseColor};
  ButtonColors[4] = {H, 0x000000, ContrastEnsured(light, ToolbarColor, 100)};
  ButtonColors[5] = {H, D, fw::clNone};
  const TColor K = ContrastEnsured(BlendColors(BaseColor, 0xFFFFFF, 25), ToolbarColor, 30);
  ButtonColors[6] = {K, ContrastEnsured(0xFFFFFF, K, 180), ContrastEnsured(BlendColors(BaseColor, 0xFFFFFF, 25), K, 100)};
  ButtonColors[7] = {light, 0x000000, BaseColor};
  MenuItemColors[0] = {fw::clNone, ContrastEnsured(0x000000, PopupColor, 180), fw::clNone};
  MenuItemColors[1] = {fw::clNone, ContrastEnsured(BlendColors(0x808080, 0xFFFFFF, 70), PopupColor, 80), fw::clNone};
  MenuItemColors[2] = {BaseColor, ButtonColors[4].Text, ButtonColors[4].Frame};
  MenuItemColors[3] = {PopupColor, BlendColors(0x808080, 0xFFFFFF, 50), fw::clNone};
  SplitLineColor = 0x000000;
  PaneDividerColor = 0x000000;

  for (TColor* c : {&MenubarColor, &ToolbarColor, &PopupColor, &DockPanelColor, &PopupFrameColor, &SplitLineColor,
                    &PaneDividerColor})
    *c = NearestScreenColor(*c);
  for (auto& kind : WinFrameColors)
    for (TWinFrame& f : kind) {
      f.Border = NearestScreenColor(f.Border);
      f.Fill = NearestScreenColor(f.Fill);
      f.Text = NearestScreenColor(f.Text);
    }
  SnapTablesToScreen(ButtonColors, MenuItemColors);
}

Integer TTxNexos5Theme::GetIntegerMetric(Integer Index) {
  switch (Index) {
    case TMI_SPLIT_ARROW_WIDTH: return 12;
    case TMI_DROPDOWN_ARROW_WIDTH: return 8;
    case TMI_DROPDOWN_ARROW_MARGIN: return 3;
    case TMI_MENU_IMAGE_TEXT_SPACE: return 0;
    case TMI_MENU_CAPTION_LEFT: return 8;
    case TMI_MENU_CAPTION_RIGHT: return 3;
    case TMI_MENU_SEPARATOR_SIZE: return 3;
    case 36:
    case 37: return 2;
    case TMI_TOOLBAR_SEPARATOR_SIZE: return 5;
    case TMI_EDIT_FRAME_WIDTH: return 1;
    case TMI_EDIT_TEXT_MARGIN_HORZ: return 2;
    case TMI_EDIT_TEXT_MARGIN_VERT: return 2;
    case TMI_EDIT_BUTTON_WIDTH: return 14;
    case TMI_EDIT_MENU_RIGHT_INDENT: return 1;
    default: return -1;
  }
}

void RegisterNexos5Theme() { tx::RegisterTheme("Nexos5", &tx::ThemeClassOf<TTxNexos5Theme>); }

}  // namespace themes
