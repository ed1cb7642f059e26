// The Miranda theme: life cycle, colour table, part colours, queries and metrics.

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

TTxMirandaTheme::~TTxMirandaTheme() {
  if (FListening) RemoveSysChangeListener(this);
  if (FCounted) TThemeUnit<TTxMirandaTheme>::RemoveInstance();
}

void TTxMirandaTheme::AfterConstruction() {
  TThemeUnit<TTxMirandaTheme>::AddInstance();
  FCounted = true;
  AddSysChangeListener(this);
  FListening = true;
  UpdateColorCache();
}

void TTxMirandaTheme::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == TXM_SYSCHANGE) {
    if (Message.WParam == TSC_CHANGE) UpdateColorCache();
    return;
  }
  TTxTheme::Dispatch(Message);
}

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
  for (TPartColors& t : ButtonColors) SnapToScreen(t);
  for (TPartColors& t : MenuItemColors) SnapToScreen(t);
}

TColor TTxMirandaTheme::GetPartColor(const TTxItemInfo& ItemInfo, int Part) const {
  if (IsPopupMenuLine(ItemInfo) && ItemInfo.ComboPart == cpNone)
    return MenuItemColors[MenuItemColorIndex(ItemInfo)].Part(Part);
  TColor c = ButtonColors[ButtonColorIndex(ItemInfo)].Part(Part);
  if (IsEmbeddedView(ItemInfo.ViewType) && c == fw::clNone) {
    if (Part == cpFill) c = ToolbarColor;
    if (Part == cpFrame) c = fw::clBtnShadow;
  }
  return c;
}

TColor TTxMirandaTheme::GetButtonPartColor(const TTxItemInfo& ItemInfo, int Part) const {
  TColor c = ButtonColors[ButtonColorIndex(ItemInfo)].Part(Part);
  if (IsEmbeddedView(ItemInfo.ViewType)) {
    if (Part == cpFill && c == fw::clNone) c = ToolbarColor;
    if (Part == cpFrame) c = ItemInfo.Selected ? fw::clWindowFrame : c == fw::clNone ? fw::clBtnShadow : c;
  }
  return c;
}

TPoint TTxMirandaTheme::GetImageOffset(TCanvas*, const TTxItemInfo& I, TCustomImageList*) {
  if (I.Enabled && I.HoverKind != hkNone && !I.Selected && !(I.Pushed && !I.IsPopupParent)) return {-1, -1};
  return {0, 0};
}

TColor TTxMirandaTheme::GetItemColor(const TTxItemInfo& ItemInfo) {
  const TColor c = GetPartColor(ItemInfo, cpFill);
  return c == fw::clNone ? GetViewColor(ItemInfo.ViewType) : c;
}

TColor TTxMirandaTheme::GetItemTextColor(const TTxItemInfo& I) {
  const bool toolStyle = I.ItemOptions & IO_TOOLBAR_STYLE;
  if (!toolStyle && !I.Enabled && I.HoverKind == hkKeyboardHover) return fw::clBtnShadow;
  if (!I.Enabled) return DisabledTextColor;
  const bool menuBar = IsViewKind(I.ViewType, VT_TOOLBAR_MENUBAR);
  if (toolStyle && !menuBar) return fw::clBtnText;
  if (I.HoverKind != hkNone) return fw::clHighlightText;
  if (menuBar && !(I.ItemOptions & IO_APP_ACTIVE)) return fw::clGrayText;
  return fw::clMenuText;
}

TColor TTxMirandaTheme::GetItemImageBackground(const TTxItemInfo& ItemInfo) {
  const TColor c = GetButtonPartColor(ItemInfo, cpFill);
  return c == fw::clNone ? GetViewColor(ItemInfo.ViewType) : c;
}

void TTxMirandaTheme::GetMargins(Integer MarginID, TTxMargins& Margins) {
  switch (MarginID) {
    case MID_TOOLBUTTON: Margins = {2, 2, 2, 2}; break;
    case MID_MENUITEM: Margins = {0, 0, 3, 3}; break;
    case MID_STATUSPANE: Margins = {3, 3, 1, 1}; break;
    default: Margins = {};
  }
}

Integer TTxMirandaTheme::GetPopupShadowType() { return PST_LAYERED_NT5; }

void TTxMirandaTheme::GetViewBorder(Integer ViewType, TPoint& Border) {
  if (ViewType & (VT_TOOLBAR | VT_DOCKPANEL)) {
    if (!(ViewType & VT_FLOATING))
      Border = {2, 2};
    else if (ViewType & VT_RESIZABLE)
      Border = {win::GetSystemMetrics(win::SM_CXFRAME) - 1, win::GetSystemMetrics(win::SM_CYFRAME) - 1};
    else
      Border = {win::GetSystemMetrics(win::SM_CXDLGFRAME) - 1, win::GetSystemMetrics(win::SM_CYDLGFRAME) - 1};
  } else if (ViewType & VT_POPUP) {
    Border = {2, 2};
  } else {
    Border = {0, 0};
  }
}

TColor TTxMirandaTheme::GetViewColor(Integer ViewType) {
  if (ViewType & VT_TOOLBAR) return IsViewKind(ViewType, VT_TOOLBAR_MENUBAR) ? MenubarColor : ToolbarColor;
  if (ViewType & VT_POPUP) return IsViewKind(ViewType, VT_POPUP_LIST) ? fw::clWindow : PopupColor;
  if (ViewType & VT_DOCKPANEL) return DockPanelColor;
  return fw::clBtnFace;
}

void TTxMirandaTheme::GetViewMargins(Integer, TTxMargins& Margins) { Margins = {}; }

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

bool TTxMirandaTheme::GetBooleanMetric(Integer Index) {
  return Index == TMB_VISUAL_STYLES || Index == TMB_SOLID_TOOLBAR_NC || Index == TMB_SOLID_TOOLBAR_ON_DOCK_IMAGE;
}

TColor TTxMirandaTheme::ArrowColor(const TTxItemInfo& ItemInfo) const {
  return (ItemInfo.ItemOptions & IO_TOOLBAR_STYLE) ? fw::clBtnText : fw::clMenuText;
}

void RegisterMirandaTheme() { tx::RegisterTheme("Miranda", &tx::ThemeClassOf<TTxMirandaTheme>); }

}  // namespace themes
