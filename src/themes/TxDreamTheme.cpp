// The Dream theme: its colour table and metrics.

#include "themes/ThemeColors.h"
#include "themes/TxDreamTheme.h"

#include "framework/ControlMessages.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/vrnThemes.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace themes {

using namespace tx;

void TTxDreamTheme::UpdateColorCache() {
  MenubarColor = 0xFFFFFF;
  ToolbarColor = 0xDCD8D0;
  PopupColor = 0xFFFFFF;
  DockPanelColor = 0xFFFFFF;
  PopupFrameColor = 0xC0C0C0;
  SplitLineColor = 0xC0C0C0;
  const TColor X = ContrastEnsured(BlendColors(fw::clHighlight, fw::clWindow, 20), ToolbarColor, 50);

  WinFrameColors[0][0] = {0x909090, ContrastEnsured(fw::clBlack, fw::clBtnShadow, 180)};
  WinFrameColors[0][1] = {0x909090, ContrastEnsured(0xC0C0C0, fw::clBtnFace, 120)};
  WinFrameColors[1][0] = {0x909090, fw::clBlack};
  WinFrameColors[1][1] = {fw::clBtnShadow, ContrastEnsured(0xC0C0C0, fw::clBtnFace, 120)};

  const TColor normalText = ContrastEnsured(fw::clBtnText, ToolbarColor, 180);
  ButtonColors[0] = {fw::clNone, normalText, fw::clNone};
  ButtonColors[1] = {fw::clNone, ContrastEnsured(0xC0C0C0, ToolbarColor, 80), 0xD0D0D0};
  ButtonColors[2] = {ContrastEnsured(BlendColors(fw::clHighlight, BlendColors(fw::clBtnFace, fw::clWindow, 50), 10), ToolbarColor, 5),
                     normalText, 0xC0C0C0};
  ButtonColors[3] = {BlendColors(fw::clHighlight, fw::clWindow, 30), fw::clBlack, 0x0000FF};
  ButtonColors[4] = {X, ContrastEnsured(fw::clMenuText, X, 180), 0xA0A0A0};
  ButtonColors[5] = {X, 0xC0C0C0, fw::clHighlight};
  const TColor H = ContrastEnsured(BlendColors(fw::clHighlight, fw::clWindow, 50), ToolbarColor, 30);
  ButtonColors[6] = {H, ContrastEnsured(fw::clBlack, H, 180), ContrastEnsured(fw::clHighlight, H, 100)};
  ButtonColors[7] = {ToolbarColor, normalText, ButtonColors[4].Frame};

  const TColor grey = BlendColors(fw::clGrayText, fw::clWindow, 70);
  MenuItemColors[0] = {fw::clNone, ContrastEnsured(fw::clWindowText, PopupColor, 180), fw::clNone};
  MenuItemColors[1] = {fw::clNone, ContrastEnsured(grey, PopupColor, 80), fw::clNone};
  MenuItemColors[2] = {ButtonColors[4].Fill, ButtonColors[4].Text, 0xC0C0C0};
  MenuItemColors[3] = {PopupColor, grey, fw::clHighlight};
  ToolbarEdgeColor = 0xB0B0B0;
}

Integer TTxDreamTheme::GetIntegerMetric(Integer Index) {
  switch (Index) {
    case TMI_SPLIT_ARROW_WIDTH: return 12;
    case TMI_DROPDOWN_ARROW_WIDTH: return 8;
    case TMI_DROPDOWN_ARROW_MARGIN: return 3;
    case TMI_MENU_IMAGE_TEXT_SPACE: return 0;
    case TMI_MENU_CAPTION_LEFT: return 8;
    case TMI_MENU_CAPTION_RIGHT: return 3;
    case TMI_MENU_SEPARATOR_SIZE: return 7;
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

int TTxDreamTheme::CloseState(Integer CloseButtonState, bool Active) {
  if (!Active) return 1;
  if (CloseButtonState & CDBS_PRESSED) return 3;
  if (CloseButtonState & CDBS_HOT) return 4;
  return 0;
}

void RegisterDreamTheme() { tx::RegisterTheme("Dream", &tx::ThemeClassOf<TTxDreamTheme>); }

}  // namespace themes
