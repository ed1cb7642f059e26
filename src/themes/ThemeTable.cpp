#include "themes/ThemeTable.h"

#include "platform/user/services/SysMetrics.h"
#include "themes/ThemeColors.h"
#include "themes/ThemePainting.h"
#include "tx/TxDefaultTheme.h"

namespace themes {

using namespace tx;

TColor TablePartColor(const TPartColors (&Buttons)[8], const TPartColors (&MenuLines)[4], TColor Bar, bool MenuLine,
                      const TTxItemInfo& ItemInfo, int Part) {
  if (MenuLine) return MenuLines[MenuItemColorIndex(ItemInfo)].Part(Part);
  TColor c = Buttons[ButtonColorIndex(ItemInfo)].Part(Part);
  if (IsEmbeddedView(ItemInfo.ViewType) && c == fw::clNone) {
    if (Part == cpFill) c = Bar;
    if (Part == cpFrame) c = fw::clBtnShadow;
  }
  return c;
}

TColor TableButtonPartColor(const TPartColors (&Buttons)[8], TColor Bar, const TTxItemInfo& ItemInfo, int Part) {
  TColor c = Buttons[ButtonColorIndex(ItemInfo)].Part(Part);
  if (IsEmbeddedView(ItemInfo.ViewType)) {
    if (Part == cpFill && c == fw::clNone) c = Bar;
    if (Part == cpFrame) c = ItemInfo.Selected ? fw::clWindowFrame : c == fw::clNone ? fw::clBtnShadow : c;
  }
  return c;
}

TPoint LiftedImageOffset(const TTxItemInfo& I) {
  if (I.Enabled && I.HoverKind != hkNone && !I.Selected && !(I.Pushed && !I.IsPopupParent)) return {-1, -1};
  return {0, 0};
}

TPoint FramedViewBorder(Integer ViewType, TPoint Popup) {
  if (ViewType & (VT_TOOLBAR | VT_DOCKPANEL)) {
    if (!(ViewType & VT_FLOATING)) return {2, 2};
    if (ViewType & VT_RESIZABLE)
      return {win::GetSystemMetrics(win::SM_CXFRAME) - 1, win::GetSystemMetrics(win::SM_CYFRAME) - 1};
    return {win::GetSystemMetrics(win::SM_CXDLGFRAME) - 1, win::GetSystemMetrics(win::SM_CYDLGFRAME) - 1};
  }
  if (ViewType & VT_POPUP) return Popup;
  return {0, 0};
}

void ItemMargins(Integer MarginID, TTxMargins& Margins, Integer MenuItemSides) {
  switch (MarginID) {
    case MID_TOOLBUTTON: Margins = {2, 2, 2, 2}; break;
    case MID_MENUITEM: Margins = {MenuItemSides, MenuItemSides, 3, 3}; break;
    case MID_STATUSPANE: Margins = {3, 3, 1, 1}; break;
    default: Margins = {};
  }
}

bool SolidBarsMetric(Integer Index) {
  return Index == TMB_VISUAL_STYLES || Index == TMB_SOLID_TOOLBAR_NC || Index == TMB_SOLID_TOOLBAR_ON_DOCK_IMAGE;
}

void SnapTablesToScreen(TPartColors (&Buttons)[8], TPartColors (&MenuLines)[4]) {
  for (TPartColors& t : Buttons) SnapToScreen(t);
  for (TPartColors& t : MenuLines) SnapToScreen(t);
}

TColor TTableTheme::GetPartColor(const TTxItemInfo& ItemInfo, int Part) const {
  const bool menuLine = IsPopupMenuLine(ItemInfo) && !(FSplitLinesTakeButtons && ItemInfo.ComboPart != cpNone);
  return TablePartColor(ButtonColors, MenuItemColors, ToolbarColor, menuLine, ItemInfo, Part);
}

TColor TTableTheme::GetButtonPartColor(const TTxItemInfo& ItemInfo, int Part) const {
  return TableButtonPartColor(ButtonColors, ToolbarColor, ItemInfo, Part);
}

TColor TTableTheme::FrameControlMarkColor(Integer State, bool Pushed, bool Hot) const {
  if (State & PFS_DISABLED) return ButtonColors[1].Text;
  if (Pushed) return ButtonColors[3].Text;
  if (State & PFS_MIXED) return fw::clBtnShadow;
  return ButtonColors[Hot ? 4 : 0].Text;
}

TPoint TTableTheme::GetImageOffset(TCanvas*, const TTxItemInfo& I, TCustomImageList*) { return LiftedImageOffset(I); }

TColor TTableTheme::GetItemColor(const TTxItemInfo& ItemInfo) {
  const TColor c = GetPartColor(ItemInfo, cpFill);
  return c == fw::clNone ? GetViewColor(ItemInfo.ViewType) : c;
}

TColor TTableTheme::GetItemTextColor(const TTxItemInfo& ItemInfo) { return GetPartColor(ItemInfo, cpText); }

TColor TTableTheme::GetItemImageBackground(const TTxItemInfo& ItemInfo) {
  const TColor c = GetButtonPartColor(ItemInfo, cpFill);
  return c == fw::clNone ? GetViewColor(ItemInfo.ViewType) : c;
}

void TTableTheme::GetMargins(Integer MarginID, TTxMargins& Margins) { ItemMargins(MarginID, Margins, FMenuItemSides); }

Integer TTableTheme::GetPopupShadowType() { return PST_LAYERED_NT5; }

void TTableTheme::GetViewBorder(Integer ViewType, TPoint& Border) {
  Border = FramedViewBorder(ViewType, IsViewKind(ViewType, VT_POPUP_MENU) ? FPopupMenuBorder : TPoint{2, 2});
}

TColor TTableTheme::GetViewColor(Integer ViewType) {
  if (ViewType & VT_TOOLBAR) return IsViewKind(ViewType, VT_TOOLBAR_MENUBAR) ? MenubarColor : ToolbarColor;
  if (ViewType & VT_POPUP) return IsViewKind(ViewType, VT_POPUP_LIST) ? fw::clWindow : PopupColor;
  if (ViewType & VT_DOCKPANEL) return DockPanelColor;
  return fw::clBtnFace;
}

void TTableTheme::GetViewMargins(Integer, TTxMargins& Margins) { Margins = {}; }

bool TTableTheme::GetBooleanMetric(Integer Index) { return SolidBarsMetric(Index); }

void TTableTheme::PaintButtonChevron(TCanvas* Canvas, const TRect& R, const TTxItemInfo& I) {
  const TClipTo clip(Canvas, ItemArea(R, I));
  PaintButton(Canvas, R, I);
  kit::DrawChevronArrows(Canvas, R, I.IsVertical, GetPartColor(I, cpText));
}

void TTableTheme::PaintFieldFrame(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& I,
                                  const TTxEditFrameInfo& EditFrameInfo, TColor Outline, TColor Field) {
  const TClipTo clip(Canvas, ARect);
  PaintFrame(Canvas, ARect, I);
  const TRect inner = Deflated(ARect, GetIntegerMetric(TMI_EDIT_FRAME_WIDTH));
  TRect R = inner;
  const Integer W = EditFrameInfo.RightButtonWidth;
  if (W > 0) R.right -= W - 2;
  kit::Frame(Canvas, R, Outline);
  Fill(Canvas, Deflated(R, 1), Field);
  if (W > 0)
    PaintEditButton(Canvas, TRect{inner.right - W, inner.top, inner.right, inner.bottom}, I,
                    EditFrameInfo.RightButtonInfo);
}

}  // namespace themes
