#pragma once
// One way to declare a theme's operations: the names of the framework's types its declarations
// use, and the 33 operations of the painting interface (queries, painters and the integer
// metric) in groups, each overridden.

#include "tx/TxThemes.h"

// clang-format off
#define KV_THEME_TYPE_NAMES \
  using TColor = tx::TColor; \
  using TRect = tx::TRect; \
  using TPoint = tx::TPoint; \
  using Integer = tx::Integer; \
  using Cardinal = tx::Cardinal; \
  using String = tx::String; \
  using TCanvas = tx::TCanvas; \
  using TCustomImageList = tx::TCustomImageList;

// The queries a table theme answers alike (TTableTheme).
#define KV_THEME_QUERIES \
  TPoint GetImageOffset(TCanvas* Canvas, const tx::TTxItemInfo& ItemInfo, TCustomImageList* ImageList) override; \
  TColor GetItemColor(const tx::TTxItemInfo& ItemInfo) override; \
  TColor GetItemTextColor(const tx::TTxItemInfo& ItemInfo) override; \
  TColor GetItemImageBackground(const tx::TTxItemInfo& ItemInfo) override; \
  void GetMargins(Integer MarginID, tx::TTxMargins& Margins) override; \
  Integer GetPopupShadowType() override; \
  void GetViewBorder(Integer ViewType, TPoint& Border) override; \
  TColor GetViewColor(Integer ViewType) override; \
  void GetViewMargins(Integer ViewType, tx::TTxMargins& Margins) override; \
  bool GetBooleanMetric(Integer Index) override;

// The painters of items, popups, docks and panels (all but backgrounds, toolbar frames, frame
// controls and status bars).
#define KV_THEME_ITEM_PAINTERS \
  void PaintButton(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override; \
  void PaintCaption(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo, const String& ACaption, Cardinal AFormat, bool Rotated) override; \
  void PaintCheckMark(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo) override; \
  void PaintChevron(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo) override; \
  void PaintEditFrame(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo, const tx::TTxEditFrameInfo& EditFrameInfo) override; \
  void PaintEditButton(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo, const tx::TTxEditButtonInfo& ButtonInfo) override; \
  void PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect& DockRect, Integer DockPosition) override; \
  void PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const tx::TTxDockPanelInfo& DockPanelInfo) override; \
  void PaintDropDownArrow(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override; \
  void PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect, const tx::TTxFloatingWindowInfo& WindowInfo) override; \
  void PaintFrame(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override; \
  void PaintImage(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo, TCustomImageList* ImageList, Integer ImageIndex) override; \
  void PaintMDIButton(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo, Cardinal ButtonKind) override; \
  void PaintMenuItem(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo) override; \
  void PaintMenuItemFrame(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override; \
  void PaintScrollButton(TCanvas* Canvas, const TRect& ARect, Integer ButtonType, bool Hot) override; \
  void PaintPopupNCArea(TCanvas* Canvas, TRect R, const tx::TTxPopupInfo& PopupInfo) override; \
  void PaintSeparator(TCanvas* Canvas, TRect ARect, tx::TTxItemInfo ItemInfo, bool Horizontal, bool LineOnly) override;

// The painting operations every theme carries out its own way.
#define KV_THEME_PAINTERS \
  void PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect, const TRect& AClipRect, TColor AColor, bool Transparent, Integer AViewType) override; \
  KV_THEME_ITEM_PAINTERS \
  void PaintToolbarNCArea(TCanvas* Canvas, TRect R, const tx::TTxToolbarInfo& ToolbarInfo) override; \
  void PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void* Params) override; \
  void PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) override;

#define KV_THEME_OPERATIONS \
  KV_THEME_QUERIES \
  KV_THEME_PAINTERS \
  Integer GetIntegerMetric(Integer Index) override;
// clang-format on
