// The Default theme: life cycle, colour cache, queries and metrics.

#include "tx/TxDefaultTheme.h"

#include "framework/ControlMessages.h"
#include "framework/GraphicsCanvas.h"
#include "platform/kernel/Rects.h"
#include "platform/user/services/SysMetrics.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace tx {

bool IsItemHot(const TTxItemInfo& ItemInfo) {
  return ItemInfo.Enabled ? ItemInfo.HoverKind != hkNone : ItemInfo.HoverKind == hkKeyboardHover;
}

bool IsEmbeddedView(Integer ViewType) { return (ViewType & VT_TOOLBAR) && (ViewType & VT_EMBEDDED); }

bool IsPopupMenuLine(const TTxItemInfo& ItemInfo) {
  return IsViewKind(ItemInfo.ViewType, VT_POPUP_MENU) && !(ItemInfo.ItemOptions & IO_TOOLBAR_STYLE);
}

TTxDefaultTheme::~TTxDefaultTheme() {
  if (FListening) RemoveSysChangeListener(this);
}

void TTxDefaultTheme::AfterConstruction() {
  AddSysChangeListener(this);
  FListening = true;
  UpdateColorCache();
}

void TTxDefaultTheme::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == TXM_SYSCHANGE) {
    if (Message.WParam == TSC_CHANGE) UpdateColorCache();
    return;
  }
  TTxTheme::Dispatch(Message);
}

void TTxDefaultTheme::UpdateColorCache() {
  FFaceColor = fw::clBtnFace;
  FFaceTextColor = fw::clBtnText;
  FStatusBarColor = fw::clBtnFace;
  if (VisualStylesActive) {
    FFaceColor = TColor(ThemeColorOr(ToolbarThemeHandle, 0, 0, TMT_FILLCOLOR, win::COLORREF(FFaceColor)));
    FFaceTextColor = TColor(ThemeColorOr(ToolbarThemeHandle, 0, 0, TMT_TEXTCOLOR, win::COLORREF(FFaceTextColor)));
    FStatusBarColor = TColor(ThemeColorOr(StatusThemeHandle, 0, 0, TMT_FILLCOLOR, win::COLORREF(FStatusBarColor)));
  }
  FDockPanelColor = MixColorsNearest(FFaceColor, fw::clWindow, 64);
}

TPoint TTxDefaultTheme::GetImageOffset(TCanvas*, const TTxItemInfo& ItemInfo, TCustomImageList*) {
  return ItemInfo.Pushed || ItemInfo.Selected ? TPoint{1, 1} : TPoint{0, 0};
}

TColor TTxDefaultTheme::GetItemColor(const TTxItemInfo& ItemInfo) {
  if (!VisualStylesActive && IsPopupMenuLine(ItemInfo) && ItemInfo.HoverKind != hkNone) return fw::clHighlight;
  return GetViewColor(ItemInfo.ViewType);
}

TColor TTxDefaultTheme::GetItemTextColor(const TTxItemInfo& ItemInfo) {
  const bool toolbarStyle = ItemInfo.ItemOptions & IO_TOOLBAR_STYLE;
  const bool menuBar = IsViewKind(ItemInfo.ViewType, VT_TOOLBAR_MENUBAR);
  const bool appActive = ItemInfo.ItemOptions & IO_APP_ACTIVE;
  if (!ItemInfo.Enabled) return fw::clGrayText;
  if (toolbarStyle && !menuBar) return fw::clBtnText;
  if (toolbarStyle && menuBar && !FlatMenuColors) return appActive ? fw::clBtnText : fw::clGrayText;
  if (ItemInfo.HoverKind != hkNone) return fw::clHighlightText;
  if (menuBar && !appActive) return fw::clGrayText;
  return MenuTextColor;
}

TColor TTxDefaultTheme::GetItemImageBackground(const TTxItemInfo& ItemInfo) {
  const bool hovered = ItemInfo.HoverKind != hkNone;
  if (FlatMenuColors) {
    if (IsViewKind(ItemInfo.ViewType, VT_TOOLBAR_MENUBAR) && hovered) return fw::clHighlight;
    if (IsViewKind(ItemInfo.ViewType, VT_POPUP_CHEVRON)) return FFaceColor;
    if (IsPopupMenuLine(ItemInfo) && hovered) return FFaceColor;
  }
  return GetViewColor(ItemInfo.ViewType);
}

void TTxDefaultTheme::GetMargins(Integer MarginID, TTxMargins& Margins) {
  Margins = TTxMargins{};
  switch (MarginID) {
    case MID_TOOLBUTTON: {
      Margins = TTxMargins{2, 2, 2, 2};
      MARGINS m;
      if (VisualStylesActive && ToolbarThemeHandle && ux::GetThemeMargins &&
          ux::GetThemeMargins(ToolbarThemeHandle, nullptr, 1, 2, TMT_CAPTIONMARGINS, nullptr, &m) == S_OK)
        Margins = TTxMargins{m.cxLeftWidth, m.cxRightWidth, m.cyTopHeight, m.cyBottomHeight};
      break;
    }
    case MID_MENUITEM:
      Margins = TTxMargins{0, 0, 2, 2};
      break;
    case MID_STATUSPANE: {
      Margins = TTxMargins{1, 3, 1, 1};
      const TRect box{0, 0, 100, 100};
      TRect content{};
      if (VisualStylesActive && StatusThemeHandle && ux::GetThemeBackgroundContentRect &&
          ux::GetThemeBackgroundContentRect(StatusThemeHandle, nullptr, 1, 0, &box, &content) == S_OK)
        Margins = TTxMargins{content.left, 100 - content.right, content.top, 100 - content.bottom};
      break;
    }
    default:
      break;
  }
}

Integer TTxDefaultTheme::GetPopupShadowType() { return PST_SYSTEM; }

void TTxDefaultTheme::GetViewBorder(Integer ViewType, TPoint& Border) {
  const bool frame = (ViewType & VT_TOOLBAR) || ((ViewType & VT_DOCKPANEL) && !(ViewType & VT_POPUP));
  if (frame) {
    if (ViewType & VT_FLOATING) {
      const bool resizable = ViewType & VT_RESIZABLE;
      Border = TPoint{win::GetSystemMetrics(resizable ? win::SM_CXFRAME : win::SM_CXDLGFRAME),
                      win::GetSystemMetrics(resizable ? win::SM_CYFRAME : win::SM_CYDLGFRAME)};
    } else {
      Border = TPoint{2, 2};
    }
  } else if (ViewType & VT_POPUP) {
    Border = IsViewKind(ViewType, VT_POPUP_LIST) ? TPoint{1, 1} : TPoint{3, 3};
  } else {
    Border = TPoint{0, 0};
  }
}

TColor TTxDefaultTheme::GetViewColor(Integer ViewType) {
  if (ViewType & VT_TOOLBAR) return FFaceColor;
  if (ViewType & VT_DOCKPANEL) return FDockPanelColor;
  if (ViewType & VT_CONTROL) return FStatusBarColor;
  if (IsViewKind(ViewType, VT_POPUP_MENU) || IsViewKind(ViewType, VT_POPUP_CHEVRON)) return MenuBackColor;
  if (IsViewKind(ViewType, VT_POPUP_LIST)) return fw::clWindow;
  if (ViewType & VT_POPUP) return FFaceColor;
  return fw::clBtnFace;
}

void TTxDefaultTheme::GetViewMargins(Integer ViewType, TTxMargins& Margins) {
  const bool floatingToolbar = (ViewType & VT_TOOLBAR) && (ViewType & VT_FLOATING);
  Margins = floatingToolbar ? TTxMargins{4, 4, 2, 1} : TTxMargins{};
}

Integer TTxDefaultTheme::GetIntegerMetric(Integer Index) {
  switch (Index) {
    case TMI_SPLIT_ARROW_WIDTH: {
      win::SIZE size{};
      if (VisualStylesActive && ToolbarThemeHandle && ux::GetThemePartSize &&
          ux::GetThemePartSize(ToolbarThemeHandle, nullptr, 4, 1, nullptr, TS_TRUE, &size) == S_OK)
        return size.cx + 2;
      return 11;
    }
    case TMI_DROPDOWN_ARROW_WIDTH: return 8;
    case TMI_DROPDOWN_ARROW_MARGIN: return 3;
    case TMI_MENU_IMAGE_TEXT_SPACE: return 1;
    case TMI_MENU_CAPTION_LEFT: return 2;
    case TMI_MENU_CAPTION_RIGHT: return 2;
    case TMI_MENU_SEPARATOR_SIZE: return -1;
    case 36: return 2;
    case 37: return 4;
    case TMI_TOOLBAR_SEPARATOR_SIZE: return 6;
    case TMI_EDIT_FRAME_WIDTH: return 2;
    case TMI_EDIT_TEXT_MARGIN_HORZ: return 2;
    case TMI_EDIT_TEXT_MARGIN_VERT: return 1;
    case TMI_EDIT_BUTTON_WIDTH: return 13;
    case TMI_EDIT_MENU_RIGHT_INDENT: return 0;
    default: return -1;
  }
}

bool TTxDefaultTheme::GetBooleanMetric(Integer Index) { return Index == TMB_VISUAL_STYLES && VisualStylesActive; }

void TTxDefaultTheme::PaintBackground(TCanvas* Canvas, const TRect&, const TRect& ARect, const TRect& AClipRect,
                                      TColor AColor, bool Transparent, Integer) {
  if (Transparent) return;
  TRect r{};
  if (win::IntersectRect(&r, &ARect, &AClipRect)) FillRectColor(Canvas->Handle(), r, AColor);
}

}  // namespace tx
