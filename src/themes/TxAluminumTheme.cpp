// The Aluminum theme: life cycle, colour cache, the two state selectors, queries and metrics.

#include "themes/ThemeColors.h"
#include "themes/TxAluminumTheme.h"

#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/vrnThemes.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace themes {

using namespace tx;

void TTxAluminumTheme::UpdateColorCache() {
  TTxDefaultTheme::UpdateColorCache();
  float h, s, l;
  ColorToHSL(fw::clHighlight, h, s, l);
  HighlightBase = HSLToColor(h, s, l < 0.4f ? 0.4f : l);

  AluDockColor = OffsetColor(0xDFDFDF, -24);
  AluMenubarColor = 0xDFDFDF;
  AluToolbarColor = 0xDFDFDF;
  AluStatusColor = OffsetColor(0xDFDFDF, -16);
  AluPopupColor = BlendColors(AluDockColor, fw::clWindow, 100);
  AluPanelColor = AluPopupColor;
  AluPopupFrameColor = ContrastEnsured(BlendColors(fw::clBlack, 0x9F9F9F, 20), AluPopupColor, 100);
  AluSeparatorColor = ContrastEnsured(0x9F9F9F, AluToolbarColor, 50);

  const TColor hotFill = BlendColors(HighlightBase, fw::clWindow, 30);
  const TColor dimText = BlendColors(0x9F9F9F, fw::clWindow, 90);
  const TColor menuGray = BlendColors(fw::clGrayText, fw::clWindow, 70);
  const TColor normalText = ContrastEnsured(fw::clBlack, AluToolbarColor, 180);
  const TColor checkedHotFill = ContrastEnsured(BlendColors(HighlightBase, fw::clWindow, 50), AluToolbarColor, 30);

  TPartColors* B = AluButtonColors;
  B[0] = {fw::clNone, normalText, fw::clNone};
  B[1] = {fw::clNone, ContrastEnsured(0x9F9F9F, AluToolbarColor, 80), fw::clNone};
  B[2] = {ContrastEnsured(BlendColors(HighlightBase, BlendColors(0xC7C7C7, fw::clWindow, 50), 10), AluToolbarColor, 5),
          normalText, fw::clHighlight};
  B[3] = {BlendColors(HighlightBase, fw::clWindow, 50), fw::clHighlightText, fw::clHighlight};
  B[4] = {hotFill, ContrastEnsured(fw::clMenuText, hotFill, 180), ContrastEnsured(fw::clHighlight, AluToolbarColor, 100)};
  B[5] = {hotFill, dimText, fw::clHighlight};
  B[6] = {checkedHotFill, ContrastEnsured(fw::clHighlightText, checkedHotFill, 180), ContrastEnsured(fw::clHighlight, checkedHotFill, 100)};
  B[7] = {BlendColors(AluToolbarColor, AluPopupColor, 50), normalText, AluPopupFrameColor};

  TPartColors* M = AluMenuColors;
  M[0] = {fw::clNone, ContrastEnsured(fw::clWindowText, AluPopupColor, 180), fw::clNone};
  M[1] = {fw::clNone, ContrastEnsured(menuGray, AluPopupColor, 80), fw::clNone};
  M[2] = B[4];
  M[3] = {AluPopupColor, menuGray, fw::clHighlight};

  // The dock and status colours stay exact: their texture is computed around them.
  AluMenubarColor = NearestScreenColor(AluMenubarColor);
  AluToolbarColor = NearestScreenColor(AluToolbarColor);
  AluPopupColor = NearestScreenColor(AluPopupColor);
  AluPanelColor = NearestScreenColor(AluPanelColor);
  AluPopupFrameColor = NearestScreenColor(AluPopupFrameColor);
  AluSeparatorColor = NearestScreenColor(AluSeparatorColor);
  for (TPartColors& P : AluButtonColors) SnapToScreen(P);
  for (TPartColors& P : AluMenuColors) SnapToScreen(P);
}

TColor TTxAluminumTheme::ButtonPart(const TTxItemInfo& I, int Part) const {
  TColor C = AluButtonColors[ButtonColorIndex(I)].Part(Part);
  if (IsEmbeddedView(I.ViewType)) {
    if (Part == cpFill && C == fw::clNone) C = AluToolbarColor;
    if (Part == cpFrame) C = I.Selected ? fw::clWindowFrame : (C == fw::clNone ? TColor(0x9F9F9F) : C);
  }
  return C;
}

TColor TTxAluminumTheme::MenuAwarePart(const TTxItemInfo& I, int Part) const {
  if (IsViewKind(I.ViewType, VT_POPUP_MENU) && !(I.ItemOptions & IO_TOOLBAR_STYLE))
    return AluMenuColors[MenuItemColorIndex(I)].Part(Part);
  TColor C = AluButtonColors[ButtonColorIndex(I)].Part(Part);
  if (IsEmbeddedView(I.ViewType) && C == fw::clNone) {
    if (Part == cpFill) C = AluToolbarColor;
    if (Part == cpFrame) C = 0x9F9F9F;
  }
  return C;
}

TPoint TTxAluminumTheme::GetImageOffset(TCanvas*, const TTxItemInfo&, TCustomImageList*) { return TPoint{0, 0}; }

TColor TTxAluminumTheme::GetItemColor(const TTxItemInfo& I) {
  const TColor C = MenuAwarePart(I, cpFill);
  return C == fw::clNone ? GetViewColor(I.ViewType) : C;
}

TColor TTxAluminumTheme::GetItemTextColor(const TTxItemInfo& I) { return MenuAwarePart(I, cpText); }

TColor TTxAluminumTheme::GetItemImageBackground(const TTxItemInfo& I) {
  const TColor C = ButtonPart(I, cpFill);
  return C == fw::clNone ? GetViewColor(I.ViewType) : C;
}

void TTxAluminumTheme::GetMargins(Integer MarginID, TTxMargins& Margins) {
  TTxDefaultTheme::GetMargins(MarginID, Margins);
  if (MarginID == MID_MENUITEM) Margins.TopHeight = Margins.BottomHeight = 2;
}

Integer TTxAluminumTheme::GetPopupShadowType() { return PST_LAYERED; }

void TTxAluminumTheme::GetViewBorder(Integer ViewType, TPoint& Border) {
  Border = TPoint{0, 0};
  if (ViewType & (VT_TOOLBAR | VT_DOCKPANEL)) {
    if (ViewType & VT_FLOATING) {
      if (ViewType & VT_RESIZABLE)
        Border = TPoint{win::GetSystemMetrics(win::SM_CXFRAME) - 1, win::GetSystemMetrics(win::SM_CYFRAME) - 1};
      else
        Border = TPoint{win::GetSystemMetrics(win::SM_CXDLGFRAME) - 1, win::GetSystemMetrics(win::SM_CYDLGFRAME) - 1};
    } else {
      Border = TPoint{2, 2};
    }
  } else if (ViewType & VT_POPUP) {
    Border = TPoint{2, 2};
  }
}

TColor TTxAluminumTheme::GetViewColor(Integer ViewType) {
  if (ViewType & VT_TOOLBAR) return IsViewKind(ViewType, VT_TOOLBAR_MENUBAR) ? AluMenubarColor : AluToolbarColor;
  if (ViewType & VT_POPUP) return IsViewKind(ViewType, VT_POPUP_LIST) ? TColor(fw::clWindow) : AluPopupColor;
  if (ViewType & VT_DOCKPANEL) return AluPanelColor;
  return AluToolbarColor;
}

Integer TTxAluminumTheme::GetIntegerMetric(Integer Index) {
  switch (Index) {
    case TMI_SPLIT_ARROW_WIDTH: return 12;
    case 36:
    case TMI_EDIT_TEXT_MARGIN_VERT: return 1;
    case 37:
    case TMI_EDIT_FRAME_WIDTH:
    case TMI_EDIT_TEXT_MARGIN_HORZ: return 2;
    case TMI_EDIT_BUTTON_WIDTH: return 14;
    case TMI_EDIT_MENU_RIGHT_INDENT: return 0;
    default: return TTxDefaultTheme::GetIntegerMetric(Index);
  }
}

bool TTxAluminumTheme::GetBooleanMetric(Integer Index) {
  switch (Index) {
    case TMB_POPUP_ALIGNMENT:
    case TMB_EDIT_MENU_RIGHT_ALIGNED:
    case TMB_VISUAL_STYLES:
    case TMB_SOLID_TOOLBAR_NC:
    case TMB_SOLID_TOOLBAR_ON_DOCK_IMAGE: return true;
    case TMB_EDIT_HEIGHT_EVEN: return false;
    default: return TTxDefaultTheme::GetBooleanMetric(Index);
  }
}

void RegisterAluminumTheme() { tx::RegisterTheme("Aluminum", &tx::ThemeClassOf<TTxAluminumTheme>); }

}  // namespace themes
