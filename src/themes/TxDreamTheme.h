#pragma once
// "Dream": soft white-to-grey-blue toolbars with cut corners, white popups in a light grey frame,
// warm yellow and orange gradients for checked and hot items, embossed grip dots. Nearly every
// colour is fixed; a few follow the system colours.

#include "themes/ThemeStates.h"
#include "tx/TxThemes.h"

namespace themes {

using tx::Cardinal;
using tx::Integer;
using tx::String;
using tx::TCanvas;
using tx::TColor;
using tx::TCustomImageList;
using tx::TPoint;
using tx::TRect;

class TTxDreamTheme : public tx::TTxTheme {
 public:
  explicit TTxDreamTheme(const String& AName) : TTxTheme(AName) {}
  ~TTxDreamTheme() override;
  void AfterConstruction() override;
  // TXM_SYSCHANGE with TSC_CHANGE rebuilds the colour table; other phases are ignored.
  void Dispatch(fw::TMessage& Message) override;

  TPoint GetImageOffset(TCanvas* Canvas, const tx::TTxItemInfo& ItemInfo, TCustomImageList* ImageList) override;
  TColor GetItemColor(const tx::TTxItemInfo& ItemInfo) override;
  TColor GetItemTextColor(const tx::TTxItemInfo& ItemInfo) override;
  TColor GetItemImageBackground(const tx::TTxItemInfo& ItemInfo) override;
  void GetMargins(Integer MarginID, tx::TTxMargins& Margins) override;
  Integer GetPopupShadowType() override;
  void GetViewBorder(Integer ViewType, TPoint& Border) override;
  TColor GetViewColor(Integer ViewType) override;
  void GetViewMargins(Integer ViewType, tx::TTxMargins& Margins) override;
  void PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect, const TRect& AClipRect,
                       TColor AColor, bool Transparent, Integer AViewType) override;
  void PaintButton(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintCaption(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo, const String& ACaption,
                    Cardinal AFormat, bool Rotated) override;
  void PaintCheckMark(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintChevron(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintEditFrame(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo,
                      const tx::TTxEditFrameInfo& EditFrameInfo) override;
  void PaintEditButton(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo,
                       const tx::TTxEditButtonInfo& ButtonInfo) override;
  void PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect& DockRect, Integer DockPosition) override;
  void PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const tx::TTxDockPanelInfo& DockPanelInfo) override;
  void PaintDropDownArrow(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect, const tx::TTxFloatingWindowInfo& WindowInfo) override;
  void PaintFrame(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintImage(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo, TCustomImageList* ImageList,
                  Integer ImageIndex) override;
  void PaintMDIButton(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo, Cardinal ButtonKind) override;
  void PaintMenuItem(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo) override;
  void PaintMenuItemFrame(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintScrollButton(TCanvas* Canvas, const TRect& ARect, Integer ButtonType, bool Hot) override;
  void PaintPopupNCArea(TCanvas* Canvas, TRect R, const tx::TTxPopupInfo& PopupInfo) override;
  void PaintSeparator(TCanvas* Canvas, TRect ARect, tx::TTxItemInfo ItemInfo, bool Horizontal,
                      bool LineOnly) override;
  void PaintToolbarNCArea(TCanvas* Canvas, TRect R, const tx::TTxToolbarInfo& ToolbarInfo) override;
  void PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void* Params) override;
  void PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) override;
  Integer GetIntegerMetric(Integer Index) override;
  bool GetBooleanMetric(Integer Index) override;
  void UpdateColorCache() override;

  // The colour table (tests and the sheet read it).
  TColor MenubarColor = fw::clNone, ToolbarColor = fw::clNone, PopupColor = fw::clNone,
         DockPanelColor = fw::clNone, PopupFrameColor = fw::clNone, SplitLineColor = fw::clNone;
  // [0 floating toolbar, 1 dockable panel][0 active, 1 inactive]: border, caption text.
  struct TWinFrame {
    TColor Border = fw::clNone, Text = fw::clNone;
  } WinFrameColors[2][2];
  TPartColors MenuItemColors[4];
  TPartColors ButtonColors[8];
  static inline TColor ToolbarEdgeColor = 0xB0B0B0;

  // Part 0 fill, 1 text, 2 frame of an item: menu lines use the menu table, the rest the button
  // table; in toolbars outside docks a missing fill or frame takes the toolbar colours.
  TColor GetPartColor(const tx::TTxItemInfo& ItemInfo, int Part) const;
  TColor GetButtonPartColor(const tx::TTxItemInfo& ItemInfo, int Part) const;

 private:
  // The close button of toolbars, floating windows and panels in colour state S.
  void PaintCloseButton(TCanvas* Canvas, const TRect& R, int S);
  static int CloseState(Integer CloseButtonState, bool Active);
  bool FListening = false;
  bool FCounted = false;
};

void RegisterDreamTheme();

}  // namespace themes
