#pragma once
// The records and constants every theme and every themed window share: what an item, a toolbar,
// a dockable panel, a popup, a floating window and an edit field tell the theme when they ask it
// to paint, and the ids of the theme's metrics.

#include "framework/Colors.h"
#include "framework/GraphicsTypes.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/WinUserTypes.h"

namespace tx {

using fw::Byte;
using fw::Cardinal;
using fw::Integer;
using fw::String;
using fw::TColor;
using fw::TPoint;
using fw::TRect;

// ---- Notices ---------------------------------------------------------------------------------
// The theme manager tells its listeners of system changes (WParam a TSC_ phase, LParam 0).
inline constexpr win::UINT TXM_SYSCHANGE = win::WM_USER + 312;  // 1336
inline constexpr win::WPARAM TSC_BEFORE_CHANGE = 1, TSC_CHANGE = 2, TSC_AFTER_CHANGE = 3, TSC_APP_ACTIVATE = 4,
                             TSC_APP_DEACTIVATE = 5;

// ---- Items -----------------------------------------------------------------------------------
enum TTxHoverKind : Byte { hkNone = 0, hkKeyboardHover = 1, hkMouseHover = 2 };
enum TTxComboPart : Byte { cpNone = 0, cpCombo = 1, cpSplitLeft = 2, cpSplitRight = 3 };

// Item option bits.
inline constexpr Integer IO_TOOLBAR_STYLE = 0x01, IO_HAS_SUBMENU = 0x04, IO_SPLIT = 0x08, IO_DESIGNING = 0x10,
                         IO_APP_ACTIVE = 0x20;

// One item to paint. Producers start from a cleared record.
struct TTxItemInfo {
  Integer ViewType = 0;      // VT_* of the view holding the item
  Integer ItemOptions = 0;   // IO_* bits
  bool Enabled = false;      // enabled, or its view is being customized
  bool Pushed = false;
  TTxHoverKind HoverKind = hkNone;
  bool Selected = false;     // checked
  bool ImageShown = false;
  Integer ImageWidth = 0;
  Integer ImageHeight = 0;
  bool IsVertical = false;   // vertical view, not a split item
  TTxComboPart ComboPart = cpNone;
  bool IsPopupParent = false;  // the item's own popup is open
  Integer PopupMargin = 0;   // width of the image column of the holding popup menu
};

// ---- View types: a group bit and a kind, plus flags; kinds are tested by masking --------------
inline constexpr Integer VT_TOOLBAR = 0x1000, VT_TOOLBAR_NORMAL = 0x1001, VT_TOOLBAR_MENUBAR = 0x1002;
inline constexpr Integer VT_POPUP = 0x2000, VT_POPUP_MENU = 0x2001, VT_POPUP_LIST = 0x2002,
                         VT_POPUP_TOOLBOX = 0x2004, VT_POPUP_CHEVRON = 0x2008;
inline constexpr Integer VT_DOCKPANEL = 0x4000, VT_DOCKPANEL_NORMAL = 0x4001;
inline constexpr Integer VT_CONTROL = 0x10000;
inline constexpr Integer VT_FLOATING = 0x0800, VT_RESIZABLE = 0x0400, VT_EMBEDDED = 0x0200;

// True when every bit of `kind` is set in `viewType` (VT_POPUP_MENU, VT_TOOLBAR_MENUBAR ...).
constexpr bool IsViewKind(Integer viewType, Integer kind) { return (viewType & kind) == kind; }

struct TTxMargins {
  Integer LeftWidth = 0;
  Integer RightWidth = 0;
  Integer TopHeight = 0;
  Integer BottomHeight = 0;
};

// ---- Windows ---------------------------------------------------------------------------------
struct TTxPopupInfo {
  win::HWND WindowHandle = nullptr;
  Integer ViewType = 0;
  TRect ParentRect{};  // the parent item in popup coordinates; empty when none or elsewhere
  TPoint BorderSize{};
};

// Close-button state bits (a toolbar sets pressed or hot, never both; a panel may set both).
inline constexpr Integer CDBS_VISIBLE = 1, CDBS_HOT = 2, CDBS_PRESSED = 4;

// A toolbar's or a dockable panel's frame (one layout for both).
struct TTxToolbarInfo {
  win::HWND WindowHandle = nullptr;
  Integer ViewType = 0;
  // Toolbar: docked left or right (drag handle along the top). Panel: laid out vertically
  // (caption across the top; otherwise down the left side).
  bool IsVertical = false;
  bool AllowDrag = false;
  Byte BorderStyle = 0;  // 0 none, 1 single
  TPoint BorderSize{};
  Integer ClientWidth = 0;
  Integer ClientHeight = 0;
  // Toolbar: 0 double grip, 1 none, 2 single grip. Panel: the caption bar is shown.
  Integer DragHandleStyle = 0;
  Integer CloseButtonState = 0;
  String Caption;  // panels only
  TColor EffectiveColor = 0;
};
using TTxDockPanelInfo = TTxToolbarInfo;

// Parts of a floating window to paint.
inline constexpr Integer WRP_BORDER = 1, WRP_CAPTION = 2, WRP_CLOSEBTN = 4;

struct TTxFloatingWindowInfo {
  win::HWND WindowHandle = nullptr;  // the floating frame
  win::HWND ParentHandle = nullptr;  // the hosted toolbar or panel
  Integer ViewType = 0;
  Integer ClientWidth = 0;
  Integer ClientHeight = 0;
  bool ShowCaption = false;
  TPoint FloatingBorderSize{};
  Integer CloseButtonState = 0;  // CDBS_VISIBLE plus CDBS_PRESSED, or 3 for visible and hot
  Integer RedrawPart = 0;        // WRP_* bits
  String Caption;
  TColor EffectiveColor = 0;
  bool Active = false;
};

// ---- Edit fields -----------------------------------------------------------------------------
inline constexpr Integer EBT_DROPDOWN = 1, EBT_SPIN = 2;
inline constexpr Integer EBDS_DISABLED = 1, EBDS_HOT = 2, EBDS_PRESSED = 4, EBDS_DOWN_PRESSED = 8;

struct TTxEditButtonInfo {
  Integer ButtonType = 0;
  Integer ButtonState = 0;
};
struct TTxEditFrameInfo {
  Integer LeftButtonWidth = 0;  // 0 = no button
  Integer RightButtonWidth = 0;
  TTxEditButtonInfo LeftButtonInfo;
  TTxEditButtonInfo RightButtonInfo;
};

// ---- Arguments of the painting operations ----------------------------------------------------
inline constexpr Integer DP_TOP = 1, DP_BOTTOM = 2, DP_LEFT = 3, DP_RIGHT = 4;
inline constexpr Cardinal MDI_CLOSE = 0, MDI_MINIMIZE = 1, MDI_MAXIMIZE = 2, MDI_RESTORE = 3;
inline constexpr Integer PSBT_UP = 1, PSBT_DOWN = 2, PSBT_LEFT = 3, PSBT_RIGHT = 4;
inline constexpr Integer PFC_CHECKBOX = 1, PFC_RADIOBUTTON = 2;
inline constexpr Integer PFS_CHECKED = 1, PFS_MIXED = 2, PFS_DISABLED = 4, PFS_HOT = 8, PFS_PUSHED = 16;
inline constexpr Integer SBP_BODY = 0, SBP_PANE = 1, SBP_GRIPPERPANE = 2, SBP_SIZEGRIP = 3;
inline constexpr Integer MID_TOOLBUTTON = 1, MID_MENUITEM = 2, MID_STATUSPANE = 3;
inline constexpr Integer PST_NONE = 0, PST_SYSTEM = 1, PST_LAYERED = 2, PST_LAYERED_NT5 = 3;

// ---- Metric ids ------------------------------------------------------------------------------
inline constexpr Integer TMI_SPLIT_ARROW_WIDTH = 10, TMI_DROPDOWN_ARROW_WIDTH = 20,
                         TMI_DROPDOWN_ARROW_MARGIN = 21, TMI_MENU_IMAGE_TEXT_SPACE = 32,
                         TMI_MENU_CAPTION_LEFT = 33, TMI_MENU_CAPTION_RIGHT = 34, TMI_MENU_SEPARATOR_SIZE = 35,
                         TMI_TOOLBAR_SEPARATOR_SIZE = 50, TMI_EDIT_FRAME_WIDTH = 60,
                         TMI_EDIT_TEXT_MARGIN_HORZ = 61, TMI_EDIT_TEXT_MARGIN_VERT = 62,
                         TMI_EDIT_BUTTON_WIDTH = 65, TMI_EDIT_MENU_RIGHT_INDENT = 66;
inline constexpr Integer TMB_POPUP_ALIGNMENT = 1, TMB_EDIT_MENU_RIGHT_ALIGNED = 3, TMB_EDIT_HEIGHT_EVEN = 4,
                         TMB_VISUAL_STYLES = 5, TMB_SOLID_TOOLBAR_NC = 6, TMB_SOLID_TOOLBAR_ON_DOCK_IMAGE = 7;

}  // namespace tx
