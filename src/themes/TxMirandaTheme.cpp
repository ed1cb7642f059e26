// The Miranda theme: its colour table and metrics.

#include "themes/TxMirandaTheme.h"

#include "framework/ControlMessages.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemeColors.h"
#include "themes/vrnThemes.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace themes {

using namespace tx;

void TTxMirandaTheme::UpdateColorCache() {
  AccentColor = fw::clHighlight;
  MenubarColor = ToolbarColor = fw::clBtnFace;
  PopupColor = DockPanelColor = fw::clWindow;
  EditFrameColor = ResolveColor(fw::clBtnShadow);
  EditFrameHotColor = BlendColors(fw::clBtnFace, fw::clWindow, 75);
  PopupFrameColor = fw::clBtnShadow;
  DisabledTextColor = BlendColors(fw::clBtnShadow, fw::clWindow, 90);

  BuildSystemColorTable(AccentColor, ToolbarColor, PopupColor, DisabledTextColor, ButtonColors, MenuItemColors);
  for (TColor* c : {&MenubarColor, &ToolbarColor, &PopupColor, &DockPanelColor, &PopupFrameColor})
    *c = NearestScreenColor(*c);
  SnapTablesToScreen(ButtonColors, MenuItemColors);
}

Integer TTxMirandaTheme::GetIntegerMetric(Integer Index) {
  switch (Index) {
    case 10: return 12;
    case 20: return 8;
    case 21:
    case 32:
    case 33:
    case 34: return 3;
    case 35:
    case 50: return 5;
    case 36:
    case 37:
    case 61:
    case 62: return 2;
    case 60:
    case 66: return 1;
    case 65: return 14;
    default: return -1;
  }
}

void RegisterMirandaTheme() { tx::RegisterTheme("Miranda", &tx::ThemeClassOf<TTxMirandaTheme>); }

}  // namespace themes
