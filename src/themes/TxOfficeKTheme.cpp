// The OfficeK theme: colour cache, item colours, queries and metrics.

#include "themes/ThemeColors.h"
#include "themes/TxOfficeKTheme.h"

#include "framework/ControlMessages.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/vrnThemes.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace themes {

using namespace tx;

void TTxOfficeKTheme::UpdateColorCache() {
  GradientDark = MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, 48);
  GradientLight = 0xFFFFFF;
  GripBase = fw::clBtnFace;
  GripDark = 0x808080;
  GripLight = 0xFFFFFF;
  GradientDarker = MixColorsNearest(fw::clBtnShadow, GradientDark, 64);

  MenuBarColor = fw::clBtnFace;
  BarColor = GradientLight;
  PopupColor = DockPanelColor = fw::clWindow;
  PopupFrameColor = ContrastEnsured(BlendColors(fw::clBtnText, fw::clBtnShadow, 20), PopupColor, 100);
  const TColor s90 = BlendColors(fw::clBtnShadow, fw::clWindow, 90);
  const TColor inactiveText = ContrastEnsured(s90, fw::clBtnFace, 120);
  const TColor toolbarBorder = ContrastEnsured(BlendColors(fw::clBtnText, fw::clBtnShadow, 15), BarColor, 120);
  FloatingToolbarColors[1] = {toolbarBorder, ContrastEnsured(fw::clBtnText, fw::clBtnShadow, 180)};
  FloatingToolbarColors[0] = {toolbarBorder, inactiveText};
  FloatingPanelColors[1] = {fw::clBtnShadow, fw::clBtnText};
  FloatingPanelColors[0] = {fw::clBtnShadow, inactiveText};

  const TColor h30 = ContrastEnsured(BlendColors(fw::clHighlight, fw::clWindow, 30), BarColor, 50);
  const TColor hotText = ContrastEnsured(fw::clMenuText, h30, 180);
  const TColor hotFrame = ContrastEnsured(fw::clHighlight, BarColor, 100);
  MenuItemColors[0] = {fw::clNone, ContrastEnsured(fw::clWindowText, PopupColor, 180), fw::clNone};
  MenuItemColors[1] = {fw::clNone, ContrastEnsured(BlendColors(fw::clGrayText, fw::clWindow, 70), PopupColor, 80),
                       fw::clNone};
  MenuItemColors[2] = {h30, hotText, hotFrame};
  MenuItemColors[3] = {PopupColor, BlendColors(fw::clGrayText, fw::clWindow, 70), fw::clHighlight};

  const TColor t0 = ContrastEnsured(fw::clBtnText, BarColor, 180);
  const TColor f6 = ContrastEnsured(BlendColors(fw::clHighlight, fw::clWindow, 50), BarColor, 30);
  ButtonColors[0] = {fw::clNone, t0, fw::clNone};
  ButtonColors[1] = {fw::clNone, ContrastEnsured(s90, BarColor, 80), fw::clNone};
  ButtonColors[2] = {
      ContrastEnsured(BlendColors(fw::clHighlight, BlendColors(fw::clBtnFace, fw::clWindow, 50), 10), BarColor, 5), t0,
      fw::clHighlight};
  ButtonColors[3] = {BlendColors(fw::clHighlight, fw::clWindow, 50), fw::clHighlightText, fw::clHighlight};
  ButtonColors[4] = {h30, hotText, hotFrame};
  ButtonColors[5] = {h30, s90, fw::clHighlight};
  ButtonColors[6] = {f6, ContrastEnsured(fw::clHighlightText, f6, 180), ContrastEnsured(fw::clHighlight, f6, 100)};
  ButtonColors[7] = {BarColor, t0, PopupFrameColor};
  ToolbarSeparatorColor = ContrastEnsured(BlendColors(fw::clBtnShadow, fw::clWindow, 70), BarColor, 50);
  MenuSeparatorColor = ToolbarSeparatorColor;

  for (TColor* c : {&GradientDark, &GradientLight, &GripBase, &GripDark, &GripLight, &GradientDarker,
                    &MenuBarColor, &BarColor, &PopupColor, &DockPanelColor, &PopupFrameColor,
                    &MenuSeparatorColor, &ToolbarSeparatorColor})
    *c = NearestScreenColor(*c);
  for (TFloatingColors* f : {&FloatingToolbarColors[0], &FloatingToolbarColors[1], &FloatingPanelColors[0],
                             &FloatingPanelColors[1]}) {
    f->Border = NearestScreenColor(f->Border);
    f->Text = NearestScreenColor(f->Text);
  }
  SnapTablesToScreen(ButtonColors, MenuItemColors);
}

TColor TTxOfficeKTheme::ItemColor(const TTxItemInfo& ItemInfo, int Part) const {
  return TablePartColor(ButtonColors, MenuItemColors, BarColor, IsPopupMenuLine(ItemInfo), ItemInfo, Part);
}

TColor TTxOfficeKTheme::ImageBackColor(const TTxItemInfo& ItemInfo, int Part) const {
  return TableButtonPartColor(ButtonColors, BarColor, ItemInfo, Part);
}

TPoint TTxOfficeKTheme::GetImageOffset(TCanvas*, const TTxItemInfo& I, TCustomImageList*) {
  return LiftedImageOffset(I);
}

TColor TTxOfficeKTheme::GetItemColor(const TTxItemInfo& ItemInfo) {
  const TColor c = ItemColor(ItemInfo, cpFill);
  return c == fw::clNone ? GetViewColor(ItemInfo.ViewType) : c;
}

TColor TTxOfficeKTheme::GetItemTextColor(const TTxItemInfo& ItemInfo) {
  return ItemColor(ItemInfo, cpText);
}

TColor TTxOfficeKTheme::GetItemImageBackground(const TTxItemInfo& ItemInfo) {
  const TColor c = ImageBackColor(ItemInfo, cpFill);
  return c == fw::clNone ? GetViewColor(ItemInfo.ViewType) : c;
}

void TTxOfficeKTheme::GetMargins(Integer MarginID, TTxMargins& Margins) {
  ItemMargins(MarginID, Margins, 1);
}

Integer TTxOfficeKTheme::GetPopupShadowType() {
  return PST_LAYERED;
}

void TTxOfficeKTheme::GetViewBorder(Integer ViewType, TPoint& Border) {
  Border = FramedViewBorder(ViewType, IsViewKind(ViewType, VT_POPUP_MENU) ? TPoint{1, 2} : TPoint{2, 2});
}

TColor TTxOfficeKTheme::GetViewColor(Integer ViewType) {
  if (ViewType & VT_TOOLBAR) return IsViewKind(ViewType, VT_TOOLBAR_MENUBAR) ? MenuBarColor : BarColor;
  if (ViewType & VT_POPUP) return IsViewKind(ViewType, VT_POPUP_LIST) ? TColor(fw::clWindow) : PopupColor;
  if (ViewType & VT_DOCKPANEL) return DockPanelColor;
  return fw::clBtnFace;
}

void TTxOfficeKTheme::GetViewMargins(Integer, TTxMargins& Margins) {
  Margins = {};
}

Integer TTxOfficeKTheme::GetIntegerMetric(Integer Index) {
  switch (Index) {
    case TMI_SPLIT_ARROW_WIDTH:
      return 12;
    case TMI_DROPDOWN_ARROW_WIDTH:
      return 8;
    case TMI_MENU_IMAGE_TEXT_SPACE:
      return 0;
    case TMI_MENU_CAPTION_LEFT:
      return 8;
    case TMI_DROPDOWN_ARROW_MARGIN:
    case TMI_MENU_CAPTION_RIGHT:
    case TMI_MENU_SEPARATOR_SIZE:
      return 3;
    case 36:
    case 37:
    case TMI_EDIT_TEXT_MARGIN_HORZ:
    case TMI_EDIT_TEXT_MARGIN_VERT:
      return 2;
    case TMI_EDIT_FRAME_WIDTH:
    case TMI_EDIT_MENU_RIGHT_INDENT:
      return 1;
    case TMI_EDIT_BUTTON_WIDTH:
      return 14;
    default:
      return -1;
  }
}

bool TTxOfficeKTheme::GetBooleanMetric(Integer Index) {
  return Index == TMB_POPUP_ALIGNMENT || SolidBarsMetric(Index);
}

void RegisterOfficeKTheme() {
  tx::RegisterTheme("OfficeK", &tx::ThemeClassOf<TTxOfficeKTheme>);
}

}  // namespace themes
